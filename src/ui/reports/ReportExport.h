#pragma once

#include <QString>

class QTextStream;

namespace reports {

struct ExportRequest
{
    QString databasePath;
    QString report; // materials, plan, status or wishlist
    QString car; // the project's key, as typed
    QString status; // status report only: all, 0, 1, 2 or 3
    QString output; // .pdf for the printed pages, .txt for plain text
    QString paper = {}; // the PDF's paper: letter (when empty), a4 or legal; text keeps Letter's pages
};

// Writes one report without any window. Answers the process exit status; says what went wrong on err.
int exportReport(const ExportRequest& request, QTextStream& err);

} // namespace reports
