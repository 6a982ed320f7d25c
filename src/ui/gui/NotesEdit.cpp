#include "gui/NotesEdit.h"

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
    setPlainText(text.left(m_maxLength));
}

void NotesEdit::enforceLimit()
{
    if (m_trimming)
        return;
    const QString current = toPlainText();
    if (current.size() <= m_maxLength)
        return;
    // Typing or pasting past the limit drops the excess at the cursor, as a line edit would.
    m_trimming = true;
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const int excess = int(current.size()) - m_maxLength;
    const int cut = qMax(0, position - excess);
    setPlainText((current.left(cut) + current.mid(position)).left(m_maxLength));
    cursor = textCursor();
    cursor.setPosition(qMin(cut, m_maxLength));
    setTextCursor(cursor);
    m_trimming = false;
}

} // namespace gui
