#pragma once

#include "store/RecordTraits.h"

#include "reports/ReportDocument.h"
#include "reports/Reports.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

namespace store {
class Database;
class Store;
} // namespace store

namespace reports {

// What the four report windows share: pick a project, then Print (or look at it first with
// Preview); the window closes after a print attempt, printed or not.
class ReportForm : public QDialog
{
    Q_OBJECT

public:
    ReportForm(const store::Database& database, const QString& caption, QWidget* parent = nullptr);
    ~ReportForm() override;

    void cboProject_Click();
    void cmdPrintReport_Click();
    void cmdQuitReport_Click();
    void cmdPreview_Click();
    QString panelText() const;

    QLabel* Label1 = nullptr;
    QComboBox* cboProject = nullptr;
    QPushButton* cmdPrintReport = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdQuitReport = nullptr;
    QStatusBar* sbStatus = nullptr;

    QString selectedProjectName;
    store::Key selectedProjectID = 0;

protected:
    // The report of the chosen project; throws store::StoreError.
    virtual ReportDocument buildReport(const store::Store& store, const ReportRequest& request) = 0;
    // Whether everything Print needs has been chosen.
    virtual bool readyToPrint() const { return selectedProjectID != 0; }
    // The print procedure: the print dialog, the report, and the failure path.
    void printReport();
    void setPanelText(const QString& text);
    QWidget* criteria() const { return m_criteria; }

private:
    std::optional<ReportDocument> makeDocument(const PageLines& lines);
    void failed();

    std::unique_ptr<store::Store> m_store;
    QWidget* m_criteria = nullptr;
    QLabel* m_panel = nullptr;
};

} // namespace reports
