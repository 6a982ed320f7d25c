#pragma once

#include "store/RecordTraits.h"

#include "reports/ReportDocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace store {
class Store;
}

namespace reports {

// What every report needs to know of the print: which project, under what name, on which day, and
// how many lines the paper's pages take.
struct ReportRequest
{
    store::Key carid = 0;
    QString projectName;
    QDate today;
    PageLines lines = {};
};

// The status texts of the reports, by code plus one; 0 is "Select All".
QString reportStatusText(std::optional<qint32> code);

// The four reports. Each reads only the chosen project's rows; a store failure throws and no
// document is made.
ReportDocument materialsList(const store::Store& store, const ReportRequest& request);
ReportDocument projectPlan(const store::Store& store, const ReportRequest& request);
// statusFilter: -1 for every assembly, else the status code 0 to 3.
ReportDocument workStatus(const store::Store& store, const ReportRequest& request, int statusFilter);
ReportDocument wishList(const store::Store& store, const ReportRequest& request);

} // namespace reports
