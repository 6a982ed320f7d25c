#pragma once

#include <QScrollArea>

namespace timeline {

class TimeLinePage;

// Shows the page fitted to the room there is, whole and centred, until the user zooms: Ctrl++ (or
// Ctrl+=) and Ctrl+- step through 25% to 400% of the real size, Ctrl+0 fits again; Ctrl and the
// mouse wheel zoom too. A page larger than the room scrolls with the bars, the wheel and the keys.
class PageViewer : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr double MinZoom = 0.25;
    static constexpr double MaxZoom = 4;
    static constexpr double ZoomStep = 0.25;

    // Takes the page; the keys work anywhere in the viewer's window.
    explicit PageViewer(TimeLinePage* page, QWidget* parent = nullptr);

    bool fitsWindow() const { return m_fit; }
    double zoom() const;

    void zoomIn();
    void zoomOut();
    void fitWindow();

    QSize sizeHint() const override;

Q_SIGNALS:
    void zoomChanged(double zoom, bool fitsWindow);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double fittingZoom() const;
    void setZoom(double zoom, bool fit);

    TimeLinePage* m_page;
    bool m_fit = true;
};

} // namespace timeline
