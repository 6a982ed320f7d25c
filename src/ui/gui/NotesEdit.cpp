#include "gui/NotesEdit.h"

#include "common/Notes.h"

#include <QTextCursor>

namespace gui {

NotesEdit::NotesEdit(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_maxLength(maxLength)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &NotesEdit::enforceLimit);
}

void NotesEdit::setText(const QString& text)
{
    setPlainText(common::leftCodePoints(text, m_maxLength));
}

void NotesEdit::enforceLimit()
{
    if (m_trimming)
        return;
    const QString current = toPlainText();
    const qsizetype excess = common::codePointCount(current) - m_maxLength;
    if (excess <= 0)
        return;
    // Typing or pasting past the limit drops the excess at the cursor, as a line edit would;
    // counted in characters as the stored notes count them, never splitting one in two.
    m_trimming = true;
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    int cut = position;
    for (qsizetype n = 0; n < excess && cut > 0; ++n)
        cut -= cut >= 2 && current.at(cut - 1).isLowSurrogate() && current.at(cut - 2).isHighSurrogate() ? 2 : 1;
    const QString kept = common::leftCodePoints(current.left(cut) + current.mid(position), m_maxLength);
    setPlainText(kept);
    cursor = textCursor();
    cursor.setPosition(qMin(cut, int(kept.size())));
    setTextCursor(cursor);
    m_trimming = false;
}

} // namespace gui
