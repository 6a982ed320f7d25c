#include "support/FormFixture.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"

#include <QPushButton>
#include <QtTest>

namespace testing {

FormFixture::FormFixture()
{
    gui::DialogSeam::setTestMode(true);
    gui::DialogSeam::reset();
    editor::ProgramState::globalCarID = 0;
    editor::ProgramState::refreshOnActivate = false;
    m_settings = std::make_unique<QSettings>(m_files.path(QStringLiteral("settings.ini")), QSettings::IniFormat);
}

FormFixture::~FormFixture()
{
    stop();
}

bool FormFixture::start(const QString& databasePath)
{
    m_databasePath = databasePath.isEmpty() ? m_files.copySample() : databasePath;
    m_session = app::startGearLog(m_databasePath, *m_settings);
    if (!m_session)
        return false;
    // The first activation runs from the event loop right after showing.
    return QTest::qWaitFor([this] { return m_session->window().initialized; }, 5000);
}

void FormFixture::stop()
{
    m_session.reset();
}

editor::Form1& FormFixture::form()
{
    if (!m_session)
        qFatal("the main window was not started");
    return m_session->window();
}

QString FormFixture::buttonPattern()
{
    QString pattern;
    for (QPushButton* b : form().cmdButton)
        pattern += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return pattern;
}

} // namespace testing
