#include "common/Formats.h"
#include "common/Money.h"
#include "common/Notes.h"
#include "common/Parse.h"
#include "common/Status.h"
#include "project/Preferences.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>
#include <stdexcept>

using common::Money;

namespace {
Money units(qint64 u)
{
    return Money::fromUnits(u);
}
} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void formatMoney_data();
    void formatMoney();
    void formatOverloadsAgree();
    void formatDateForms();

    void numeric_data();
    void numeric();
    void parseKeepsMoneyExact();

    void dates_data();
    void dates();
    void datesIgnoreLocale();

    void notesSplitAndJoin_data();
    void notesSplitAndJoin();

    void statusTexts();
    void moneyOverflowAndRounding();

    void preferencesDefaultsAndText();
    void preferencesFallBack_data();
    void preferencesFallBack();
    void backColorSaved();
};

void TestFormats::formatMoney_data()
{
    QTest::addColumn<qint64>("value"); // ten-thousandths
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero cost") << 0LL << "$##,###,###.00"
                               << "$.00";
    QTest::newRow("cost half") << 12345000LL << "$##,###,###.00"
                               << "$1,234.50";
    QTest::newRow("cost millions") << 12345678910LL << "$##,###,###.00"
                                   << "$1,234,567.89";
    QTest::newRow("cost rounds up") << 12345678950LL << "$##,###,###.00"
                                    << "$1,234,567.90";
    QTest::newRow("cost negative") << -50000LL << "$##,###,###.00"
                                   << "-$5.00";
    QTest::newRow("negative rounding to zero") << -49LL << "$##,###,###.00"
                                               << "$.00";
    QTest::newRow("car money") << 32950000LL << "$##,###,##0"
                               << "$3,295";
    QTest::newRow("car money zero") << 0LL << "$##,###,##0"
                                    << "$0";
    QTest::newRow("quantity half up") << 12345000LL << "##,##0"
                                      << "1,235";
    QTest::newRow("2.5 away from zero") << 25000LL << "##,##0"
                                        << "3";
    QTest::newRow("-2.5 away from zero") << -25000LL << "##,##0"
                                         << "-3";
    QTest::newRow("2.4999 down") << 24999LL << "##,##0"
                                 << "2";
    QTest::newRow("1200") << 12000000LL << "##,##0"
                          << "1,200";
    QTest::newRow("zero blank") << 0LL << "#,###"
                                << "";
    QTest::newRow("below half blank") << 4999LL << "#,###"
                                      << "";
    QTest::newRow("exactly three digits") << 9990000LL << "##,###"
                                          << "999";
    QTest::newRow("four digits group") << 10000000LL << "##,###"
                                       << "1,000";
    QTest::newRow("decimals no prefix") << 12345LL << "##,###.00"
                                        << "1.23";
    QTest::newRow("decimals zero") << 0LL << "#,###.00"
                                   << ".00";
    QTest::newRow("required unit digit") << 0LL << "#,##0"
                                         << "0";
    QTest::newRow("ungrouped") << 12345670000LL << "##0"
                               << "1234567";
}

void TestFormats::formatMoney()
{
    QFETCH(qint64, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(common::formatNumber(units(value), pattern), expected);
}

void TestFormats::formatOverloadsAgree()
{
    QCOMPARE(common::formatNumber(1234.5, common::fmt::Cost), QStringLiteral("$1,234.50"));
    QCOMPARE(common::formatNumber(1234567.891, common::fmt::Cost), QStringLiteral("$1,234,567.89"));
    QCOMPARE(common::formatNumber(2.5, common::fmt::Quantity), QStringLiteral("3"));
    QCOMPARE(common::formatNumber(-2.5, common::fmt::Quantity), QStringLiteral("-3"));
    QCOMPARE(common::formatNumber(-5.0, common::fmt::Cost), QStringLiteral("-$5.00"));
    QCOMPARE(common::formatNumber(qint64(3295), common::fmt::CarMoney), QStringLiteral("$3,295"));
    QCOMPARE(common::formatNumber(qint64(-1234567), QStringLiteral("##,##0")), QStringLiteral("-1,234,567"));
    QCOMPARE(common::formatNumber(qint64(0), QStringLiteral("#,###")), QString());
    QCOMPARE(common::formatNumber(std::numeric_limits<double>::quiet_NaN(), common::fmt::Cost), QString());
}

void TestFormats::formatDateForms()
{
    const QDate d(2003, 3, 7);
    QCOMPARE(common::formatDate(d), QStringLiteral("3/7/2003"));
    QCOMPARE(common::formatDate(d, common::DateForm::MmDdYyyy), QStringLiteral("03/07/2003"));
    QCOMPARE(common::formatDate(d, common::DateForm::MmDdYy), QStringLiteral("03/07/03"));
    QCOMPARE(common::formatDate(d, common::DateForm::MonthYear), QStringLiteral("3/03"));
    QCOMPARE(common::formatDate(d, common::DateForm::Sortable), QStringLiteral("2003/03/07"));
    QCOMPARE(common::formatDate(QDate(2002, 12, 31), common::DateForm::Short), QStringLiteral("12/31/2002"));
    QCOMPARE(common::formatDate(QDate()), QString());
    QCOMPARE(common::formatDate(QDate(), common::DateForm::Sortable), QString());
}

void TestFormats::numeric_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<qint64>("value"); // ten-thousandths, when numeric

    QTest::newRow("0") << "0" << true << 0LL;
    QTest::newRow("12") << "12" << true << 120000LL;
    QTest::newRow("blanks around") << " 12 " << true << 120000LL;
    QTest::newRow("currency grouped") << "$1,234.50" << true << 12345000LL;
    QTest::newRow("grouped") << "1,235" << true << 12350000LL;
    QTest::newRow("currency no integer") << "$.00" << true << 0LL;
    QTest::newRow("leading point") << ".5" << true << 5000LL;
    QTest::newRow("negative") << "-97.95" << true << -979500LL;
    QTest::newRow("sign before currency") << "-$5.00" << true << -50000LL;
    QTest::newRow("sign after currency") << "$-5.00" << true << -50000LL;
    QTest::newRow("plus") << "+3" << true << 30000LL;
    QTest::newRow("fourteen digits") << "99999999999999" << true << 999999999999990000LL;
    QTest::newRow("fifth decimal rounds up") << "0.00005" << true << 1LL;
    QTest::newRow("fifth decimal rounds down") << "0.00004" << true << 0LL;
    QTest::newRow("negative away from zero") << "-1.23455" << true << -12346LL;
    QTest::newRow("carry into integer") << "0.99995" << true << 10000LL;

    QTest::newRow("empty") << "" << false << 0LL;
    QTest::newRow("blank") << " " << false << 0LL;
    QTest::newRow("trailing letter") << "12a" << false << 0LL;
    QTest::newRow("two points") << "1..2" << false << 0LL;
    QTest::newRow("leading comma") << ",12" << false << 0LL;
    QTest::newRow("trailing comma") << "12," << false << 0LL;
    QTest::newRow("double comma") << "1,,2" << false << 0LL;
    QTest::newRow("comma in fraction") << "1.2,3" << false << 0LL;
    QTest::newRow("currency only") << "$" << false << 0LL;
    QTest::newRow("sign only") << "-" << false << 0LL;
    QTest::newRow("point only") << "." << false << 0LL;
    QTest::newRow("inner blank") << "1 2" << false << 0LL;
    QTest::newRow("word") << "abc" << false << 0LL;
    QTest::newRow("two signs") << "+-5" << false << 0LL;
    QTest::newRow("two plus") << "++5" << false << 0LL;
    QTest::newRow("two minus") << "--5" << false << 0LL;
    QTest::newRow("two currency") << "$$5" << false << 0LL;
    QTest::newRow("trailing sign") << "5-" << false << 0LL;
    QTest::newRow("exponent") << "1e5" << false << 0LL;
    // Whatever the formats can show must read back: up to the largest amount money holds.
    QTest::newRow("fifteen digits") << "100000000000000" << true << 1000000000000000000LL;
    QTest::newRow("largest amount") << "922337203685477.5807" << true << 9223372036854775807LL;
    QTest::newRow("one past the largest") << "922337203685477.5808" << false << 0LL;
    QTest::newRow("sixteen digits") << "1000000000000000" << false << 0LL;
    QTest::newRow("twenty digits") << "12345678901234567890" << false << 0LL;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << false << 0LL;
    QTest::newRow("fullwidth digits") << QString::fromUtf8("\uFF11\uFF12") << false << 0LL;
}

void TestFormats::numeric()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(qint64, value);

    QCOMPARE(common::isNumeric(text), numeric);
    const auto decimal = common::parseDecimal(text);
    const auto money = Money::parse(text);
    QCOMPARE(decimal.has_value(), numeric);
    QCOMPARE(money.has_value(), numeric);
    QCOMPARE(common::numberValue(text).has_value(), numeric);
    if (numeric) {
        QCOMPARE(decimal->units, value);
        QCOMPARE(money->units(), value);
    }
}

void TestFormats::parseKeepsMoneyExact()
{
    QCOMPARE(Money::parse(QStringLiteral("97.95"))->units(), 979500);
    QCOMPARE(Money::parse(QStringLiteral("0.0001"))->units(), 1);
    QVERIFY(!common::parseDecimal(QStringLiteral("1.2345"))->hadMoreDecimals);
    QVERIFY(common::parseDecimal(QStringLiteral("1.23454"))->hadMoreDecimals);

    // What the screens show must read back as the same amount.
    const QStringList amounts = { "0", "97.95", "-5", "1234567.89", "0.01", "-0.99", "99999999.99" };
    for (const QString& text : amounts) {
        const Money m = *Money::parse(text);
        QCOMPARE(Money::parse(common::formatNumber(m, common::fmt::Cost)), m);
        QCOMPARE(Money::parse(m.toPlainString()), m);
    }
}

void TestFormats::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected"); // invalid: not a date

    QTest::newRow("year end") << "12/31/2002" << QDate(2002, 12, 31);
    QTest::newRow("short fields") << "1/5/2003" << QDate(2003, 1, 5);
    QTest::newRow("leap day") << "2/29/2004" << QDate(2004, 2, 29);
    QTest::newRow("leap day 2000") << "2/29/2000" << QDate(2000, 2, 29);
    QTest::newRow("dashes") << "12-31-2002" << QDate(2002, 12, 31);
    QTest::newRow("blanks around") << " 1/5/2003 " << QDate(2003, 1, 5);
    QTest::newRow("yy 29") << "1/1/29" << QDate(2029, 1, 1);
    QTest::newRow("yy 30") << "1/1/30" << QDate(1930, 1, 1);
    QTest::newRow("yy 00") << "1/1/00" << QDate(2000, 1, 1);
    QTest::newRow("yy 99") << "12/31/99" << QDate(1999, 12, 31);
    QTest::newRow("iso") << "2003-05-01" << QDate(2003, 5, 1);
    QTest::newRow("month abbreviated") << "Dec 31, 2002" << QDate(2002, 12, 31);
    QTest::newRow("month full") << "December 31 2002" << QDate(2002, 12, 31);
    QTest::newRow("day month") << "31 Dec 2002" << QDate(2002, 12, 31);
    QTest::newRow("day-month-year") << "31-Dec-2002" << QDate(2002, 12, 31);
    QTest::newRow("month lower case") << "sept 1, 2003" << QDate(2003, 9, 1);

    QTest::newRow("feb 30") << "2/30/2003" << QDate();
    QTest::newRow("not a leap year") << "2/29/2003" << QDate();
    QTest::newRow("1900 not leap") << "2/29/1900" << QDate();
    QTest::newRow("month 13") << "13/1/2003" << QDate();
    QTest::newRow("month 0") << "0/1/2003" << QDate();
    QTest::newRow("day 0") << "1/0/2003" << QDate();
    QTest::newRow("day 32") << "12/32/2002" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("blank") << "  " << QDate();
    QTest::newRow("no year") << "12/31" << QDate();
    QTest::newRow("three digit year") << "12/31/200" << QDate();
    QTest::newRow("word") << "abc" << QDate();
    QTest::newRow("all nines") << "99/99/9999" << QDate();
    QTest::newRow("year 0") << "1/1/0000" << QDate();
    QTest::newRow("year 10000") << "1/1/10000" << QDate();
    QTest::newRow("ISO year 0") << "0000-01-01" << QDate();
    QTest::newRow("last day we take") << "12/31/9999" << QDate(9999, 12, 31);
    QTest::newRow("mixed separators") << "12/31-2002" << QDate();
    QTest::newRow("iso feb 30") << "2003-02-30" << QDate();
    QTest::newRow("unknown month") << "Foo 31, 2002" << QDate();
    QTest::newRow("month too short") << "Ma 1, 2003" << QDate();
    QTest::newRow("trailing text") << "12/31/2002x" << QDate();
}

void TestFormats::dates()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const auto parsed = common::parseDate(text);
    QCOMPARE(parsed.has_value(), expected.isValid());
    QCOMPARE(common::isDate(text), expected.isValid());
    if (parsed)
        QCOMPARE(*parsed, expected);
}

void TestFormats::datesIgnoreLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });

    QCOMPARE(common::parseDate(QStringLiteral("12/1/2002")), QDate(2002, 12, 1));
    QCOMPARE(common::parseDate(QStringLiteral("Dec 31, 2002")), QDate(2002, 12, 31));
    QVERIFY(!common::isDate(QStringLiteral("31.12.2002")));
    QCOMPARE(common::formatDate(QDate(2002, 12, 1)), QStringLiteral("12/1/2002"));
    QCOMPARE(Money::parse(QStringLiteral("1,234.50"))->units(), 12345000);
    QVERIFY(!common::isNumeric(QStringLiteral("1.234,50")));
    QCOMPARE(common::formatNumber(1234.5, common::fmt::Cost), QStringLiteral("$1,234.50"));
}

void TestFormats::notesSplitAndJoin_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("length1");
    QTest::addColumn<int>("length2");
    QTest::addColumn<int>("length3");

    QTest::newRow("empty") << 0 << 0 << 0 << 0;
    QTest::newRow("49") << 49 << 49 << 0 << 0;
    QTest::newRow("50") << 50 << 50 << 0 << 0;
    QTest::newRow("51") << 51 << 50 << 1 << 0;
    QTest::newRow("100") << 100 << 50 << 50 << 0;
    QTest::newRow("101") << 101 << 50 << 50 << 1;
    QTest::newRow("150") << 150 << 50 << 50 << 50;
    QTest::newRow("160") << 160 << 50 << 50 << 50;
}

void TestFormats::notesSplitAndJoin()
{
    QFETCH(int, length);
    QFETCH(int, length1);
    QFETCH(int, length2);
    QFETCH(int, length3);

    // Distinct characters, so a slice taken from the wrong place shows.
    QString text;
    for (int i = 0; i < length; ++i)
        text += QChar(u'A' + i % 26);
    const common::NoteParts parts = common::splitNotes(text);
    QCOMPARE(parts[0].size(), length1);
    QCOMPARE(parts[1].size(), length2);
    QCOMPARE(parts[2].size(), length3);
    QCOMPARE(common::joinNotes(parts), text.left(common::NotesLength));
}

void TestFormats::statusTexts()
{
    QCOMPARE(common::statusText(0), QStringLiteral("Not Started"));
    QCOMPARE(common::statusText(1), QStringLiteral("In Process"));
    QCOMPARE(common::statusText(2), QStringLiteral("Completed"));
    QCOMPARE(common::statusText(3), QStringLiteral("On Hold"));
    QCOMPARE(common::statusText(-1), QString());
    QCOMPARE(common::statusText(4), QString());
    QCOMPARE(common::statusTexts().size(), 4);
    QCOMPARE(common::joinNotes({ QStringLiteral("abc"), QString(), QStringLiteral("def") }), QStringLiteral("abcdef"));
}

void TestFormats::moneyOverflowAndRounding()
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
    QCOMPARE(units(max) - units(max), Money());

    QCOMPARE(units(-10050).roundedTo(2), units(-10100));
    QCOMPARE(units(-10049).roundedTo(2), units(-10000));
    QCOMPARE(units(-49).roundedTo(2), Money());
    QCOMPARE(units(-15000).roundedTo(0), units(-20000));
    QCOMPARE(units(-12345).roundedTo(4), units(-12345));
    // The extremes round without wrapping around.
    QCOMPARE(units(max).roundedTo(2), units(max - max % 100));
    QCOMPARE(units(min).roundedTo(2), units(min - min % 100));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, units(max).roundedTo(3)); // ...807 would become ...810
}

void TestFormats::preferencesDefaultsAndText()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("GearLog.ini"));
    {
        QSettings settings(file, QSettings::IniFormat);
        const editor::Preferences p = editor::Preferences::read(settings);
        QCOMPARE(p.backColor, qint32(0x8000000F));
        QCOMPARE(p.stretch, true);
        QCOMPARE(p.treeView, QStringLiteral("E"));

        editor::Preferences::writeBackColor(settings, -2147483633);
        editor::Preferences::writeStretch(settings, false);
        editor::Preferences::writeTreeView(settings, QStringLiteral("C"));
    }
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString written = QString::fromUtf8(raw.readAll());
    QVERIFY2(written.contains(QStringLiteral("BACKCOLOR=-2147483633")), qPrintable(written));

    QSettings again(file, QSettings::IniFormat);
    QCOMPARE(again.value(QStringLiteral("STARTUP/BACKCOLOR")).toString(), QStringLiteral("-2147483633"));
    const editor::Preferences p = editor::Preferences::read(again);
    QCOMPARE(p.backColor, editor::Preferences::ButtonFace);
    QCOMPARE(p.stretch, false);
    QCOMPARE(p.treeView, QStringLiteral("C"));
}

void TestFormats::preferencesFallBack_data()
{
    QTest::addColumn<QString>("backColor");
    QTest::addColumn<QString>("stretch");
    QTest::addColumn<QString>("treeView");
    QTest::addColumn<qint32>("expectedColor");
    QTest::addColumn<bool>("expectedStretch");
    QTest::addColumn<QString>("expectedTree");

    const qint32 face = editor::Preferences::ButtonFace;
    QTest::newRow("garbage") << "red"
                             << "maybe"
                             << "X" << face << true << "E";
    QTest::newRow("empty") << ""
                           << ""
                           << "" << face << true << "E";
    QTest::newRow("beyond 32 bits") << "4294967295"
                                    << "True"
                                    << "E" << face << true << "E";
    QTest::newRow("yellow, lower case") << " 65535 "
                                        << "false"
                                        << "c" << qint32(0x00FFFF) << false << "C";
    QTest::newRow("lowest") << "-2147483648"
                            << "FALSE"
                            << "C" << std::numeric_limits<qint32>::min() << false << "C";
}

void TestFormats::preferencesFallBack()
{
    QFETCH(QString, backColor);
    QFETCH(QString, stretch);
    QFETCH(QString, treeView);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("GearLog.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("STARTUP/BACKCOLOR"), backColor);
    settings.setValue(QStringLiteral("STARTUP/STRETCH"), stretch);
    settings.setValue(QStringLiteral("STARTUP/TREEVIEW"), treeView);

    const editor::Preferences p = editor::Preferences::read(settings);
    QTEST(p.backColor, "expectedColor");
    QTEST(p.stretch, "expectedStretch");
    QTEST(p.treeView, "expectedTree");
}

// Saving writes the colour through at once, and says when the file cannot be written.
void TestFormats::backColorSaved()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("GearLog.ini"));
    QSettings settings(file, QSettings::IniFormat);
    QVERIFY(editor::Preferences::saveBackColor(settings, 255));
    QFile raw(file);
    QVERIFY(raw.open(QIODevice::ReadOnly | QIODevice::Text));
    QVERIFY(QString::fromUtf8(raw.readAll()).contains(QStringLiteral("BACKCOLOR=255")));

    // A plain file stands where the settings' folder should be.
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings unwritable(dir.filePath(QStringLiteral("blocker/GearLog.ini")), QSettings::IniFormat);
    QVERIFY(!editor::Preferences::saveBackColor(unwritable, 255));
}

QTEST_GUILESS_MAIN(TestFormats)
#include "TestFormats.moc"
