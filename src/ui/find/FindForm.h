#pragma once

#include "project/Kind.h"
#include "store/RecordTraits.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace store {
class Database;
}

namespace search {

// The find window: a text looked for in every project's records and the suppliers, the records
// holding it listed with their kind and project. Opening one asks the main window to show it,
// which it does as the user's own picks would. It stays open beside the main window.
class FindForm : public QDialog
{
    Q_OBJECT

public:
    // The database must outlive the window.
    FindForm(const store::Database& database, QWidget* parent);

    // The parent's find window, made when it has none yet, shown in front with its text selected.
    static FindForm* showFor(const store::Database& database, QWidget* parent);

    // How many hits the list shows at most.
    static constexpr int ListLimit = 200;

Q_SIGNALS:
    // carid is 0 for a supplier.
    void openRequested(project::Kind kind, store::Key carid, store::Key key);

private:
    void cmdFind_Click();
    void openResult();

    const store::Database& m_database;
    QLineEdit* FindText = nullptr;
    QPushButton* cmdFind = nullptr;
    QTableWidget* FindResults = nullptr;
    QLabel* FindCount = nullptr;
    QPushButton* cmdOpen = nullptr;
    QPushButton* cmdClose = nullptr;
};

} // namespace search
