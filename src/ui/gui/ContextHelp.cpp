#include "gui/ContextHelp.h"

#include "gui/HelpViewer.h"

#include <QDir>
#include <QKeySequence>
#include <QShortcut>

namespace gui {

// A missing help file is no error: nothing is shown.

void showHelpContents(QWidget* parent)
{
    HelpViewer::showFile(parent, QDir(HelpViewer::programFolder()).filePath(QStringLiteral("Gear-Log.html")));
}

void installContextHelp(QWidget* window, std::function<QString()> section)
{
    auto* shortcut = new QShortcut(QKeySequence::HelpContents, window);
    QObject::connect(shortcut, &QShortcut::activated, window, [window, section = std::move(section)] {
        HelpViewer::showFile(window, QDir(HelpViewer::programFolder()).filePath(QStringLiteral("Help/Gear-Log.html")),
                             section());
    });
}

} // namespace gui
