#pragma once

#include "common/Progress.h"
#include "project/History.h"
#include "project/Kind.h"
#include "store/Snapshot.h"
#include "store/Store.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <optional>

namespace project {

// Shown verbatim when a save is refused because another program got to the row first.
inline constexpr char ChangedElsewhereText[]
    = "This Record Was Changed By Someone Else Since It Was Shown. It Is Shown Again As It Now Stands; "
      "Nothing Was Saved.";
inline constexpr char DeletedElsewhereText[]
    = "This Record Was Deleted By Someone Else Since It Was Shown; Nothing Was Saved.";
inline constexpr char ReadOnlyText[] = "This database file is read-only: GearLog can show it but cannot change it.";

// The open project database: the store over it, the current car and the current record of each
// kind, and every write, each one transaction. Signals follow this session's own writes, after
// they are committed; a refused or failed write signals nothing.
class ProjectSession : public QObject
{
    Q_OBJECT
public:
    using Kind = project::Kind;
    enum class SaveOutcome { Saved, ChangedElsewhere, DeletedElsewhere };
    Q_ENUM(SaveOutcome)

    // The database must outlive the session.
    explicit ProjectSession(const store::Database& database, QObject* parent = nullptr);
    ~ProjectSession() override;

    const store::Store& store() const { return m_store; }
    bool isReadOnly() const;

    store::Key currentCar() const { return current(Kind::Car); }
    // Another car forgets the current record of every per-car kind.
    void setCurrentCar(store::Key carid);
    store::Key current(Kind kind) const { return m_current.at(std::size_t(kind)); }
    void setCurrent(Kind kind, store::Key key);

    // Writes a new record and answers its key. A phase or activity without a priority sequence
    // gets the next one of its car (and phase) in the same transaction.
    template <class Rec> store::Key add(const Rec& record);
    // Rewrites the record only if its row still holds what it was loaded from; otherwise writes
    // nothing. After a save the snapshot is stale: load the row again before saving it again.
    // The verb names the change in the history ("Save", "Attach", "Detach").
    template <class Rec>
    SaveOutcome update(const Rec& record, const store::Snapshot& loaded, const QString& verb = QStringLiteral("Save"));
    // Deletes with everything that depends on it; false when it was already gone. Current keys of
    // rows that went with it become 0.
    bool remove(Kind kind, store::Key key);
    // The text names the move in the history ("Move Up", "Move Down").
    void swapPhaseSequences(store::Key first, qint32 firstSequence, store::Key second, qint32 secondSequence,
        const QString& text = QStringLiteral("Move"));
    void swapActivitySequences(store::Key first, qint32 firstSequence, store::Key second, qint32 secondSequence,
        const QString& text = QStringLiteral("Move"));
    // Only the planned and actual dates and efforts of an activity; false when it is gone.
    bool changeActivityTimes(const store::Activity& activity);
    // A whole project written at once: a copy under a new name, or one read from a project file.
    // Each answers the new car's key.
    store::Key copyProject(
        store::Key sourceCarID, const QString& newName, const QDate& stamp, const common::Progress& progress = {});
    store::Key importProject(const QByteArray& json, const common::Progress& progress = {});

    // Every change above is kept in the history. An undo or redo rewrites only the rows its change
    // touched, under their keys, in one transaction, and signals as the change did. It is refused
    // with StoreError code::Stale, writing nothing, when another program or person changed those
    // rows since, and the history from that change on is forgotten. It never writes the sample
    // project. Each answers the project the change belonged to (0 for a supplier).
    const History& history() const { return m_history; }
    store::Key undo();
    store::Key redo();

    // What to tell the user of a refused save; empty for Saved.
    static QString refusalText(SaveOutcome outcome);

    // Other people's changes. On a server each session's writes are announced to every other
    // (LISTEN/NOTIFY) and arrive by themselves; on a file, checkElsewhere asks SQLite whether
    // another connection committed since it last asked. Either way changedElsewhere follows, once
    // for a burst of changes.
    void checkElsewhere();

signals:
    void carsChanged();
    // Records of a kind of the car changed. The key is the one record added or rewritten, all
    // else as it was; 0 when rows were deleted or several changed at once. Deleting a record
    // signals every kind its cascade may touch, each once.
    void recordsChanged(store::Key carid, project::Kind kind, store::Key key);
    void suppliersChanged();
    void currentCarChanged(store::Key carid);
    void changedElsewhere();
    // A change was added to the history, undone or redone, or the history was cut short.
    void historyChanged();

private:
    void requireWritable() const;
    struct Swap
    {
        store::Key first;
        qint32 firstSequence;
        store::Key second;
        qint32 secondSequence;
    };
    void swapSequences(Kind kind, const Swap& swap, const QString& text);
    void announce(Kind kind, store::Key carid, store::Key key = 0);
    // The car a stored row belongs to (its own key for a car, 0 for a supplier); empty when gone.
    std::optional<store::Key> carOfStored(Kind kind, store::Key key) const;
    void forgetVanished();

    qint64 dataVersion() const;

    // The history (ProjectHistory.cpp).
    std::optional<store::Image> image(Kind kind, store::Key key, store::RowImages::Hold hold = {}) const;
    // Every row of a project, as it stands.
    QList<RowChange> rowsOfCar(store::Key carid) const;
    void remember(Change change);
    store::Key replay(bool undoing);
    void apply(const Change& change, bool undoing) const;

    store::Store m_store;
    std::array<store::Key, 6> m_current {};
    QTimer m_elsewhere;
    qint64 m_dataVersion = 0;
    History m_history;
};

} // namespace project
