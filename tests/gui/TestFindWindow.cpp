// File > Find: the text looked for, the line saying what was found, and a record opened in the
// main window as the user's own picks would show it.

#include "support/FormFixture.h"

#include "gui/Dialogs.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using testing::boxTexts;
using testing::child;

class TestFindWindow : public testing::FormTest
{
    Q_OBJECT

    // Ctrl+F, the text typed, Enter: the find window.
    QDialog& find(const QString& text)
    {
        QTest::keyClick(&w(), Qt::Key_F, Qt::ControlModifier);
        auto* form = child<QDialog>(w(), "FindForm");
        auto* box = child<QLineEdit>(*form, "FindText");
        box->clear();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        return *form;
    }
    QTableWidget* results(QDialog& form) { return child<QTableWidget>(form, "FindResults"); }

private Q_SLOTS:
    void countLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("said");
        QTest::newRow("empty") << "" << 0 << "Type the text to find and press Enter.";
        QTest::newRow("none") << "zeppelin" << 0 << "Nothing found.";
        QTest::newRow("two") << "CARBURETTOR" << 2 << "2 records found.";
        QTest::newRow("over the cap") << "bolt" << 200
                                      << "More than 200 records found; the list stops at the first 200.";
    }
    void countLine()
    {
        QFETCH(QString, text);
        m_f->peek().exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 201) "
                         "INSERT INTO Component (carid, assemblyid, Description) SELECT 1, 1, 'Bolt ' || i FROM n");
        QDialog& form = find(text);
        QTEST(results(form)->rowCount(), "rows");
        QTEST(child<QLabel>(form, "FindCount")->text(), "said");
    }

    // Each way of opening a result picks its project and shows the record on its tab.
    void opens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("shown");
        QTest::newRow("component") << "carburettor" << 0 << "double-click" << 2 << "componentDescription"
                                   << "Carburettor rebuild kit";
        QTest::newRow("activity") << "carburettor" << 1 << "Enter" << 4 << "ActivityDescription"
                                  << "Rebuild carburettor";
        QTest::newRow("supplier by notes") << "ASK FOR DEE" << 0 << "Open" << 5 << "SupplierName"
                                           << "O'Malley's Chrome Shop";
    }
    void opens()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QString, how);
        QFETCH(QString, shown);
        QFETCH(QString, list);
        QDialog& form = find(text);
        QTableWidget* table = results(form);
        QCOMPARE(table->item(row, 2)->text(), shown);
        table->setCurrentCell(row, 0);
        if (how == "double-click") {
            const QPoint at = table->visualItemRect(table->item(row, 2)).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        } else if (how == "Enter") {
            QTest::keyClick(table, Qt::Key_Return);
        } else {
            QTest::mouseClick(child<QPushButton>(form, "cmdOpen"), Qt::LeftButton);
        }
        QTEST(m_f->widget<QTabWidget>("tbproject")->currentIndex(), "tab");
        QCOMPARE(m_f->widget<QComboBox>(qPrintable(list))->currentText(), shown);
        if (list != "SupplierName")
            QCOMPARE(m_f->widget<QComboBox>("carDescription")->currentText(), QStringLiteral("1956 F-100 Pickup"));
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(form.isVisible());
    }

    // A record being changed keeps the window where it is, and the user is told why.
    void editInProgress()
    {
        QTableWidget* table = results(find(QStringLiteral("carburettor")));
        m_f->showTab(5);
        m_f->pickText(m_f->list(5), QStringLiteral("Vintage Truck Depot"));
        m_f->press(1); // Update
        const QString buttons = m_f->buttonPattern();
        table->setCurrentCell(1, 0);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(boxTexts(), QStringList { "Please Save Or Cancel The Changes First" });
        QCOMPARE(m_f->widget<QTabWidget>("tbproject")->currentIndex(), 5);
        QCOMPARE(m_f->list(5)->currentText(), QStringLiteral("Vintage Truck Depot"));
        QCOMPARE(m_f->buttonPattern(), buttons);
    }
};

QTEST_MAIN(TestFindWindow)
#include "TestFindWindow.moc"
