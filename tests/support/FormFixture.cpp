#include "support/FormFixture.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "common/Clock.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace testing {

QObject* namedChild(const QObject& window, const QString& name, const QMetaObject& type)
{
    const QList<QObject*> found = window.findChildren<QObject*>(name);
    for (QObject* o : found)
        if (type.cast(o))
            return o;
    qFatal("%s has no %s named %s", qPrintable(window.objectName()), type.className(), qPrintable(name));
}

QString labelText(const QObject& window, const char* name)
{
    return child<QLabel>(window, name)->text();
}

QFont Node::font() const
{
    const QVariant font = m_index.data(Qt::FontRole);
    return font.isValid() ? font.value<QFont>() : m_view->font();
}

Node treeNode(const QTreeView* tree, project::Kind kind, store::Key key)
{
    const QModelIndexList found = tree->model()->match(tree->model()->index(0, 0), project::KeyRole, key, -1,
                                                       Qt::MatchExactly | Qt::MatchRecursive);
    for (const QModelIndex& index : found) {
        const QVariant k = index.data(project::KindRole);
        if (k.isValid() && k.toInt() == int(kind))
            return Node(tree, index);
    }
    return Node();
}

void clickNode(const Node& node)
{
    if (!node)
        qFatal("clicking a tree node that is not there");
    auto* tree = const_cast<QTreeView*>(node.view());
    tree->scrollTo(node.index());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(node.index()).center());
}

FormFixture::FormFixture()
{
    gui::DialogSeam::setTestMode(true);
    gui::DialogSeam::reset();
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
    // The first activation runs from the event loop right after showing; it ends with the count of
    // projects in the status bar.
    return QTest::qWaitFor(
        [this] { return form().isVisible() && panelText(3).startsWith(QLatin1String("Entries")); }, 5000);
}

void FormFixture::stop()
{
    m_session.reset();
}

QMainWindow& FormFixture::form()
{
    if (!m_session)
        qFatal("the main window was not started");
    return m_session->window();
}

// Selects the entry as a mouse pick would, which also emits activated().
static void choose(QComboBox* list, int index, const QString& wanted)
{
    if (index < 0)
        qFatal("no entry %s in %s", qPrintable(wanted), qPrintable(list->objectName()));
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

void FormFixture::pick(QComboBox* list, store::Key key)
{
    choose(list, list->findData(key), QString::number(key));
}

void FormFixture::pickText(QComboBox* list, const QString& text)
{
    choose(list, list->findText(text), text);
}

void FormFixture::press(int button)
{
    auto* b = widget<QPushButton>(qPrintable(QStringLiteral("cmdButton%1").arg(button)));
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

void FormFixture::type(const QString& typed)
{
    for (const QString& pair : typed.split(QLatin1Char('|'), Qt::SkipEmptyParts))
        type(widget<QWidget>(qPrintable(pair.section(QLatin1Char('='), 0, 0))), pair.section(QLatin1Char('='), 1));
}

QString FormFixture::shown(const QString& names)
{
    QStringList texts;
    for (const QString& name : names.split(QLatin1Char(','))) {
        QWidget* box = widget<QWidget>(qPrintable(name));
        if (auto* line = qobject_cast<QLineEdit*>(box))
            texts << line->text();
        else if (auto* notes = qobject_cast<gui::NotesEdit*>(box))
            texts << notes->text();
        else
            texts << gui::listText(qobject_cast<QComboBox*>(box));
    }
    return texts.join(QLatin1Char('|'));
}

QComboBox* FormFixture::list(int tab)
{
    static const char* const names[] = { "carDescription", "assemblyDescription", "componentDescription",
        "phaseDescription", "ActivityDescription", "SupplierName" };
    return widget<QComboBox>(names[tab]);
}

qint32 FormFixture::add(int tab, const QString& typed)
{
    showTab(tab);
    press(0);
    type(typed);
    press(3);
    return pickedKey(list(tab));
}

QString FormFixture::buttonPattern()
{
    QString pattern;
    for (int i = 0; i < 6; ++i)
        pattern += QLatin1Char(
            widget<QPushButton>(qPrintable(QStringLiteral("cmdButton%1").arg(i)))->isEnabled() ? '1' : '0');
    return pattern;
}

FormFixture& FormTest::fresh()
{
    common::Clock::setFixed(QDateTime(QDate(2026, 4, 2), QTime(10, 15, 30)));
    m_f = std::make_unique<FormFixture>();
    return *m_f;
}

void FormTest::init()
{
    QVERIFY(fresh().start());
}

void FormTest::cleanup()
{
    m_f.reset();
    common::Clock::setFixed(std::nullopt);
}

} // namespace testing
