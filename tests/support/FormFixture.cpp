#include "support/FormFixture.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
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

bool FormFixture::start(const QString& databasePath, const store::OpenOptions& options)
{
    m_session.reset();
    m_databasePath = databasePath.isEmpty() ? m_files.copySample() : databasePath;
    m_session = app::startGearLog(m_databasePath, *m_settings, options, false);
    if (!m_session)
        return false;
    // The first activation runs from the event loop right after showing.
    return QTest::qWaitFor([this] { return m_session->window().isStarted(); }, 5000);
}

void FormFixture::stop()
{
    m_session.reset();
}

editor::Form1& FormFixture::form()
{
    if (!m_session)
        qFatal("the main window was not started");
    return static_cast<editor::Form1&>(m_session->window());
}

void FormFixture::pick(QComboBox* list, qint32 key)
{
    const int index = list->findData(key);
    if (index < 0)
        qFatal("no entry with key %d in %s", key, qPrintable(list->objectName()));
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

void FormFixture::pickText(QComboBox* list, const QString& text)
{
    const int index = list->findText(text);
    if (index < 0)
        qFatal("no entry '%s' in %s", qPrintable(text), qPrintable(list->objectName()));
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

void FormFixture::press(int button)
{
    QPushButton* b = form().cmdButton[size_t(button)];
    if (!b->isEnabled())
        qWarning("pressing the disabled button %s", qPrintable(b->text()));
    QTest::mouseClick(b, Qt::LeftButton);
}

void FormFixture::type(QWidget* box, const QString& text)
{
    QWidget* target = box;
    if (auto* list = qobject_cast<QComboBox*>(box); list && list->isEditable())
        target = list->lineEdit();
    if (auto* line = qobject_cast<QLineEdit*>(target))
        line->clear();
    else if (auto* notes = qobject_cast<QPlainTextEdit*>(target))
        notes->clear();
    QTest::keyClicks(target, text);
}

void FormFixture::openCar(qint32 carid)
{
    pick(form().carDescription, carid);
}

void FormFixture::showTab(int index)
{
    form().tbproject->setCurrentIndex(index);
}

QString FormFixture::buttonPattern()
{
    QString pattern;
    for (QPushButton* b : form().cmdButton)
        pattern += b->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return pattern;
}

} // namespace testing
