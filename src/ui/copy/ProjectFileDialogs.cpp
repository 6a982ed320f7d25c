// Whole projects to and from files that other GearLog users (and other programs) can read.

#include "copy/ProjectFileDialogs.h"

#include "common/SafeFile.h"

#include "exchange/ProjectFile.h"
#include "gui/BusyWork.h"
#include "gui/Dialogs.h"
#include "gui/StoreErrors.h"
#include "project/ProjectSession.h"
#include "store/Store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace copy {

namespace {

const QString Filter = QStringLiteral("GearLog projects (*.json)");

} // namespace

std::optional<QString> exportProjectFile(
    QWidget* parent, const project::ProjectSession& session, store::Key carid, const QString& description)
{
    QString name = description;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9 ._-]")), QStringLiteral("_"));
    const QString path = gui::FileDialog::getSaveFileName(
        parent, QStringLiteral("Export Project"), QDir::home().filePath(name + QStringLiteral(".json")), Filter);
    if (path.isEmpty())
        return std::nullopt;
    QByteArray json;
    try {
        const gui::BusyWork busy(parent, QStringLiteral("Exporting the project"), QStringLiteral("records"));
        json = exchange::exportProject(session.store(), carid, busy.progress());
    } catch (const store::StoreError& e) {
        gui::showCommandError(parent, QStringLiteral("the export"), e);
        return std::nullopt;
    }
    const QString failure = common::SafeFile::write(path, json);
    if (!failure.isEmpty()) {
        gui::MessageBox::information(
            parent, QStringLiteral("The File '%1' Could Not Be Written").arg(path) + QStringLiteral("\n\n") + failure);
        return std::nullopt;
    }
    return QStringLiteral("Project '%1' Exported").arg(description);
}

std::optional<store::Key> importProjectFile(QWidget* parent, project::ProjectSession& session)
{
    const QString path
        = gui::FileDialog::getOpenFileName(parent, QStringLiteral("Import Project"), QDir::homePath(), Filter);
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        gui::MessageBox::information(parent, QStringLiteral("The File '%1' Could Not Be Read").arg(path));
        return std::nullopt;
    }
    try {
        const gui::BusyWork busy(parent, QStringLiteral("Importing the project"), QStringLiteral("records"));
        return session.importProject(exchange::readProjectFile(file), busy.progress());
    } catch (const exchange::ImportError& e) {
        gui::MessageBox::information(parent, QStringLiteral("The File Cannot Be Imported:\n\n%1").arg(e.message()));
    } catch (const store::StoreError& e) {
        gui::showCommandError(parent, QStringLiteral("the import"), e);
    }
    return std::nullopt;
}

} // namespace copy
