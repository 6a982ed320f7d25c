// The report windows as a user meets them, and the reports written without a window.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/Peek.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "reports/ProjectPlanForm.h"
#include "reports/ReportExport.h"
#include "reports/ReportRenderer.h"
#include "reports/Reports.h"
#include "reports/StatusReportForm.h"
#include "reports/WishListForm.h"
#include "store/Database.h"
#include "store/Store.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

using testing::child;

namespace {

void choose(const QWidget& window, const char* list, int index)
{
    auto* l = child<QComboBox>(window, list);
    l->setCurrentIndex(index);
    Q_EMIT l->activated(index);
}

bool canPrint(const QWidget& window)
{
    return child<QPushButton>(window, "cmdPrintReport")->isEnabled();
}

// The page count of a PDF and the width and height of its first page.
QStringList pdfPages(const QString& path)
{
    const QString pdf = QString::fromLatin1(testing::contents(path));
    const QString box = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([^\\]]*)\\]")).match(pdf).captured(1);
    return QStringList { QString::number(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")))) }
    + box.simplified().split(QLatin1Char(' '));
}

} // namespace

class TestReportWindows : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;

private Q_SLOTS:
    void init()
    {
        gui::DialogSeam::setTestMode(true);
        gui::DialogSeam::reset();
    }

    void printing_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("failure");
        QTest::newRow("MnuMaterialsList") << QStringLiteral("materials") << true << QString();
        QTest::newRow("MnuProjectPlan") << QStringLiteral("plan") << true << QString();
        QTest::newRow("MnuStatusReport") << QStringLiteral("status") << false << QString();
        QTest::newRow("MnuWishList") << QStringLiteral("wishlist") << false << QString();
        QTest::newRow("MnuMaterialsList, cancelled") << QStringLiteral("materials") << true << "cancel";
        QTest::newRow("MnuMaterialsList, table gone") << QStringLiteral("materials") << true << "DROP TABLE Component";
    }

    // From the main window's menu through the print dialog to a PDF file: the same pages as the
    // report of that project written without a window, in the report's orientation. Cancelled in
    // the print dialog, or failing half-way through the report: nothing is printed, the window
    // says so, and a failure is shown.
    void printing()
    {
        QFETCH(QString, report);
        QFETCH(bool, landscape);
        QFETCH(QString, failure);
        testing::FormFixture f;
        QVERIFY(f.start());
        const QString printed = f.files().path(QStringLiteral("printed.pdf"));
        QVERIFY(testing::inModal<reports::ReportForm>(
            [&] { f.action(qPrintable(QString::fromLatin1(QTest::currentDataTag()).section(u',', 0, 0)))->trigger(); },
            [&](reports::ReportForm& form) {
                choose(form, "cboProject", 0);
                if (report == QStringLiteral("status"))
                    choose(form, "cboWorkStatus", 0);
                if (failure.startsWith(QLatin1String("DROP")))
                    testing::Peek(f.databasePath()).exec(failure);
                gui::DialogSeam::queuePrint(failure == QStringLiteral("cancel") ? QString() : printed);
                QTest::mouseClick(child<QPushButton>(form, "cmdPrintReport"), Qt::LeftButton);
                QVERIFY(!form.isVisible());
                if (!failure.isEmpty()) {
                    QCOMPARE(child<QStatusBar>(form, "sbStatus")->findChild<QLabel*>()->text(),
                        QStringLiteral("Print Has Been Canceled - Select New Print Criteria"));
                    QVERIFY(!canPrint(form));
                }
            }));
        QCOMPARE(gui::DialogSeam::shownBoxes().size(), failure.startsWith(QLatin1String("DROP")) ? 1 : 0);
        if (!failure.isEmpty()) {
            QVERIFY(!QFile::exists(printed) || QFile(printed).size() == 0);
            return;
        }

        const QStringList sheets = pdfPages(printed);
        QCOMPARE(sheets.size(), 3);
        QCOMPARE(sheets.at(1).toDouble() > sheets.at(2).toDouble(), landscape);
        // The print dialog offers the printer's own paper; written on that paper, the same sheets.
        const QString paper = qMax(sheets.at(1).toDouble(), sheets.at(2).toDouble()) == 842.0 ? "a4" : "letter";
        const QString written = f.files().path(QStringLiteral("written.pdf"));
        QString said;
        QTextStream err(&said);
        QCOMPARE(reports::exportReport({ f.databasePath(), report, "1", QString(), written, paper }, err), 0);
        QCOMPARE(sheets, pdfPages(written));
    }

    // Every report on every paper: one sheet a page, each page headed with its own number, no line
    // pushed off the sheet. Letter keeps its 33 and 46 lines a page.
    void pagesOnEveryPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::newRow("Letter") << int(QPageSize::Letter);
        QTest::newRow("A4") << int(QPageSize::A4);
        QTest::newRow("Legal") << int(QPageSize::Legal);
        QTest::newRow("A5") << int(QPageSize::A5);
    }

    void pagesOnEveryPaper()
    {
        QFETCH(int, paper);
        const QPageSize size { QPageSize::PageSizeId(paper) };
        const reports::PageLines lines = reports::pageLines(size);
        if (paper == QPageSize::Letter)
            QVERIFY(lines.landscape == 33 && lines.portrait == 46);
        if (paper == QPageSize::A4) // shorter when lying, longer standing and narrower, so smaller lines
            QVERIFY(lines.landscape < 33 && lines.portrait > 46);

        // The sample car four times over, wished for and with every assembly Not Started.
        const QString path = m_files.copySample();
        const testing::Peek peek(path);
        for (int i = 0; i < 2; ++i) {
            peek.exec(
                "INSERT INTO Component (carid, assemblyid, ActivityID, Description, Status, SupplierName, "
                "quantity, targetcost, actualcost, wishlist) SELECT carid, assemblyid, ActivityID, Description, 0, "
                "SupplierName, quantity, targetcost, actualcost, 1 FROM Component");
            peek.exec("INSERT INTO Activity (carid, PhaseID, prioritysequence, Description, targetstartdate, "
                      "targetstopdate) SELECT carid, PhaseID, prioritysequence + 100, Description, targetstartdate, "
                      "targetstopdate FROM Activity");
        }
        peek.exec("UPDATE Assembly SET Status = 0");
        auto db = store::Database::open(path);
        const store::Store store(*db);
        const reports::ReportRequest request { 1, "Sample", QDate(2026, 12, 6), lines };
        for (const reports::ReportDocument& d :
            { reports::materialsList(store, request), reports::projectPlan(store, request),
                reports::workStatus(store, request, 0), reports::wishList(store, request) }) {
            QVERIFY(d.pages.size() > 1);
            QBuffer file;
            file.open(QIODevice::WriteOnly);
            {
                QPdfWriter pdf(&file);
                pdf.setPageSize(size);
                pdf.setPageMargins(reports::reportMargins(), QPageLayout::Millimeter);
                QVERIFY(reports::renderReport(d, pdf));
            }
            QTemporaryFile pdf;
            QVERIFY(pdf.open() && pdf.write(file.data()) == file.size() && pdf.flush());
            QCOMPARE(pdfPages(pdf.fileName()).first().toInt(), d.pages.size());
            for (qsizetype p = 0; p < d.pages.size(); ++p)
                QVERIFY(d.pages.at(p).lines.first().items.last().text.endsWith(QString::number(p + 1)));
        }
    }

    // Print and Preview wait for a project, the status report for its status too, in either order;
    // a file without projects offers none.
    void printNeedsItsChoices()
    {
        auto db = store::Database::open(m_files.copySample());
        reports::WishListForm wishes(*db);
        QVERIFY(!canPrint(wishes) && !child<QPushButton>(wishes, "cmdPreview")->isEnabled());
        choose(wishes, "cboProject", 0);
        QTest::mouseClick(child<QPushButton>(wishes, "cmdPreview"), Qt::LeftButton);
        QCOMPARE(gui::DialogSeam::previewsShown(), 1);
        QCOMPARE(gui::DialogSeam::printDialogsShown(), 0);

        for (const bool statusFirst : { true, false }) {
            reports::StatusReportForm status(*db);
            choose(status, statusFirst ? "cboWorkStatus" : "cboProject", statusFirst ? 3 : 0);
            QVERIFY(!canPrint(status));
            choose(status, statusFirst ? "cboProject" : "cboWorkStatus", statusFirst ? 0 : 3);
            QVERIFY(canPrint(status));
            QCOMPARE(gui::listText(child<QComboBox>(status, "cboWorkStatus")), QStringLiteral("Completed"));
        }

        auto empty = store::Database::open(m_files.createEmpty());
        reports::WishListForm none(*empty);
        QCOMPARE(gui::listText(child<QComboBox>(none, "cboProject")), QStringLiteral("<No Entries>"));
        QVERIFY(!child<QComboBox>(none, "cboProject")->isEnabled() && !canPrint(none));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args"); // report, car, status, output name
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("status 2 as text") << QStringList({ "status", "1", "2", "s.txt" }) << 0 << "";
        QTest::newRow("unknown report") << QStringList({ "parts", "1", "", "x.txt" }) << 2 << "unknown report";
        QTest::newRow("no such car") << QStringList({ "wishlist", "99", "", "x.txt" }) << 1 << "no project 99";
        QTest::newRow("car not a number") << QStringList({ "wishlist", "one", "", "x.txt" }) << 2 << "--car";
        QTest::newRow("bad status") << QStringList({ "status", "1", "7", "x.txt" }) << 2 << "--status";
        QTest::newRow("unwritable") << QStringList({ "plan", "1", "", "no/such/x.pdf" }) << 1 << "could not write";
        QTest::newRow("on legal") << QStringList({ "plan", "1", "", "l.pdf", "legal" }) << 0 << "";
        QTest::newRow("unknown paper") << QStringList({ "plan", "1", "", "m.pdf", "b5" }) << 2 << "--paper";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QString said;
        QTextStream err(&said);
        const QString output = m_files.path(args.at(3));
        const int code = reports::exportReport(
            { m_files.copySample(), args.at(0), args.at(1), args.at(2), output, args.value(4) }, err);
        err.flush();
        QTEST(code, "exitCode");
        QVERIFY2(message.isEmpty() ? said.isEmpty() : said.contains(message), qPrintable(said));
        QFile f(output);
        QCOMPARE(f.open(QIODevice::ReadOnly), message.isEmpty());
        if (message.isEmpty() && output.endsWith(".txt"))
            QVERIFY(f.readAll().contains("Completed"));
    }
};

QTEST_MAIN(TestReportWindows)
#include "TestReportWindows.moc"
