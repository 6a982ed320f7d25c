#pragma once

#include "store/RecordTraits.h"

#include "project/ProjectSession.h"

#include <QObject>
#include <QString>

class QLineEdit;
class QTabWidget;

namespace editor {

class RecordEditor;
class RecordTabs;
class StatusPanels;
class TreePanel;

// What the edit commands ask of the window they run in: its command buttons, fields and tabs as
// the window's own procedures set them, and a record picked as the user would pick it.
class CommandWindow
{
public:
    virtual void SetButtons(const QString& pattern) = 0;
    virtual void LockFields(bool locked) = 0;
    virtual void ClearFields() = 0;
    // Only the tab being edited can be chosen; 99 frees them all.
    virtual void UpdateForm(int tab) = 0;
    virtual void showTab(int index) = 0;
    virtual void setReseqEnabled(bool enabled) = 0;
    virtual void reselect(RecordEditor& editor, store::Key key) = 0;
    virtual void quitroutine() = 0;

protected:
    ~CommandWindow() = default;
};

// The edit command cycle on the record tab showing: Add and Update open its fields, Save checks
// them through its editor and writes through the session, Cancel shows the record again, Delete
// asks and removes it with what depends on it, and Quit closes the window. The lists, trees and
// totals follow. A failure of the store is shown and leaves the window where it was.
class RecordCommands : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Browsing, Adding, Updating };
    // The controls the commands change besides the tabs': the record tabs, the trees' tabs and
    // the project's name over them.
    struct Controls
    {
        QTabWidget* tabs;
        QTabWidget* trees;
        QLineEdit* projectDescription;
    };

    RecordCommands(CommandWindow& window, const Controls& controls, project::ProjectSession& session,
        RecordTabs& recordTabs, TreePanel& panel, StatusPanels& status, QObject* parent);

    // Runs command button `index` (0 Add, 1 Update, 2 Cancel, 3 Save, 4 Delete, 5 Quit) on the tab.
    void run(int index, RecordEditor& editor);
    // Saves the record shown as a change of it (a picture's path written through Save), named
    // in the Edit menu by the verb.
    void saveShown(RecordEditor& editor, const QString& verb);
    Mode mode() const { return m_mode; }
    // Refuses, with a message, any change to a database opened read-only.
    bool refuseChange() const;
    bool isSampleCar() const;

private:
    QWidget* messageParent() const;
    bool is(project::Kind kind) const;
    void showEntries(const RecordEditor& editor);
    void setAttachEnabled(bool enabled);
    bool sampleCarGuard(int index);
    bool readOnlyGuard(int index);
    void add();
    void update();
    void save();
    void afterSupplierSave();
    void cancel();
    void cancelRecord(RecordEditor& editor);
    void remove();
    // Writes the record; a row another program changed or deleted since it was shown is not
    // written. Store failures are thrown.
    project::ProjectSession::SaveOutcome write();
    // Deletes the record with what depends on it once the user agrees; false when not.
    bool removeRecord();
    // A save refused because another program changed or deleted the row: says so, and shows the
    // record as it now stands (or forgets it) with the edit closed.
    void refuseStaleSave(project::ProjectSession::SaveOutcome outcome);
    void recalcCosts();
    void recalcDates();

    CommandWindow& m_window;
    Controls m_controls;
    project::ProjectSession& m_session;
    RecordTabs& m_tabs;
    TreePanel& m_panel;
    StatusPanels& m_status;
    RecordEditor* m_editor = nullptr; // the tab the command runs on
    Mode m_mode = Mode::Browsing;
    bool m_update = false;
    QString m_savedTableText;
    bool m_costsChanged = false;
    bool m_datesChanged = false;
};

} // namespace editor
