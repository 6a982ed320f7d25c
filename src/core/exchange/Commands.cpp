#include "exchange/Commands.h"

#include "common/SafeFile.h"
#include "exchange/Csv.h"
#include "exchange/ProjectFile.h"
#include "find/Find.h"
#include "store/Restore.h"
#include "store/ServerAddress.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QFile>
#include <QHash>
#include <QSqlQuery>
#include <QTextStream>

namespace exchange {

namespace {

std::optional<store::Key> carKey(const QString& text, QTextStream& err)
{
    bool ok = false;
    const store::Key key = text.toLongLong(&ok);
    if (!ok) {
        err << "gearlog: --car needs the number of a project\n";
        return std::nullopt;
    }
    return key;
}

bool write(const QString& path, const QByteArray& data, QTextStream& err)
{
    const QString failure = common::SafeFile::write(path, data);
    if (!failure.isEmpty()) {
        err << "gearlog: could not write " << path << ": " << failure << "\n";
        return false;
    }
    QTextStream(stdout) << "Wrote " << path << "\n";
    return true;
}

// Runs work on the open database, turning the store's failures into messages.
template <class Work>
int withStore(const QString& databasePath, QTextStream& err, Work work)
{
    try {
        const auto database = store::Database::open(databasePath);
        const store::Store store(*database);
        return work(store);
    } catch (const store::OpenFailure& e) {
        for (const store::StoreError& error : e.errors())
            err << "gearlog: " << error.message() << "\n";
    } catch (const store::StoreError& e) {
        err << "gearlog: " << e.message() << "\n";
    }
    return 1;
}

bool projectExists(const store::Store& store, store::Key carid, QTextStream& err)
{
    if (store.cars.find(carid))
        return true;
    err << "gearlog: there is no project " << carid << "\n";
    return false;
}

} // namespace

int exportProjectCommand(const QString& databasePath, const QString& car, const QString& output, QTextStream& err)
{
    const auto carid = carKey(car, err);
    if (!carid)
        return 2;
    if (output.isEmpty()) {
        err << "gearlog: --export-project needs --output FILE.json\n";
        return 2;
    }
    return withStore(databasePath, err, [&](const store::Store& store) {
        if (!projectExists(store, *carid, err))
            return 1;
        return write(output, exportProject(store, *carid), err) ? 0 : 1;
    });
}

int importProjectCommand(const QString& databasePath, const QString& file, QTextStream& out, QTextStream& err)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "gearlog: could not read " << file << "\n";
        return 1;
    }
    QByteArray json;
    try {
        json = readProjectFile(input);
    } catch (const ImportError& e) {
        err << "gearlog: " << file << ": " << e.message() << "\n";
        return 1;
    }
    return withStore(databasePath, err, [&](const store::Store& store) {
        try {
            out << importProject(store, json) << "\n";
            return 0;
        } catch (const ImportError& e) {
            err << "gearlog: " << file << ": " << e.message() << "\n";
            return 1;
        }
    });
}

int csvCommand(const QString& databasePath, const QString& list, const QString& car, const QString& output,
               QTextStream& err)
{
    if (list != QStringLiteral("materials") && list != QStringLiteral("wishlist")) {
        err << "gearlog: unknown list '" << list << "'; use materials or wishlist\n";
        return 2;
    }
    const auto carid = carKey(car, err);
    if (!carid)
        return 2;
    if (output.isEmpty()) {
        err << "gearlog: --csv needs --output FILE.csv\n";
        return 2;
    }
    return withStore(databasePath, err, [&](const store::Store& store) {
        if (!projectExists(store, *carid, err))
            return 1;
        const QByteArray data
            = list == QStringLiteral("materials") ? materialsCsv(store, *carid) : wishListCsv(store, *carid);
        return write(output, data, err) ? 0 : 1;
    });
}

int listProjectsCommand(const QString& databasePath, QTextStream& out, QTextStream& err)
{
    return withStore(databasePath, err, [&](const store::Store& store) {
        // One count of each kind for every project at once, by the car's index.
        QHash<store::Key, QList<qint64>> counts;
        const char* const tables[] = { "Assembly", "Component", "Phase", "Activity" };
        for (int i = 0; i < 4; ++i) {
            QSqlQuery q = store.db.run(
                QStringLiteral("SELECT carid, COUNT(*) FROM %1 GROUP BY carid").arg(QLatin1String(tables[i])));
            while (q.next()) {
                QList<qint64>& c = counts[q.value(0).toLongLong()];
                c.resize(4);
                c[i] = q.value(1).toLongLong();
            }
        }
        for (const store::Car& car : store.cars.all(store::Order::Key)) {
            QList<qint64> c = counts.value(car.carid);
            c.resize(4);
            out << car.carid << "  " << car.Description << "  (" << car.make << " " << car.model << " " << car.Year
                << ")  " << c[0] << " assemblies, " << c[1] << " components, " << c[2] << " phases, " << c[3]
                << " activities\n";
        }
        return 0;
    });
}

int findCommand(const QString& databasePath, const QString& text, QTextStream& out, QTextStream& err)
{
    return withStore(databasePath, err, [&](const store::Store& store) {
        for (const search::Hit& hit : search::findRecords(store.db, text).hits) {
            // One line a record, whatever the description holds.
            QString description = hit.text;
            for (QChar& c : description) {
                if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                    c = QLatin1Char(' ');
            }
            out << search::kindName(hit.kind) << '\t' << (hit.carid ? QString::number(*hit.carid) : QString()) << '\t'
                << hit.key << '\t' << description << '\n';
        }
        return 0;
    });
}

int listBackupsCommand(const QString& databasePath, QTextStream& out)
{
    if (store::ServerAddress::isUrl(databasePath)) {
        out << store::serverBackups() << "\n";
        return 1;
    }
    const QList<store::BackupEntry> backups = store::listBackups(databasePath);
    if (backups.isEmpty())
        out << "No backups beside " << databasePath << "\n";
    for (const store::BackupEntry& b : backups) {
        out << b.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")) << "  "
            << (b.projects < 0 ? QStringLiteral("cannot be read")
                               : QString::fromLatin1(b.projects == 1 ? "1 project" : "%1 projects").arg(b.projects))
            << "  " << b.path << "\n";
    }
    return 0;
}

int restoreBackupCommand(const QString& databasePath, const QString& backup, QTextStream& out, QTextStream& err)
{
    try {
        const QString aside = store::restoreBackup(databasePath, backup);
        out << "Restored " << backup << " as " << databasePath << "; the file it replaced is kept as " << aside << "\n";
        return 0;
    } catch (const store::StoreError& e) {
        err << "gearlog: " << e.message() << "\n";
        return 1;
    }
}

} // namespace exchange
