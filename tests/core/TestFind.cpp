// Finding a text in every project's records and the suppliers: case ignored beyond ASCII, notes
// read across their split, wildcards typed as plain characters, the order and the cap.

#include "find/Find.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace store;

namespace {

Component part(
    Key carid, Key assemblyid, const QString& description, const QString& catalog = {}, const QString& supplier = {})
{
    return Component { .carid = carid,
        .assemblyid = assemblyid,
        .Description = description,
        .SupplierName = supplier,
        .catalogpage = catalog };
}

// "Kind project key field" a hit, "-" for no project.
QStringList described(const QList<search::Hit>& hits)
{
    QStringList lines;
    for (const search::Hit& h : hits)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(search::kindName(h.kind), h.carid ? QString::number(*h.carid) : QStringLiteral("-"))
                     .arg(h.key)
                     .arg(search::fieldName(h.kind, h.field));
    return lines;
}

} // namespace

class TestFind : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<Database> m_db;

private Q_SLOTS:
    void initTestCase()
    {
        m_db = Database::open(m_files.createEmpty());
        const Store s(*m_db);
        s.cars.add(Car { .Description = QStringLiteral("Blue Coupé") });
        // "Vergaser" runs from the first notes field into the second.
        s.cars.add(Car { .Description = QStringLiteral("Red Truck"),
            .notes = common::splitNotes(QString(46, u'n') + QStringLiteral(" Vergaser einstellen")) });
        s.assemblies.add(Assembly { .carid = 2, .Description = QStringLiteral("Engine") });
        s.assemblies.add(Assembly { .carid = 1, .Description = QStringLiteral("Engine bay") });
        s.components.add(part(1, 2, QStringLiteral("Ölpumpe"), QStringLiteral("P-12"), QStringLiteral("Redline")));
        s.components.add(part(2, 1, QStringLiteral("50% rebate kit"), QStringLiteral("A_B 7")));
        s.components.add(part(2, 1, QStringLiteral("500 washers"), QStringLiteral("AXB 7")));
        s.components.add(part(1, 2, QStringLiteral("Sensor 5 \u212A"))); // the Kelvin sign folds to k
        s.components.add(part(1, 2, QStringLiteral("Mirror L\\R")));
        s.phases.add(Phase { .carid = 2, .Description = QStringLiteral("Oil & filters") });
        s.activities.add(Activity { .carid = 2, .PhaseID = 1, .Description = QStringLiteral("Change ölpumpe seal") });
        s.suppliers.add(Supplier { .Name = QStringLiteral("Redline Engine Supply") });
        s.suppliers.add(Supplier { .Name = QStringLiteral("ÖL-Handel") });
    }
    void cleanupTestCase() { m_db.reset(); }

    void finds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList pump { "Component 1 1 Description", "Activity 2 1 Description" };
        QTest::newRow("upper beyond ASCII") << "ÖLPUMPE" << pump;
        QTest::newRow("lower beyond ASCII") << "ölpumpe" << pump;
        QTest::newRow("one letter") << "ö" << pump + QStringList { "Supplier - 2 Name" };
        QTest::newRow("Kelvin sign") << "5 k" << QStringList { "Component 1 4 Description" };
        QTest::newRow("notes across the split") << "vergaser" << QStringList { "Car 2 2 Notes" };
        QTest::newRow("percent") << "50%" << QStringList { "Component 2 2 Description" };
        QTest::newRow("underscore") << "a_b" << QStringList { "Component 2 2 Catalog page" };
        QTest::newRow("backslash") << "l\\r" << QStringList { "Component 1 5 Description" };
        QTest::newRow("catalog page") << "p-12" << QStringList { "Component 1 1 Catalog page" };
        // By project, then kind, then key; suppliers last.
        QTest::newRow("order") << "ENGINE"
                               << QStringList { "Assembly 1 2 Description", "Assembly 2 1 Description",
                                      "Supplier - 1 Name" };
        QTest::newRow("supplier") << "redline" << QStringList { "Component 1 1 Supplier", "Supplier - 1 Name" };
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("none") << "%_%" << QStringList();
    }
    void finds()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const search::Found found = search::findRecords(*m_db, text);
        QCOMPARE(described(found.hits), expected);
        QVERIFY(!found.more);
    }

    // The first `limit` of all hits, and whether more were left.
    void cap_data()
    {
        QTest::addColumn<int>("offset"); // limit less the number of all hits
        QTest::newRow("one less") << -1;
        QTest::newRow("exact") << 0;
        QTest::newRow("one more") << 1;
        QTest::newRow("just one") << -100;
    }
    void cap()
    {
        QFETCH(int, offset);
        const QList<search::Hit> all = search::findRecords(*m_db, QStringLiteral("e")).hits;
        QCOMPARE(all.size(), 12);
        const int limit = qMax(1, int(all.size()) + offset);
        const search::Found found = search::findRecords(*m_db, QStringLiteral("e"), limit);
        QCOMPARE(found.hits, all.mid(0, limit));
        QCOMPARE(found.more, limit < all.size());
        QCOMPARE(found.hits.first().text, QStringLiteral("Blue Coupé"));
    }
};

QTEST_GUILESS_MAIN(TestFind)
#include "TestFind.moc"
