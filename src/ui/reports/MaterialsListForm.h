#pragma once

#include "reports/ReportForm.h"

namespace reports {

class MaterialsListForm : public ReportForm
{
    Q_OBJECT
public:
    explicit MaterialsListForm(const store::Database& database, QWidget* parent = nullptr);
    void PrintMaterialsList() { printReport(); }

protected:
    ReportDocument buildReport(const store::Store& store, const ReportRequest& request) override;
};

} // namespace reports
