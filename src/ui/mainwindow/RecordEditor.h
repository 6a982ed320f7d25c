#pragma once

#include "store/Snapshot.h"

#include <QObject>
#include <QString>

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
};

} // namespace editor
