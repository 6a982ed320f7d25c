#include "project/RecordRules.h"

#include <QtTest>

using namespace project;
using namespace Qt::StringLiterals;

namespace {

const QDateTime Stamp(QDate(2024, 3, 1), QTime(12, 0));

// "body" comes after "Body": a typed text takes the first, a pick takes its own.
RelationField relation(const QString& text, std::optional<store::Key> picked = std::nullopt)
{
    return { text, picked, { { 11, u"Body"_s }, { 12, u"Engine"_s }, { 13, u"body"_s } } };
}

ComponentFields component(const QString& numbers) // boxes "quantity|target|actual"
{
    const QStringList n = numbers.split(u'|');
    ComponentFields f { .description = u"Brake pads, front axle, left side"_s, .status = 0 };
    f.assembly = relation(u"Engine"_s, 12);
    std::tie(f.quantity, f.targetCost, f.actualCost) = std::tie(n[0], n[1], n[2]);
    return f;
}

// A refusal against "words@field" (a '*' after the field: its text is not selected); empty for none.
void compareRefusal(const std::optional<Refusal>& refusal, const QString& expected)
{
    QCOMPARE(refusal.has_value(), !expected.isEmpty());
    if (!refusal)
        return;
    const QStringList parts = expected.split(u'@');
    QVERIFY2(refusal->message.contains(parts[0]), qPrintable(refusal->message));
    QCOMPARE(refusal->field + (refusal->selectText ? u""_s : u"*"_s), parts[1]);
}

} // namespace

class TestRecordRules : public QObject
{
    Q_OBJECT

private slots:
    // Assemblies, phases and suppliers: a name is needed and cut to 30, a status must be chosen.
    void namesAndStatus()
    {
        const QString longer = QString(30, u'a') + u'Z';
        compareRefusal(
            assemblyRecord({ QString(), 0 }, {}, 1, Stamp).refusal, u"Description@AssemblyDisplayDescription*"_s);
        const auto assembly = assemblyRecord({ longer, -1 }, {}, 1, Stamp);
        QCOMPARE(assembly.fields.description, longer.left(30)); // cut even though refused
        compareRefusal(assembly.refusal, u"Invalid 'Status'@AssemblyStatus"_s);
        compareRefusal(phaseRecord({ longer, -1 }, {}, 1, Stamp).refusal, u"Invalid 'Status'@phaseStatus"_s);
        compareRefusal(phaseRecord({ QString(), 2 }, {}, 1, Stamp).refusal, u"Description@PhaseDisplayDescription*"_s);
        compareRefusal(supplierRecord({}, {}).refusal, u"Name@SupplierDisplayName*"_s);
        QCOMPARE(supplierRecord({ .name = longer }, {}).record->Name, longer.left(30));
    }

    void carRules_data()
    {
        QTest::addColumn<QString>("typed"); // description|purchase|resale|budget
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("description first") << "|abc||" << "Description@CarDisplayDescription*";
        QTest::newRow("cut, then purchase") << "1957 Chevrolet Bel Air Sport Cpe|abc|x|" << "Not A Number@CarPurchasePrice";
        QTest::newRow("lone dollar sign") << "Bel Air|||$" << "Not A Number@CarTotalBudget";
        QTest::newRow("at the limit") << "Bel Air|$999,999,999|999999999|-999,999,999" << "";
        QTest::newRow("a ten-thousandth over") << "Bel Air|0|999999999.0001|" << "Too Large@CarResaleValue";
        QTest::newRow("negative over") << "Bel Air|||-1,000,000,000" << "Too Large@CarTotalBudget";
        // clang-format on
    }
    void carRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        const QStringList t = typed.split(u'|');
        const auto out = carRecord({ t[0], t[1], t[2], t[3] }, {}, Stamp);
        compareRefusal(out.refusal, refusal);
        QCOMPARE(out.record.has_value(), !out.refusal);
        const CarFields& f = out.fields;
        QCOMPARE(QStringList({ f.description, f.purchasePrice, f.resaleValue, f.totalBudget }),
            QStringList({ t[0].left(30), t[1], t[2], t[3] }));
    }

    void componentRules_data()
    {
        QTest::addColumn<QString>("typed"); // quantity|target cost|actual cost
        QTest::addColumn<QString>("assembly");
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("empty boxes become 0") << "||" << "Engine" << "" << "0|0|0" << "";
        QTest::newRow("0 kept though refused") << "||" << "Paint" << "" << "0||" << "Valid 'Assembly'@ComponentAssembly";
        QTest::newRow("quantity at the limit") << "999,999|1|1" << "Engine" << "" << "999,999|1|1" << "";
        QTest::newRow("quantity just over") << "999999.0001||" << "Engine" << "" << "999999.0001||" << "Too Large@ComponentQuantity";
        QTest::newRow("activity naming nothing") << "1||" << "Engine" << "Paint" << "1||" << "Valid 'Activity'@ComponentActivity";
        QTest::newRow("target 0 kept, actual refused") << "2||abc" << "Engine" << "" << "2|0|abc" << "Not A Number@ComponentActualCost";
        QTest::newRow("costs at the limit") << "1|$9,999,999.99|-9999999.99" << "Engine" << "" << "1|$9,999,999.99|-9999999.99" << "";
        QTest::newRow("target just over") << "1|9999999.9901|" << "Engine" << "" << "1|9999999.9901|" << "Too Large@ComponentTargetCost";
        QTest::newRow("actual negative over") << "1||-10000000" << "Engine" << "" << "1|0|-10000000" << "Too Large@ComponentActualCost";
        QTest::newRow("quantity 0.4 counts none") << "0.4||5" << "Engine" << "" << "0.4|0|5" << "Cannot = 0@ComponentQuantity";
        QTest::newRow("quantity 0.5 counts one") << "0.5|5|" << "Engine" << "" << "0.5|5|0" << "";
        QTest::newRow("a credit needs no quantity") << "0|-5|" << "Engine" << "" << "0|-5|0" << "";
        // clang-format on
    }
    void componentRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, assembly);
        QFETCH(QString, activity);
        QFETCH(QString, refusal);
        ComponentFields f = component(typed);
        f.assembly = relation(assembly);
        f.activity = relation(activity);
        const auto out = componentRecord(f, {}, 1, Stamp);
        compareRefusal(out.refusal, refusal);
        QTEST(QStringList({ out.fields.quantity, out.fields.targetCost, out.fields.actualCost }).join(u'|'), "kept");
        QCOMPARE(out.fields.description, u"Brake pads, front axle, left s"_s);
    }

    void timeRules_data()
    {
        QTest::addColumn<QString>("typed"); // target start|stop|effort|actual start|stop|effort
        QTest::addColumn<QString>("efforts"); // as they go back into the boxes
        QTest::addColumn<QString>("refusal");
        const QString early = u"Stop Date Is Before The %1 Start Date@Activity%1StopDate"_s;
        // clang-format off
        QTest::newRow("all empty") << "|||||" << "0|0" << "";
        QTest::newRow("actual 0 kept, target refused") << "bad||x|||" << "x|0" << "Not A Number@ActivityTargetEffort";
        QTest::newRow("efforts at the limit") << "||999,999|||-999999" << "999,999|-999999" << "";
        QTest::newRow("target effort over first") << "||-1000000|||2000000" << "-1000000|2000000" << "Too Large@ActivityTargetEffort";
        QTest::newRow("bad target start") << "13/45/2002|||||" << "0|0" << "Not A Valid Date@ActivityTargetStartDate";
        QTest::newRow("stop without start") << "|1/2/2003||||" << "0|0" << "Must Have A Start Date@ActivityTargetStartDate";
        QTest::newRow("target stop a day early") << "1/2/2003|1/1/2003||||" << "0|0" << early.arg("Target");
        QTest::newRow("same day, across a year end") << "12/31/2002|12/31/02||12/31/2002|1/1/2003|" << "0|0" << "";
        QTest::newRow("actual stop a day early") << "|||5/2/2003|5/1/2003|" << "0|0" << early.arg("Actual");
        // clang-format on
    }
    void timeRules()
    {
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        const QStringList t = typed.split(u'|');
        const auto out = checkTimes({ t[0], t[1], t[2], t[3], t[4], t[5] });
        QTEST(out.fields.targetEffort + u'|' + out.fields.actualEffort, "efforts");
        compareRefusal(out.refusal, refusal);
    }

    // The activity tab's own rules come before the shared times, and an empty description is selected.
    void activityRules()
    {
        ActivityFields f { .status = 0, .phase = relation(u"Paint"_s), .times = { .targetStart = u"bad"_s } };
        compareRefusal(activityRecord(f, {}, 1, Stamp).refusal, u"Description@ActivityDisplayDescription"_s);
        f.description = u"Strip paint"_s;
        const auto out = activityRecord(f, {}, 1, Stamp);
        compareRefusal(out.refusal, u"Valid 'Phase'@ActivityPhase"_s);
        QCOMPARE(out.fields.times.targetEffort, QString()); // the times were not reached
        f.phase.text = u"BODY"_s;
        f.times.targetStart.clear();
        QCOMPARE(activityRecord(f, {}, 1, Stamp).record->PhaseID, 11);
    }

    void builtNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint32>("quantity"); // 0: the text is no quantity here
        QTest::addColumn<qint64>("costUnits"); // as a unit cost, in ten-thousandths
        QTest::addColumn<qint64>("carUnits"); // as a car amount: whole dollars
        QTest::newRow("empty is 0, not Null") << "" << 0 << qint64(0) << qint64(0);
        QTest::newRow("half rounds away from zero") << "2.5" << 3 << qint64(25000) << qint64(30000);
        QTest::newRow("digits a double would blur")
            << "1234567.8901" << 0 << qint64(12345678901) << qint64(12345680000);
        QTest::newRow("grouped with a dollar sign") << "$1,234.5" << 1235 << qint64(12345000) << qint64(12350000);
    }
    void builtNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(qint32, quantity);
        const QString count = quantity ? typed : u"1"_s;
        const auto part = componentRecord(component(QStringList { count, typed, typed }.join(u'|')), {}, 1, Stamp);
        QVERIFY(part.record);
        QCOMPARE(part.record->quantity, quantity ? quantity : 1);
        QTEST(part.record->targetcost.value().units(), "costUnits");
        QTEST(part.record->actualcost.value().units(), "costUnits");
        const auto car = carRecord({ u"Bel Air"_s, typed, typed, typed }, {}, Stamp);
        QVERIFY(car.record);
        QTEST(car.record->purchaseprice.value().units(), "carUnits");
        QTEST(car.record->totalbudget.value().units(), "carUnits");
    }

    // An update keeps its car and an empty activity detaches; a new one joins the car and takes the
    // picked activity (not the first of its name); empty boxes store 0, not Null.
    void builtNullsAndLinks()
    {
        const store::Component loaded { .componentid = 40, .carid = 3, .ActivityID = 7 };
        ComponentFields f = component(u"||"_s);
        auto out = componentRecord(f, loaded, 5, Stamp);
        QVERIFY(out.record->carid == 3 && !out.record->ActivityID);
        QVERIFY(out.record->wishlist == 0 && out.record->quantity == 0);
        f.activity = relation(u"body"_s, 13);
        out = componentRecord(f, {}, 5, Stamp);
        QVERIFY(out.record->carid == 5 && out.record->ActivityID == 13);
        // Empty dates are Null; efforts, once tidied to 0, are 0.
        store::Activity activity;
        applyTimes(checkTimes({ .targetStart = u"12/31/02"_s }).fields, activity);
        QCOMPARE(activity.targetstartdate, QDate(2002, 12, 31));
        QVERIFY(activity.targetstopdate.isNull());
        QCOMPARE(activity.targeteffort, 0.0);
        QCOMPARE(activity.actualeffort, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestRecordRules)
#include "TestRecordRules.moc"
