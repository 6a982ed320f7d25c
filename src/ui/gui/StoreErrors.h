#pragma once

#include "store/StoreError.h"

#include <QString>
#include <exception>

class QWidget;

namespace gui {

// Tells the user what the database reported while doing what.
void showStoreError(QWidget* parent, const QString& what, const store::StoreError& error);

// Tells the user that a command could not be completed, and what the database (or the arithmetic)
// said.
void showCommandError(QWidget* parent, const QString& what, const std::exception& error);

// Runs one step of a command; a store failure is shown and the step answers false, leaving the
// window as it was.
template <class F> bool guarded(QWidget* parent, const QString& what, F&& step)
{
    try {
        step();
        return true;
    } catch (const store::StoreError& e) {
        showStoreError(parent, what, e);
        return false;
    }
}

} // namespace gui
