#include "mainwindow/Appearance.h"

#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "project/Preferences.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

namespace editor {

namespace {
const QString BackColorError = QStringLiteral("Background color change error has occurrred");
}

Appearance::Appearance(QMainWindow* window, Targets targets, QSettings& settings)
    : QObject(window)
    , m_window(window)
    , m_targets(std::move(targets))
    , m_settings(settings)
{
}

void Appearance::apply(qint32 colour)
{
    const QColor back = gui::fromStoredColour(colour);
    // Text written straight on the colour stays legible; a system colour keeps the system's text.
    const QColor text = (quint32(colour) & 0x80000000u) ? QApplication::palette().color(QPalette::WindowText)
        : back.lightnessF() < 0.5                       ? QColor(Qt::white)
                                                        : QColor(Qt::black);
    QList<QWidget*> coloured { m_window };
    for (QTabWidget* tabs : std::as_const(m_targets.tabs))
        coloured.append(tabs);
    for (QWidget* w : std::as_const(coloured)) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::WindowText, text);
        w->setPalette(p);
        w->setAutoFillBackground(true);
    }
    for (QTabWidget* tabs : std::as_const(m_targets.paged)) {
        for (int i = 0; i < tabs->count(); ++i)
            tabs->widget(i)->setAutoFillBackground(true);
    }

    // Every role is marked as set, or the widget would go on taking its parent's.
    QPalette system = QApplication::palette();
    system.setResolveMask(~QPalette::ResolveMask(0));
    QList<QWidget*> kept { m_window->menuBar(), m_window->statusBar() };
    for (QTabWidget* tabs : std::as_const(m_targets.tabs))
        kept.append(tabs->tabBar());
    kept.append(m_targets.lists);
    for (QWidget* w : std::as_const(kept))
        w->setPalette(system);
    // The bars paint their own background, over the window's colour.
    m_window->statusBar()->setAutoFillBackground(true);
    m_window->menuBar()->setAutoFillBackground(true);
}

std::optional<qint32> Appearance::choose(qint32 current)
{
    const std::optional<QColor> chosen = gui::ColorDialog::getColor(m_window, gui::fromStoredColour(current));
    if (!chosen)
        return std::nullopt;
    const qint32 colour = gui::toStoredColour(*chosen);
    // Shown for this session even when it cannot be kept.
    apply(colour);
    if (!Preferences::saveBackColor(m_settings, colour))
        gui::MessageBox::notice(m_window, BackColorError);
    return colour;
}

qint32 Appearance::restoreDefault()
{
    apply(Preferences::ButtonFace);
    Preferences::saveBackColor(m_settings, Preferences::ButtonFace);
    return Preferences::ButtonFace;
}

} // namespace editor
