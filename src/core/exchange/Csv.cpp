#include "exchange/Csv.h"

#include "common/Status.h"
#include "common/Totals.h"
#include "store/Store.h"

#include <QHash>
#include <QStringList>

#include <algorithm>

namespace exchange {

namespace {

using common::Money;

QString field(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void row(QByteArray& out, const QStringList& fields)
{
    QStringList quoted;
    for (const QString& f : fields)
        quoted << field(f);
    out += quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

// A spreadsheet runs a cell that starts with one of these as a formula, even one that came in as
// text, so such a text gets a leading apostrophe, which spreadsheets read as "this is text" and do
// not show. Amounts and counts are the program's own numbers and never get one: "-12.5" stays a
// number.
QString text(const QString& value)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !value.isEmpty() && formulaStarts.contains(value.front()) ? QLatin1Char('\'') + value : value;
}

QString amount(const std::optional<Money>& value)
{
    return value ? value->toPlainString() : QString();
}

// Unit cost times quantity, or the mark of a product past what money holds.
QString extended(const std::optional<Money>& unit, const std::optional<qint32>& quantity)
{
    if (!unit || !quantity)
        return QString();
    const common::MoneyTotal line = common::MoneyTotal::line(unit, quantity);
    return line.tooLarge() ? common::TooLargeText : line.value().toPlainString();
}

QString whole(const std::optional<qint32>& value)
{
    return value ? QString::number(*value) : QString();
}

QString status(const std::optional<qint32>& code)
{
    return code ? common::statusText(*code) : QString();
}

} // namespace

QByteArray materialsCsv(const store::Store& store, store::Key carid)
{
    QHash<store::Key, QString> activities;
    for (const store::Entry& e : store.activities.entriesForCar(carid))
        activities.insert(e.key, e.text);
    QByteArray out;
    row(out, { QStringLiteral("Assembly"), QStringLiteral("Component"), QStringLiteral("Quantity"),
               QStringLiteral("Target Unit Cost"), QStringLiteral("Target Extended Cost"),
               QStringLiteral("Actual Unit Cost"), QStringLiteral("Actual Extended Cost"), QStringLiteral("Supplier"),
               QStringLiteral("Catalog Page"), QStringLiteral("Status"), QStringLiteral("Activity") });
    const auto components = store.components.forCar(carid, store::Order::Description);
    for (const store::Assembly& a : store.assemblies.forCar(carid, store::Order::Description)) {
        for (const store::Component& c : components) {
            if (c.assemblyid != a.assemblyid)
                continue;
            row(out, { text(a.Description), text(c.Description), whole(c.quantity), amount(c.targetcost),
                       extended(c.targetcost, c.quantity), amount(c.actualcost), extended(c.actualcost, c.quantity),
                       text(c.SupplierName), text(c.catalogpage), status(c.Status),
                       c.isAttached() ? text(activities.value(*c.ActivityID)) : QString() });
        }
    }
    return out;
}

QByteArray wishListCsv(const store::Store& store, store::Key carid)
{
    QList<store::Component> wanted;
    for (const store::Component& c : store.components.forCar(carid, store::Order::Description)) {
        if (c.wishlist.value_or(0) == 1)
            wanted.append(c);
    }
    std::stable_sort(wanted.begin(), wanted.end(), [](const store::Component& a, const store::Component& b) {
        return a.SupplierName.compare(b.SupplierName, Qt::CaseInsensitive) < 0;
    });
    QByteArray out;
    row(out, { QStringLiteral("Supplier"), QStringLiteral("Component"), QStringLiteral("Catalog Page"),
               QStringLiteral("Status"), QStringLiteral("Quantity"), QStringLiteral("Unit Price"),
               QStringLiteral("Extended Price") });
    for (const store::Component& c : wanted)
        row(out, { text(c.SupplierName), text(c.Description), text(c.catalogpage), status(c.Status), whole(c.quantity),
                   amount(c.targetcost), extended(c.targetcost, c.quantity) });
    return out;
}

} // namespace exchange
