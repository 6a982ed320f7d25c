// GearLog: starts the project editor, or runs a command-line task.

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "reports/ReportExport.h"
#include "store/SampleProject.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

bool hasOption(int argc, char** argv, const char* option)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0)
            return true;
    }
    return false;
}

int createDatabase(const QString& path)
{
    try {
        store::createSampleDatabase(path);
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "gearlog: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("Created %s\n", qPrintable(path));
    return 0;
}

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("GearLog: a planner for car restoration projects."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({ QStringLiteral("database"), QStringLiteral("Open the project database at <path>."),
                       QStringLiteral("path") });
    parser.addOption({ QStringLiteral("create-database"),
                       QStringLiteral("Create a new database with the sample project at <path> and exit."),
                       QStringLiteral("path") });
    parser.addOption({ QStringLiteral("settings"), QStringLiteral("Keep preferences in the file <path>."),
                       QStringLiteral("path") });
    parser.addOption({ QStringLiteral("report"),
                       QStringLiteral("Write a report without a window: materials, plan, status or wishlist."),
                       QStringLiteral("name") });
    parser.addOption({ QStringLiteral("car"), QStringLiteral("The project to report on."), QStringLiteral("id") });
    parser.addOption({ QStringLiteral("status"), QStringLiteral("Status report: all, 0, 1, 2 or 3."),
                       QStringLiteral("code") });
    parser.addOption({ QStringLiteral("output"), QStringLiteral("Where to write: a .pdf or .txt file."),
                       QStringLiteral("file") });
}

QString databaseOption(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database"))
                                                    : app::defaultDatabasePath();
}

// A report written straight to a file; no display is needed.
int runReport(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    QTextStream err(stderr);
    const reports::ExportRequest request { databaseOption(parser), parser.value(QStringLiteral("report")),
                                           parser.value(QStringLiteral("car")), parser.value(QStringLiteral("status")),
                                           parser.value(QStringLiteral("output")) };
    if (request.output.isEmpty()) {
        err << "gearlog: --report needs --output FILE\n";
        return 2;
    }
    return reports::exportReport(request, err);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("GRLOG"));
    QCoreApplication::setOrganizationName(QStringLiteral("GRLOG"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GEARLOG_VERSION));

    if (hasOption(argc, argv, "--report"))
        return runReport(argc, argv);
    if (hasOption(argc, argv, "--create-database")) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        describe(parser);
        parser.process(app);
        return createDatabase(parser.value(QStringLiteral("create-database")));
    }

    QApplication app(argc, argv);
    // Unattended runs (scripts, CI): boxes are answered with their default and printed instead.
    if (qEnvironmentVariable("GEARLOG_DIALOGS") == QStringLiteral("stderr")) {
        gui::DialogSeam::setTestMode(true);
        gui::DialogSeam::setEcho(true);
    }
    QApplication::setApplicationDisplayName(QStringLiteral("Gear-Log"));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);

    const QString databasePath = databaseOption(parser);
    std::unique_ptr<QSettings> settings =
        parser.isSet(QStringLiteral("settings"))
            ? std::make_unique<QSettings>(parser.value(QStringLiteral("settings")), QSettings::IniFormat)
            : std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("GRLOG"),
                                          QStringLiteral("GRLOG"));

    auto session = app::startGearLog(databasePath, *settings);
    if (!session)
        return 1;
    return app.exec();
}
