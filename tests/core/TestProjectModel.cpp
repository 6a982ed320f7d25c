// A car's records held in memory must list, order and cascade exactly as the database does.

#include "project/ProjectRecords.h"
#include "project/ProjectTreeModel.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QSignalSpy>
#include <QtTest>

using project::Kind;
using namespace Qt::StringLiterals;

class TestProjectModel : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    std::unique_ptr<store::Database> m_db;
    std::unique_ptr<store::Store> m_store;
    store::Key m_car = 0;
    qint32 m_assembly = 0;

    qint32 addComponent(const QString& description, std::optional<store::Key> activity = {})
    {
        return m_store->components.add(
            { .carid = m_car, .assemblyid = m_assembly, .ActivityID = activity, .Description = description });
    }

private Q_SLOTS:
    void init()
    {
        m_store.reset();
        m_db.reset();
        m_db = store::Database::open(m_files.createEmpty());
        m_store = std::make_unique<store::Store>(*m_db);
        m_car = m_store->cars.add({ .Description = u"Roadster"_s });
        m_assembly = m_store->assemblies.add({ .carid = m_car, .Description = u"Body"_s });
    }

    // The pick lists come from memory in ORDER BY Description's order (case and ties: the names test),
    // past the basic plane and after a rename too.
    void descriptionOrder()
    {
        const QStringList descriptions { "\U0001F697 car", "\uFFFD", "\uE000", "~", "x", "", "X", "x", " x" };
        QList<store::Key> keys;
        for (const QString& d : descriptions)
            keys << addComponent(d);
        project::ProjectRecords records(*m_store, m_car);
        QCOMPARE(records.componentEntries(), m_store->components.entriesForCar(m_car));
        store::Component renamed = *records.component(keys.first());
        renamed.Description = descriptions.last() + u"a"_s;
        m_store->components.change(renamed);
        records.put(renamed);
        QCOMPARE(records.componentEntries(), m_store->components.entriesForCar(m_car));
    }

    // Phases show by priority sequence (a Null first, ties by key), also after a change.
    void sequenceOrder()
    {
        QList<store::Key> keys;
        for (const std::optional<qint32> sequence : std::initializer_list<std::optional<qint32>> { 2, {}, 1, 2 })
            keys << m_store->phases.add({ .carid = m_car, .prioritysequence = sequence, .Description = u"P"_s });
        project::ProjectRecords records(*m_store, m_car);
        const auto same = [&] {
            QList<store::Key> memory, file;
            for (const store::Phase& p : records.phases())
                memory << p.PhaseID;
            for (const store::Phase& p : m_store->phases.forCar(m_car, store::Order::Sequence))
                file << p.PhaseID;
            return memory == file;
        };
        QVERIFY(same());
        store::Phase p = *records.phase(keys.last());
        p.prioritysequence = 0;
        m_store->phases.change(p);
        records.put(p);
        QVERIFY(same());
    }

    // Deletes in memory follow the store's cascades; another car's rows never enter.
    void cascades()
    {
        const store::Key phase = m_store->phases.add({ .carid = m_car, .prioritysequence = 1 });
        const store::Key activity = m_store->activities.add({ .carid = m_car, .PhaseID = phase });
        const qint32 attached = addComponent(u"Bracket"_s, activity);
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
        QVERIFY(!m_store->components.find(attached)->isAttached());
        records.removeAssembly(m_assembly);
        QVERIFY(records.components().isEmpty());
    }

    // A record sits under its owner and is found again by kind and key; orphans are not shown; the
    // tree is rebuilt only when what it shows changed, and only one node is marked.
    void treeNodes()
    {
        addComponent(u"Hinge"_s);
        const store::Key orphan = m_store->components.add({ .carid = m_car, .assemblyid = 4711 });
        project::ProjectRecords records(*m_store, m_car);
        project::ProjectTreeModel tree(project::ProjectTreeModel::Tree::Materials);
        tree.rebuild(m_car, u"Roadster"_s, records);
        const QModelIndex car = tree.index(0, 0, tree.index(0, 0));
        const QModelIndex body = tree.indexOf(Kind::Assembly, m_assembly);
        QCOMPARE(body.parent(), car);
        QCOMPARE(tree.rowCount(body), 1);
        QVERIFY(!tree.indexOf(Kind::Component, orphan).isValid());

        tree.setMarkColours(Qt::blue, Qt::white);
        tree.mark(body);
        tree.mark(car);
        QCOMPARE(body.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
        QSignalSpy resets(&tree, &QAbstractItemModel::modelReset);
        QVERIFY(!tree.rebuild(m_car, u"Roadster"_s, records));
        QCOMPARE(car.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::blue));
        QVERIFY(tree.rebuild(m_car, u"Roadster II"_s, records));
        QCOMPARE(resets.count(), 1);
    }
};

QTEST_MAIN(TestProjectModel)
#include "TestProjectModel.moc"
