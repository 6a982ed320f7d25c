#include "store/SampleProject.h"

#include "common/Money.h"
#include "common/Notes.h"
#include "common/Status.h"
#include "store/Database.h"
#include "store/SamplePictures.h"
#include "store/ServerAddress.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStandardPaths>

namespace store {

namespace {

using common::Money;
using St = common::Status;

// The project is kept as tables of plain literals so that it reads like the data it is; the rows are
// turned into records in seedSampleProject.

enum Shop { OMalley, Redline, Prairie, Heartland, Bluegrass, Sparkline, Depot };

struct SupplierRow
{
    const char* name;
    const char* address1;
    const char* address2;
    const char* city;
    const char* state;
    const char* zip;
    const char* telephone;
    const char* fax;
    const char* web;
    const char* catalog;
    const char* notes;
};

// In the order of Shop.
const SupplierRow Suppliers[] = {
    { "O'Malley's Chrome Shop", "412 Foundry Street", "Suite B", "Dayton", "OH", "45402-1187", "(937) 555-0142",
        "(937) 555-0143", "www.omalley-chrome.example", "OMC-25", "Rechroming takes six to eight weeks; ask for Dee." },
    { "Redline Engine Supply", "88 Piston Way", "", "Toledo", "OH", "43604", "(419) 555-0178", "(419) 555-0179",
        "www.redline-engine.example", "RES Y-block 2025", nullptr },
    { "Prairie Brake & Wheel", "1500 W. Kellogg Avenue", "Unit 4", "Wichita", "KS", "67213", "(316) 555-0110",
        "(316) 555-0111", "www.prairiebrake.example", "PBW-7", nullptr },
    { "Heartland Upholstery Co.", "230 Loom Road", "", "Des Moines", "IA", "50309", "(515) 555-0164", "(515) 555-0165",
        "www.heartland-trim.example", "HU-1950s", "Cloth samples are free; seat covers take three weeks." },
    { "Bluegrass Body Panels", "77 Stamping Mill Lane", "Building 2", "Lexington", "KY", "40505", "(859) 555-0121",
        "(859) 555-0122", "www.bluegrasspanels.example", "BBP-F100", nullptr },
    { "Sparkline Wiring Works", "9 Commerce Court", "", "Fort Wayne", "IN", "46802", "(260) 555-0137", "(260) 555-0138",
        "www.sparkline-wiring.example", "SWW-6V", nullptr },
    { "Vintage Truck Depot", "3100 Route 66 East", "PO Box 56", "Tulsa", "OK", "74112", "(918) 555-0190",
        "(918) 555-0191", "www.vintagetruckdepot.example", "VTD 48-56", nullptr },
};

struct PhaseRow
{
    const char* description;
    St status;
    const char* notes;
};

const PhaseRow Phases[] = {
    { "Teardown & Assessment", St::Completed, "Every bolt bagged and labelled by where it came from." },
    { "Chassis & Running Gear", St::InProcess, "Frame is done; brakes wait on the new line kit." },
    { "Engine Rebuild", St::InProcess, "Machine work farmed out; assembly done at home." },
    { "Body & Paint", St::InProcess, "Booth time is booked for May at the club's shop." },
    { "Wiring & Interior", St::NotStarted, nullptr },
};

// Dates are ISO text, nullptr when empty. The plan runs from March 2025 to September 2026 and stands
// as it would in mid February 2026: earlier work done, some under way, the rest ahead.
struct ActivityRow
{
    int phase; // index into Phases
    const char* description;
    St status;
    const char* targetStart;
    const char* targetStop;
    double targetHours;
    const char* actualStart;
    const char* actualStop;
    std::optional<double> actualHours;
    const char* notes;
};

const ActivityRow Activities[] = {
    { 0, "Photograph and tag parts", St::Completed, "2025-03-01", "2025-03-08", 6, "2025-03-01", "2025-03-09", 7.5,
        nullptr },
    { 0, "Strip cab and bed", St::Completed, "2025-03-08", "2025-03-29", 24, "2025-03-10", "2025-04-02", 28,
        "Two seized bed bolts had to be cut off." },
    { 0, "Pull engine and gearbox", St::Completed, "2025-03-29", "2025-04-12", 10, "2025-04-05", "2025-04-12", 9,
        nullptr },
    { 0, "Check frame for cracks", St::Completed, "2025-04-12", "2025-04-19", 4, "2025-04-14", "2025-04-16", 3.5,
        nullptr },
    { 1, "Sandblast and paint frame", St::Completed, "2025-04-19", "2025-05-31", 20, "2025-04-22", "2025-06-10", 22,
        nullptr },
    { 1, "Rebuild front suspension", St::Completed, "2025-06-01", "2025-07-15", 30, "2025-06-14", "2025-08-02", 34,
        nullptr },
    { 1, "Rebuild brake system", St::InProcess, "2025-07-15", "2025-09-30", 26, "2025-08-09", nullptr, 14, nullptr },
    { 1, "Restore steering box", St::OnHold, "2025-10-01", "2025-10-31", 12, "2025-10-06", nullptr, 2.5,
        "Sector shaft bushings are back-ordered." },
    { 2, "Machine block and heads", St::Completed, "2025-05-01", "2025-06-30", 8, "2025-05-05", "2025-07-11", 6,
        "Bored .030 over; heads got hardened valve seats." },
    { 2, "Assemble short block", St::Completed, "2025-09-01", "2025-10-15", 20, "2025-09-06", "2025-10-25", 24,
        nullptr },
    { 2, "Rebuild carburettor", St::InProcess, "2025-10-15", "2025-11-30", 8, "2025-11-08", nullptr, 3, nullptr },
    { 2, "Install engine and gearbox", St::NotStarted, "2026-03-01", "2026-03-21", 12, nullptr, nullptr, {}, nullptr },
    { 3, "Repair cab corners", St::InProcess, "2025-11-01", "2026-01-31", 40, "2025-12-06", nullptr, 18,
        "Running late: the right corner needed a new inner panel too." },
    { 3, "Replace bed floor", St::NotStarted, "2026-02-01", "2026-03-15", 16, nullptr, nullptr, {}, nullptr },
    { 3, "Prime and block sand", St::NotStarted, "2026-03-15", "2026-05-15", 60, nullptr, nullptr, {}, nullptr },
    { 3, "Paint and clear coat", St::NotStarted, "2026-05-15", "2026-06-30", 35, nullptr, nullptr, {}, nullptr },
    { 4, "Install wiring harness", St::NotStarted, "2026-06-01", "2026-07-15", 20, nullptr, nullptr, {}, nullptr },
    { 4, "Upholster bench seat", St::NotStarted, "2026-07-01", "2026-08-15", 14, nullptr, nullptr, {}, nullptr },
    { 4, "Install glass and seals", St::NotStarted, "2026-08-01", "2026-08-31", 10, nullptr, nullptr, {}, nullptr },
    { 4, "Final tune and road test", St::NotStarted, "2026-09-01", "2026-09-30", 8, nullptr, nullptr, {}, nullptr },
};

enum Group { Engine, Brakes, Suspension, Body, Interior, Electrical, Trim };

struct AssemblyRow
{
    const char* description;
    St status;
    bool picture;
    const char* notes;
};

// In the order of Group.
const AssemblyRow Assemblies[] = {
    { "Engine", St::InProcess, true, "Original 272 Y-block with matching numbers." },
    { "Brakes", St::InProcess, false, nullptr },
    { "Suspension & Steering", St::InProcess, false, nullptr },
    { "Body & Paint", St::InProcess, false, "Keep the original cab; only the corners are cut out." },
    { "Interior", St::NotStarted, false, nullptr },
    { "Electrical", St::NotStarted, false, "Stays 6 volt unless the conversion kit turns up cheap." },
    { "Wheels & Trim", St::InProcess, false, nullptr },
};

enum Flag { Wish = 1, Picture = 2 };

// Costs are one unit, in cents; an actual cost of 0 means not bought yet. activity names the activity
// the component is attached to (nullptr: not attached).
struct ComponentRow
{
    Group assembly;
    const char* description;
    St status;
    Shop shop;
    const char* page;
    int quantity;
    qint64 targetCents;
    qint64 actualCents;
    int flags;
    const char* activity;
    const char* notes;
};

const ComponentRow Components[] = {
    { Engine, "Gasket set", St::Completed, Redline, "E-114", 1, 8995, 8450, 0, "Assemble short block", nullptr },
    { Engine, "Piston and ring set", St::Completed, Redline, "E-102", 8, 4250, 3995, 0, "Assemble short block",
        nullptr },
    { Engine, "Main bearing set", St::Completed, Redline, "E-106", 1, 6400, 6175, 0, nullptr, nullptr },
    { Engine, "Camshaft and lifters", St::Completed, Redline, "E-121", 1, 28900, 31240, 0, nullptr,
        "Mild grind only; stock springs kept to suit the rebuilt heads." },
    { Engine, "Carburettor rebuild kit", St::InProcess, Redline, "E-140", 1, 3895, 4120, 0, "Rebuild carburettor",
        nullptr },
    { Engine, "Water pump", St::NotStarted, Depot, "T-55", 1, 7495, 0, 0, nullptr, nullptr },
    { Engine, "Fuel pump", St::NotStarted, Depot, "T-57", 1, 4650, 0, 0, nullptr, nullptr },
    { Engine, "Chrome valve covers", St::NotStarted, OMalley, "C-12", 2, 11800, 0, Wish, nullptr,
        "Not original, but they would look right at shows." },
    { Brakes, "Master cylinder", St::Completed, Prairie, "B-10", 1, 6800, 7125, 0, "Rebuild brake system", nullptr },
    { Brakes, "Wheel cylinder", St::InProcess, Prairie, "B-21", 4, 2495, 2249, 0, "Rebuild brake system", nullptr },
    { Brakes, "Brake shoe set", St::Completed, Prairie, "B-24", 2, 4995, 4795, 0, "Rebuild brake system", nullptr },
    { Brakes, "Brake drum", St::OnHold, Prairie, "B-30", 4, 9795, 0, 0, nullptr,
        "Two drums are within limits; order after they are turned." },
    { Brakes, "Brake line kit", St::InProcess, Prairie, "B-42", 1, 12995, 0, 0, nullptr, "Pre-bent, stainless." },
    { Suspension, "King pin kit", St::Completed, Depot, "T-12", 2, 5495, 5295, 0, "Rebuild front suspension", nullptr },
    { Suspension, "Front leaf springs", St::Completed, Depot, "T-18", 2, 16500, 17250, 0, "Rebuild front suspension",
        nullptr },
    { Suspension, "Shock absorber", St::Completed, Depot, "T-20", 4, 3695, 3499, 0, nullptr, nullptr },
    { Suspension, "Tie rod end", St::Completed, Depot, "T-26", 2, 2795, 2640, 0, nullptr, nullptr },
    { Suspension, "Gasket set", St::OnHold, Depot, "T-31", 1, 1895, 0, 0, "Restore steering box", nullptr },
    { Suspension, "Sector shaft bushing", St::OnHold, Depot, "T-33", 2, 1250, 0, 0, "Restore steering box",
        "Back-ordered until April." },
    { Body, "Cab corner patch pair", St::InProcess, Bluegrass, "P-7", 1, 8495, 7995, 0, "Repair cab corners", nullptr },
    { Body, "Inner cab corner panel", St::InProcess, Bluegrass, "P-8", 1, 5495, 5895, 0, nullptr, nullptr },
    { Body, "Bed floor kit", St::NotStarted, Bluegrass, "P-22", 1, 38900, 0, 0, "Replace bed floor", nullptr },
    { Body, "Front fender", St::NotStarted, Bluegrass, "P-11", 1, 24500, 0, 0, nullptr, nullptr },
    { Body, "Epoxy primer, gallon", St::NotStarted, Bluegrass, "P-40", 2, 11250, 0, 0, nullptr, nullptr },
    { Body, "Paint, base and clear", St::NotStarted, Bluegrass, "P-44", 1, 64000, 0, 0, nullptr,
        "Vermilion red, to match the paint found under the dash. Buy the reducer and hardener from the same batch; "
        "leftover paint goes to touching up the hood." },
    { Interior, "Bench seat cover", St::NotStarted, Heartland, "H-3", 1, 22995, 0, 0, nullptr, nullptr },
    { Interior, "Seat springs", St::NotStarted, Heartland, "H-5", 1, 14900, 0, 0, nullptr, nullptr },
    { Interior, "Rubber floor mat", St::NotStarted, Heartland, "H-9", 1, 8995, 0, 0, nullptr, nullptr },
    { Interior, "Headliner", St::NotStarted, Heartland, "H-12", 1, 6495, 0, 0, nullptr, nullptr },
    { Interior, "Door panel set", St::NotStarted, Heartland, "H-14", 1, 11995, 0, Wish, nullptr, nullptr },
    { Interior, "Dash knob set", St::NotStarted, OMalley, "C-30", 1, 4200, 0, Wish, nullptr, nullptr },
    { Electrical, "Wiring harness", St::NotStarted, Sparkline, "W-1", 1, 34900, 0, 0, "Install wiring harness",
        nullptr },
    { Electrical, "Headlight bucket", St::NotStarted, Sparkline, "W-8", 2, 3295, 0, 0, nullptr, nullptr },
    { Electrical, "Tail lamp assembly", St::NotStarted, Sparkline, "W-11", 2, 4495, 0, 0, nullptr, nullptr },
    { Electrical, "Generator rebuild", St::Completed, Sparkline, "W-20", 1, 9500, 9500, 0, nullptr, nullptr },
    { Electrical, "12-volt conversion kit", St::NotStarted, Sparkline, "W-30", 1, 18900, 0, Wish, nullptr,
        "Only if the show class allows it." },
    { Trim, "Chrome hubcap", St::NotStarted, OMalley, "C-2", 4, 5850, 0, Wish | Picture, nullptr, nullptr },
    { Trim, "Front bumper rechrome", St::InProcess, OMalley, "C-5", 1, 27500, 0, 0, nullptr,
        "At the plater since January." },
    { Trim, "Grille bars rechrome", St::NotStarted, OMalley, "C-7", 1, 32000, 0, 0, nullptr, nullptr },
    { Trim, "Wide whitewall tire", St::NotStarted, Prairie, "B-60", 5, 14200, 0, Wish, nullptr, nullptr },
};

QString text(const char* literal)
{
    return literal ? QString::fromUtf8(literal) : QString();
}

QDate day(const char* iso)
{
    return iso ? QDate::fromString(QLatin1String(iso), Qt::ISODate) : QDate();
}

constexpr Money cents(qint64 amount)
{
    return Money::fromUnits(amount * (Money::Scale / 100));
}

} // namespace

void seedSampleProject(const Database& database, const QString& pictureFolder, const QString& storedFolder)
{
    SamplePicturePaths pictures = writeSamplePictures(pictureFolder);
    if (!storedFolder.isEmpty()) {
        const QDir stored(storedFolder);
        for (QString* path : { &pictures.car, &pictures.assembly, &pictures.component })
            *path = QDir::cleanPath(stored.absoluteFilePath(QFileInfo(*path).fileName()));
    }
    // One stamp for the whole project, so the sample reads the same in every new database.
    const QDateTime stamp(QDate(2026, 2, 14), QTime(10, 30));
    Store s(database);
    Transaction t(database);

    Car car;
    car.Description = QStringLiteral("1956 F-100 Pickup");
    car.make = QStringLiteral("Ford");
    car.model = QStringLiteral("F-100 Big Window");
    car.Year = QStringLiteral("1956");
    car.purchaseprice = Money::fromWholeDollars(6500);
    car.resalevalue = Money::fromWholeDollars(34000);
    car.totalbudget = Money::fromWholeDollars(18000);
    car.imagepath = pictures.car;
    car.Status = qint32(St::InProcess);
    car.notes = common::splitNotes(QStringLiteral("Bought from the first owner's family in Salina, KS. Frame is "
                                                  "sound; cab corners and bed floor rusted through."));
    car.auditdate = stamp;
    const Key carid = s.cars.add(car);
    // Everything else refers to the sample as car 1; a database with rows in it would break that.
    if (carid != Store::SampleCarId)
        throw StoreError(code::Error, QStringLiteral("The sample project can only be written into an empty database."),
            QStringLiteral("GearLog sample project"));

    for (const SupplierRow& row : Suppliers) {
        Supplier supplier;
        supplier.Name = text(row.name);
        supplier.address1 = text(row.address1);
        supplier.address2 = text(row.address2);
        supplier.city = text(row.city);
        supplier.State = text(row.state);
        supplier.Zip = text(row.zip);
        supplier.Telephone = text(row.telephone);
        supplier.Fax = text(row.fax);
        supplier.Email = text(row.web);
        supplier.CatalogNbr = text(row.catalog);
        supplier.notes = common::splitNotes(text(row.notes));
        s.suppliers.add(supplier);
    }

    QList<Key> phaseKeys;
    for (const PhaseRow& row : Phases) {
        Phase phase;
        phase.carid = carid;
        phase.prioritysequence = qint32(phaseKeys.size() + 1);
        phase.Description = text(row.description);
        phase.Status = qint32(row.status);
        phase.notes = common::splitNotes(text(row.notes));
        phase.auditdate = stamp;
        phaseKeys.append(s.phases.add(phase));
    }

    QHash<QString, Key> activityKeys;
    QList<Key> sequenceInPhase(phaseKeys.size(), 0);
    for (const ActivityRow& row : Activities) {
        Activity activity;
        activity.carid = carid;
        activity.PhaseID = phaseKeys.at(row.phase);
        activity.prioritysequence = ++sequenceInPhase[row.phase];
        activity.Description = text(row.description);
        activity.Status = qint32(row.status);
        activity.targetstartdate = day(row.targetStart);
        activity.targetstopdate = day(row.targetStop);
        activity.targeteffort = row.targetHours;
        activity.actualstartdate = day(row.actualStart);
        activity.actualstopdate = day(row.actualStop);
        activity.actualeffort = row.actualHours;
        activity.notes = common::splitNotes(text(row.notes));
        activity.auditdate = stamp;
        activityKeys.insert(activity.Description, s.activities.add(activity));
    }

    QList<Key> assemblyKeys;
    for (const AssemblyRow& row : Assemblies) {
        Assembly assembly;
        assembly.carid = carid;
        assembly.Description = text(row.description);
        assembly.Status = qint32(row.status);
        if (row.picture)
            assembly.imagepath = pictures.assembly;
        assembly.notes = common::splitNotes(text(row.notes));
        assembly.auditdate = stamp;
        assemblyKeys.append(s.assemblies.add(assembly));
    }

    for (const ComponentRow& row : Components) {
        Component component;
        component.carid = carid;
        component.assemblyid = assemblyKeys.at(row.assembly);
        if (row.activity) {
            Q_ASSERT_X(activityKeys.contains(text(row.activity)), "seedSampleProject", row.activity);
            component.ActivityID = activityKeys.value(text(row.activity));
        }
        component.Description = text(row.description);
        component.Status = qint32(row.status);
        component.SupplierName = text(Suppliers[row.shop].name);
        component.catalogpage = text(row.page);
        component.quantity = row.quantity;
        component.targetcost = cents(row.targetCents);
        component.actualcost = cents(row.actualCents);
        component.wishlist = (row.flags & Wish) ? 1 : 0;
        if (row.flags & Picture)
            component.imagepath = pictures.component;
        component.notes = common::splitNotes(text(row.notes));
        component.auditdate = stamp;
        s.components.add(component);
    }

    t.commit();
}

void createSampleDatabase(const QString& path, const QString& storedPictureFolder)
{
    if (ServerAddress::isUrl(path)) {
        // A server keeps no files: the pictures go to the folder given, else this computer's data folder.
        const QString folder = !storedPictureFolder.isEmpty()
            ? storedPictureFolder
            : QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
                  .filePath(QStringLiteral("Pictures"));
        Database::create(path, [&folder](const Database& database) { seedSampleProject(database, folder); });
        return;
    }
    auto database = Database::create(path);
    try {
        seedSampleProject(*database, QFileInfo(path).absoluteDir().filePath(QStringLiteral("Pictures")),
                          storedPictureFolder);
    } catch (...) {
        database.reset();
        QFile::remove(path);
        throw;
    }
}

} // namespace store
