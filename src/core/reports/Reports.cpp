#include "reports/Reports.h"

#include "common/Formats.h"
#include "common/Status.h"
#include "common/Totals.h"
#include "store/Store.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace reports {

namespace {

using common::Money;
using common::MoneyTotal;

QString money(Money value, const char* pattern)
{
    return common::formatNumber(value, QLatin1String(pattern));
}

QString money(const MoneyTotal& total, const char* pattern)
{
    return common::formatTotal(total, QLatin1String(pattern));
}

QString whole(qint64 value, const char* pattern)
{
    return common::formatNumber(value, QLatin1String(pattern));
}

QString hours(qint64 value, const char* pattern)
{
    return common::formatHours(value, QLatin1String(pattern));
}

QString date(const QDate& d)
{
    return common::formatDate(d);
}

// Unit cost times quantity; a missing factor makes the line 0.
MoneyTotal lineCost(const std::optional<Money>& unit, const std::optional<qint32>& quantity)
{
    return MoneyTotal::line(unit, quantity);
}

// Lines 1 to 3 of every page: date, title and page; the project; an empty line.
void frameHeading(ReportWriter& w, const ReportRequest& r, const char* title, int titleColumn, int pageColumn,
                  QList<Item> projectLine = {})
{
    w.setBold(true);
    w.line({ { 0, QStringLiteral("Date:      ") + common::formatDate(r.today, common::DateForm::MmDdYyyy) },
             { titleColumn, QLatin1String(title) },
             { pageColumn, QStringLiteral("Page:  ") + QString::number(w.pageNumber()) } });
    projectLine.prepend({ 0, QStringLiteral("Project:  ") + r.projectName });
    w.line(projectLine);
    w.line();
}

QString rule(int length)
{
    return QString(length, QLatin1Char('-'));
}

template <class Rec> QHash<store::Key, QList<const Rec*>> groupBy(const QList<Rec>& rows, store::Key Rec::*parent)
{
    QHash<store::Key, QList<const Rec*>> groups;
    for (const Rec& r : rows)
        groups[r.*parent].append(&r);
    return groups;
}

} // namespace

QString reportStatusText(std::optional<qint32> code)
{
    return code ? common::statusText(*code) : QString();
}

ReportDocument materialsList(const store::Store& store, const ReportRequest& r)
{
    const auto assemblies = store.assemblies.forCar(r.carid, store::Order::Description);
    const auto components = store.components.forCar(r.carid, store::Order::Description);
    QHash<store::Key, store::Activity> activities;
    for (const store::Activity& a : store.activities.forCar(r.carid, store::Order::Key))
        activities.insert(a.ActivityID, a);
    const auto byAssembly = groupBy(components, &store::Component::assemblyid);

    ReportWriter w(Orientation::Landscape, r.lines.landscape);
    w.setHeading([&r](ReportWriter& w) {
        frameHeading(w, r, "MATERIALS LIST", 65, 138);
        w.line({ { 45, QStringLiteral("-----  Target Information  ----") },
                 { 81, QStringLiteral("-----  Actual Informaton  -----") } });
        w.line({ { 0, QStringLiteral("Assembly/Component") }, { 30, QStringLiteral("Quantity") },
                 { 45, QStringLiteral("Cost   Start Date   Stop  Date") },
                 { 81, QStringLiteral("Cost   Start Date   Stop  Date") }, { 114, QStringLiteral("Supplier Name") },
                 { 138, QStringLiteral("Status") } });
        w.line({ { 0, rule(178) } });
        w.setBold(false);
    });
    w.heading();

    MoneyTotal reportTarget;
    MoneyTotal reportActual;
    for (const store::Assembly& a : assemblies) {
        const QList<const store::Component*> parts = byAssembly.value(a.assemblyid);
        MoneyTotal target;
        MoneyTotal actual;
        for (const store::Component* c : parts) {
            target += lineCost(c->targetcost, c->quantity);
            actual += lineCost(c->actualcost, c->quantity);
        }
        reportTarget += target;
        reportActual += actual;
        w.room(2);
        w.line({}, true, true);
        w.line({ { 0, a.Description }, { 45, money(target, "##,###") }, { 80, money(actual, "##,###") },
                 { 138, reportStatusText(a.Status) } },
               true, true);
        for (const store::Component* c : parts) {
            const store::Activity* job
                = c->isAttached() && activities.contains(*c->ActivityID) ? &activities[*c->ActivityID] : nullptr;
            w.room(1);
            w.line({ { 5, c->Description },
                     { 36, whole(c->quantity.value_or(0), "#,###") },
                     { 47, money(lineCost(c->targetcost, c->quantity), "##,###") },
                     { 54, job ? date(job->targetstartdate) : QString() },
                     { 67, job ? date(job->targetstopdate) : QString() },
                     { 84, money(lineCost(c->actualcost, c->quantity), "##,###") },
                     { 91, job ? date(job->actualstartdate) : QString() },
                     { 105, job ? date(job->actualstopdate) : QString() },
                     { 120, c->SupplierName },
                     { 145, reportStatusText(c->Status) } });
        }
    }
    w.line();
    w.line({ { 0, QStringLiteral("Report Totals:") }, { 47, money(reportTarget, "##,##0") },
             { 84, money(reportActual, "##,##0") } });
    return w.take();
}

ReportDocument projectPlan(const store::Store& store, const ReportRequest& r)
{
    const auto phases = store.phases.forCar(r.carid, store::Order::Sequence);
    const auto activities = store.activities.forCar(r.carid, store::Order::Sequence);
    const auto components = store.components.forCar(r.carid, store::Order::Description);
    const auto byPhase = groupBy(activities, &store::Activity::PhaseID);
    QHash<store::Key, QList<const store::Component*>> byActivity;
    for (const store::Component& c : components) {
        if (c.isAttached())
            byActivity[*c.ActivityID].append(&c);
    }

    ReportWriter w(Orientation::Landscape, r.lines.landscape);
    w.setHeading([&r](ReportWriter& w) {
        frameHeading(w, r, "PROJECT PLAN", 66, 133);
        w.line({ { 65, QStringLiteral("-----------  Target Information  -----------") },
                 { 110, QStringLiteral("-----------  Actual Informaton  ------------") } });
        w.line({ { 0, QStringLiteral("Phase/Activity/Component") }, { 50, QStringLiteral("Quantity") },
                 { 65, QStringLiteral("Cost     Start Date     Stop  Date   Effort") },
                 { 110, QStringLiteral("Cost     Start Date     Stop  Date   Effort") } });
        w.line({ { 0, rule(184) } });
        w.setBold(false);
    });
    w.heading();

    // Hours as whole numbers, halves to even.
    const auto effort = [](const std::optional<double>& hours) { return common::wholeHours(hours); };
    MoneyTotal reportTarget;
    MoneyTotal reportActual;
    for (const store::Phase& p : phases) {
        const QList<const store::Activity*> jobs = byPhase.value(p.PhaseID);
        MoneyTotal target;
        MoneyTotal actual;
        QDate targetStart, targetStop, actualStart, actualStop;
        bool running = false;
        qint64 targetEffort = 0;
        qint64 actualEffort = 0;
        for (const store::Activity* a : jobs) {
            for (const store::Component* c : byActivity.value(a->ActivityID)) {
                target += lineCost(c->targetcost, c->quantity.value_or(0));
                actual += lineCost(c->actualcost, c->quantity.value_or(0));
            }
            if (a->targetstartdate.isValid() && (!targetStart.isValid() || a->targetstartdate < targetStart))
                targetStart = a->targetstartdate;
            if (a->targetstopdate.isValid() && (!targetStop.isValid() || a->targetstopdate > targetStop))
                targetStop = a->targetstopdate;
            if (a->actualstartdate.isValid() && (!actualStart.isValid() || a->actualstartdate < actualStart))
                actualStart = a->actualstartdate;
            if (a->actualstartdate.isValid()) {
                if (!a->actualstopdate.isValid())
                    running = true;
                else if (!actualStop.isValid() || a->actualstopdate > actualStop)
                    actualStop = a->actualstopdate;
            }
            targetEffort = common::addHours(targetEffort, effort(a->targeteffort));
            actualEffort = common::addHours(actualEffort, effort(a->actualeffort));
        }
        if (running)
            actualStop = QDate(); // still running: no finish to show
        reportTarget += target;
        reportActual += actual;
        w.room(2);
        w.line({}, true);
        w.line({ { 0, p.Description }, { 65, money(target, "##,###") }, { 72, date(targetStart) },
                   { 86, date(targetStop) }, { 99, hours(targetEffort, "#,###") }, { 110, money(actual, "##,###") },
                   { 117, date(actualStart) }, { 131, date(actualStop) }, { 144, hours(actualEffort, "#,###") } },
            true);
        for (const store::Activity* a : jobs) {
            const QList<const store::Component*> parts = byActivity.value(a->ActivityID);
            MoneyTotal jobTarget;
            MoneyTotal jobActual;
            for (const store::Component* c : parts) {
                jobTarget += lineCost(c->targetcost, c->quantity.value_or(0));
                jobActual += lineCost(c->actualcost, c->quantity.value_or(0));
            }
            w.room(2);
            w.line();
            w.line({ { 5, a->Description }, { 68, money(jobTarget, "##,###") }, { 76, date(a->targetstartdate) },
                       { 90, date(a->targetstopdate) }, { 104, hours(effort(a->targeteffort), "#,###") },
                       { 115, money(jobActual, "##,###") }, { 123, date(a->actualstartdate) },
                       { 137, date(a->actualstopdate) }, { 151, hours(effort(a->actualeffort), "#,###") } },
                false, true);
            for (const store::Component* c : parts) {
                w.room(1);
                w.line({ { 10, c->Description }, { 56, whole(c->quantity.value_or(0), "#,###") },
                    { 68, money(lineCost(c->targetcost, c->quantity.value_or(0)), "##,###") },
                    { 115, money(lineCost(c->actualcost, c->quantity.value_or(0)), "##,###") } });
            }
        }
    }
    w.line();
    w.line({ { 0, QStringLiteral("Report Totals:") }, { 68, money(reportTarget, "##,###") },
             { 115, money(reportActual, "##,###") } });
    return w.take();
}

ReportDocument workStatus(const store::Store& store, const ReportRequest& r, int statusFilter)
{
    const auto assemblies = store.assemblies.forCar(r.carid, store::Order::Description);
    const auto components = store.components.forCar(r.carid, store::Order::Description);
    const auto byAssembly = groupBy(components, &store::Component::assemblyid);
    const QString statusName
        = statusFilter < 0 ? QStringLiteral("Select All") : reportStatusText(std::optional<qint32>(statusFilter));

    ReportWriter w(Orientation::Portrait, r.lines.portrait);
    w.setHeading([&r, &statusName](ReportWriter& w) {
        frameHeading(w, r, "ASSEMBLY & COMPONENT STATUS REPORT", 36, 100, { { 55, statusName } });
        w.setUnderline(true);
        w.line({ { 37, QStringLiteral("Quantity") }, { 49, QStringLiteral("Target Cost") },
                 { 63, QStringLiteral("Actual Cost") }, { 99, QStringLiteral("Status") } });
        w.setUnderline(false);
        w.line();
        w.setBold(false);
    });
    w.heading();

    MoneyTotal reportTarget;
    MoneyTotal reportActual;
    for (const store::Assembly& a : assemblies) {
        if (statusFilter >= 0 && a.Status.value_or(-1) != statusFilter)
            continue;
        w.room(2);
        w.line({ { 0, a.Description }, { 99, reportStatusText(a.Status) } }, true);
        MoneyTotal target;
        MoneyTotal actual;
        for (const store::Component* c : byAssembly.value(a.assemblyid)) {
            w.room(1);
            const MoneyTotal lineTarget = lineCost(c->targetcost, c->quantity);
            const MoneyTotal lineActual = lineCost(c->actualcost, c->quantity);
            target += lineTarget;
            actual += lineActual;
            w.line({ { 5, c->Description }, { 46, whole(c->quantity.value_or(0), "#,##0") },
                     { 60, money(lineTarget, "##,###.00") }, { 75, money(lineActual, "##,###.00") },
                     { 104, reportStatusText(c->Status) } });
        }
        w.line({ { 60, money(target, "##,###.00") }, { 75, money(actual, "##,###.00") } });
        reportTarget += target;
        reportActual += actual;
    }
    w.line();
    w.line({ { 0, QStringLiteral("Report Totals:") }, { 60, money(reportTarget, "##,###.00") },
             { 75, money(reportActual, "##,###.00") } });
    return w.take();
}

ReportDocument wishList(const store::Store& store, const ReportRequest& r)
{
    QList<store::Component> wanted;
    for (const store::Component& c : store.components.forCar(r.carid, store::Order::Key)) {
        if (c.wishlist.value_or(0) == 1)
            wanted.append(c);
    }
    // By supplier name, then description, case ignored as the database compares them; ties by key.
    std::stable_sort(wanted.begin(), wanted.end(), [](const store::Component& a, const store::Component& b) {
        const int bySupplier = a.SupplierName.compare(b.SupplierName, Qt::CaseInsensitive);
        if (bySupplier != 0)
            return bySupplier < 0;
        return a.Description.compare(b.Description, Qt::CaseInsensitive) < 0;
    });

    ReportWriter w(Orientation::Portrait, r.lines.portrait);
    w.setHeading([&r](ReportWriter& w) {
        frameHeading(w, r, "WISH LIST", 50, 100);
        w.setBold(false);
    });

    MoneyTotal supplierTotal;
    MoneyTotal reportTotal;
    QString previous;
    bool anyListed = false;
    const auto closeSupplier = [&]() {
        w.line();
        w.line({ { 0, QStringLiteral("Supplier Total") }, { 97, money(supplierTotal, "##,###.00") } });
        reportTotal += supplierTotal;
        supplierTotal = MoneyTotal();
    };
    for (const store::Component& c : wanted) {
        if (!c.SupplierName.isEmpty() && c.SupplierName.compare(previous, Qt::CaseInsensitive) != 0) {
            previous = c.SupplierName;
            // Components without a supplier come first; they are closed with a total of their own.
            if (anyListed)
                closeSupplier();
            const auto supplier = store.suppliers.seek(c.SupplierName);
            const store::Supplier s = supplier.value_or(store::Supplier { 0, c.SupplierName, {}, {}, {}, {}, {}, {},
                                                                          {}, {}, {}, {} });
            w.heading();
            w.line({ { 0, QStringLiteral("Name:      ") + s.Name } });
            w.line({ { 0, QStringLiteral("Address:   ") + s.address1 } });
            w.line({ { 0, QStringLiteral("Address:   ") + s.address2 } });
            w.line({ { 0, QStringLiteral("Address:   ") + s.city + QStringLiteral(",  ") + s.State
                              + QStringLiteral("    ") + s.Zip } });
            w.line({ { 0, QStringLiteral("Catalog:   ") + s.CatalogNbr } });
            w.line({ { 0, QStringLiteral("Tele Nbr:  ") + s.Telephone } });
            w.line({ { 0, QStringLiteral("Website:   ") + s.Email } });
            w.line();
            w.line({ { 1, QStringLiteral("Component                     ") },
                     { 31, QStringLiteral("Catalog Page    Status          ") },
                     { 64, QStringLiteral("Quantity   Unit Price   Extended Price") } },
                   true);
            w.line({ { 0, rule(126) } }, true);
            w.line({}, true);
        }
        anyListed = true;
        const MoneyTotal extended = lineCost(c.targetcost, c.quantity);
        supplierTotal += extended;
        w.line({ { 0, c.Description }, { 37, c.catalogpage }, { 49, reportStatusText(c.Status) },
                 { 71, whole(c.quantity.value_or(0), "#,##0") },
                 { 81, money(c.targetcost.value_or(Money()), "#,###.00") }, { 97, money(extended, "##,###.00") } });
    }
    closeSupplier();
    w.line();
    w.line({ { 0, QStringLiteral("Report Totals:") }, { 97, money(reportTotal, "##,###.00") } });
    return w.take();
}

} // namespace reports
