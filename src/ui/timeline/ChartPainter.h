#pragma once

#include "timeline/PageLayout.h"

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

namespace gui {
class Twips;
}

namespace timeline {

// The lists' font: small enough for entries 195 twips high.
QFont listFont();
// The month captions: "Times New Roman" 7 point.
QFont monthFont();

// Draws the chart of a page (month grid and captions, today's line, bars) and the legend, in the
// window's coordinates converted by the scale. Actual bars and lines take the window text colour.
void paintChart(QPainter& painter, const gui::Twips& scale, const PageLayout& page, const QColor& windowText);

// What the window shows in its controls, for drawing a page without the window.
struct PageCaptions
{
    QString project;
    QString style;
};

// The whole page as the window shows it, the controls' texts drawn in their places: for export.
void paintPage(QPainter& painter, const gui::Twips& scale, const PageLayout& page, const PageCaptions& captions);

} // namespace timeline
