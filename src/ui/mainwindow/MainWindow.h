#pragma once

#include <QMainWindow>
#include <memory>

class QSettings;

namespace project {
class ProjectSession;
}

namespace editor {

// What the rest of the program knows of the main window: it is made here and says when it has
// started. Its parts stay inside this folder.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using QMainWindow::QMainWindow;

    // The session and the settings must outlive the window.
    static std::unique_ptr<MainWindow> create(project::ProjectSession& session, QSettings& settings);

    // True once the project list is loaded and the window is ready for work.
    virtual bool isStarted() const = 0;
    // A line of news from outside the window's own work (a backup that failed), in the status
    // panel until the next status text replaces it.
    virtual void showStatusLine(const QString& text) = 0;

Q_SIGNALS:
    void started();
    // The user chose a backup to put in place of the database: whoever opened the database closes
    // it, restores and opens it again.
    void restoreRequested(const QString& backupPath);
};

} // namespace editor
