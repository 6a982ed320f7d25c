#pragma once

#include "reports/ReportForm.h"

namespace reports {

class WishListForm : public ReportForm
{
    Q_OBJECT
public:
    explicit WishListForm(const store::Database& database, QWidget* parent = nullptr);
    void PrintWishList() { printReport(); }

protected:
    ReportDocument buildReport(const store::Store& store, const ReportRequest& request) override;
};

} // namespace reports
