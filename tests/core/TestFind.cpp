// Finding a text in every project's records and the suppliers: case ignored beyond ASCII, notes
// read across their split, wildcards typed as plain characters, the order and the cap.

#include "find/Find.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace store;

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
        s.cars.add(Car { .Description = "Blue Coupé" });
        // "Vergaser" runs from the first notes field into the second.
        s.cars.add(
            Car { .Description = "Red Truck", .notes = common::splitNotes(QString(46, u'n') + " Vergaser ein") });
        s.assemblies.add(Assembly { .carid = 2, .Description = "Engine" });
        s.assemblies.add(Assembly { .carid = 1, .Description = "Engine bay" });
        s.components.add(Component { .carid = 1, .Description = "Ölpumpe", .SupplierName = "Redline" });
        s.components.add(Component { .carid = 2, .Description = "50% rebate kit", .catalogpage = "A_B 7" });
        s.components.add(Component { .carid = 2, .Description = "500 washers", .catalogpage = "AXB 7" });
        s.components.add(Component { .carid = 1, .Description = "Sensor 5 \u212A" }); // the Kelvin sign folds to k
        s.phases.add(Phase { .carid = 2, .Description = "Oil & filters" });
        s.activities.add(Activity { .carid = 2, .Description = "Change ölpumpe seal" });
        s.suppliers.add(Supplier { .Name = "Redline Engine Supply" });
        s.suppliers.add(Supplier { .Name = "ÖL-Handel" });
    }

    // Each hit as "kind project key field", "-" for no project.
    void finds_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList pump { "Component 1 1 Description", "Activity 2 1 Description" };
        QTest::newRow("upper beyond ASCII") << "ÖLPUMPE" << pump;
        QTest::newRow("one letter") << "ö" << pump + QStringList { "Supplier - 2 Name" };
        QTest::newRow("Kelvin sign") << "5 k" << QStringList { "Component 1 4 Description" };
        QTest::newRow("notes across the split") << "vergaser" << QStringList { "Car 2 2 Notes" };
        QTest::newRow("percent") << "50%" << QStringList { "Component 2 2 Description" };
        QTest::newRow("underscore, catalog page") << "a_b" << QStringList { "Component 2 2 Catalog page" };
        QTest::newRow("by project, kind, key; suppliers last")
            << "ENGINE" << QStringList { "Assembly 1 2 Description", "Assembly 2 1 Description", "Supplier - 1 Name" };
        QTest::newRow("supplier") << "redline" << QStringList { "Component 1 1 Supplier", "Supplier - 1 Name" };
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("none") << "%_%" << QStringList();
    }
    void finds()
    {
        QFETCH(QString, text);
        const search::Found found = search::findRecords(*m_db, text);
        QStringList lines;
        for (const search::Hit& h : found.hits)
            lines << QStringLiteral("%1 %2 %3 %4")
                         .arg(search::kindName(h.kind), h.carid ? QString::number(*h.carid) : "-")
                         .arg(h.key)
                         .arg(search::fieldName(h.kind, h.field));
        QTEST(lines, "expected");
        QVERIFY(!found.more);
    }

    // The first `limit` of all hits, and whether more were left.
    void cap()
    {
        const QList<search::Hit> all = search::findRecords(*m_db, "e").hits;
        QCOMPARE(all.size(), 12);
        for (const int limit : { 1, 11, 12, 13 }) {
            const search::Found found = search::findRecords(*m_db, "e", limit);
            QCOMPARE(found.hits, all.mid(0, limit));
            QCOMPARE(found.more, limit < 12);
        }
    }
};

QTEST_GUILESS_MAIN(TestFind)
#include "TestFind.moc"
