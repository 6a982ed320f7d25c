#pragma once

#include "reports/ReportForm.h"

namespace reports {

// The status report also asks which assemblies to print: all, or those of one work status.
class StatusReportForm : public ReportForm
{
    Q_OBJECT
public:
    explicit StatusReportForm(const store::Database& database, QWidget* parent = nullptr);
    void PrintWorkStatus() { printReport(); }
    void cboWorkStatus_Click();
    void projectChosen();

    QLabel* Label2 = nullptr;
    QComboBox* cboWorkStatus = nullptr;
    int statusFilter = -1;
    QString statusName;

protected:
    ReportDocument buildReport(const store::Store& store, const ReportRequest& request) override;
    bool readyToPrint() const override { return selectedProjectID != 0 && m_statusChosen; }

private:
    bool m_statusChosen = false;
};

} // namespace reports
