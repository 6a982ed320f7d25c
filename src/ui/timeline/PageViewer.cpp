#include "timeline/PageViewer.h"

#include "timeline/TimeLinePage.h"

#include <QEvent>
#include <QKeySequence>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace timeline {

namespace {

constexpr int Margin = 6; // grey around a fitted page, so that its edges show
constexpr double Tolerance = 1e-6;

} // namespace

PageViewer::PageViewer(TimeLinePage* page, QWidget* parent)
    : QScrollArea(parent)
    , m_page(page)
{
    setObjectName(QStringLiteral("TimeLineView"));
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(false);
    setWidget(page);
    page->setFocusPolicy(Qt::ClickFocus);
    page->setFocusProxy(this); // a click on the page lets the arrow keys scroll it
    viewport()->installEventFilter(this);

    const auto onKey = [this](const QKeySequence& keys, void (PageViewer::*act)()) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, act);
    };
    onKey(QKeySequence(Qt::CTRL | Qt::Key_Plus), &PageViewer::zoomIn);
    onKey(QKeySequence(Qt::CTRL | Qt::Key_Equal), &PageViewer::zoomIn);
    onKey(QKeySequence(Qt::CTRL | Qt::Key_Minus), &PageViewer::zoomOut);
    onKey(QKeySequence(Qt::CTRL | Qt::Key_0), &PageViewer::fitWindow);
}

double PageViewer::zoom() const
{
    return m_page->zoom();
}

QSize PageViewer::sizeHint() const
{
    return m_page->sizeAt(1).toSize() + QSize(2 * Margin, 2 * Margin);
}

double PageViewer::fittingZoom() const
{
    const QSize room = maximumViewportSize() - QSize(2 * Margin, 2 * Margin);
    const QSizeF real = m_page->sizeAt(1);
    return std::max(0.01, std::min(room.width() / real.width(), room.height() / real.height()));
}

void PageViewer::zoomIn()
{
    const double next = (std::floor(zoom() / ZoomStep + Tolerance) + 1) * ZoomStep;
    setZoom(std::min(next, MaxZoom), false);
}

void PageViewer::zoomOut()
{
    const double next = (std::ceil(zoom() / ZoomStep - Tolerance) - 1) * ZoomStep;
    // A window too small for a quarter of the page keeps its fitted zoom rather than growing.
    if (zoom() > MinZoom + Tolerance)
        setZoom(std::max(next, MinZoom), false);
}

void PageViewer::fitWindow()
{
    setZoom(fittingZoom(), true);
}

void PageViewer::setZoom(double zoom, bool fit)
{
    // The middle of what shows stays in the middle.
    const auto middle = [this](const QScrollBar* bar, int room, int length) {
        return length > 0 ? (bar->value() + room / 2.0) / length : 0.5;
    };
    const double across = middle(horizontalScrollBar(), viewport()->width(), m_page->width());
    const double down = middle(verticalScrollBar(), viewport()->height(), m_page->height());
    m_fit = fit;
    m_page->setZoom(zoom);
    horizontalScrollBar()->setValue(int(std::lround(across * m_page->width() - viewport()->width() / 2.0)));
    verticalScrollBar()->setValue(int(std::lround(down * m_page->height() - viewport()->height() / 2.0)));
    Q_EMIT zoomChanged(zoom, fit);
}

void PageViewer::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit)
        fitWindow();
}

bool PageViewer::eventFilter(QObject* watched, QEvent* event)
{
    // Wheel turns the lists do not use arrive here; with Ctrl they zoom.
    if (watched == viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int turn = wheel->angleDelta().y();
            if (turn > 0)
                zoomIn();
            else if (turn < 0)
                zoomOut();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace timeline
