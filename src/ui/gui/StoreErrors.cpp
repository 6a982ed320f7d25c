#include "gui/StoreErrors.h"

#include "gui/Dialogs.h"

#include <QApplication>

namespace gui {

void showStoreError(QWidget* parent, const QString& what, const store::StoreError& e)
{
    QApplication::restoreOverrideCursor();
    MessageBox::show(parent, AppTitle,
        QStringLiteral("The database reported an error while %1:\n\n%2").arg(what, e.explanation()), Icon::Warning,
        Buttons::Ok, Answer::Ok);
}

void showCommandError(QWidget* parent, const QString& what, const std::exception& error)
{
    QString detail = QString::fromUtf8(error.what());
    if (const auto* e = dynamic_cast<const store::StoreError*>(&error))
        detail = e->explanation();
    MessageBox::show(parent, AppTitle, QStringLiteral("The database could not complete %1:\n\n%2").arg(what, detail),
        Icon::Warning, Buttons::Ok, Answer::Ok);
}

} // namespace gui
