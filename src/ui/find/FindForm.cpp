#include "find/FindForm.h"

#include "find/Find.h"
#include "gui/StoreErrors.h"
#include "store/Car.h"
#include "store/Table.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace search {

namespace {

enum Column { KindColumn, ProjectColumn, TextColumn, FieldColumn, ColumnCount };

// Roles of the kind column's item: what the row stands for.
constexpr int CarRole = project::KindRole + 1;

struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    // Enter searches in the text box and opens in the list, never presses a button of its own accord.
    b->setAutoDefault(false);
    return b;
}

QString countText(const Found& found)
{
    if (found.more)
        return QStringLiteral("More than %1 records found; the list stops at the first %1.").arg(FindForm::ListLimit);
    if (found.hits.isEmpty())
        return QStringLiteral("Nothing found.");
    if (found.hits.size() == 1)
        return QStringLiteral("1 record found.");
    return QStringLiteral("%1 records found.").arg(found.hits.size());
}

} // namespace

FindForm::FindForm(const store::Database& database, QWidget* parent)
    : QDialog(parent)
    , m_database(database)
{
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(QStringLiteral("Find"));
    resize(760, 480);

    auto* caption = new QLabel(QStringLiteral("Fi&nd what:"), this);
    FindText = new QLineEdit(this);
    FindText->setObjectName(QStringLiteral("FindText"));
    caption->setBuddy(FindText);
    cmdFind = button(QStringLiteral("&Find"), "cmdFind", this);

    FindResults = new QTableWidget(0, ColumnCount, this);
    FindResults->setObjectName(QStringLiteral("FindResults"));
    FindResults->setHorizontalHeaderLabels({ QStringLiteral("Kind"), QStringLiteral("Project"),
        QStringLiteral("Description or Name"), QStringLiteral("Found In") });
    FindResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    FindResults->setSelectionMode(QAbstractItemView::SingleSelection);
    FindResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindResults->setTabKeyNavigation(false);
    FindResults->verticalHeader()->hide();
    FindResults->horizontalHeader()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    FindResults->setColumnWidth(KindColumn, 90);
    FindResults->setColumnWidth(ProjectColumn, 220);
    FindResults->setColumnWidth(FieldColumn, 100);

    FindCount = new QLabel(QStringLiteral("Type the text to find and press Enter."), this);
    FindCount->setObjectName(QStringLiteral("FindCount"));
    cmdOpen = button(QStringLiteral("&Open"), "cmdOpen", this);
    cmdOpen->setEnabled(false);
    cmdClose = button(QStringLiteral("&Close"), "cmdClose", this);

    auto* top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(FindText, 1);
    top->addWidget(cmdFind);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(FindCount, 1);
    bottom->addWidget(cmdOpen);
    bottom->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FindResults, 1);
    layout->addLayout(bottom);

    connect(FindText, &QLineEdit::returnPressed, this, &FindForm::cmdFind_Click);
    connect(cmdFind, &QPushButton::clicked, this, &FindForm::cmdFind_Click);
    // Double-click and Enter on a row both activate it.
    connect(FindResults, &QTableWidget::activated, this, &FindForm::openResult);
    connect(cmdOpen, &QPushButton::clicked, this, &FindForm::openResult);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(FindResults, &QTableWidget::itemSelectionChanged, this,
        [this] { cmdOpen->setEnabled(!FindResults->selectedItems().isEmpty()); });
}

FindForm* FindForm::showFor(const store::Database& database, QWidget* parent)
{
    auto* form = parent->findChild<FindForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (form) {
        form->show();
        form->raise();
        form->activateWindow();
    } else {
        form = new FindForm(database, parent);
        form->show();
    }
    form->FindText->setFocus();
    form->FindText->selectAll();
    return form;
}

void FindForm::cmdFind_Click()
{
    const QString text = FindText->text();
    FindResults->setRowCount(0);
    cmdOpen->setEnabled(false);
    if (text.isEmpty()) {
        FindCount->setText(QStringLiteral("Type the text to find and press Enter."));
        return;
    }
    Found found;
    QHash<store::Key, QString> projects;
    const bool ok = gui::guarded(this, QStringLiteral("finding records"), [&] {
        const BusyCursor busy;
        found = findRecords(m_database, text, ListLimit);
        for (const store::Entry& car : store::Table<store::Car>(m_database).allEntries(store::Order::Key))
            projects.insert(car.key, car.text);
    });
    if (!ok) {
        FindCount->setText(QStringLiteral("Nothing found."));
        return;
    }
    FindResults->setUpdatesEnabled(false);
    FindResults->setRowCount(int(found.hits.size()));
    for (int row = 0; row < found.hits.size(); ++row) {
        const Hit& hit = found.hits.at(row);
        auto* kind = new QTableWidgetItem(kindName(hit.kind));
        kind->setData(project::KeyRole, hit.key);
        kind->setData(project::KindRole, int(hit.kind));
        kind->setData(CarRole, hit.carid.value_or(0));
        FindResults->setItem(row, KindColumn, kind);
        FindResults->setItem(row, ProjectColumn,
            new QTableWidgetItem(hit.carid ? projects.value(*hit.carid, QString::number(*hit.carid)) : QString()));
        FindResults->setItem(row, TextColumn, new QTableWidgetItem(hit.text));
        FindResults->setItem(row, FieldColumn, new QTableWidgetItem(fieldName(hit.kind, hit.field)));
    }
    FindResults->setUpdatesEnabled(true);
    FindCount->setText(countText(found));
    if (!found.hits.isEmpty())
        FindResults->setCurrentCell(0, KindColumn);
}

void FindForm::openResult()
{
    const int row = FindResults->currentRow();
    const QTableWidgetItem* item = row < 0 ? nullptr : FindResults->item(row, KindColumn);
    if (!item)
        return;
    Q_EMIT openRequested(project::Kind(item->data(project::KindRole).toInt()), item->data(CarRole).toLongLong(),
        item->data(project::KeyRole).toLongLong());
}

} // namespace search
