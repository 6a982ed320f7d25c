#include "gui/SelectOnFocus.h"

#include <QEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace gui {

namespace {

class SelectOnFocus : public QObject
{
public:
    SelectOnFocus(QLineEdit* box, int length)
        : QObject(box)
        , m_length(length)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            // After the click that brought the focus has placed the cursor.
            QPointer<QLineEdit> box = static_cast<QLineEdit*>(watched);
            const int length = m_length;
            QTimer::singleShot(0, box, [box, length] {
                if (box && box->hasFocus())
                    box->setSelection(0, length);
            });
        }
        return false;
    }

private:
    int m_length;
};

} // namespace

void selectTextOnFocus(QLineEdit* box, int length)
{
    box->installEventFilter(new SelectOnFocus(box, length));
}

} // namespace gui
