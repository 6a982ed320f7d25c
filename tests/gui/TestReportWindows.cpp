// The report windows as a user meets them, and the reports written without a window.

#include "support/FormFixture.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "reports/MaterialsListForm.h"
#include "reports/ProjectPlanForm.h"
#include "reports/ReportExport.h"
#include "reports/StatusReportForm.h"
#include "reports/WishListForm.h"
#include "store/Database.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTextStream>
#include <QtTest>

using testing::child;

namespace {

// The text of a report window's status bar.
QString statusText(const QWidget& window)
{
    return child<QStatusBar>(window, "sbStatus")->findChild<QLabel*>()->text();
}

void choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

// Pages and the size of the first, read from the PDF's own page objects.
struct PdfPages
{
    int count = 0;
    QString firstBox;
};

PdfPages pdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = f.readAll();
    PdfPages pages;
    pages.count = int(data.count("/Type /Page\n") + data.count("/Type /Page\r") + data.count("/Type /Page/")
                      + data.count("/Type /Page "));
    const QRegularExpression box(QStringLiteral("/MediaBox \\[([^\\]]*)\\]"));
    const auto match = box.match(QString::fromLatin1(data));
    pages.firstBox = match.captured(1).simplified();
    return pages;
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

    void startUp()
    {
        auto db = store::Database::open(m_files.copySample());
        reports::MaterialsListForm form(*db);
        QCOMPARE(form.windowTitle(), QStringLiteral("Gear-Log Materials List Report"));
        QCOMPARE(child<QLabel>(form, "Label1")->text(), QStringLiteral("Select The Project Car"));
        QCOMPARE(gui::listText(child<QComboBox>(form, "cboProject")), QStringLiteral("<Select A Project Car>"));
        QCOMPARE(child<QComboBox>(form, "cboProject")->count(), 1);
        QVERIFY(!child<QPushButton>(form, "cmdPrintReport")->isEnabled());
        QCOMPARE(statusText(form), QStringLiteral("Select A Project Car To Print"));
        choose(child<QComboBox>(form, "cboProject"), 0);
        QVERIFY(child<QPushButton>(form, "cmdPrintReport")->isEnabled());
        QCOMPARE(testing::pickedKey(child<QComboBox>(form, "cboProject")), 1);
        QCOMPARE(statusText(form), QStringLiteral("click 'Print' Or 'Quit'"));
    }

    void noProjects()
    {
        auto db = store::Database::open(m_files.createEmpty());
        reports::WishListForm form(*db);
        QCOMPARE(gui::listText(child<QComboBox>(form, "cboProject")), QStringLiteral("<No Entries>"));
        QVERIFY(!child<QComboBox>(form, "cboProject")->isEnabled());
        QVERIFY(!child<QPushButton>(form, "cmdPrintReport")->isEnabled());
    }

    // Cancelling the print dialog prints nothing, says so, and the window closes.
    void cancelPrinting()
    {
        auto db = store::Database::open(m_files.copySample());
        reports::ProjectPlanForm form(*db);
        choose(child<QComboBox>(form, "cboProject"), 0);
        form.show();
        QTest::mouseClick(child<QPushButton>(form, "cmdPrintReport"), Qt::LeftButton);
        QCOMPARE(gui::DialogSeam::printDialogsShown(), 1);
        QCOMPARE(statusText(form), QStringLiteral("Print Has Been Canceled - Select New Print Criteria"));
        QVERIFY(!child<QPushButton>(form, "cmdPrintReport")->isEnabled());
        QVERIFY(!form.isVisible());
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
    }

    void printing_data()
    {
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("box");
        QTest::newRow("materials") << "materials" << "landscape";
        QTest::newRow("plan") << "plan" << "landscape";
        QTest::newRow("status") << "status" << "portrait";
        QTest::newRow("wish list") << "wishlist" << "portrait";
    }

    // Through the window and the print dialog to a PDF file: pages in the report's orientation.
    void printing()
    {
        QFETCH(QString, report);
        QFETCH(QString, box);
        auto db = store::Database::open(m_files.copySample());
        std::unique_ptr<reports::ReportForm> form;
        if (report == QStringLiteral("materials"))
            form = std::make_unique<reports::MaterialsListForm>(*db);
        else if (report == QStringLiteral("plan"))
            form = std::make_unique<reports::ProjectPlanForm>(*db);
        else if (report == QStringLiteral("status"))
            form = std::make_unique<reports::StatusReportForm>(*db);
        else
            form = std::make_unique<reports::WishListForm>(*db);
        choose(child<QComboBox>(*form, "cboProject"), 0);
        if (auto* status = qobject_cast<reports::StatusReportForm*>(form.get()))
            choose(child<QComboBox>(*status, "cboWorkStatus"), 0);
        const QString pdf = m_files.path(report + QStringLiteral(".pdf"));
        gui::DialogSeam::queuePrint(pdf);
        QTest::mouseClick(child<QPushButton>(*form, "cmdPrintReport"), Qt::LeftButton);
        const PdfPages pages = pdfPages(pdf);
        QVERIFY2(pages.count >= 1, qPrintable(report));
        // The page box says which way round the sheet was used.
        const QStringList size = pages.firstBox.split(QLatin1Char(' '));
        QCOMPARE(size.size(), 4);
        const bool landscape = size.at(2).toDouble() > size.at(3).toDouble();
        QCOMPARE(landscape, box == QStringLiteral("landscape"));
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
    }

    // The status is asked for as well; chosen first, it waits for the project.
    void statusBeforeProject()
    {
        auto db = store::Database::open(m_files.copySample());
        reports::StatusReportForm form(*db);
        form.show();
        QCOMPARE(gui::listText(child<QComboBox>(form, "cboWorkStatus")), QStringLiteral("<Select A Work Status>"));
        QCOMPARE(child<QLabel>(form, "Label2")->text(), QStringLiteral("Select An  'ASSEMBLY'  Status"));
        choose(child<QComboBox>(form, "cboWorkStatus"), 3);
        QVERIFY(!child<QPushButton>(form, "cmdPrintReport")->isEnabled());
        QCOMPARE(statusText(form), QStringLiteral("Select A Project Car To Print"));
        QTRY_COMPARE(QApplication::focusWidget(), child<QComboBox>(form, "cboProject"));
        choose(child<QComboBox>(form, "cboProject"), 0);
        QVERIFY(child<QPushButton>(form, "cmdPrintReport")->isEnabled());
        QCOMPARE(gui::listText(child<QComboBox>(form, "cboWorkStatus")), QStringLiteral("Completed"));

        reports::StatusReportForm other(*db);
        other.show();
        choose(child<QComboBox>(other, "cboProject"), 0);
        QVERIFY(!child<QPushButton>(other, "cmdPrintReport")->isEnabled());
        QCOMPARE(statusText(other), QStringLiteral("Select A Status Code To Print"));
        choose(child<QComboBox>(other, "cboWorkStatus"), 0);
        QCOMPARE(gui::listText(child<QComboBox>(other, "cboWorkStatus")), QStringLiteral("<Select All>"));
        QVERIFY(child<QPushButton>(other, "cmdPrintReport")->isEnabled());
    }

    // A database that fails half-way through: nothing is printed, and the user is told.
    void failureMidReport()
    {
        const QString path = m_files.copySample();
        auto db = store::Database::open(path);
        reports::MaterialsListForm form(*db);
        choose(child<QComboBox>(form, "cboProject"), 0);
        db->run(QStringLiteral("DROP TABLE Component"));
        const QString pdf = m_files.path(QStringLiteral("broken.pdf"));
        gui::DialogSeam::queuePrint(pdf);
        QTest::mouseClick(child<QPushButton>(form, "cmdPrintReport"), Qt::LeftButton);
        QVERIFY(!QFile::exists(pdf) || QFile(pdf).size() == 0);
        QCOMPARE(gui::DialogSeam::shownBoxes().size(), 1);
        QCOMPARE(statusText(form), QStringLiteral("Print Has Been Canceled - Select New Print Criteria"));
    }

    void preview()
    {
        auto db = store::Database::open(m_files.copySample());
        reports::WishListForm form(*db);
        QVERIFY(!child<QPushButton>(form, "cmdPreview")->isEnabled());
        choose(child<QComboBox>(form, "cboProject"), 0);
        QTest::mouseClick(child<QPushButton>(form, "cmdPreview"), Qt::LeftButton);
        QCOMPARE(gui::DialogSeam::previewsShown(), 1);
        QCOMPARE(gui::DialogSeam::printDialogsShown(), 0);
    }

    // The reports menu of the main window opens each window over it.
    void fromTheMenu()
    {
        testing::FormFixture f;
        QVERIFY(f.start());
        QString seen;
        QTimer::singleShot(0, this, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->windowTitle();
                modal->close();
            }
        });
        child<QAction>(f.form(), "MnuStatusReport")->trigger();
        QCOMPARE(seen, QStringLiteral("Gear-Log Status Report"));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args"); // report, car, status, output name
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << QStringList({ "materials", "1", "", "m.txt" }) << 0 << "";
        QTest::newRow("pdf") << QStringList({ "plan", "1", "", "p.pdf" }) << 0 << "";
        QTest::newRow("status 2") << QStringList({ "status", "1", "2", "s.txt" }) << 0 << "";
        QTest::newRow("unknown report") << QStringList({ "parts", "1", "", "x.txt" }) << 2 << "unknown report";
        QTest::newRow("no such car") << QStringList({ "wishlist", "99", "", "x.txt" }) << 1 << "no project 99";
        QTest::newRow("car not a number") << QStringList({ "wishlist", "one", "", "x.txt" }) << 2 << "--car";
        QTest::newRow("bad status") << QStringList({ "status", "1", "7", "x.txt" }) << 2 << "--status";
        QTest::newRow("other output kind") << QStringList({ "plan", "1", "", "x.doc" }) << 2 << ".pdf or a .txt";
        QTest::newRow("unwritable") << QStringList({ "plan", "1", "", "no/such/folder/x.txt" }) << 1
                                    << "could not write";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QString said;
        QTextStream err(&said);
        const QString output = m_files.path(args.at(3));
        const int code = reports::exportReport({ m_files.copySample(), args.at(0), args.at(1), args.at(2), output }, err);
        err.flush();
        QCOMPARE(code, exitCode);
        if (exitCode != 0) {
            QVERIFY2(said.contains(message), qPrintable(said));
            return;
        }
        QVERIFY(said.isEmpty());
        QFile f(output);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray content = f.readAll();
        if (output.endsWith(QStringLiteral(".txt")))
            QVERIFY(content.startsWith("Date:      "));
        else
            QVERIFY(content.startsWith("%PDF"));
        if (args.at(2) == QStringLiteral("2"))
            QVERIFY(content.contains("Completed"));
    }
};

QTEST_MAIN(TestReportWindows)
#include "TestReportWindows.moc"
