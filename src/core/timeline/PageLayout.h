#pragma once

#include "store/RecordTraits.h"

#include <QDate>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

namespace timeline {

class TimeLineModel;

// What a bar stands for; it decides the colour.
enum class BarKind { Project, Phase, Activity, Actual };

// One row of the page: its entries in the four lists, and its bars in twips.
struct ChartRow
{
    BarKind kind = BarKind::Project; // Project, Phase or Activity
    QString name; // LbName
    QString startDate; // LbStartDate
    QString stopDate; // LbStopDate
    QString effort; // LbEffort
    int activity = -1; // index into the model's activities; -1 on the project and phase rows
    store::Key ActivityID = 0;
    std::optional<QRectF> target; // none when its start is missing
    std::optional<QRectF> actual;
};

struct MonthLabel
{
    QString text; // "M/YY"
    QPointF topLeft;
};

// The grid of months over the chart; the same on every page of a project.
struct MonthAxis
{
    QList<QLineF> gridLines; // line 0 at the axis start, then one at the end of each month
    QLineF top; // from the axis start to the end of the last month
    QLineF bottom;
    QList<MonthLabel> labels; // label 0 names the first month, the others the month after their line
};

// Today's date where it falls on the chart, and its line in twips.
struct TodayMark
{
    QDate date;
    QLineF line;
};

struct PageLayout
{
    int page = 0; // from 1
    int pageCount = 0;
    QList<ChartRow> rows; // row 0 is the project
    MonthAxis axis;
    std::optional<TodayMark> today; // none when today is off the chart or not asked for
};

struct LegendEntry
{
    QString text;
    BarKind kind;
    QRectF sample;
};

// Texts the window and the exported pages share.
namespace captions {
inline const QString Label1
    = QStringLiteral("Phase / Activity                                     Start Date   Stop Date   Effort");
inline const QString Label2 = QStringLiteral(" -----------------  Target  ---------------");
inline const QString DetailStyle = QStringLiteral("Show Activity Detail");
inline const QString SummaryStyle = QStringLiteral("Show Phase Summary");
} // namespace captions

// "Page  1  Of  3"
QString pageText(int page, int pageCount);

MonthAxis monthAxis(const TimeLineModel& model);
// The line through the middle of a date's day when that lies on the grid drawn (from the first day
// of the first month to the last line); none for a date off the grid or an invalid one.
std::optional<TodayMark> todayMark(const TimeLineModel& model, const MonthAxis& axis, const QDate& today);
// The rows of a page of the model's current style, with the axis; the project row shows the name.
// A valid today is marked when it falls on the chart.
PageLayout layoutPage(const TimeLineModel& model, int page, const QString& projectName, const QDate& today = QDate());
const QList<LegendEntry>& legend();

} // namespace timeline
