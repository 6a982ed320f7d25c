#include "reports/ReportExport.h"

#include "common/Clock.h"
#include "common/SafeFile.h"
#include "reports/ReportRenderer.h"
#include "reports/Reports.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QStringConverter>
#include <QTextStream>

namespace reports {

namespace {

std::optional<int> statusFilter(const QString& text)
{
    if (text.isEmpty() || text == QStringLiteral("all"))
        return -1;
    bool ok = false;
    const int code = text.toInt(&ok);
    if (!ok || code < 0 || code > 3)
        return std::nullopt;
    return code;
}

// Empty when written, else the reason.
QString writeText(const ReportDocument& document, const QString& path)
{
    return common::SafeFile::write(path, renderText(document).toUtf8());
}

std::optional<QPageSize> paperOf(const QString& text)
{
    if (text.isEmpty() || text.compare(QLatin1String("letter"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Letter);
    if (text.compare(QLatin1String("a4"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::A4);
    if (text.compare(QLatin1String("legal"), Qt::CaseInsensitive) == 0)
        return QPageSize(QPageSize::Legal);
    return std::nullopt;
}

QString writePdf(const ReportDocument& document, const QPageSize& paper, const QString& path)
{
    common::SafeFile file(path);
    if (!file.open())
        return file.error();
    {
        QPdfWriter pdf(file.device());
        pdf.setResolution(600);
        pdf.setPageSize(paper);
        pdf.setPageMargins(reportMargins(), QPageLayout::Millimeter);
        pdf.setTitle(QStringLiteral("Gear-Log report"));
        if (!renderReport(document, pdf))
            return QStringLiteral("the report could not be drawn");
    }
    return file.commit() ? QString() : file.error();
}

} // namespace

int exportReport(const ExportRequest& request, QTextStream& err)
{
    static const QStringList names = { QStringLiteral("materials"), QStringLiteral("plan"), QStringLiteral("status"),
                                       QStringLiteral("wishlist") };
    if (!names.contains(request.report)) {
        err << "gearlog: unknown report '" << request.report << "'; use materials, plan, status or wishlist\n";
        return 2;
    }
    bool ok = false;
    const store::Key carid = request.car.toLongLong(&ok);
    if (!ok) {
        err << "gearlog: --car needs the number of a project\n";
        return 2;
    }
    const auto filter = statusFilter(request.status);
    if (!filter) {
        err << "gearlog: --status takes all, 0, 1, 2 or 3\n";
        return 2;
    }
    const std::optional<QPageSize> paper = paperOf(request.paper);
    if (!paper) {
        err << "gearlog: --paper takes letter, a4 or legal\n";
        return 2;
    }
    const bool pdf = request.output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    if (!pdf && !request.output.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        err << "gearlog: --output must name a .pdf or a .txt file\n";
        return 2;
    }
    try {
        const auto database = store::Database::open(request.databasePath);
        const store::Store store(*database);
        const auto car = store.cars.find(carid);
        if (!car) {
            err << "gearlog: there is no project " << carid << " in " << request.databasePath << "\n";
            return 1;
        }
        // Plain text keeps Letter's pages whatever the paper.
        const PageLines lines = pdf ? pageLines(*paper) : PageLines();
        const ReportRequest r { carid, car->Description, common::Clock::now().date(), lines };
        ReportDocument document;
        if (request.report == names.at(0))
            document = materialsList(store, r);
        else if (request.report == names.at(1))
            document = projectPlan(store, r);
        else if (request.report == names.at(2))
            document = workStatus(store, r, *filter);
        else
            document = wishList(store, r);
        const QString failure = pdf ? writePdf(document, *paper, request.output) : writeText(document, request.output);
        if (!failure.isEmpty()) {
            err << "gearlog: could not write " << request.output << ": " << failure << "\n";
            return 1;
        }
        QTextStream(stdout) << "Wrote " << request.output << "\n";
    } catch (const store::OpenFailure& e) {
        for (const store::StoreError& error : e.errors())
            err << "gearlog: " << error.message() << "\n";
        return 1;
    } catch (const store::StoreError& e) {
        err << "gearlog: " << e.message() << "\n";
        return 1;
    }
    return 0;
}

} // namespace reports
