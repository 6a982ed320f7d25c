#pragma once

#include "gui/Twips.h"
#include "timeline/PageLayout.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <utility>

class QListWidget;

namespace timeline {

// The time line's page as one picture: the captions over the lists, the four lists and the chart
// with its legend, all at one zoom (1 is the page's real size on the screen). The chart is drawn
// from the page the window shows; the captions and lists are the window's own widgets, placed on
// the picture and scaled with it.
class TimeLinePage : public QWidget
{
    Q_OBJECT

public:
    // The page must outlive the picture.
    explicit TimeLinePage(const PageLayout& page, QWidget* parent = nullptr);

    // Keeps a child of the picture where twips on the whole page say, at every zoom.
    void keepPlaced(QWidget* child, const QRectF& twips);

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // The picture's size in pixels at a zoom.
    QSizeF sizeAt(double zoom) const;
    // Gives a list's entries the chart's row pitch at the present zoom; after each filling.
    void pitchRows(QListWidget* list) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    gui::Twips twips() const; // at the present zoom
    double firstRow() const; // pixels from the top to the first bar

    const PageLayout& m_page;
    QList<std::pair<QWidget*, QRectF>> m_placed;
    double m_zoom = 1;
};

} // namespace timeline
