#pragma once

#include "reports/ReportForm.h"

namespace reports {

class ProjectPlanForm : public ReportForm
{
    Q_OBJECT
public:
    explicit ProjectPlanForm(const store::Database& database, QWidget* parent = nullptr);
    void PrintProjectPlan() { printReport(); }

protected:
    ReportDocument buildReport(const store::Store& store, const ReportRequest& request) override;
};

} // namespace reports
