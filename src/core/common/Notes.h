#pragma once

#include <QString>
#include <array>

namespace common {

// The notes box holds up to 150 characters, stored as three fields of 50.
constexpr int NotePartLength = 50;
constexpr int NotesLength = 3 * NotePartLength;

using NoteParts = std::array<QString, 3>;

// Characters 1-50, 51-100 and 101-150; later parts of a short text are empty, anything past 150 is dropped.
NoteParts splitNotes(const QString& notes);
// Lengths are counted in Unicode code points, as JSON Schema's maxLength counts them: an emoji is
// one character, and no cut ever splits one into halves that are not text.
qsizetype codePointCount(QStringView text);
// The first `count` code points of the text.
QString leftCodePoints(const QString& text, qsizetype count);
QString joinNotes(const NoteParts& parts);

} // namespace common
