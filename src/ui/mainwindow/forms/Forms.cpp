// The main window's forms. Including each generated class here makes uic run on every form
// whenever the library is built, so a broken form fails the build even before code uses it.

#include "ui_ActivityTab.h"
#include "ui_AssemblyTab.h"
#include "ui_CarTab.h"
#include "ui_CommandRow.h"
#include "ui_ComponentTab.h"
#include "ui_Frame.h"
#include "ui_PhaseTab.h"
#include "ui_SupplierTab.h"
