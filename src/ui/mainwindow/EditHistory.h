#pragma once

#include "store/RecordTraits.h"

#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace project {
class ProjectSession;
}

namespace editor {

// The Edit menu's Undo and Redo over the session's history: their texts name the change
// ("Undo Delete Project 'Blue Coupe'"), and they are enabled only while the window is browsing
// and there is something to take back or make again.
class EditHistory : public QObject
{
    Q_OBJECT
public:
    // shown is told the project of each change undone or redone, once it is written.
    EditHistory(project::ProjectSession& session, QAction* undo, QAction* redo, QWidget* window,
        std::function<void(store::Key carid)> shown);

    void setBrowsing(bool browsing);

private:
    void update();
    void run(bool undoing);

    project::ProjectSession& m_session;
    QAction* m_undo;
    QAction* m_redo;
    QWidget* m_window;
    std::function<void(store::Key)> m_shown;
    bool m_browsing = true;
};

} // namespace editor
