#pragma once

#include "project/ProjectSession.h"
#include "store/Snapshot.h"
#include "store/StoreError.h"
#include "store/Table.h"

#include <QDateTime>

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace rollup {
class ProjectFigures;
}

namespace project {
class ProjectRecords;
}

namespace editor {

// What every record tab knows of the record it stands on.
class RecordEditor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The record shown: its key (0: none), whether one is picked, its description as the list
    // showed it, and how many entries the pick list holds.
    struct Shown
    {
        store::Key key = 0;
        bool loaded = false;
        qint32 count = 0;
        QString description;
    };
    Shown shown;
    // What the shown record's row held when read: a save changes the row only while it still
    // holds that.
    store::Snapshot snapshot;
    // How the next save names itself in the Edit menu ("Save Component 'Pump'").
    QString saveVerb = QStringLiteral("Save");

    // What the status bar and the lists say on this tab.
    struct Texts
    {
        QString table; // status panel 2
        QString picked; // status panel 1 with a record picked
        QString nothing; // status panel 1 with none picked
        QString placeholder; // the pick list with nothing chosen
        QString cancelPlaceholder; // the same after a cancelled add
        QString adding;
        QString updating;
        QString notFound; // when the record shown is gone; empty: nothing said
        QString deleting;
        QString question; // before deleting
        QString closing; // status panel 1 after deleting
    };
    virtual const Texts& texts() const = 0;

    // The list the tab's records are picked from.
    virtual QComboBox* pickList() const = 0;
    virtual project::Kind kind() const = 0;
    // The record tab's page index, in the order of the kinds.
    int page() const { return int(kind()); }
    // Phases and activities are shown in the project-plan tree, the rest in the materials tree.
    bool inPlan() const { return kind() == project::Kind::Phase || kind() == project::Kind::Activity; }
    // Reads the record with the shown key, with what its row holds; false when it is gone.
    virtual bool read(const store::Store& store) = 0;
    // Shows the record read in the fields, its relations named as the car's records in memory
    // name them; false when there is none.
    virtual bool showRecord(const store::Store& store, const project::ProjectRecords& records) = 0;
    // The totals of the record shown, from the project's figures.
    virtual void showTotals(const rollup::ProjectFigures&) { }
    // Forgets the record shown: nothing picked.
    void forget()
    {
        shown.loaded = false;
        shown.key = 0;
        dropRecord();
    }

    // Other tabs' lists that offer this kind's records, filled with its pick list.
    struct Relation
    {
        QComboBox* list;
        bool keepText; // the list keeps what it showed
        bool namesOnly; // entries without keys
    };
    QList<Relation> relations;
    // Fills the pick list (nothing chosen) and the relation lists, and counts the entries.
    void fill(const QList<store::Entry>& entries);

    // The rules of the core on what the fields hold; what they tidied goes back into the boxes, a
    // refusal is shown with the cursor on its field. False when refused.
    virtual bool validate(QWidget* parent, store::Key carid) = 0;
    // Browsing shows the pick list and the display boxes, editing the input boxes and lists.
    virtual void lock(bool locked) = 0;
    // Opening the fields for a new record or a change: the picture buttons off, a new record's
    // status at its first entry, the cursor in the name.
    void openForAdd();
    void openForUpdate();
    // Run after the fields are cleared for a new record: puts back the relation a new record
    // takes from what was shown (none by default).
    virtual std::function<void()> keepForNew() { return {}; }
    // What the name box holds.
    QString nameShown() const;
    // The picture of the record (car, assembly and component only).
    virtual void enablePictures(bool) { }
    virtual QLineEdit* picturePath() const { return nullptr; }
    virtual QPushButton* attachPictureButton() const { return nullptr; }
    virtual QPushButton* viewPictureButton() const { return nullptr; }
    // The record's status list (none on some tabs).
    virtual QComboBox* statusList() const { return nullptr; }
    virtual QString storedPicture() const { return {}; }

    // Writes what the fields hold (checked already): a new record, or the one shown changed,
    // only while its row still holds what was shown. On success the tab stands on the record
    // written. Store failures are thrown.
    virtual project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, store::Key carid, const QDateTime& stamp)
        = 0;

protected:
    virtual void dropRecord() = 0;
    // The name box.
    virtual QLineEdit* nameBox() const = 0;

    template <class Rec> bool readFrom(const store::Table<Rec>& table, std::optional<Rec>& record)
    {
        auto loaded = table.load(shown.key);
        record.reset();
        snapshot = {};
        if (!loaded)
            return false;
        record = std::move(loaded->record);
        snapshot = std::move(loaded->snapshot);
        return true;
    }

    // The common part of every save: the record built by the rules, written through the session.
    template <class Rec, class Built>
    project::ProjectSession::SaveOutcome write(
        project::ProjectSession& session, std::optional<Rec>& record, const Built& built, bool update);

private:
    QList<store::Entry> m_entries; // what the pick list was last filled with
};

template <class Rec, class Built>
project::ProjectSession::SaveOutcome RecordEditor::write(
    project::ProjectSession& session, std::optional<Rec>& record, const Built& built, bool update)
{
    using Outcome = project::ProjectSession::SaveOutcome;
    // The rules passed when checked; should they not now, nothing is written.
    if (!built.record)
        throw store::StoreError(store::code::Error, built.refusal->message, QStringLiteral("GearLog"));
    Rec row = *built.record;
    Outcome outcome = Outcome::Saved;
    if (update)
        outcome = session.update(row, snapshot, saveVerb);
    else
        row.setKey(session.add(row));
    if (outcome == Outcome::Saved) {
        shown.key = row.key();
        record = row;
    }
    return outcome;
}

} // namespace editor
