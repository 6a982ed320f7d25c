#include "charts/ChartExport.h"

#include "charts/ChartJson.h"
#include "charts/ChartScene.h"
#include "common/SafeFile.h"
#include "store/Database.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "timeline/TimeLineExport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

namespace charts {

namespace {

constexpr double InchesPerMetre = 1 / 0.0254;

struct Refusal
{
    int status;
    QString message;
};

enum class Format { Png, Svg, Pdf, Json };

std::optional<Format> formatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    if (suffix == QLatin1String("json"))
        return Format::Json;
    return std::nullopt;
}

QString heading(const ChartFigures& figures, Chart chart)
{
    return QStringLiteral("%1: %2").arg(chartTitle(chart), figures.project);
}

QByteArray png(const ChartFigures& figures, Chart chart)
{
    QImage image(FileWidth, FileHeight, QImage::Format_RGB32);
    const int dotsPerMetre = qRound(96 * InchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        paintScene(painter, layoutChart(figures, chart, QSizeF(FileWidth, FileHeight)), image.rect());
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

QString writePdf(const ChartFigures& figures, Chart chart, const QString& path)
{
    common::SafeFile out(path);
    if (!out.open())
        return out.error();
    QPdfWriter writer(out.device());
    writer.setTitle(QStringLiteral("Gear-Log %1").arg(heading(figures, chart)));
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    if (!paintOnPage(writer, figures, chart))
        return QStringLiteral("the page could not be drawn");
    return out.commit() ? QString() : out.error();
}

store::Key carNumber(const QString& text)
{
    if (text.isEmpty())
        throw Refusal { timeline::ExportBadArguments,
            QStringLiteral("--chart needs --car ID, the number of a project") };
    bool ok = false;
    const store::Key car = text.toLongLong(&ok);
    if (!ok || car <= 0)
        throw Refusal { timeline::ExportBadArguments,
            QStringLiteral("--car wants the number of a project, not '%1'").arg(text) };
    return car;
}

ChartFigures readFigures(const QString& path, store::Key carid)
{
    try {
        const auto database = store::Database::open(path);
        const std::optional<ChartFigures> figures = loadFigures(store::Store(*database), carid);
        if (!figures)
            throw Refusal { timeline::ExportFailed,
                QStringLiteral("there is no project number %1 in %2").arg(carid).arg(path) };
        return *figures;
    } catch (const store::OpenFailure& failure) {
        QStringList reasons;
        for (const store::StoreError& e : failure.errors())
            reasons << e.message();
        throw Refusal { timeline::ExportFailed,
            QStringLiteral("the database %1 could not be opened: %2").arg(path, reasons.join(QStringLiteral("; "))) };
    } catch (const store::StoreError& e) {
        throw Refusal { timeline::ExportFailed, QStringLiteral("the database reported an error: %1").arg(e.message()) };
    }
}

} // namespace

QString writeChart(const ChartFigures& figures, Chart chart, const QString& path)
{
    const std::optional<Format> format = formatOf(path);
    if (!format)
        return QStringLiteral("the file must be a .png, .svg, .pdf or .json file");
    switch (*format) {
    case Format::Png:
        return common::SafeFile::write(path, png(figures, chart));
    case Format::Svg:
        return common::SafeFile::write(
            path, svgScene(layoutChart(figures, chart, QSizeF(FileWidth, FileHeight)), heading(figures, chart)));
    case Format::Json:
        return common::SafeFile::write(path, chartJson(figures, chart));
    case Format::Pdf:
        break;
    }
    return writePdf(figures, chart, path);
}

bool paintOnPage(QPagedPaintDevice& device, const ChartFigures& figures, Chart chart)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Laid out at the page's shape, FileWidth wide, and scaled to fill it.
    const QRectF page(0, 0, device.width(), device.height());
    const QSizeF size(FileWidth, FileWidth * page.height() / std::max(1.0, page.width()));
    paintScene(painter, layoutChart(figures, chart, size), page);
    return painter.end();
}

int exportChart(const ExportRequest& request, QTextStream& out, QTextStream& err)
{
    try {
        if (request.output.isEmpty())
            throw Refusal { timeline::ExportBadArguments,
                QStringLiteral("--chart needs --output FILE.png, FILE.svg, FILE.pdf or FILE.json") };
        const std::optional<Chart> chart = chartNamed(request.chart);
        if (!chart)
            throw Refusal { timeline::ExportBadArguments,
                QStringLiteral("--chart wants budget, assemblies, spending or hours, not '%1'").arg(request.chart) };
        if (!formatOf(request.output))
            throw Refusal { timeline::ExportBadArguments,
                QStringLiteral("the output must be a .png, .svg, .pdf or .json file, not '%1'").arg(request.output) };
        if (!QFileInfo(request.output).absoluteDir().exists())
            throw Refusal { timeline::ExportFailed,
                QStringLiteral("could not write %1: its folder does not exist").arg(request.output) };
        const ChartFigures figures = readFigures(request.databasePath, carNumber(request.car));
        if (const QString failure = writeChart(figures, *chart, request.output); !failure.isEmpty())
            throw Refusal { timeline::ExportFailed,
                QStringLiteral("could not write %1: %2").arg(request.output, failure) };
        out << "Wrote " << request.output << '\n';
        return timeline::ExportDone;
    } catch (const Refusal& refusal) {
        err << "gearlog: " << refusal.message << '\n';
        return refusal.status;
    }
}

} // namespace charts
