#pragma once

#include "editor/Form1.h"
#include "store/Database.h"

#include <memory>

namespace app {

// The open database and the main window that works on it, for the life of the program.
class Session
{
public:
    Session(std::unique_ptr<store::Database> database, QSettings& settings)
        : m_database(std::move(database))
        , m_window(std::make_unique<editor::Form1>(*m_database, settings))
    {
    }
    ~Session()
    {
        m_window.reset(); // the window goes before the database it reads
    }

    editor::Form1& window() { return *m_window; }
    store::Database& database() { return *m_database; }

private:
    std::unique_ptr<store::Database> m_database;
    std::unique_ptr<editor::Form1> m_window;
};

} // namespace app
