#pragma once

#include <QPlainTextEdit>

namespace gui {

// A multi-line box that, like a single-line one, refuses text past its limit.
class NotesEdit : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
public:
    static constexpr int DefaultMaxLength = 150;

    explicit NotesEdit(int maxLength, QWidget* parent = nullptr);
    // For forms, which make a widget with its parent only: the limit is the default until the
    // form sets maxLength.
    explicit NotesEdit(QWidget* parent)
        : NotesEdit(DefaultMaxLength, parent)
    {
    }

    int maxLength() const { return m_maxLength; }
    // A shorter limit cuts what is already there.
    void setMaxLength(int maxLength)
    {
        m_maxLength = maxLength;
        enforceLimit();
    }
    QString text() const { return toPlainText(); }
    void setText(const QString& text);

private:
    void enforceLimit();

    int m_maxLength;
    bool m_trimming = false;
};

} // namespace gui
