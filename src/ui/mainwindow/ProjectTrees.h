#pragma once

#include "store/RecordTraits.h"

#include "project/Kind.h"
#include "project/ProjectTreeModel.h"

#include <QObject>
#include <QSet>

class QTabWidget;
class QTreeView;
class QWidget;

namespace project {
class ProjectRecords;
}

namespace editor {

// A node of a tree by what it shows: the kind and key of its record.
struct NodeRef
{
    project::Kind kind = project::Kind::Car;
    store::Key key = 0;
    bool isNull() const { return key == 0; }
    bool isEmpty() const { return isNull(); }
    void clear() { *this = NodeRef {}; }
    bool operator==(const NodeRef&) const = default;
};

// The two trees beside the record tabs: the materials list and the project plan, each an item
// model over the car's records in a view, with the node of the record shown marked.
class ProjectTrees : public QObject
{
    Q_OBJECT

public:
    enum Page { Materials = 0, Plan = 1 };

    // Makes TbDisplay with its two trees, TvMaterials and TvProject, as children of parent.
    explicit ProjectTrees(QWidget* parent);

    QTabWidget* tabs() const { return m_tabs; }
    QTreeView* view(Page page) const { return page == Materials ? m_materials : m_plan; }

    // Builds a tree afresh for the car (0: empty). Expanded shows every assembly's components or
    // every phase's activities; the root and the car are always open. Components in bold are the
    // ones attached to the activity being worked on.
    void rebuild(Page page, store::Key carid, const QString& carDescription, const project::ProjectRecords& records,
        bool expanded, const QSet<store::Key>& boldComponents = {});
    void clear();

    // Marks the node of a record as the one shown and brings it into view; the node marked
    // before goes back to plain. A record the tree does not show marks nothing.
    void mark(Page page, const NodeRef& node);
    const NodeRef& marked(Page page) const { return m_marked[page]; }
    void forgetMarks();
    // Shows a component in bold or plain; answers whether it is bold now.
    bool toggleBold(store::Key componentKey);
    bool isBold(store::Key componentKey) const { return m_bold.contains(componentKey); }

Q_SIGNALS:
    // A node was clicked, or chosen with Enter (activated: also a double click).
    void clicked(editor::ProjectTrees::Page page, const editor::NodeRef& node);
    void activated(editor::ProjectTrees::Page page, const editor::NodeRef& node);

private:
    project::ProjectTreeModel* model(Page page) const { return page == Materials ? m_materialsModel : m_planModel; }
    void emitFor(Page page, const QModelIndex& index, bool activated);

    QTabWidget* m_tabs = nullptr;
    QTreeView* m_materials = nullptr;
    QTreeView* m_plan = nullptr;
    project::ProjectTreeModel* m_materialsModel = nullptr;
    project::ProjectTreeModel* m_planModel = nullptr;
    NodeRef m_marked[2];
    QSet<store::Key> m_bold;
};

} // namespace editor
