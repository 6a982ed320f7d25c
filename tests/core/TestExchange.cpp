// Projects as JSON files and lists as CSV: round trips, refusals, quoting.

#include "exchange/Csv.h"
#include "exchange/ProjectFile.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QRegularExpression>
#include <QtTest>

#include <cstring>

using common::Money;

namespace {

// The file without the exporting database's own keys, which an import renumbers.
QByteArray withoutKeys(const QByteArray& json)
{
    QString text = QString::fromUtf8(json);
    text.remove(QRegularExpression(QStringLiteral("\\s*\"key\": -?\\d+,?")));
    text.replace(QRegularExpression(QStringLiteral("\"activity\": -?\\d+")), QStringLiteral("\"activity\": K"));
    return text.toUtf8();
}

// A project with the awkward parts: Nulls, equal names, an unattached component, gaps in the
// sequences, a component of another car's activity, texts that look like code.
qint32 awkwardProject(const store::Store& s)
{
    const QString acme = QStringLiteral("Acme \"Parts\"");
    store::Car car { .Description = QStringLiteral("O'Brien \"Special\""), .make = QStringLiteral("Żuk; DROP TABLE") };
    car.purchaseprice = Money::parse(QStringLiteral("1234.5"));
    const store::Key carid = s.cars.add(car);
    const store::Key phaseid = s.phases.add({ 0, carid, 5, QStringLiteral("Strip") }); // gaps in the sequences stay
    const qint32 jobid
        = s.activities.add({ 0, carid, phaseid, 3, QStringLiteral("Strip"), {}, QDate(2026, 2, 28), {}, 7.5 });
    const store::Key assemblyid = s.assemblies.add({ 0, carid, QStringLiteral("Body") });
    for (const char* name : { "Bolt", "Bolt", "Clip, 10mm" }) {
        const auto job = std::strcmp(name, "Bolt") == 0 ? std::optional<qint32>(jobid) : std::nullopt;
        store::Component c { 0, carid, assemblyid, job, QLatin1String(name), {}, acme, {}, 3,
            Money::parse(QStringLiteral("0.0001")) };
        c.notes = common::splitNotes(QStringLiteral("line one\nline two, with \"quotes\""));
        s.components.add(c);
    }
    s.suppliers.add({ 0, acme, {}, {}, QStringLiteral("Dayton") });
    return carid;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;

private Q_SLOTS:
    void roundTrips_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::newRow("the sample project") << true;
        QTest::newRow("a project with awkward parts") << false;
    }

    // Export, import, export again: the same file but for the keys; into another database too.
    void roundTrips()
    {
        QFETCH(bool, sample);
        auto db = store::Database::open(
            sample ? m_files.copySample(QStringLiteral("a.mdb")) : m_files.createEmpty(QStringLiteral("a.mdb")));
        const store::Store s(*db);
        const qint32 original = sample ? 1 : awkwardProject(s);
        const QByteArray first = exchange::exportProject(s, original);
        const qint64 suppliersBefore = s.suppliers.count();
        const store::Key copy = exchange::importProject(s, first);
        QVERIFY(copy != original);
        QCOMPARE(s.suppliers.count(), suppliersBefore); // suppliers of that name exist already
        QCOMPARE(withoutKeys(exchange::exportProject(s, copy)), withoutKeys(first));

        auto other = store::Database::open(m_files.createEmpty(QStringLiteral("b.mdb")));
        const store::Store t(*other);
        const store::Key imported = exchange::importProject(t, first);
        QCOMPARE(withoutKeys(exchange::exportProject(t, imported)), withoutKeys(first));
        QVERIFY(t.suppliers.count() > 0);
        // Components stay attached to the copies of their activities.
        for (const store::Component& c : t.components.forCar(imported, store::Order::Key)) {
            if (c.isAttached())
                QCOMPARE(t.activities.find(*c.ActivityID)->carid, imported);
        }
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("where"); // named in the refusal
        QTest::addColumn<QString>("found"); // the first text of a good file that matches
        QTest::addColumn<QString>("changed"); // what it is changed to
        // clang-format off
        QTest::newRow("not JSON") << "" << "[\\s\\S]*" << "{ this is not json";
        QTest::newRow("another format") << "format" << "\"format\": \"[^\"]*\"" << "\"format\": \"someone-elses\"";
        QTest::newRow("a newer version") << "version" << "\"version\": 1" << "\"version\": 2";
        QTest::newRow("missing field") << "car.make" << "\"make\": \"[^\n]*\"," << "";
        QTest::newRow("mistyped field") << "car.model" << "\"model\": \"\"" << "\"model\": 7";
        QTest::newRow("bad amount") << "assemblies[0].components[0].targetcost" << "\"targetcost\": \"[^\"]*\"" << "\"targetcost\": \"12,5,,\"";
        QTest::newRow("bad date") << "phases[0].activities[0].targetstartdate" << "\"targetstartdate\": \"2026-02-28\"" << "\"targetstartdate\": \"2026-02-30\"";
        QTest::newRow("no such activity") << "assemblies[0].components[0].activity" << "\"activity\": \\d+" << "\"activity\": 999999";
        QTest::newRow("lone surrogate") << "car.model" << "\"model\": \"\"" << "\"model\": \"Bed \\ud800 kit\"";
        // clang-format on
    }

    // A bad file says where it is wrong and adds nothing at all.
    void refusals()
    {
        QFETCH(QString, where);
        QFETCH(QString, found);
        QFETCH(QString, changed);
        auto db = store::Database::open(m_files.createEmpty(QStringLiteral("c.mdb")));
        const store::Store s(*db);
        QString bad = QString::fromUtf8(exchange::exportProject(s, awkwardProject(s)));
        const QRegularExpressionMatch match = QRegularExpression(found).match(bad);
        QVERIFY(match.hasMatch());
        bad.replace(match.capturedStart(), match.capturedLength(), changed);
        const QStringList before = testing::dumpRows(*db);
        try {
            exchange::importProject(s, bad.toUtf8());
            QFAIL("a bad file was taken");
        } catch (const exchange::ImportError& e) {
            QCOMPARE(e.where(), where);
            QVERIFY(!e.why().isEmpty());
        }
        QCOMPARE(testing::dumpRows(*db), before);
    }

    void csvFormulaTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        // clang-format off
        QTest::newRow("equals") << "=HYPERLINK(\"x\")" << "\"'=HYPERLINK(\"\"x\"\")\"";
        QTest::newRow("plus") << "+1+2" << "'+1+2";
        QTest::newRow("minus, like a number") << "-12.5" << "'-12.5";
        QTest::newRow("at") << "@SUM(A1)" << "'@SUM(A1)";
        QTest::newRow("tab") << "\t=1" << "'\t=1";
        QTest::newRow("carriage return") << "\r=1" << "\"'\r=1\"";
        QTest::newRow("with a comma") << "=1,2" << "\"'=1,2\"";
        QTest::newRow("ordinary, = later") << "Bolt =M8" << "Bolt =M8";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("quotes") << "Acme \"Parts\"" << "\"Acme \"\"Parts\"\"\"";
        // clang-format on
    }

    // A text a spreadsheet would run as a formula is marked as text, quotes are doubled; amounts,
    // negative ones too, stay numbers; the wish list holds only what is wished for.
    void csvFormulaTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        auto db = store::Database::open(m_files.createEmpty(QStringLiteral("e.mdb")));
        const store::Store s(*db);
        const store::Key carid = s.cars.add({ .Description = QStringLiteral("Coupe") });
        const store::Key assembly = s.assemblies.add({ .carid = carid, .Description = typed });
        const store::Key job = s.activities.add({ .carid = carid, .Description = QStringLiteral("Strip") });
        s.components.add({ 0, carid, assembly, job, typed, {}, typed, typed, -2, Money::parse(QStringLiteral("-12.5")),
            Money::parse(QStringLiteral("-0.0001")), 1 });
        s.components.add({ .carid = carid, .assemblyid = assembly, .Description = QStringLiteral("~ not wished") });
        QCOMPARE(QString::fromUtf8(exchange::materialsCsv(s, carid).split('\n').at(1)),
            QStringLiteral("%1,%1,-2,-12.5,25,-0.0001,0.0002,%1,%1,,Strip\r").arg(written));
        const QList<QByteArray> wishes = exchange::wishListCsv(s, carid).split('\n');
        QCOMPARE(wishes.size(), 3); // the header, the one row, the empty end
        QCOMPARE(QString::fromUtf8(wishes.at(1)), QStringLiteral("%1,%1,%1,,-2,-12.5,25\r").arg(written));
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "TestExchange.moc"
