#pragma once

// The six record tab editors, for the main window's own sources.
#include "mainwindow/ActivityEditor.h"
#include "mainwindow/AssemblyEditor.h"
#include "mainwindow/CarEditor.h"
#include "mainwindow/ComponentEditor.h"
#include "mainwindow/PhaseEditor.h"
#include "mainwindow/SupplierEditor.h"
