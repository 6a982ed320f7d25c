#pragma once

#include "project/ProjectSession.h"
#include "store/Snapshot.h"
#include "store/StoreError.h"

#include <QDateTime>

#include <QObject>
#include <QString>
#include <optional>

class QComboBox;

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
        qint32 key = 0;
        bool loaded = false;
        qint32 count = 0;
        QString description;
    };
    Shown shown;
    // What the shown record's row held when read: a save changes the row only while it still
    // holds that.
    store::Snapshot snapshot;

    // The list the tab's records are picked from.
    virtual QComboBox* pickList() const = 0;
    virtual project::Kind kind() const = 0;
    // Reads the record with the shown key, with what its row holds; false when it is gone.
    virtual bool read(const store::Store& store) = 0;

    // Writes what the fields hold (checked already): a new record, or the one shown changed,
    // only while its row still holds what was shown. On success the tab stands on the record
    // written. Store failures are thrown.
    virtual project::ProjectSession::SaveOutcome save(
        project::ProjectSession& session, bool update, qint32 carid, const QDateTime& stamp)
        = 0;

protected:
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
        outcome = session.update(row, snapshot);
    else
        row.setKey(session.add(row));
    if (outcome == Outcome::Saved) {
        shown.key = row.key();
        record = row;
    }
    return outcome;
}

} // namespace editor
