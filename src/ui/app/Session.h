#pragma once

#include "mainwindow/MainWindow.h"
#include "project/ProjectSession.h"
#include "store/Database.h"

#include <functional>
#include <memory>
#include <thread>

namespace app {

// The open database and the main window that works on it, for the life of the program.
class Session
{
public:
    Session(std::unique_ptr<store::Database> database, QSettings& settings)
        : m_database(std::move(database))
        , m_project(std::make_unique<project::ProjectSession>(*m_database))
        , m_window(editor::MainWindow::create(*m_project, settings))
    {
    }
    ~Session()
    {
        m_window.reset(); // the window goes before the session and the database it works on
        m_project.reset();
        if (m_backup.joinable())
            m_backup.join();
    }

    // Starts the day's backup beside the database, away from the window's thread.
    void startBackup(std::function<void()> job) { m_backup = std::thread(std::move(job)); }

    editor::MainWindow& window() { return *m_window; }
    store::Database& database() { return *m_database; }
    project::ProjectSession& project() { return *m_project; }

private:
    std::unique_ptr<store::Database> m_database;
    std::unique_ptr<project::ProjectSession> m_project;
    std::unique_ptr<editor::MainWindow> m_window;
    std::thread m_backup;
};

} // namespace app
