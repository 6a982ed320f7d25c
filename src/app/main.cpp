// GearLog: starts the project editor, or runs a command-line task.

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "store/SampleProject.h"
#include "store/StoreError.h"
#include "timeline/TimeLineExport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QSettings>
#include <QTextStream>
#include <cstdio>
#include <cstring>

namespace {

bool hasArgument(int argc, char** argv, const char* name)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return true;
    }
    return false;
}

bool wantsCommandLineTask(int argc, char** argv)
{
    return hasArgument(argc, argv, "--create-database");
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
    // The time line export.
    parser.addOption({ QStringLiteral("timeline"),
                       QStringLiteral("Draw the time line of the project --car to --output (a PNG a page, or one PDF) "
                                      "and exit.") });
    parser.addOption({ QStringLiteral("car"), QStringLiteral("The number of the project."), QStringLiteral("id") });
    parser.addOption({ QStringLiteral("summary"), QStringLiteral("Phases only, without their activities.") });
    parser.addOption({ QStringLiteral("output"), QStringLiteral("The file to write."), QStringLiteral("file") });
}

// Drawing needs fonts, hence a GUI application, but never a display.
int exportTimeLine(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    timeline::ExportRequest request;
    request.databasePath =
        parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database")) : app::defaultDatabasePath();
    request.car = parser.value(QStringLiteral("car"));
    request.summary = parser.isSet(QStringLiteral("summary"));
    request.output = parser.value(QStringLiteral("output"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return timeline::exportTimeLine(request, out, err);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("GRLOG"));
    QCoreApplication::setOrganizationName(QStringLiteral("GRLOG"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GEARLOG_VERSION));

    if (hasArgument(argc, argv, "--timeline"))
        return exportTimeLine(argc, argv);
    if (wantsCommandLineTask(argc, argv)) {
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

    const QString databasePath =
        parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database")) : app::defaultDatabasePath();
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
