#include "mainwindow/EditHistory.h"

#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "project/ProjectSession.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

namespace editor {

EditHistory::EditHistory(project::ProjectSession& session, QAction* undo, QAction* redo, QWidget* window,
    std::function<void(store::Key)> shown)
    : QObject(window)
    , m_session(session)
    , m_undo(undo)
    , m_redo(redo)
    , m_window(window)
    , m_shown(std::move(shown))
{
    connect(&session, &project::ProjectSession::historyChanged, this, &EditHistory::update);
    connect(undo, &QAction::triggered, this, [this] { run(true); });
    connect(redo, &QAction::triggered, this, [this] { run(false); });
    update();
}

void EditHistory::setBrowsing(bool browsing)
{
    m_browsing = browsing;
    update();
}

void EditHistory::update()
{
    const project::History& history = m_session.history();
    // A name holding '&' is shown as typed, not as a mnemonic.
    const auto named = [](const QString& verb, const QString& change) {
        return change.isEmpty() ? verb : verb + u' ' + QString(change).replace(u'&', QStringLiteral("&&"));
    };
    m_undo->setText(named(QStringLiteral("&Undo"), history.canUndo() ? history.toUndo().text : QString()));
    m_redo->setText(named(QStringLiteral("&Redo"), history.canRedo() ? history.toRedo().text : QString()));
    m_undo->setEnabled(m_browsing && history.canUndo());
    m_redo->setEnabled(m_browsing && history.canRedo());
}

void EditHistory::run(bool undoing)
{
    // The shortcut may come while an edit is open; only the menu item's state is checked there.
    if (!(undoing ? m_undo : m_redo)->isEnabled())
        return;
    store::Key carid = 0;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        carid = undoing ? m_session.undo() : m_session.redo();
        QApplication::restoreOverrideCursor();
    } catch (const store::StoreError& e) {
        QApplication::restoreOverrideCursor();
        // Someone else's change, or the sample: said plainly; anything else as the engine's failure.
        if (e.code() == store::code::Stale || e.code() == store::code::ReadOnly)
            gui::MessageBox::notice(m_window, e.message());
        else
            gui::showCommandError(m_window, undoing ? QStringLiteral("the undo") : QStringLiteral("the redo"), e);
        return;
    }
    m_shown(carid);
}

} // namespace editor
