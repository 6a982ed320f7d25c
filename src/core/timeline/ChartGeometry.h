#pragma once

#include <QColor>
#include <QRectF>

// Where the time line's parts sit, in twips (1/1440 inch) from the window's top left corner.
namespace timeline::geometry {

constexpr double ChartLeft = 5380; // the axis start; a date lies (days after it) x day scale further right
constexpr double TwipsPerMonth = 213; // day scale = this / the project's months: the chart keeps its width

constexpr double RowTop = 910; // target bar of row 0
constexpr double RowPitch = 195; // also the height of a list entry
constexpr double TargetHeight = 195;
constexpr double ActualOffset = 55; // the actual bar sits inside the target bar
constexpr double ActualHeight = 95;
constexpr double MinBarWidth = 30; // phases and activities stay visible however short

constexpr double GridTop = 900;
constexpr double LabelledGridTop = 800; // lines with a month label reach up to it
constexpr double GridBottom = 7530;
constexpr double LabelTop = 600;
constexpr double FirstLabelLeftWide = 5210; // two-digit month
constexpr double FirstLabelLeftNarrow = 5260;
constexpr double LabelShiftWide = 170; // left of its line, two-digit month
constexpr double LabelShiftNarrow = 120;
constexpr int MaxLabels = 15;
constexpr double LabelPointSize = 7; // "Times New Roman"

// The window's controls.
constexpr QRectF CboCar { 120, 120, 5055, 315 };
constexpr QRectF CboStyle { 5400, 120, 3135, 315 };
constexpr QRectF CmdReturn { 8760, 120, 855, 300 };
constexpr QRectF Label2 { 2880, 480, 2175, 195 };
constexpr QRectF Label1 { 120, 700, 4935, 195 };
constexpr QRectF LbName { 120, 900, 2775, 6660 };
constexpr QRectF LbStartDate { 2880, 900, 855, 6660 };
constexpr QRectF LbStopDate { 3720, 900, 855, 6660 };
constexpr QRectF LbEffort { 4560, 900, 615, 6660 };
constexpr QRectF CmdPrevious { 10800, 7600, 855, 315 };
constexpr QRectF CmdNext { 10800, 7940, 855, 315 };

// The page without the status bar: room for 53 months of chart right of the lists.
constexpr double PageWidth = 12000;
constexpr double PageHeight = 8400;

// The part of the page the window scales as one picture: from the captions over the lists down to
// the legend. The pickers above it and the page buttons below sit around it in the window.
constexpr QRectF ShownPage { 0, 450, PageWidth, 7830 };

// Today's line, a day's middle from the top of the grid to its bottom.
constexpr double TodayWidth = 30;
inline QColor todayColour()
{
    return { 220, 0, 0 };
}

// Bar colours.
inline QColor projectColour()
{
    return { 0, 128, 0 };
}
inline QColor phaseColour()
{
    return { 128, 128, 255 };
}
inline QColor activityColour()
{
    return { 255, 255, 255 };
}

} // namespace timeline::geometry
