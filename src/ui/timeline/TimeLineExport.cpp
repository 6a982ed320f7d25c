#include "timeline/TimeLineExport.h"

#include "common/Clock.h"
#include "common/SafeFile.h"
#include "gui/Twips.h"
#include "store/Store.h"
#include "timeline/ChartGeometry.h"
#include "timeline/ChartPainter.h"
#include "timeline/TimeLineModel.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextStream>
#include <functional>

namespace timeline {

namespace g = geometry;

namespace {

constexpr double InchesPerMetre = 1 / 0.0254;

// Thrown to end the export with a message and an exit status.
struct Refusal
{
    int status;
    QString message;
};

enum class Format { Png, Pdf, Svg, Json };

Format formatOf(const QString& output)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("json"))
        return Format::Json;
    throw Refusal { ExportBadArguments,
        QStringLiteral("the output must be a .png, .pdf, .svg or .json file, not '%1'").arg(output) };
}

QString colourName(BarKind kind)
{
    switch (kind) {
    case BarKind::Project:
        return g::projectColour().name();
    case BarKind::Phase:
        return g::phaseColour().name();
    case BarKind::Activity:
        return g::activityColour().name();
    case BarKind::Actual:
        break;
    }
    return QStringLiteral("#000000");
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString number(double value)
{
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString rect(const QRectF& r, const QString& fill)
{
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\" stroke=\"#000000\" "
                          "stroke-width=\"8\"/>\n")
        .arg(number(r.left()), number(r.top()), number(r.width()), number(r.height()), fill);
}

QString text(double x, double y, const QString& content, double size = 160)
{
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"Times New Roman, Liberation Serif, serif\" "
                          "font-size=\"%3\" xml:space=\"preserve\">%4</text>\n")
        .arg(number(x), number(y), number(size), escaped(content));
}

QString svgLine(const QLineF& line, const QString& colour, double width, const QString& id = QString())
{
    return QStringLiteral("<line %1x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\" stroke=\"%6\" stroke-width=\"%7\"/>\n")
        .arg(id.isEmpty() ? QString() : QStringLiteral("id=\"%1\" ").arg(id), number(line.x1()), number(line.y1()),
            number(line.x2()), number(line.y2()), colour, number(width));
}

// One page as SVG in twips: the four lists, the month grid and labels, today's line, the bars.
QByteArray svgPage(const PageLayout& layout, const PageCaptions& captions)
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1in\" height=\"%2in\" "
                                 "viewBox=\"0 0 %3 %4\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n")
                      .arg(number(g::PageWidth / 1440), number(g::PageHeight / 1440), number(g::PageWidth),
                           number(g::PageHeight));
    svg += text(g::CboCar.left(), g::CboCar.bottom() - 80, captions.project, 200);
    svg += text(g::CboStyle.left(), g::CboStyle.bottom() - 80, captions.style, 200);
    svg += text(g::Label1.left(), g::Label1.bottom() - 40, captions::Label1);
    svg += text(g::CmdPrevious.left() - 1200, g::CmdNext.bottom(), pageText(layout.page, layout.pageCount), 180);
    for (const QLineF& line : layout.axis.gridLines)
        svg += svgLine(line, QStringLiteral("#a0a0a0"), 8);
    for (const MonthLabel& label : layout.axis.labels)
        svg += text(label.topLeft.x(), label.topLeft.y() + 140, label.text, g::LabelPointSize * 20);
    if (layout.today)
        svg += svgLine(layout.today->line, g::todayColour().name(), g::TodayWidth, QStringLiteral("today"));
    for (qsizetype i = 0; i < layout.rows.size(); ++i) {
        const ChartRow& row = layout.rows.at(i);
        const double baseline = g::LbName.top() + i * g::RowPitch + 150;
        svg += text(g::LbName.left() + 30, baseline, row.name);
        svg += text(g::LbStartDate.left() + 30, baseline, row.startDate);
        svg += text(g::LbStopDate.left() + 30, baseline, row.stopDate);
        svg += text(g::LbEffort.left() + 30, baseline, row.effort);
        if (row.target)
            svg += rect(*row.target, colourName(row.kind));
        if (row.actual)
            svg += rect(*row.actual, colourName(BarKind::Actual));
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

QJsonValue rectJson(const std::optional<QRectF>& r)
{
    if (!r)
        return QJsonValue();
    return QJsonObject { { QStringLiteral("left"), r->left() }, { QStringLiteral("top"), r->top() },
                         { QStringLiteral("width"), r->width() }, { QStringLiteral("height"), r->height() } };
}

QJsonValue todayJson(const std::optional<TodayMark>& today)
{
    if (!today)
        return QJsonValue();
    return QJsonObject { { QStringLiteral("date"), today->date.toString(Qt::ISODate) },
                         { QStringLiteral("x"), today->line.x1() }, { QStringLiteral("top"), today->line.y1() },
                         { QStringLiteral("bottom"), today->line.y2() } };
}

// The computed layout: the model's figures, today's line (the same on every page, null when not
// drawn), and per page each row's texts and bars, the grid lines and the month labels, in twips,
// exactly as drawn.
QByteArray layoutJson(const TimeLineModel& model, const QString& projectName, const QDate& today)
{
    const ProjectSpan& span = model.span();
    QJsonObject figures { { QStringLiteral("targetDays"), double(span.targetDays) },
                          { QStringLiteral("actualDays"), double(span.actualDays) },
                          { QStringLiteral("targetMonths"), span.targetMonths },
                          { QStringLiteral("actualMonths"), span.actualMonths },
                          { QStringLiteral("dayScale"), span.dayScale },
                          { QStringLiteral("axisStart"), span.axisStart.toString(Qt::ISODate) },
                          { QStringLiteral("pageCount"), model.pageCount() } };
    QJsonArray pages;
    for (int page = 1; page <= model.pageCount(); ++page) {
        const PageLayout layout = layoutPage(model, page, projectName, today);
        QJsonArray rows;
        for (const ChartRow& row : layout.rows)
            rows.append(QJsonObject { { QStringLiteral("name"), row.name },
                                      { QStringLiteral("start"), row.startDate },
                                      { QStringLiteral("stop"), row.stopDate },
                                      { QStringLiteral("effort"), row.effort },
                                      { QStringLiteral("target"), rectJson(row.target) },
                                      { QStringLiteral("actual"), rectJson(row.actual) } });
        QJsonArray grid;
        for (const QLineF& line : layout.axis.gridLines)
            grid.append(QJsonObject { { QStringLiteral("x1"), line.x1() }, { QStringLiteral("y1"), line.y1() },
                                      { QStringLiteral("x2"), line.x2() }, { QStringLiteral("y2"), line.y2() } });
        QJsonArray labels;
        for (const MonthLabel& label : layout.axis.labels)
            labels.append(QJsonObject { { QStringLiteral("text"), label.text },
                                        { QStringLiteral("left"), label.topLeft.x() },
                                        { QStringLiteral("top"), label.topLeft.y() } });
        pages.append(QJsonObject { { QStringLiteral("page"), page }, { QStringLiteral("rows"), rows },
                                   { QStringLiteral("gridLines"), grid }, { QStringLiteral("monthLabels"), labels } });
    }
    return QJsonDocument(QJsonObject { { QStringLiteral("project"), projectName },
                                       { QStringLiteral("figures"), figures },
                                       { QStringLiteral("today"), todayJson(todayMark(model, monthAxis(model), today)) },
                                       { QStringLiteral("pages"), pages } })
        .toJson();
}

[[noreturn]] void cannotWrite(const QString& path, const QString& reason)
{
    throw Refusal { ExportFailed, QStringLiteral("could not write %1: %2").arg(path, reason) };
}

void writeFile(const QString& path, const QByteArray& data)
{
    const QString failure = common::SafeFile::write(path, data);
    if (!failure.isEmpty())
        cannotWrite(path, failure);
}

store::Key carNumber(const QString& text)
{
    if (text.isEmpty())
        throw Refusal { ExportBadArguments, QStringLiteral("--timeline needs --car ID, the number of a project") };
    bool ok = false;
    const store::Key car = text.toLongLong(&ok);
    if (!ok || car <= 0)
        throw Refusal { ExportBadArguments, QStringLiteral("--car wants the number of a project, not '%1'").arg(text) };
    return car;
}

std::unique_ptr<store::Database> openDatabase(const QString& path)
{
    try {
        return store::Database::open(path);
    } catch (const store::OpenFailure& failure) {
        QStringList reasons;
        for (const store::StoreError& e : failure.errors())
            reasons << e.message();
        throw Refusal { ExportFailed,
            QStringLiteral("the database %1 could not be opened: %2").arg(path, reasons.join(QStringLiteral("; "))) };
    } catch (const store::StoreError& e) {
        throw Refusal { ExportFailed,
            QStringLiteral("the database %1 could not be opened: %2").arg(path, e.message()) };
    }
}

using PagePainter = std::function<void(QPainter&, const gui::Twips&, int page)>;

// FILE.png: FILE-1.png, FILE-2.png, ...
QStringList writePng(const QString& output, int pages, const PagePainter& paintOne)
{
    const QFileInfo info(output);
    const QString stem = info.dir().filePath(info.completeBaseName());
    const gui::Twips scale(PngDotsPerInch, PngDotsPerInch);
    const QSize size = scale.pixels(QRectF(0, 0, g::PageWidth, g::PageHeight)).size();
    QStringList written;
    for (int page = 1; page <= pages; ++page) {
        QImage image(size, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(PngDotsPerInch * InchesPerMetre);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter painter(&image);
            paintOne(painter, scale, page);
        }
        const QString file = QStringLiteral("%1-%2.%3").arg(stem).arg(page).arg(info.suffix());
        common::SafeFile out(file);
        if (!out.open())
            cannotWrite(file, out.error());
        if (!image.save(out.device(), "PNG"))
            cannotWrite(file, out.device()->errorString());
        if (!out.commit())
            cannotWrite(file, out.error());
        written << file;
    }
    return written;
}

// One document, a landscape Letter page for each page of the chart, scaled to fill the page inside
// its margins and centred.
QStringList writePdf(const QString& output, int pages, const PagePainter& paintOne)
{
    common::SafeFile out(output);
    if (!out.open())
        cannotWrite(output, out.error());
    QPdfWriter writer(out.device());
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    writer.setTitle(QStringLiteral("Gear-Log Project Time Line"));
    QPainter painter;
    if (!painter.begin(&writer))
        cannotWrite(output, QStringLiteral("the page could not be drawn"));
    const gui::Twips scale(writer);
    const QSizeF drawn = scale.rect(QRectF(0, 0, g::PageWidth, g::PageHeight)).size();
    const double fill = std::min(writer.width() / drawn.width(), writer.height() / drawn.height());
    painter.translate((writer.width() - drawn.width() * fill) / 2, (writer.height() - drawn.height() * fill) / 2);
    painter.scale(fill, fill); // type grows with the drawing
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        paintOne(painter, scale, page);
    }
    if (!painter.end() || !out.commit())
        cannotWrite(output, out.error().isEmpty() ? QStringLiteral("the page could not be drawn") : out.error());
    return { output };
}

QStringList exportPages(const ExportRequest& request, QTextStream& err)
{
    const Format format = formatOf(request.output);
    if (!QFileInfo(request.output).absoluteDir().exists())
        throw Refusal { ExportFailed,
            QStringLiteral("could not write %1: its folder does not exist").arg(request.output) };
    const store::Key carid = carNumber(request.car);
    const auto database = openDatabase(request.databasePath);
    const store::Store store(*database);
    TimeLineModel model;
    std::optional<store::Car> car;
    try {
        car = store.cars.find(carid);
        if (car)
            model.load(store, carid);
    } catch (const store::StoreError& e) {
        throw Refusal { ExportFailed, QStringLiteral("the database reported an error: %1").arg(e.message()) };
    }
    if (!car)
        throw Refusal { ExportFailed,
            QStringLiteral("there is no project number %1 in %2").arg(carid).arg(request.databasePath) };
    const Style style = request.summary ? Style::Summary : Style::Detail;
    if (model.computeSpan(style))
        err << "gearlog: Only Displaying The First 53 Months Of The Project\n";
    if (!model.span().hasDates())
        throw Refusal { ExportFailed, QStringLiteral("There Are No Dates Entered For This Project") };

    const PageCaptions captions { car->Description, request.summary ? captions::SummaryStyle : captions::DetailStyle };
    const QDate today = request.today ? common::Clock::now().date() : QDate();
    if (format == Format::Json) {
        writeFile(request.output, layoutJson(model, car->Description, today));
        return { request.output };
    }
    if (format == Format::Svg) {
        const QFileInfo info(request.output);
        const QString stem = info.dir().filePath(info.completeBaseName());
        QStringList written;
        for (int page = 1; page <= model.pageCount(); ++page) {
            const QString file = QStringLiteral("%1-%2.svg").arg(stem).arg(page);
            writeFile(file, svgPage(layoutPage(model, page, car->Description, today), captions));
            written << file;
        }
        return written;
    }
    const PagePainter paintOne = [&](QPainter& painter, const gui::Twips& scale, int page) {
        paintPage(painter, scale, layoutPage(model, page, car->Description, today), captions);
    };
    return format == Format::Png ? writePng(request.output, model.pageCount(), paintOne)
                                 : writePdf(request.output, model.pageCount(), paintOne);
}

} // namespace

int exportTimeLine(const ExportRequest& request, QTextStream& out, QTextStream& err)
{
    try {
        if (request.output.isEmpty())
            throw Refusal { ExportBadArguments, QStringLiteral("--timeline needs --output FILE.png or FILE.pdf") };
        for (const QString& file : exportPages(request, err))
            out << "Wrote " << file << '\n';
        return ExportDone;
    } catch (const Refusal& refusal) {
        err << "gearlog: " << refusal.message << '\n';
        return refusal.status;
    }
}

} // namespace timeline
