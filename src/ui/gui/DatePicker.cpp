#include "gui/DatePicker.h"

#include "common/Clock.h"
#include "common/Formats.h"
#include "common/Parse.h"

#include <QAction>
#include <QCalendarWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace gui {

namespace {

// A leaf of a wall calendar, drawn here so that it looks the same on every desktop.
QIcon calendarIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 6, 24, 22), 2, 2);
    p.fillRect(QRectF(5, 7, 22, 6), QColor(0xc0, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            p.drawRect(QRectF(8 + column * 5, 15 + row * 4, 3, 2.5));
    p.drawRect(QRectF(9, 3, 2, 6));
    p.drawRect(QRectF(21, 3, 2, 6));
    return QIcon(pixmap);
}

class DatePicker : public QObject
{
public:
    DatePicker(QLineEdit* box)
        : QObject(box)
        , m_box(box)
    {
        static const QIcon icon = calendarIcon();
        m_button = box->addAction(icon, QLineEdit::TrailingPosition);
        m_button->setObjectName(box->objectName() + QStringLiteral("Calendar"));
        m_button->setToolTip(QStringLiteral("Pick a date (Alt+Down)"));
        m_button->setVisible(box->isEnabled() && !box->isReadOnly());
        connect(m_button, &QAction::triggered, this, &DatePicker::open);
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_box) {
            if (event->type() == QEvent::EnabledChange || event->type() == QEvent::ReadOnlyChange)
                m_button->setVisible(m_box->isEnabled() && !m_box->isReadOnly());
            if (event->type() == QEvent::KeyPress) {
                const auto* key = static_cast<QKeyEvent*>(event);
                if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier && m_button->isVisible()) {
                    open();
                    return true;
                }
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void open()
    {
        auto* calendar = new QCalendarWidget(m_box);
        calendar->setWindowFlags(Qt::Popup);
        calendar->setObjectName(QStringLiteral("DatePickerCalendar"));
        calendar->setAttribute(Qt::WA_DeleteOnClose);
        calendar->setGridVisible(true);
        calendar->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31)); // what a typed date may be
        calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        const QDate shown = common::parseDate(m_box->text()).value_or(common::Clock::now().date());
        calendar->setSelectedDate(shown);
        connect(calendar, &QCalendarWidget::activated, this, [this, calendar](const QDate& date) {
            m_box->setText(common::formatDate(date));
            m_box->setFocus(Qt::PopupFocusReason);
            calendar->close();
        });
        connect(calendar, &QCalendarWidget::clicked, calendar, &QCalendarWidget::activated);
        calendar->adjustSize();
        // Below the box, or above it where the screen ends first.
        QPoint at = m_box->mapToGlobal(QPoint(m_box->width() - calendar->width(), m_box->height()));
        if (const QScreen* screen = m_box->screen()) {
            const QRect room = screen->availableGeometry();
            if (at.y() + calendar->height() > room.bottom())
                at.setY(m_box->mapToGlobal(QPoint(0, 0)).y() - calendar->height());
            at.setX(qBound(room.left(), at.x(), qMax(room.left(), room.right() - calendar->width())));
        }
        calendar->move(at);
        calendar->show();
        calendar->setFocus(Qt::PopupFocusReason);
    }

    QLineEdit* m_box;
    QAction* m_button = nullptr;
};

} // namespace

void addDatePicker(QLineEdit* box)
{
    new DatePicker(box);
}

} // namespace gui
