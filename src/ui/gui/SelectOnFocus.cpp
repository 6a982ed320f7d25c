#include "gui/SelectOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>

namespace gui {

namespace {

void selectStart(QWidget* field, int length)
{
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setSelection(0, qMin(length, int(line->text().size())));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(field)) {
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(0);
        cursor.setPosition(qMin(length, int(box->toPlainText().size())), QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
    }
}

// Lives as long as its field, as the field's child.
class FocusSelector : public QObject
{
public:
    FocusSelector(QWidget* field, int length)
        : QObject(field)
        , m_field(field)
        , m_length(length)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_field && event->type() == QEvent::FocusIn) {
            // After the field's own handling: a mouse press that gave the focus places the cursor.
            QTimer::singleShot(0, this, [this] {
                if (m_field->hasFocus())
                    selectStart(m_field, m_length);
            });
        }
        return false;
    }

private:
    QWidget* m_field;
    int m_length;
};

} // namespace

void selectOnFocus(QWidget* field, int length)
{
    new FocusSelector(field, length);
}

} // namespace gui
