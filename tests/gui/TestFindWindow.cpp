// File > Find: the line saying what was found, and a record opened as the user's own picks show it.

#include "support/FormFixture.h"

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
        QTest::keyClicks(child<QLineEdit>(*form, "FindText"), text);
        QTest::keyClick(child<QLineEdit>(*form, "FindText"), Qt::Key_Return);
        return *form;
    }

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
        m_f->peek().exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 201) "
                         "INSERT INTO Component (carid, assemblyid, Description) SELECT 1, 1, 'Bolt ' || i FROM n");
        QFETCH(QString, text);
        QDialog& form = find(text);
        QTEST(child<QTableWidget>(form, "FindResults")->rowCount(), "rows");
        QTEST(child<QLabel>(form, "FindCount")->text(), "said");
    }

    // Double-click, Enter and Open each pick the project and show the record on its tab; a record
    // being changed keeps the window where it is, and the user is told why.
    void opens_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("double-click") << "carburettor" << 0 << 2 << "Carburettor rebuild kit" << QStringList();
        QTest::newRow("Enter") << "carburettor" << 1 << 4 << "Rebuild carburettor" << QStringList();
        QTest::newRow("Open") << "ASK FOR DEE" << 0 << 5 << "O'Malley's Chrome Shop" << QStringList();
        QTest::newRow("while changing") << "carburettor" << 1 << 5 << "Vintage Truck Depot"
                                        << QStringList { "Please Save Or Cancel The Changes First" };
    }
    void opens()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, tab);
        QDialog& form = find(text);
        const QByteArray how = QTest::currentDataTag();
        QString buttons;
        if (how == "while changing") {
            m_f->showTab(5);
            m_f->pickText(m_f->list(5), "Vintage Truck Depot");
            m_f->press(1); // Update
            buttons = m_f->buttonPattern();
        }
        auto* table = child<QTableWidget>(form, "FindResults");
        table->setCurrentCell(row, 0);
        const QPoint cell = table->visualItemRect(table->item(row, 2)).center();
        if (how == "double-click") {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        } else if (how == "Open") {
            QTest::mouseClick(child<QPushButton>(form, "cmdOpen"), Qt::LeftButton);
        } else {
            QTest::keyClick(table, Qt::Key_Return);
        }
        QCOMPARE(m_f->widget<QTabWidget>("tbproject")->currentIndex(), tab);
        QTEST(m_f->list(tab)->currentText(), "shown");
        QCOMPARE(m_f->list(0)->currentText(), tab == 5 ? "" : "1956 F-100 Pickup");
        QTEST(boxTexts(), "boxes");
        QVERIFY(form.isVisible() && (buttons.isEmpty() || m_f->buttonPattern() == buttons));
    }
};

QTEST_MAIN(TestFindWindow)
#include "TestFindWindow.moc"
