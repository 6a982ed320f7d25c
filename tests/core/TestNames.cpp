#include "common/Names.h"
#include "common/Notes.h"
#include "project/ProjectRecords.h"
#include "project/RecordRules.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using namespace store;

namespace {

QStringList texts(const QList<Entry>& entries)
{
    QStringList t;
    for (const Entry& e : entries)
        t << e.text;
    return t;
}

} // namespace

// Names typed in any case find the same record in the store's look-ups and in the lists, for
// letters beyond ASCII too, and every list by name comes in the same order.
class TestNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Limits count characters as JSON Schema does: an emoji (two UTF-16 units) is one, and no cut
    // leaves half of one behind.
    void limitsCountCodePoints()
    {
        const QString car = QStringLiteral("\U0001F697");
        QCOMPARE(common::codePointCount(car.repeated(16)), 16);
        const auto built = project::carRecord({ .description = QStringLiteral("x") + car.repeated(30) }, {}, {});
        QCOMPARE(built.fields.description, QStringLiteral("x") + car.repeated(29));
        const common::NoteParts parts = common::splitNotes(QStringLiteral("x") + car.repeated(160));
        QCOMPARE(parts[0], QStringLiteral("x") + car.repeated(49));
        QCOMPARE(parts[1], car.repeated(50));
        QCOMPARE(parts[2], car.repeated(50));
    }

    void caseIgnoredForEveryLetter_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");
        // clang-format off
        QTest::newRow("umlaut") << "Ölpumpe" << "ölpumpe" << 0;
        QTest::newRow("greek") << "ΣΕΛΛΑ" << "σελλα" << 0;
        QTest::newRow("different") << "Ölpumpe" << "Ölfilter" << 1;
        QTest::newRow("empty first") << "" << "A" << -1;
        QTest::newRow("punctuation as NOCASE") << "_x" << "Ax" << -1;
        // clang-format on
    }

    void caseIgnoredForEveryLetter()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const int got = common::compareNames(a, b);
        QCOMPARE((got > 0) - (got < 0), order);
        QCOMPARE((common::compareNames(b, a) > 0) - (common::compareNames(b, a) < 0), -order);
    }

    void sameAnswerEverywhere()
    {
        testing::TestDatabase t;
        auto db = Database::open(t.createEmpty());
        const Store s(*db);
        const store::Key carid = s.cars.add({ .Description = QStringLiteral("Käfer") });
        QMap<QString, qint32> keys;
        for (const char* name : { "Zündkerze", "ölpumpe", "Anlasser", "Ölpumpe", "zahnrad", "" })
            keys.insert(
                QString::fromUtf8(name), s.assemblies.add({ .carid = carid, .Description = QString::fromUtf8(name) }));
        const store::Key shopKey = s.suppliers.add({ .Name = QStringLiteral("Öl-Shop Müller") });

        // The store's list, the lists kept in memory and a look-up agree; ties go by key.
        const QList<Entry> stored = s.assemblies.entriesForCar(carid);
        QCOMPARE(texts(stored),
            QStringList(
                { "", "Anlasser", "zahnrad", "Zündkerze", QStringLiteral("ölpumpe"), QStringLiteral("Ölpumpe") }));
        QCOMPARE(project::ProjectRecords(s, carid).assemblyEntries(), stored);
        QStringList rows;
        for (const Assembly& a : s.assemblies.forCar(carid, Order::Description))
            rows << a.Description;
        QCOMPARE(rows, texts(stored));
        QCOMPARE(s.assemblies.seekForCar(carid, QStringLiteral("ÖLPUMPE"))->assemblyid,
            keys.value(QStringLiteral("ölpumpe")));
        QCOMPARE(s.suppliers.seek(QStringLiteral("öl-shop müller"))->supplierid, shopKey);
        QVERIFY(!s.suppliers.seek(QStringLiteral("Öl-Shop")));

        // A name typed rather than picked finds the first of the list's entries with that name.
        QCOMPARE(project::relationKey({ QStringLiteral("ÖLPUMPE"), std::nullopt, stored }),
            std::optional<qint32>(keys.value(QStringLiteral("ölpumpe"))));
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "TestNames.moc"
