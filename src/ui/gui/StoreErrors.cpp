#include "gui/StoreErrors.h"

#include "gui/Dialogs.h"

#include <QApplication>

namespace gui {

void showStoreError(QWidget* parent, const QString& what, const store::StoreError& e)
{
    QApplication::restoreOverrideCursor();
    MessageBox::show(parent, AppTitle,
        QStringLiteral("The database reported an error while %1:\n\n%2").arg(what, e.explanation()),
        Icon::Warning, Buttons::Ok, Answer::Ok);
}

} // namespace gui
