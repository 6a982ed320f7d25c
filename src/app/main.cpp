// GearLog: starts the project editor, or runs a command-line task.

#include "app/Session.h"
#include "app/Startup.h"
#include "charts/ChartExport.h"
#include "copy/DatabaseCopy.h"
#include "exchange/Commands.h"
#include "gui/Dialogs.h"
#include "reports/ReportExport.h"
#include "store/SampleProject.h"
#include "store/Store.h"
#include "store/StoreError.h"
#include "timeline/TimeLineExport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QSettings>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>
#include <cstdio>

namespace {

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
    parser.addOption({ QStringLiteral("copy-database"),
        QStringLiteral("gearlog --copy-database <from> TO: copy every project and supplier from the database "
                       "<from> to TO, a new file or an empty server database, keeping their numbers, and exit."),
        QStringLiteral("from") });
    parser.addOption({ QStringLiteral("settings"), QStringLiteral("Keep preferences in the file <path>."),
                       QStringLiteral("path") });
    parser.addOption({ QStringLiteral("report"),
                       QStringLiteral("Write a report without a window: materials, plan, status or wishlist."),
                       QStringLiteral("name") });
    parser.addOption({ QStringLiteral("car"), QStringLiteral("The project to report on."), QStringLiteral("id") });
    parser.addOption({ QStringLiteral("status"),
        QStringLiteral("Status report: all, or one assembly status: 0 Not Started, 1 In Process, "
                       "2 Completed, 3 On Hold."),
        QStringLiteral("code") });
    parser.addOption({ QStringLiteral("paper"),
        QStringLiteral("The paper of a report's PDF: letter (the default), a4 or legal."), QStringLiteral("size") });
    parser.addOption({ QStringLiteral("output"), QStringLiteral("Where to write: a .pdf, .png, .txt, .json or .csv file."),
                       QStringLiteral("file") });
    parser.addOption({ QStringLiteral("export-project"), QStringLiteral("Write the project --car to --output as JSON.") });
    parser.addOption({ QStringLiteral("import-project"),
                       QStringLiteral("Add the project in the JSON <file> as a new one; prints its number."),
                       QStringLiteral("file") });
    parser.addOption({ QStringLiteral("csv"), QStringLiteral("Write a list as CSV: materials or wishlist."),
                       QStringLiteral("list") });
    parser.addOption({ QStringLiteral("timeline"),
                       QStringLiteral("Draw the time line of the project --car to --output (a PNG a page, or one "
                                      "PDF) and exit.") });
    parser.addOption({ QStringLiteral("chart"),
        QStringLiteral("Draw a chart of the project --car to --output (.png, .svg, .pdf or .json) and exit: "
                       "budget, assemblies, spending or hours."),
        QStringLiteral("name") });
    parser.addOption({ QStringLiteral("summary"), QStringLiteral("Time line: phases only, without their activities.") });
    parser.addOption({ QStringLiteral("no-today"), QStringLiteral("Time line: leave out the line marking today's date.") });
    parser.addOption({ QStringLiteral("list-projects"),
        QStringLiteral("List the projects: number (for --car), description, make, model, year and "
                       "counts.") });
    parser.addOption({ QStringLiteral("find"),
        QStringLiteral("List every record of every project, and every supplier, whose description, name, notes, "
                       "catalog page or supplier holds <text>: kind, project number, record number and "
                       "description, separated by tabs."),
        QStringLiteral("text") });
    parser.addOption({ QStringLiteral("list-backups"),
        QStringLiteral("List the backups beside the database with their dates and projects.") });
    parser.addOption({ QStringLiteral("restore-backup"),
        QStringLiteral("Put the backup <file> in place of the database, setting the database aside "
                       "in its backups folder."),
        QStringLiteral("file") });
    // For installers and packagers: where the sample's pictures will be found once installed.
    QCommandLineOption pictures(QStringLiteral("picture-folder"), QStringLiteral("Picture folder to record."),
                                QStringLiteral("path"));
    pictures.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(pictures);
    // For scripts and install checks: start, say which database is open, and quit.
    QCommandLineOption check(QStringLiteral("check-start"), QStringLiteral("Start, report and quit."));
    check.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(check);
}

QString databaseOption(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database"))
                                                    : app::defaultDatabasePath();
}

int createDatabase(const QCommandLineParser& parser)
{
    const QString path = parser.value(QStringLiteral("create-database"));
    try {
        store::createSampleDatabase(path, parser.value(QStringLiteral("picture-folder")));
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "gearlog: %s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("Created %s\n", qPrintable(path));
    return 0;
}

int copyDatabase(const QCommandLineParser& parser)
{
    const QString from = parser.value(QStringLiteral("copy-database"));
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "gearlog: --copy-database FROM TO needs one TO, a new file or a server database\n");
        return 2;
    }
    const QString to = parser.positionalArguments().first();
    try {
        const copy::CopiedRows rows = copy::copyDatabase(from, to);
        std::printf("Copied %s from %s to %s\n", qPrintable(copy::describe(rows)), qPrintable(from), qPrintable(to));
        return 0;
    } catch (const store::OpenFailure& failure) {
        for (const store::StoreError& e : failure.errors())
            std::fprintf(stderr, "gearlog: %s\n", qPrintable(e.message()));
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "gearlog: %s\n", qPrintable(e.message()));
    }
    std::fprintf(stderr, "gearlog: nothing was copied\n");
    return 1;
}

int runReport(const QCommandLineParser& parser)
{
    QTextStream err(stderr);
    const reports::ExportRequest request { databaseOption(parser), parser.value(QStringLiteral("report")),
        parser.value(QStringLiteral("car")), parser.value(QStringLiteral("status")),
        parser.value(QStringLiteral("output")), parser.value(QStringLiteral("paper")) };
    if (request.output.isEmpty()) {
        err << "gearlog: --report needs --output FILE\n";
        return 2;
    }
    return reports::exportReport(request, err);
}

int runWindow(QApplication& app, const QCommandLineParser& parser)
{
    // Unattended runs (scripts, CI): boxes are answered with their default and printed instead.
    if (qEnvironmentVariable("GEARLOG_DIALOGS") == QStringLiteral("stderr")) {
        gui::DialogSeam::setTestMode(true);
        gui::DialogSeam::setEcho(true);
    }
    const QString databasePath = databaseOption(parser);
    std::unique_ptr<QSettings> settings
        = parser.isSet(QStringLiteral("settings"))
        ? std::make_unique<QSettings>(parser.value(QStringLiteral("settings")), QSettings::IniFormat)
        : std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("GRLOG"),
                                      QStringLiteral("GRLOG"));
    auto session = app::startGearLog(databasePath, *settings);
    if (!session)
        return 1;
    app::handleRestores(session, *settings);
    if (parser.isSet(QStringLiteral("check-start"))) {
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, &app, [&session] {
            if (!session->window().isStarted())
                return;
            const qint64 projects = store::Store(session->database()).cars.count();
            std::printf("GearLog %s started on %s with %lld projects\n", qPrintable(QApplication::applicationVersion()),
                        qPrintable(session->database().path()), static_cast<long long>(projects));
            std::fflush(stdout);
            QApplication::quit();
        });
        poll->start(10);
    }
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("gearlog"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GEARLOG_VERSION));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    // Parsed before any application object exists, so the usage names the program itself.
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("gearlog"));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "gearlog: %s\n\n%s", qPrintable(parser.errorText()), qPrintable(usage));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", qPrintable(usage));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    // A pipe, device, folder or socket named as the output would hang the program or be replaced
    // by a file: refused before anything is read or drawn.
    if (const QString output = parser.value(QStringLiteral("output")); !output.isEmpty()) {
        if (const QFileInfo target(output); target.exists() && !target.isFile()) {
            QTextStream(stderr) << "gearlog: --output " << output
                                << " is not a regular file (a folder, pipe, device or socket); nothing was written\n";
            return 1;
        }
    }

    if (parser.isSet(QStringLiteral("create-database"))) {
        QCoreApplication app(argc, argv);
        return createDatabase(parser);
    }
    if (parser.isSet(QStringLiteral("copy-database"))) {
        QCoreApplication app(argc, argv);
        return copyDatabase(parser);
    }
    if (parser.isSet(QStringLiteral("export-project")) || parser.isSet(QStringLiteral("import-project"))
        || parser.isSet(QStringLiteral("csv")) || parser.isSet(QStringLiteral("list-backups"))
        || parser.isSet(QStringLiteral("restore-backup")) || parser.isSet(QStringLiteral("list-projects"))
        || parser.isSet(QStringLiteral("find"))) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const QString database = databaseOption(parser);
        if (parser.isSet(QStringLiteral("list-projects")))
            return exchange::listProjectsCommand(database, out, err);
        if (parser.isSet(QStringLiteral("find")))
            return exchange::findCommand(database, parser.value(QStringLiteral("find")), out, err);
        if (parser.isSet(QStringLiteral("list-backups")))
            return exchange::listBackupsCommand(database, out);
        if (parser.isSet(QStringLiteral("restore-backup")))
            return exchange::restoreBackupCommand(database, parser.value(QStringLiteral("restore-backup")), out, err);
        if (parser.isSet(QStringLiteral("import-project")))
            return exchange::importProjectCommand(database, parser.value(QStringLiteral("import-project")), out, err);
        if (parser.isSet(QStringLiteral("csv")))
            return exchange::csvCommand(database, parser.value(QStringLiteral("csv")), parser.value(QStringLiteral("car")),
                                        parser.value(QStringLiteral("output")), err);
        return exchange::exportProjectCommand(database, parser.value(QStringLiteral("car")),
                                              parser.value(QStringLiteral("output")), err);
    }
    if (parser.isSet(QStringLiteral("chart"))) {
        // Drawn as the time line is: fonts, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return charts::exportChart({ databaseOption(parser), parser.value(QStringLiteral("chart")),
                                       parser.value(QStringLiteral("car")), parser.value(QStringLiteral("output")) },
            out, err);
    }
    if (parser.isSet(QStringLiteral("timeline"))) {
        // Drawing needs fonts, hence a GUI application, but never a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const timeline::ExportRequest request { databaseOption(parser), parser.value(QStringLiteral("car")),
                                                parser.isSet(QStringLiteral("summary")),
                                                parser.value(QStringLiteral("output")),
                                                !parser.isSet(QStringLiteral("no-today")) };
        return timeline::exportTimeLine(request, out, err);
    }
    if (parser.isSet(QStringLiteral("report"))) {
        // Written straight to a file: no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return runReport(parser);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Gear-Log"));
    // The desktop entry's name (GEARLOG_APP_ID in cmake/Install.cmake), so that Wayland desktops
    // find the window's entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.GearLog"));
    QIcon icon;
    for (int size : { 16, 24, 32, 48, 64, 128, 256 })
        icon.addFile(QStringLiteral(":/icons/gearlog-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    return runWindow(app, parser);
}
