#pragma once

#include "store/RecordTraits.h"

#include <QByteArray>

namespace store {
class Store;
}

namespace exchange {

// Lists for spreadsheets (RFC 4180: a header row, CRLF line ends, fields quoted where they hold
// a comma, a quote or a line break; amounts as plain decimals). A text that a spreadsheet would run
// as a formula (one starting with =, +, -, @, a tab or a carriage return) is written with a leading
// apostrophe. Throw store::StoreError.

// One row per component: assembly, component, quantity, unit and extended target and actual
// costs, supplier, catalog page, status and activity.
QByteArray materialsCsv(const store::Store& store, store::Key carid);
// The wish-list components, grouped by supplier.
QByteArray wishListCsv(const store::Store& store, store::Key carid);

} // namespace exchange
