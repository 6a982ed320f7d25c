// Whole projects to and from files that other GearLog users (and other programs) can read.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "exchange/ProjectFile.h"
#include "gui/Dialogs.h"
#include "project/ProjectSession.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace editor {

namespace {
const QString Filter = QStringLiteral("GearLog projects (*.json)");
}

void Form1::mnuExportProject_Click()
{
    if (m_carTab->shown.key == 0) {
        gui::MessageBox::notice(this, QStringLiteral("Please Select A Project Car To Work With"));
        return;
    }
    QString name = m_carTab->shown.description;
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9 ._-]")), QStringLiteral("_"));
    const QString path = gui::FileDialog::getSaveFileName(
        this, QStringLiteral("Export Project"), QDir::home().filePath(name + QStringLiteral(".json")), Filter);
    if (path.isEmpty())
        return;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QByteArray json = exchange::exportProject(store(), m_carTab->shown.key);
        QApplication::restoreOverrideCursor();
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
            gui::MessageBox::information(this, QStringLiteral("The File '%1' Could Not Be Written").arg(path));
            return;
        }
        setPanelText(1, QStringLiteral("Project '%1' Exported").arg(m_carTab->shown.description));
    } catch (const store::StoreError& e) {
        QApplication::restoreOverrideCursor();
        showStoreError(QStringLiteral("the export"), e);
    }
}

void Form1::mnuImportProject_Click()
{
    if (refuseChange())
        return;
    const QString path
        = gui::FileDialog::getOpenFileName(this, QStringLiteral("Import Project"), QDir::homePath(), Filter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        gui::MessageBox::information(this, QStringLiteral("The File '%1' Could Not Be Read").arg(path));
        return;
    }
    qint32 carid = 0;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        carid = m_session.importProject(file.readAll());
        QApplication::restoreOverrideCursor();
    } catch (const exchange::ImportError& e) {
        QApplication::restoreOverrideCursor();
        gui::MessageBox::information(this, QStringLiteral("The File Cannot Be Imported:\n\n%1").arg(e.message()));
        return;
    } catch (const store::StoreError& e) {
        QApplication::restoreOverrideCursor();
        showStoreError(QStringLiteral("the import"), e);
        return;
    }
    // Shown at once, picked by its key: an imported project may share its name with another.
    loadCarDescription();
    m_carTab->shown.loaded = false;
    m_carTab->shown.description.clear();
    showTab(0);
    reselect(m_carTab->carDescription, carid);
    gui::MessageBox::notice(this, QStringLiteral("New Project '%1' Imported").arg(m_carTab->shown.description));
}

} // namespace editor
