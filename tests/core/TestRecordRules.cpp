#include "project/RecordRules.h"

#include <QtTest>

using namespace project;

namespace {

const QDateTime Stamp(QDate(2024, 3, 1), QTime(12, 0));
const QString NoDescription = QStringLiteral("You Have To Enter A Description!");
const QString BadStatus = QStringLiteral("You Have Selected An Invalid 'Status' Code!");
const QString NoStart = QStringLiteral("If You Have A Stop Date You Must Have A Start Date");

// "body" comes after "Body": a typed text takes the first, a pick takes its own.
RelationField relation(const QString& text, std::optional<qint32> picked = std::nullopt)
{
    const QList<store::Entry> entries { { 11, QStringLiteral("Body") }, { 12, QStringLiteral("Engine") },
        { 13, QStringLiteral("body") } };
    return { text, picked, entries };
}

// Boxes written "a|b|c" in the tables.
QStringList boxes(const QString& texts)
{
    return texts.split(QLatin1Char('|'));
}

ComponentFields component(const QString& numbers) // quantity|target|actual
{
    ComponentFields f;
    f.description = QStringLiteral("Brake pads, front axle, left side"); // cut to 30 whatever follows
    f.status = 0;
    f.assembly = relation(QStringLiteral("Engine"), 12);
    const QStringList n = boxes(numbers);
    std::tie(f.quantity, f.targetCost, f.actualCost) = std::tie(n[0], n[1], n[2]);
    return f;
}

// A refusal as the tables write it, "message @ field", marked when the field's text is not selected.
QString shown(const std::optional<Refusal>& refusal)
{
    if (!refusal)
        return {};
    return refusal->message + QStringLiteral(" @ ") + refusal->field
        + (refusal->selectText ? QString() : QStringLiteral(" (focus only)"));
}

QString at(const QString& message, const char* field)
{
    return message + QStringLiteral(" @ ") + QLatin1String(field);
}

} // namespace

class TestRecordRules : public QObject
{
    Q_OBJECT

private slots:
    void namesAndStatus_data();
    void namesAndStatus();
    void carRules_data();
    void carRules();
    void componentRules_data();
    void componentRules();
    void timeRules_data();
    void timeRules();
    void activityRules();
    void builtNumbers_data();
    void builtNumbers();
    void builtNullsAndLinks();
};

// Assemblies, phases and suppliers have only a name (and a status) to check.
void TestRecordRules::namesAndStatus_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("kept"); // as it goes back into its box
    QTest::addColumn<QString>("refusal");
    const QString cut(30, QLatin1Char('a'));
    const QString longer = cut + QLatin1Char('Z');
    const QString emptied = NoDescription + QStringLiteral(" @ %1DisplayDescription (focus only)");
    const QString noName = QStringLiteral("You Have To Enter A Name! @ SupplierDisplayName (focus only)");
    // clang-format off
    QTest::newRow("assembly empty") << "assembly" << "" << -1 << "" << emptied.arg("Assembly");
    QTest::newRow("assembly cut, refused") << "assembly" << longer << -1 << cut << at(BadStatus, "AssemblyStatus");
    QTest::newRow("assembly of 30 passes") << "assembly" << cut << 0 << cut << "";
    QTest::newRow("phase empty") << "phase" << "" << 2 << "" << emptied.arg("Phase");
    QTest::newRow("phase status") << "phase" << longer << -1 << cut << at(BadStatus, "phaseStatus");
    QTest::newRow("supplier empty") << "supplier" << "" << 0 << "" << noName;
    QTest::newRow("supplier cut, record too") << "supplier" << longer << 0 << cut << "";
    // clang-format on
}

void TestRecordRules::namesAndStatus()
{
    QFETCH(QString, kind);
    QFETCH(QString, description);
    QFETCH(int, status);
    Checked<QString> out; // the description as tidied
    if (kind == QLatin1String("assembly")) {
        const auto a = assemblyRecord({ description, status, {}, {} }, {}, 1, Stamp);
        out = { a.fields.description, a.refusal };
    } else if (kind == QLatin1String("phase")) {
        const auto p = phaseRecord({ description, status, {} }, {}, 1, Stamp);
        out = { p.fields.description, p.refusal };
    } else {
        SupplierFields f;
        f.name = description;
        const auto s = supplierRecord(f, {});
        out = { s.fields.name, s.refusal };
        QCOMPARE(s.record ? s.record->Name : QString(), s.refusal ? QString() : s.fields.name);
    }
    QTEST(out.fields, "kept");
    QTEST(shown(out.refusal), "refusal");
}

void TestRecordRules::carRules_data()
{
    QTest::addColumn<QString>("typed"); // description|purchase|resale|budget
    QTest::addColumn<QString>("refusal");
    const QString tooLarge = QStringLiteral("The Amount Is Too Large (At Most $999,999,999)");
    const QString resale = QStringLiteral("The Car Resale Is Not A Number");
    // clang-format off
    QTest::newRow("empty boxes pass") << "Bel Air|||" << "";
    QTest::newRow("description first") << "|abc||" << NoDescription + " @ CarDisplayDescription (focus only)";
    QTest::newRow("cut, then purchase") << "1957 Chevrolet Bel Air Sport Cpe|abc|x|"
                                        << at("The Purchase Price Is Not A Number", "CarPurchasePrice");
    QTest::newRow("resale") << "Bel Air|1|1O|" << at(resale, "CarResaleValue");
    QTest::newRow("lone dollar sign") << "Bel Air|||$" << at("The Car Total Budget Is Not A Number", "CarTotalBudget");
    QTest::newRow("number tests before limits") << "Bel Air|1000000000|abc|" << at(resale, "CarResaleValue");
    QTest::newRow("at the limit") << "Bel Air|$999,999,999|999999999|-999,999,999" << "";
    QTest::newRow("a ten-thousandth over") << "Bel Air|0|999999999.0001|" << at(tooLarge, "CarResaleValue");
    QTest::newRow("negative over") << "Bel Air|||-1,000,000,000" << at(tooLarge, "CarTotalBudget");
    // clang-format on
}

void TestRecordRules::carRules()
{
    QFETCH(QString, typed);
    const QStringList t = boxes(typed);
    const auto out = carRecord({ t[0], t[1], t[2], t[3], {}, {}, {}, {}, {} }, {}, Stamp);
    QTEST(shown(out.refusal), "refusal");
    QCOMPARE(out.record.has_value(), !out.refusal);
    const CarFields& f = out.fields;
    QCOMPARE(QStringList({ f.description, f.purchasePrice, f.resaleValue, f.totalBudget }),
        QStringList({ t[0].left(30), t[1], t[2], t[3] }));
}

void TestRecordRules::componentRules_data()
{
    QTest::addColumn<QString>("typed"); // quantity|target cost|actual cost
    QTest::addColumn<QString>("assembly");
    QTest::addColumn<QString>("activity");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("refusal");
    const QString noCount = at("The Quantity Cannot = 0,  if Cost > 0", "ComponentQuantity");
    const QString countTooLarge = at("The Quantity Is Too Large (At Most 999,999)", "ComponentQuantity");
    const QString tooCostly = QStringLiteral("The %1 Cost Is Too Large (At Most 9,999,999.99) @ Component%1Cost");
    const QString noAssembly = at("Please Select A Valid 'Assembly'", "ComponentAssembly");
    const QString noActivity = at("Please Select A Valid 'Activity'", "ComponentActivity");
    const QString badCount = at("The Quantity Is Not A Number", "ComponentQuantity");
    const QString badActual = at("The Actual Cost Is Not A Number", "ComponentActualCost");
    // clang-format off
    QTest::newRow("empty boxes become 0") << "||" << "Engine" << "" << "0|0|0" << "";
    QTest::newRow("0 kept though refused") << "||" << "Paint" << "" << "0||" << noAssembly;
    QTest::newRow("quantity not numeric") << "12a||" << "Paint" << "" << "12a||" << badCount;
    QTest::newRow("quantity at the limit") << "999,999|1|1" << "Engine" << "" << "999,999|1|1" << "";
    QTest::newRow("quantity just over") << "999999.0001||" << "Engine" << "" << "999999.0001||" << countTooLarge;
    QTest::newRow("relations typed in capitals") << "1|2|3" << "ENGINE" << "BODY" << "1|2|3" << "";
    QTest::newRow("activity naming nothing") << "1||" << "Engine" << "Paint" << "1||" << noActivity;
    QTest::newRow("target 0 kept, actual refused") << "2||abc" << "Engine" << "" << "2|0|abc" << badActual;
    QTest::newRow("costs at the limit") << "1|$9,999,999.99|-9999999.99" << "Engine" << ""
                                        << "1|$9,999,999.99|-9999999.99" << "";
    QTest::newRow("target just over") << "1|9999999.9901|" << "Engine" << "" << "1|9999999.9901|"
                                      << tooCostly.arg("Target");
    QTest::newRow("actual negative over") << "1||-10000000" << "Engine" << "" << "1|0|-10000000"
                                          << tooCostly.arg("Actual");
    QTest::newRow("quantity 0 with a cent") << "|0.01|" << "Engine" << "" << "0|0.01|0" << noCount;
    QTest::newRow("quantity 0.4 counts none") << "0.4||5" << "Engine" << "" << "0.4|0|5" << noCount;
    QTest::newRow("quantity 0.5 counts one") << "0.5|5|" << "Engine" << "" << "0.5|5|0" << "";
    QTest::newRow("a credit needs no quantity") << "0|-5|" << "Engine" << "" << "0|-5|0" << "";
    // clang-format on
}

void TestRecordRules::componentRules()
{
    QFETCH(QString, typed);
    QFETCH(QString, assembly);
    QFETCH(QString, activity);
    ComponentFields f = component(typed);
    f.assembly = relation(assembly);
    f.activity = relation(activity);
    const auto out = componentRecord(f, {}, 1, Stamp);
    QTEST(shown(out.refusal), "refusal");
    const QStringList kept { out.fields.quantity, out.fields.targetCost, out.fields.actualCost };
    QTEST(kept.join(QLatin1Char('|')), "kept");
    QCOMPARE(out.fields.description, QStringLiteral("Brake pads, front axle, left s"));
}

void TestRecordRules::timeRules_data()
{
    QTest::addColumn<QString>("typed"); // target start|stop|effort|actual start|stop|effort
    QTest::addColumn<QString>("efforts"); // as they go back into the boxes
    QTest::addColumn<QString>("refusal");
    const QString tooLarge = QStringLiteral("The Effort Is Too Large (At Most 999,999 Hours) @ Activity%1Effort");
    const QString early = QStringLiteral("The %1 Stop Date Is Before The %1 Start Date @ Activity%1StopDate");
    const QString badTarget = at("The Target Effort Is Not A Number", "ActivityTargetEffort");
    const QString badActual = at("The Actual Effort Is Not A Number", "ActivityActualEffort");
    const QString badDate = QStringLiteral("The %1 Date Is Not A Valid Date '99/99/9999' @ Activity%2Date");
    // clang-format off
    QTest::newRow("all empty") << "|||||" << "0|0" << "";
    QTest::newRow("actual 0 kept, target refused") << "bad||x|||" << "x|0" << badTarget;
    QTest::newRow("efforts at the limit") << "||999,999|||-999999" << "999,999|-999999" << "";
    QTest::newRow("actual effort just over") << "|||||999999.0001" << "0|999999.0001" << tooLarge.arg("Actual");
    QTest::newRow("target effort over first") << "||-1000000|||2000000" << "-1000000|2000000" << tooLarge.arg("Target");
    QTest::newRow("bad target start") << "13/45/2002|||||" << "0|0" << badDate.arg("Target Start", "TargetStart");
    QTest::newRow("stop without start") << "|1/2/2003||||" << "0|0" << at(NoStart, "ActivityTargetStartDate");
    QTest::newRow("target stop a day early") << "1/2/2003|1/1/2003||||" << "0|0" << early.arg("Target");
    QTest::newRow("early in other formats") << "2003-01-02|Jan 1, 2003||||" << "0|0" << early.arg("Target");
    QTest::newRow("same day, across a year end") << "12/31/2002|12/31/02||12/31/2002|1/1/2003|" << "0|0" << "";
    QTest::newRow("target before actual") << "1/2/2003|1/1/2003||bad||" << "0|0" << early.arg("Target");
    QTest::newRow("bad actual stop") << "|||5/1/2003|31/31/2003|" << "0|0" << badDate.arg("Actual Stop", "ActualStop");
    QTest::newRow("actual stop without start") << "||||5/1/2003|" << "0|0" << at(NoStart, "ActivityActualStartDate");
    QTest::newRow("actual stop a day early") << "|||5/2/2003|5/1/2003|" << "0|0" << early.arg("Actual");
    // clang-format on
}

void TestRecordRules::timeRules()
{
    QFETCH(QString, typed);
    const QStringList t = boxes(typed);
    const auto out = checkTimes({ t[0], t[1], t[2], t[3], t[4], t[5] });
    QTEST(out.fields.targetEffort + QLatin1Char('|') + out.fields.actualEffort, "efforts");
    QTEST(shown(out.refusal), "refusal");
}

// The activity tab's own rules come before the shared times, and an empty description is selected.
void TestRecordRules::activityRules()
{
    ActivityFields f;
    f.status = 0;
    f.phase = relation(QStringLiteral("Paint"));
    f.times.targetStart = QStringLiteral("bad");
    QCOMPARE(shown(activityRecord(f, {}, 1, Stamp).refusal), at(NoDescription, "ActivityDisplayDescription"));
    f.description = QStringLiteral("Strip paint");
    const auto out = activityRecord(f, {}, 1, Stamp);
    QCOMPARE(shown(out.refusal), at("Please Select A Valid 'Phase'", "ActivityPhase"));
    QCOMPARE(out.fields.times.targetEffort, QString()); // the times were not reached
    f.phase.text = QStringLiteral("BODY");
    f.times.targetStart.clear();
    const auto built = activityRecord(f, {}, 1, Stamp);
    QVERIFY(built.record);
    QCOMPARE(built.record->PhaseID, 11);
}

void TestRecordRules::builtNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<qint32>("quantity"); // 0: the text is no quantity here
    QTest::addColumn<qint64>("costUnits"); // as a unit cost, in ten-thousandths; Null throws
    QTest::addColumn<qint64>("carUnits"); // as a car amount: whole dollars
    QTest::newRow("empty is 0, not Null") << "" << 0 << qint64(0) << qint64(0);
    QTest::newRow("tenths stay exact") << "0.3" << 0 << qint64(3000) << qint64(0);
    QTest::newRow("half rounds away from zero") << "2.5" << 3 << qint64(25000) << qint64(30000);
    QTest::newRow("negative half") << "-2.5" << -3 << qint64(-25000) << qint64(-30000);
    QTest::newRow("digits a double would blur") << "1234567.8901" << 0 << qint64(12345678901) << qint64(12345680000);
    QTest::newRow("grouped with a dollar sign") << "$1,234.5" << 1235 << qint64(12345000) << qint64(12350000);
}

void TestRecordRules::builtNumbers()
{
    QFETCH(QString, typed);
    QFETCH(qint32, quantity);
    const QString count = quantity ? typed : QStringLiteral("1");
    const QString numbers = QStringList { count, typed, typed }.join(QLatin1Char('|'));
    const auto part = componentRecord(component(numbers), {}, 1, Stamp);
    QVERIFY(part.record);
    QCOMPARE(part.record->quantity, quantity ? quantity : 1);
    QTEST(part.record->targetcost.value().units(), "costUnits");
    QTEST(part.record->actualcost.value().units(), "costUnits");
    const auto car = carRecord({ QStringLiteral("Bel Air"), typed, typed, typed, {}, {}, {}, {}, {} }, {}, Stamp);
    QVERIFY(car.record);
    QTEST(car.record->purchaseprice.value().units(), "carUnits");
    QTEST(car.record->totalbudget.value().units(), "carUnits");
}

void TestRecordRules::builtNullsAndLinks()
{
    // An update keeps its car; an empty activity detaches; empty boxes store 0, not Null.
    store::Component loaded;
    loaded.componentid = 40;
    loaded.carid = 3;
    loaded.ActivityID = 7;
    ComponentFields f = component(QStringLiteral("||"));
    auto out = componentRecord(f, loaded, 5, Stamp);
    QVERIFY(out.record);
    QCOMPARE(out.record->carid, 3);
    QCOMPARE(out.record->ActivityID, std::nullopt);
    QCOMPARE(out.record->wishlist, 0);
    QCOMPARE(out.record->quantity, 0);
    // A new one joins the car and takes the picked activity.
    f.activity = relation(QStringLiteral("body"), 13);
    out = componentRecord(f, {}, 5, Stamp);
    QCOMPARE(out.record->carid, 5);
    QCOMPARE(out.record->ActivityID, 13);

    // Empty dates are Null; efforts, once tidied to 0, are 0.
    TimeFields times;
    times.targetStart = QStringLiteral("12/31/02");
    store::Activity activity;
    applyTimes(checkTimes(times).fields, activity);
    QCOMPARE(activity.targetstartdate, QDate(2002, 12, 31));
    QVERIFY(activity.targetstopdate.isNull());
    QCOMPARE(activity.targeteffort, 0.0);
    QCOMPARE(activity.actualeffort, 0.0);
}

QTEST_GUILESS_MAIN(TestRecordRules)
#include "TestRecordRules.moc"
