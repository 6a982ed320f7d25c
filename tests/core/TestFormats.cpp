#include "common/Formats.h"
#include "common/Money.h"
#include "common/Notes.h"
#include "common/Parse.h"
#include "common/Status.h"
#include "project/Preferences.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <stdexcept>

using common::Money;
using editor::Preferences;
using namespace Qt::StringLiterals;

constexpr auto units = &Money::fromUnits;

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void formatMoney_data()
    {
        QTest::addColumn<qint64>("value"); // ten-thousandths
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("zero cost") << 0LL << "$##,###,###.00" << "$.00";
        QTest::newRow("cost rounds up") << 12345678950LL << "$##,###,###.00" << "$1,234,567.90";
        QTest::newRow("negative rounding to zero") << -49LL << "$##,###,###.00" << "$.00";
        QTest::newRow("car money zero") << 0LL << "$##,###,##0" << "$0";
        QTest::newRow("2.5 away from zero") << 25000LL << "##,##0" << "3";
        QTest::newRow("-2.5 away from zero") << -25000LL << "##,##0" << "-3";
        QTest::newRow("2.4999 down") << 24999LL << "##,##0" << "2";
        QTest::newRow("below half blank") << 4999LL << "#,###" << "";
        QTest::newRow("four digits group") << 10000000LL << "##,###" << "1,000";
        QTest::newRow("ungrouped") << 12345670000LL << "##0" << "1234567";
        // clang-format on
    }
    void formatMoney()
    {
        QFETCH(qint64, value);
        QFETCH(QString, pattern);
        QTEST(common::formatNumber(units(value), pattern), "expected");
        // Whole numbers, and floating ones held exactly, give the same text.
        if (value % 10000 == 0)
            QTEST(common::formatNumber(value / 10000, pattern), "expected");
        if (value % 2500 == 0)
            QTEST(common::formatNumber(value / 10000.0, pattern), "expected");
    }

    void numeric_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<qint64>("value"); // ten-thousandths, when numeric
        // clang-format off
        QTest::newRow("blanks around") << " 12 " << true << 120000LL;
        QTest::newRow("currency grouped") << "$1,234.50" << true << 12345000LL;
        QTest::newRow("sign before currency") << "-$5.00" << true << -50000LL;
        QTest::newRow("sign after currency") << "$-5.00" << true << -50000LL;
        QTest::newRow("fifth decimal rounds up") << "0.00005" << true << 1LL;
        QTest::newRow("negative away from zero") << "-1.23455" << true << -12346LL;
        QTest::newRow("carry into integer") << "0.99995" << true << 10000LL;
        // Whatever the formats can show must read back: up to the largest amount money holds.
        QTest::newRow("largest amount") << "922337203685477.5807" << true << 9223372036854775807LL;
        QTest::newRow("one past the largest") << "922337203685477.5808" << false << 0LL;
        for (const char* bad : { "", " ", "12a", "1..2", ",12", "12,", "1,,2", "1.2,3", "$", "-", ".", "1 2",
                                 "+-5", "--5", "$$5", "5-", "1e5", "\u0661\u0662", "\uFF11\uFF12" })
            QTest::newRow(bad) << QString::fromUtf8(bad) << false << 0LL;
        // clang-format on
    }
    void numeric()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(qint64, value);
        QCOMPARE(common::isNumeric(text), numeric);
        QCOMPARE(common::numberValue(text).has_value(), numeric);
        const auto money = Money::parse(text);
        QCOMPARE(money.has_value(), numeric);
        if (!numeric)
            return;
        QCOMPARE(money->units(), value);
        // What the screens show must read back as the same amount.
        QCOMPARE(Money::parse(money->toPlainString()), money);
        const Money cents = money->roundedTo(2);
        QCOMPARE(Money::parse(common::formatNumber(cents, common::fmt::Cost)), cents);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected"); // invalid: not a date
        // clang-format off
        QTest::newRow("leap day") << "2/29/2004" << QDate(2004, 2, 29);
        QTest::newRow("dashes, blanks") << " 12-31-2002 " << QDate(2002, 12, 31);
        QTest::newRow("yy 29") << "1/1/29" << QDate(2029, 1, 1);
        QTest::newRow("yy 30") << "1/1/30" << QDate(1930, 1, 1);
        QTest::newRow("iso") << "2003-05-01" << QDate(2003, 5, 1);
        QTest::newRow("month abbreviated") << "Dec 31, 2002" << QDate(2002, 12, 31);
        QTest::newRow("month lower case") << "sept 1, 2003" << QDate(2003, 9, 1);
        QTest::newRow("last day we take") << "12/31/9999" << QDate(9999, 12, 31);
        for (const char* bad : { "2/30/2003", "2/29/2003", "2/29/1900", "13/1/2003", "0/1/2003", "1/0/2003",
                                 "12/32/2002", "", "12/31", "12/31/200", "1/1/0000", "1/1/10000", "0000-01-01",
                                 "12/31-2002", "2003-02-30", "Foo 31, 2002", "Ma 1, 2003", "12/31/2002x" })
            QTest::newRow(bad) << QString::fromLatin1(bad) << QDate();
        // clang-format on
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QCOMPARE(common::isDate(text), expected.isValid());
        QCOMPARE(common::parseDate(text).value_or(QDate()), expected);
    }

    // A German desktop changes nothing: dates and amounts keep the program's own forms.
    void germanLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German));
        auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });
        QCOMPARE(common::parseDate(u"12/1/2002"_s), QDate(2002, 12, 1));
        QCOMPARE(common::parseDate(u"Dec 31, 2002"_s), QDate(2002, 12, 31));
        QVERIFY(!common::isDate(u"31.12.2002"_s));
        QCOMPARE(common::formatDate(QDate(2002, 12, 1)), u"12/1/2002"_s);
        QCOMPARE(Money::parse(u"1,234.50"_s)->units(), 12345000);
        QVERIFY(!common::isNumeric(u"1.234,50"_s));
        QCOMPARE(common::formatNumber(1234.5, common::fmt::Cost), u"$1,234.50"_s);
    }

    // Each part full before the next is used; what is past the three parts is dropped.
    void notesSplitAndJoin()
    {
        const QList<std::pair<int, QString>> rows { { 50, u"50 0 0"_s }, { 51, u"50 1 0"_s }, { 160, u"50 50 50"_s } };
        for (const auto& [length, sizes] : rows) {
            QString text; // distinct characters, so a slice taken from the wrong place shows
            for (int i = 0; i < length; ++i)
                text += QChar(u'A' + i % 26);
            const common::NoteParts parts = common::splitNotes(text);
            QCOMPARE(u"%1 %2 %3"_s.arg(parts[0].size()).arg(parts[1].size()).arg(parts[2].size()), sizes);
            QCOMPARE(common::joinNotes(parts), text.left(common::NotesLength));
        }
    }

    void moneyOverflowAndRounding()
    {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        constexpr qint64 min = std::numeric_limits<qint64>::min();
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, units(max) + units(1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, units(min) - units(1));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Money() - units(min));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, units(max / 2 + 1).times(2));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, Money::fromWholeDollars(max / 1000));
        Money sum = units(max);
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, sum += units(1));
        QCOMPARE(sum, units(max)); // a failed sum leaves the total as it was
        QCOMPARE(units(-1) - units(min), units(max));

        QCOMPARE(units(-10050).roundedTo(2), units(-10100));
        QCOMPARE(units(-10049).roundedTo(2), units(-10000));
        QCOMPARE(units(-15000).roundedTo(0), units(-20000));
        // The extremes round without wrapping around.
        QCOMPARE(units(max).roundedTo(2), units(max - max % 100));
        QCOMPARE(units(min).roundedTo(2), units(min - min % 100));
        QVERIFY_THROWS_EXCEPTION(std::overflow_error, units(max).roundedTo(3)); // ...807 would become ...810
        QCOMPARE(common::formatNumber(std::numeric_limits<double>::quiet_NaN(), common::fmt::Cost), QString());
        QCOMPARE(common::statusText(4), QString()); // a code past the list is no text, not a crash
    }

    // Colours stored by hand: a system colour keeps its sign, anything past 32 bits is no colour.
    void preferencesFallBack_data()
    {
        QTest::addColumn<QStringList>("stored"); // back colour, stretch, tree view
        QTest::addColumn<qint32>("color");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<QString>("tree");
        QTest::newRow("beyond 32 bits") << QStringList { "4294967295", "True", "E" } << qint32(Preferences::ButtonFace)
                                        << true << "E";
        QTest::newRow("yellow, lower case") << QStringList { " 65535 ", "false", "c" } << 0x00FFFF << false << "C";
        QTest::newRow("lowest") << QStringList { "-2147483648", "FALSE", "C" } << std::numeric_limits<qint32>::min()
                                << false << "C";
    }
    void preferencesFallBack()
    {
        QFETCH(QStringList, stored);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(u"GearLog.ini"_s), QSettings::IniFormat);
        for (const QString& key : { u"BACKCOLOR"_s, u"STRETCH"_s, u"TREEVIEW"_s })
            settings.setValue(u"STARTUP/"_s + key, stored.takeFirst());
        const Preferences p = Preferences::read(settings);
        QTEST(p.backColor, "color");
        QTEST(p.stretch, "stretch");
        QTEST(p.treeView, "tree");
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "TestFormats.moc"
