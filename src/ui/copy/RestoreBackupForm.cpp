#include "copy/RestoreBackupForm.h"

#include "gui/Dialogs.h"
#include "store/Restore.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace copy {

RestoreBackupForm::RestoreBackupForm(const QString& databasePath, QWidget* parent)
    : QDialog(parent)
    , m_databasePath(databasePath)
{
    setObjectName(QStringLiteral("RestoreBackupForm"));
    setWindowTitle(QStringLiteral("Restore Backup"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Pick the backup to put in place of %1. The database as it is now "
                                            "is kept in the backups folder, so this can be undone the same way.")
                                 .arg(QFileInfo(databasePath).fileName()),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("BackupList"));
    for (const store::BackupEntry& b : store::listBackups(databasePath)) {
        const QString projects = b.projects < 0 ? QStringLiteral("cannot be read")
            : b.projects == 1                   ? QStringLiteral("1 project")
                                                : QStringLiteral("%1 projects").arg(b.projects);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1    %2    %3")
                .arg(b.made.toString(QStringLiteral("yyyy-MM-dd HH:mm")), projects, QFileInfo(b.path).fileName()),
            m_list);
        item->setData(Qt::UserRole, b.path);
        if (b.projects < 0)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    if (m_list->count() == 0)
        m_list->addItem(QStringLiteral("No backups have been made yet."));
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_restore = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    m_restore->setObjectName(QStringLiteral("cmdRestore"));
    m_restore->setEnabled(false);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        m_restore->setEnabled(
            item && !item->data(Qt::UserRole).toString().isEmpty() && item->flags().testFlag(Qt::ItemIsEnabled));
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_restore->isEnabled())
            restore();
    });
    connect(m_restore, &QPushButton::clicked, this, &RestoreBackupForm::restore);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(560, 320);
}

void RestoreBackupForm::restore()
{
    const QString backup = m_list->currentItem()->data(Qt::UserRole).toString();
    const QString question = QStringLiteral("Put the backup '%1' in place of the database? GearLog closes the "
                                            "database, sets it aside in the backups folder and opens the backup.")
                                 .arg(QFileInfo(backup).fileName());
    if (gui::MessageBox::question(this, question) != gui::Answer::Yes)
        return;
    Q_EMIT restoreChosen(backup);
    accept();
}

} // namespace copy
