#pragma once

#include "store/Database.h"
#include "support/TestDatabase.h"

#include <QSettings>
#include <QString>
#include <memory>

class QComboBox;
class QWidget;

namespace app {
class Session;
}
namespace editor {
class Form1;
}

namespace testing {

// A fresh database copy, a fresh settings file and a new main window, shown and activated,
// with every dialog answered by the test seam.
class FormFixture
{
public:
    FormFixture();
    ~FormFixture();

    // Starts on a copy of the sample database, or on the given file when one is named.
    bool start(const QString& databasePath = QString(), const store::OpenOptions& options = {});
    void stop();

    editor::Form1& form();
    TestDatabase& files() { return m_files; }
    QSettings& settings() { return *m_settings; }
    const QString& databasePath() const { return m_databasePath; }

    // The enabled state of the six command buttons as a pattern, "100001".
    QString buttonPattern();

    template <class W>
    W* widget(const char* name);

    // What a user does: choose the entry with that key (or text) as a mouse pick would,
    // press a command button, replace a box's text by typing.
    void pick(QComboBox* list, qint32 key);
    void pickText(QComboBox* list, const QString& text);
    void press(int button);
    void type(QWidget* box, const QString& text);
    // Picks the car, then the record tab shown by index.
    void openCar(qint32 carid);
    void showTab(int index);

private:
    TestDatabase m_files;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<app::Session> m_session;
    QString m_databasePath;
};

} // namespace testing

#include "mainwindow/Form1.h"

template <class W>
W* testing::FormFixture::widget(const char* name)
{
    return form().findChild<W*>(QLatin1String(name));
}
