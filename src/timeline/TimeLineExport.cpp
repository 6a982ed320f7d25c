#include "timeline/TimeLineExport.h"

#include "gui/Twips.h"
#include "store/Store.h"
#include "timeline/ChartGeometry.h"
#include "timeline/ChartPainter.h"
#include "timeline/TimeLineModel.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
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

enum class Format { Png, Pdf };

Format formatOf(const QString& output)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    throw Refusal { ExportBadArguments,
        QStringLiteral("the output must be a .png or .pdf file, not '%1'").arg(output) };
}

qint32 carNumber(const QString& text)
{
    if (text.isEmpty())
        throw Refusal { ExportBadArguments, QStringLiteral("--timeline needs --car ID, the number of a project") };
    bool ok = false;
    const qint32 car = text.toInt(&ok);
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
        if (!image.save(file, "PNG"))
            throw Refusal { ExportFailed, QStringLiteral("could not write %1").arg(file) };
        written << file;
    }
    return written;
}

// One document, a landscape Letter page for each page of the chart, at its real size.
QStringList writePdf(const QString& output, int pages, const PagePainter& paintOne)
{
    QPdfWriter writer(output);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    writer.setTitle(QStringLiteral("Gear-Log Project Time Line"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Refusal { ExportFailed, QStringLiteral("could not write %1").arg(output) };
    const gui::Twips scale(writer);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        paintOne(painter, scale, page);
    }
    if (!painter.end())
        throw Refusal { ExportFailed, QStringLiteral("could not write %1").arg(output) };
    return { output };
}

QStringList exportPages(const ExportRequest& request, QTextStream& err)
{
    const Format format = formatOf(request.output);
    if (!QFileInfo(request.output).absoluteDir().exists())
        throw Refusal { ExportFailed,
            QStringLiteral("could not write %1: its folder does not exist").arg(request.output) };
    const qint32 carid = carNumber(request.car);
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
    const PagePainter paintOne = [&](QPainter& painter, const gui::Twips& scale, int page) {
        paintPage(painter, scale, layoutPage(model, page, car->Description), captions);
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
