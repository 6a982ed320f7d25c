#include "gui/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace gui {

HelpViewer::HelpViewer(const QString& file, const QString& anchor, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Gear-Log Help"));
    setModal(true);

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("HelpText"));
    browser->setOpenExternalLinks(true);
    auto button = [this](QPushButton*& member, const char* name, const QString& caption) {
        member = new QPushButton(caption, this);
        member->setObjectName(QLatin1String(name));
        member->setAutoDefault(false);
    };
    button(cmdBack, "cmdBack", QStringLiteral("< Back"));
    button(cmdForward, "cmdForward", QStringLiteral("Forward >"));
    button(cmdContents, "cmdContents", QStringLiteral("Contents"));
    button(CmdOK, "CmdOK", QStringLiteral("Close"));
    CmdOK->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(cmdBack);
    row->addWidget(cmdForward);
    row->addWidget(cmdContents);
    row->addStretch(1);
    row->addWidget(CmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser, 1);
    layout->addLayout(row);

    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
    connect(browser, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connect(cmdBack, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    const QUrl contents = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    connect(cmdContents, &QPushButton::clicked, browser, [this, contents] { browser->setSource(contents); });
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);

    // The browser scrolls to the anchor once it is shown.
    QUrl start = contents;
    if (!anchor.isEmpty())
        start.setFragment(anchor);
    browser->setSource(start);
    resize(760, 640);
}

bool HelpViewer::showFile(QWidget* parent, const QString& file, const QString& anchor)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    HelpViewer viewer(file, anchor, parent);
    viewer.exec();
    return true;
}

QString HelpViewer::programFolder()
{
    // Named from outside for tests and for portable copies that keep the help elsewhere.
    if (const QString named = qEnvironmentVariable("GEARLOG_HELP_FOLDER"); !named.isEmpty())
        return named;
    // Beside the program in a build tree or portable copy; an installed program keeps its help
    // with its other data.
    const QDir program(QCoreApplication::applicationDirPath());
    if (program.exists(QStringLiteral("Gear-Log.html")))
        return program.path();
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/gearlog")));
    return QDir(installed).exists(QStringLiteral("Gear-Log.html")) ? installed : program.path();
}

} // namespace gui
