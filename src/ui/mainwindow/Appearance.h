#pragma once

#include <QList>
#include <QObject>
#include <QtGlobal>

#include <optional>

class QMainWindow;
class QSettings;
class QTabWidget;
class QWidget;

namespace editor {

// The window's background colour: shown on the window and its tab areas, chosen by the user and
// kept in the settings. Stored colours are 0x00BBGGRR, or 0x80000000 plus a system colour index.
class Appearance : public QObject
{
    Q_OBJECT

public:
    struct Targets
    {
        QList<QTabWidget*> tabs; // take the colour; their tab bars keep the system's
        QList<QTabWidget*> paged; // whose pages paint the colour themselves
        QList<QWidget*> lists; // keep the system's colours
    };

    // The window takes the colour too, while its menu and status bars keep the system's. It is
    // the parent of the colour dialog and of any message.
    Appearance(QMainWindow* window, Targets targets, QSettings& settings);

    void apply(qint32 colour);
    // Asks for a colour, starting from the current one; it is applied and kept. Nothing when cancelled.
    std::optional<qint32> choose(qint32 current);
    // Back to the system's button face, applied and kept; answers that colour.
    qint32 restoreDefault();

private:
    QMainWindow* m_window;
    Targets m_targets;
    QSettings& m_settings;
};

} // namespace editor
