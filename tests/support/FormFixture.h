#pragma once

#include "project/Kind.h"
#include "store/Database.h"
#include "store/RecordTraits.h"
#include "support/Peek.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QMainWindow>
#include <QPersistentModelIndex>
#include <QSettings>
#include <QTabWidget>
#include <QTreeView>
#include <memory>

namespace app {
class Session;
}

namespace testing {

// The child of `window` with that objectName, wherever it sits; the test stops when there is none.
QObject* namedChild(const QObject& window, const QString& name, const QMetaObject& type);
template <class W> W* child(const QObject& window, const char* name)
{
    return static_cast<W*>(namedChild(window, QLatin1String(name), W::staticMetaObject));
}

// The text of a window's status bar label with that objectName.
QString labelText(const QObject& window, const char* name);

// The key of the entry a pick list shows; 0 when it shows none.
inline qint32 pickedKey(const QComboBox* list)
{
    return list->currentIndex() < 0 ? 0 : list->currentData().toInt();
}

// A node of a tree view as a test looks at it: its text, children, open state and font.
class Node
{
public:
    Node() = default;
    Node(const QTreeView* view, const QModelIndex& index) : m_view(view), m_index(index) { }
    explicit operator bool() const { return m_index.isValid(); }
    bool operator==(const Node& other) const { return m_index == other.m_index; }

    QString text() const { return m_index.data().toString(); }
    Node child(int row) const { return Node(m_view, m_view->model()->index(row, 0, m_index)); }
    int childCount() const { return m_view->model()->rowCount(m_index); }
    bool isExpanded() const { return m_view->isExpanded(m_index); }
    QFont font() const;
    const QTreeView* view() const { return m_view; }
    QModelIndex index() const { return m_index; }

private:
    const QTreeView* m_view = nullptr;
    QPersistentModelIndex m_index;
};

// The node that stands for the record of that kind and key; a null node when there is none.
Node treeNode(const QTreeView* tree, project::Kind kind, store::Key key);
inline Node topNode(const QTreeView* tree)
{
    return Node(tree, tree->model()->index(0, 0));
}
inline Node currentNode(const QTreeView* tree)
{
    return Node(tree, tree->currentIndex());
}
// Clicks the node as a mouse would, scrolling it into view first.
void clickNode(const Node& node);

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
    // Closes the program and starts it again on the same file, to see changes another program made.
    bool restart()
    {
        stop();
        return start(m_databasePath);
    }

    QMainWindow& form();
    TestDatabase& files() { return m_files; }
    QSettings& settings() { return *m_settings; }
    const QString& databasePath() const { return m_databasePath; }
    // The database file as another program reads and changes it.
    Peek peek() const { return Peek(m_databasePath); }

    // The enabled state of the six command buttons as a pattern, "100001".
    QString buttonPattern();
    // The status bar panel, 1 to 5.
    QString panelText(int panel) { return labelText(form(), qPrintable(QStringLiteral("sbStatusPanel%1").arg(panel))); }

    template <class W> W* widget(const char* name) { return child<W>(form(), name); }
    QAction* action(const char* name) { return child<QAction>(form(), name); }

    // What a user does: choose the entry with that key (or text) as a mouse pick would,
    // press a command button, replace a box's text by typing.
    void pick(QComboBox* list, store::Key key);
    void pickText(QComboBox* list, const QString& text);
    void press(int button);
    void type(QWidget* box, const QString& text);
    // Types into each named box in turn, "box=text|box=text".
    void type(const QString& typed);
    // What the named boxes show, "a|b|c" for "boxA,boxB,boxC".
    QString shown(const QString& names);
    // Picks the car, then the record tab shown by index.
    void openCar(store::Key carid) { pick(list(0), carid); }
    void showTab(int index) { widget<QTabWidget>("tbproject")->setCurrentIndex(index); }
    // The pick list of the record tab shown by index.
    QComboBox* list(int tab);
    // Adds a record on a tab as a user would, "box=text|...", and answers the key its list then shows.
    qint32 add(int tab, const QString& typed);
    // The project the window stands on: the key of the entry picked in the car list.
    qint32 carID() { return pickedKey(list(0)); }

private:
    TestDatabase m_files;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<app::Session> m_session;
    QString m_databasePath;
};

// The base of the window tests: each test function gets a started main window on a fresh copy of
// the sample database, with the clock stopped at 2026-04-02 10:15:30.
class FormTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<FormFixture> m_f;
    QMainWindow& w() { return m_f->form(); }
    // A new fixture with the clock stopped, not yet started: for tests that prepare its file first.
    FormFixture& fresh();

protected Q_SLOTS:
    void init();
    void cleanup();
};

} // namespace testing
