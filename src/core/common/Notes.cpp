#include "common/Notes.h"

namespace common {

NoteParts splitNotes(const QString& notes)
{
    NoteParts parts;
    for (int i = 0; i < 3; ++i)
        parts[i] = notes.mid(i * NotePartLength, NotePartLength);
    return parts;
}

QString joinNotes(const NoteParts& parts)
{
    return parts[0] + parts[1] + parts[2];
}

} // namespace common
