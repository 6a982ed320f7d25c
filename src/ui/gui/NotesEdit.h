#pragma once

#include <QPlainTextEdit>

namespace gui {

// A multi-line box that, like a single-line one, refuses text past its limit.
class NotesEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit NotesEdit(int maxLength, QWidget* parent = nullptr);

    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    void setText(const QString& text);

private:
    void enforceLimit();

    int m_maxLength;
    bool m_trimming = false;
};

} // namespace gui
