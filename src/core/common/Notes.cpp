#include "common/Notes.h"

namespace common {

namespace {

// Where the text's first `count` code points end, in UTF-16 units.
qsizetype unitsOf(QStringView text, qsizetype count)
{
    qsizetype i = 0;
    for (; i < text.size() && count > 0; --count)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
    return i;
}

} // namespace

qsizetype codePointCount(QStringView text)
{
    qsizetype pairs = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate()) {
            ++pairs;
            ++i;
        }
    }
    return text.size() - pairs;
}

QString leftCodePoints(const QString& text, qsizetype count)
{
    return text.left(unitsOf(text, count));
}

NoteParts splitNotes(const QString& notes)
{
    NoteParts parts;
    QStringView rest(notes);
    for (int i = 0; i < 3; ++i) {
        const qsizetype end = unitsOf(rest, NotePartLength);
        parts[i] = rest.left(end).toString();
        rest = rest.mid(end);
    }
    return parts;
}

QString joinNotes(const NoteParts& parts)
{
    return parts[0] + parts[1] + parts[2];
}

} // namespace common
