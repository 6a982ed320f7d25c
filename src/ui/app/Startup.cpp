#include "app/Startup.h"

#include "app/Session.h"
#include "common/Clock.h"
#include "gui/BusyWork.h"
#include "gui/Dialogs.h"
#include "store/Backup.h"
#include "store/Restore.h"
#include "store/SampleProject.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

namespace app {

QString defaultDatabasePath()
{
    const QString name = QStringLiteral("ShopData.mdb");
    const QDir programFolder(QCoreApplication::applicationDirPath());
    if (programFolder.exists(name))
        return programFolder.filePath(name);

    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString userDatabase = QDir(userFolder).filePath(name);
    if (QFileInfo::exists(userDatabase) || !QDir().mkpath(userFolder))
        return userDatabase;
    // First start of an installed program: the user gets a copy of the installed sample.
    const QString installed = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/gearlog/") + name));
    if (QFileInfo::exists(installed) && QFile::copy(installed, userDatabase)) {
        QFile::setPermissions(userDatabase, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        return userDatabase;
    }
    try {
        store::createSampleDatabase(userDatabase);
    } catch (const store::StoreError&) {
        // Opening it reports what is wrong.
    }
    return userDatabase;
}

QString openErrorText(const store::StoreError& error)
{
    return QStringLiteral("Error #%1\n  %2\n  (Source: %3)\nPress F1 to see topic 0\n  in the file Gear-Log.hlp.")
        .arg(error.code())
        .arg(error.message(), error.source());
}

std::unique_ptr<store::Database> OpenProjectDatabase(const QString& path, QWidget* parent,
                                                     const store::OpenOptions& options)
{
    try {
        return store::Database::open(path, options);
    } catch (const store::OpenFailure& failure) {
        for (const store::StoreError& e : failure.errors())
            gui::MessageBox::notice(parent, openErrorText(e));
    } catch (const store::StoreError& e) {
        gui::MessageBox::notice(parent, openErrorText(e));
    }
    return nullptr;
}

std::unique_ptr<Session> startGearLog(const QString& databasePath, QSettings& settings,
                                      const store::OpenOptions& options, bool dailyBackup)
{
    auto database = OpenProjectDatabase(databasePath, nullptr, options);
    if (!database) {
        gui::MessageBox::notice(nullptr, QStringLiteral("Sorry - the database could not be opened"));
        return nullptr;
    }
    auto session = std::make_unique<Session>(std::move(database), settings);
    session->window().show();
    // A server's backups are the server's own business (pg_dump), never a copy beside it.
    if (dailyBackup && !session->database().isServer()) {
        const QDate today = common::Clock::now().date();
        // A failed backup is told once, in the status bar and on standard error; the next start tries again.
        const QPointer<editor::MainWindow> window = &session->window();
        session->startBackup([databasePath, today, window] {
            const QString failure = store::backupDaily(databasePath, today).failure;
            if (failure.isEmpty())
                return;
            QTextStream(stderr) << "gearlog: " << failure << "\n";
            QMetaObject::invokeMethod(
                qApp,
                [window, failure] {
                    if (window)
                        window->showStatusLine(failure);
                },
                Qt::QueuedConnection);
        });
    }
    return session;
}

void handleRestores(std::unique_ptr<Session>& session, QSettings& settings)
{
    if (!session)
        return;
    QObject::connect(
        &session->window(), &editor::MainWindow::restoreRequested, qApp, [&session, &settings](const QString& backup) {
            // Not from inside the window's own call: the window is about to go.
            QTimer::singleShot(0, qApp, [&session, &settings, backup] {
                const QString path = session->database().path();
                session.reset();
                QString message;
                try {
                    const gui::BusyWork busy(nullptr, QStringLiteral("Restoring the backup"), QStringLiteral("MB"));
                    const QString aside = store::restoreBackup(path, backup, busy.progress());
                    message = QStringLiteral("The backup '%1' is restored. The database as it was is kept as '%2'.")
                                  .arg(QFileInfo(backup).fileName(), aside);
                } catch (const store::StoreError& e) {
                    message = QStringLiteral("The backup was not restored: %1").arg(e.message());
                }
                session = startGearLog(path, settings, {}, false);
                if (!session) {
                    QApplication::quit();
                    return;
                }
                gui::MessageBox::information(&session->window(), message);
                handleRestores(session, settings);
            });
        });
}

} // namespace app
