// A car's records held in memory must list, order and cascade exactly as the database does.

#include "project/ProjectRecords.h"
#include "project/ProjectTreeModel.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QtTest>

using project::Kind;

class TestProjectModel : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<store::Store> m_store;
    qint32 m_car = 0;
    qint32 m_assembly = 0;

    qint32 addComponent(const QString& description, std::optional<qint32> activity = {})
    {
        store::Component c;
        c.carid = m_car;
        c.assemblyid = m_assembly;
        c.Description = description;
        c.ActivityID = activity;
        return m_store->components.add(c);
    }

    qint32 addPhase(const QString& description, std::optional<qint32> sequence)
    {
        store::Phase p;
        p.carid = m_car;
        p.Description = description;
        p.prioritysequence = sequence;
        return m_store->phases.add(p);
    }

private Q_SLOTS:
    void init()
    {
        m_store.reset();
        m_db.reset();
        m_db = store::Database::open(m_files.createEmpty());
        m_store = std::make_unique<store::Store>(*m_db);
        store::Car car;
        car.Description = QStringLiteral("Roadster");
        m_car = m_store->cars.add(car);
        store::Assembly a;
        a.carid = m_car;
        a.Description = QStringLiteral("Body");
        m_assembly = m_store->assemblies.add(a);
    }

    // The pick lists come from memory: any difference from ORDER BY Description would put entries
    // in another place than before, and a rename must move the entry where a new read puts it.
    void descriptionOrder_data()
    {
        QTest::addColumn<QStringList>("descriptions");
        QTest::newRow("case") << QStringList { "b", "A", "a", "B", "ab", "Ab", "aB" };
        QTest::newRow("beyond ascii") << QStringList { "Ölpumpe", "ölpumpe", "oil", "Zahnrad", "éclair", "Éclair",
            "ß" };
        QTest::newRow("empty and duplicates") << QStringList { "", "x", "", "x", "X", " x" };
        QTest::newRow("outside the basic plane") << QStringList { "\U0001F697 car", "\uFFFD", "\uE000", "~", "z" };
    }
    void descriptionOrder()
    {
        QFETCH(QStringList, descriptions);
        QList<qint32> keys;
        for (const QString& d : descriptions)
            keys << addComponent(d);
        project::ProjectRecords records(*m_store, m_car);
        QCOMPARE(records.componentEntries(), m_store->components.entriesForCar(m_car));

        // Renamed in memory and in the store: both place it alike.
        store::Component renamed = *records.component(keys.first());
        renamed.Description = descriptions.last() + QStringLiteral("a");
        m_store->components.change(renamed);
        records.put(renamed);
        QCOMPARE(records.componentEntries(), m_store->components.entriesForCar(m_car));
    }

    // Phases show by priority sequence (a Null first, ties by key) and list by description.
    void sequenceOrder()
    {
        addPhase(QStringLiteral("Paint"), 2);
        addPhase(QStringLiteral("body"), std::nullopt);
        addPhase(QStringLiteral("Axle"), 1);
        const qint32 moved = addPhase(QStringLiteral("Chrome"), 2);
        project::ProjectRecords records(*m_store, m_car);
        const auto keysOf = [](const QList<store::Phase>& rows) {
            QList<qint32> k;
            for (const store::Phase& p : rows)
                k << p.PhaseID;
            return k;
        };
        QCOMPARE(keysOf(records.phases()), keysOf(m_store->phases.forCar(m_car, store::Order::Sequence)));
        QCOMPARE(records.phaseEntries(), m_store->phases.entriesForCar(m_car));

        store::Phase p = *records.phase(moved);
        p.prioritysequence = 0;
        m_store->phases.change(p);
        records.put(p);
        QCOMPARE(keysOf(records.phases()), keysOf(m_store->phases.forCar(m_car, store::Order::Sequence)));
    }

    // Deletes in memory follow the store's cascades; another car's rows never enter.
    void cascades()
    {
        const qint32 phase = addPhase(QStringLiteral("Frame"), 1);
        store::Activity a;
        a.carid = m_car;
        a.PhaseID = phase;
        a.Description = QStringLiteral("Blast");
        const qint32 activity = m_store->activities.add(a);
        const qint32 attached = addComponent(QStringLiteral("Bracket"), activity);
        project::ProjectRecords records(*m_store, m_car);

        store::Component stranger = *records.component(attached);
        stranger.carid = m_car + 1;
        stranger.componentid = 999;
        records.put(stranger);
        QVERIFY(!records.component(999));

        records.removePhase(phase);
        m_store->deletePhase(phase);
        QVERIFY(!records.activity(activity));
        QVERIFY(!records.component(attached)->isAttached());
        QCOMPARE(m_store->components.find(attached)->isAttached(), false);

        records.removeAssembly(m_assembly);
        QVERIFY(records.components().isEmpty());
    }

    // Every record once under its owner, found again by kind and key; orphans are not shown.
    void treeNodes()
    {
        addComponent(QStringLiteral("Hinge"));
        const qint32 orphan = addComponent(QStringLiteral("Lost"));
        store::Component c = *m_store->components.find(orphan);
        c.assemblyid = 4711;
        m_store->components.change(c);

        project::ProjectRecords records(*m_store, m_car);
        project::ProjectTreeModel tree(project::ProjectTreeModel::Tree::Materials);
        tree.rebuild(m_car, QStringLiteral("Roadster"), records);
        const QModelIndex car = tree.index(0, 0, tree.index(0, 0));
        QCOMPARE(car.data().toString(), QStringLiteral("CAR: Roadster"));
        QCOMPARE(tree.rowCount(car), 1);
        const QModelIndex body = tree.indexOf(Kind::Assembly, m_assembly);
        QCOMPARE(body.parent(), car);
        QCOMPARE(tree.rowCount(body), 1);
        QCOMPARE(body.data(project::KeyRole).toInt(), m_assembly);
        QCOMPARE(body.data(project::KindRole).toInt(), int(Kind::Assembly));
        QVERIFY(!tree.indexOf(Kind::Component, orphan).isValid());
        QVERIFY(!tree.index(0, 0).data(project::KindRole).isValid());

        // The node marked before goes back to black on white.
        tree.setMarkColours(Qt::blue, Qt::white);
        tree.mark(body);
        QCOMPARE(body.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::blue));
        tree.mark(car);
        QCOMPARE(body.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QCOMPARE(body.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));

        // The same rows again reset nothing and keep the mark; a renamed record resets the tree.
        QSignalSpy resets(&tree, &QAbstractItemModel::modelReset);
        QVERIFY(!tree.rebuild(m_car, QStringLiteral("Roadster"), records));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(car.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(tree.rebuild(m_car, QStringLiteral("Roadster II"), records));
        QCOMPARE(resets.count(), 1);

        QVERIFY(tree.rebuild(0, QString(), records));
        QCOMPARE(tree.rowCount(), 0);
        QVERIFY(!tree.rebuild(0, QString(), records));
    }
};

QTEST_MAIN(TestProjectModel)
#include "TestProjectModel.moc"
