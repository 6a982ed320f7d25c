// The materials and project-plan trees: building them, highlighting the record shown, clicks.

#include "mainwindow/Form1.h"

#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "project/Kind.h"
#include "store/Store.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstring>

namespace editor {

namespace {

constexpr int NodeKeyRole = Qt::UserRole + 10;

// What a node stands for, read from its node key ("IDP7", "IDA12", "IDC3", "IDPH4", "IDA5" under a phase).
void setRecordRoles(QTreeWidgetItem* node, const QString& key)
{
    static const std::pair<const char*, project::Kind> prefixes[] = {
        { "IDPH", project::Kind::Phase }, { "IDP", project::Kind::Car }, { "IDC", project::Kind::Component },
        { "IDA", project::Kind::Assembly },
    };
    for (const auto& [prefix, kind] : prefixes) {
        if (key.startsWith(QLatin1String(prefix))) {
            // An "IDA" node under a phase is an activity.
            const bool activity = kind == project::Kind::Assembly && node->parent()
                && node->parent()->data(0, project::KindRole).toInt() == int(project::Kind::Phase);
            node->setData(0, project::KindRole, int(activity ? project::Kind::Activity : kind));
            node->setData(0, project::KeyRole, key.mid(qsizetype(strlen(prefix))).toInt());
            return;
        }
    }
}

QTreeWidgetItem* addNode(QHash<QString, QTreeWidgetItem*>& nodes, QTreeWidgetItem* parent, const QString& key,
                         const QString& caption)
{
    auto* node = new QTreeWidgetItem(parent, QStringList { caption });
    node->setData(0, NodeKeyRole, key);
    setRecordRoles(node, key);
    nodes.insert(key, node);
    return node;
}

QTreeWidgetItem* addRoot(QHash<QString, QTreeWidgetItem*>& nodes, QTreeWidget* tree, const QString& caption)
{
    auto* root = new QTreeWidgetItem(tree, QStringList { caption });
    root->setData(0, NodeKeyRole, QStringLiteral("r"));
    nodes.insert(QStringLiteral("r"), root);
    root->setExpanded(true);
    return root;
}

int depthOf(const QTreeWidgetItem* node)
{
    int depth = 0;
    for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
        ++depth;
    return depth;
}

qint32 keyAfter(const QTreeWidgetItem* node, const QString& prefix)
{
    const QString key = node->data(0, NodeKeyRole).toString();
    return key.startsWith(prefix) ? key.mid(prefix.size()).toInt() : 0;
}

// Holds painting back while a tree is rebuilt in one go.
class TreeRebuild
{
public:
    explicit TreeRebuild(QTreeWidget* tree) : m_tree(tree)
    {
        m_tree->setUpdatesEnabled(false);
        m_tree->clear();
    }
    ~TreeRebuild() { m_tree->setUpdatesEnabled(true); }

private:
    QTreeWidget* m_tree;
};

} // namespace

QTreeWidgetItem* Form1::addCarNodes(QHash<QString, QTreeWidgetItem*>& nodes, QTreeWidget* tree,
                                    const QString& rootCaption)
{
    // The root and the car stay open whatever the tree style.
    QTreeWidgetItem* root = addRoot(nodes, tree, rootCaption);
    QTreeWidgetItem* car = addNode(nodes, root, QStringLiteral("IDP") + QString::number(currentCarID),
                                   QStringLiteral("CAR: ") + currentCarDescription);
    car->setExpanded(true);
    return car;
}

void Form1::UpdateMaterialsTree()
{
    m_materialsNodes.clear();
    const TreeRebuild rebuild(TvMaterials);
    if (currentCarID == 0)
        return;
    const bool expanded = preferences.treeView != QStringLiteral("C");
    QTreeWidgetItem* car = addCarNodes(m_materialsNodes, TvMaterials, QStringLiteral("Gear-Log - MATERIALS LIST"));

    // One read per table for the car, grouped in memory: no rescans per assembly.
    const QList<store::Assembly> assemblies = m_store->assemblies.forCar(currentCarID, store::Order::Description);
    const QList<store::Component> components = m_store->components.forCar(currentCarID, store::Order::Description);
    QHash<qint32, QTreeWidgetItem*> assemblyNodes;
    for (const store::Assembly& a : assemblies) {
        QTreeWidgetItem* node = addNode(m_materialsNodes, car, QStringLiteral("IDA") + QString::number(a.assemblyid),
                                        QStringLiteral("ASSEMBLY: ") + a.Description);
        assemblyNodes.insert(a.assemblyid, node);
    }
    const bool attaching = cmdDone->isEnabled();
    for (const store::Component& c : components) {
        QTreeWidgetItem* parent = assemblyNodes.value(c.assemblyid);
        if (!parent)
            continue;
        QTreeWidgetItem* node = addNode(m_materialsNodes, parent, QStringLiteral("IDC") + QString::number(c.componentid),
                                        QStringLiteral("COMPONENT: ") + c.Description);
        if (attaching && c.isAttached() && *c.ActivityID == currentActivityID) {
            QFont bold = node->font(0);
            bold.setBold(true);
            node->setFont(0, bold);
        }
    }
    for (QTreeWidgetItem* node : std::as_const(assemblyNodes))
        node->setExpanded(expanded);
}

void Form1::UpdateProjectTree()
{
    m_planNodes.clear();
    phaseOrderTable.clear();
    activityOrderTable.clear();
    const TreeRebuild rebuild(TvProject);
    if (currentCarID == 0)
        return;
    const bool expanded = preferences.treeView != QStringLiteral("C");
    QTreeWidgetItem* car = addCarNodes(m_planNodes, TvProject, QStringLiteral("Gear-Log - PROJECT PLAN"));

    const QList<store::Phase> phases = m_store->phases.forCar(currentCarID, store::Order::Sequence);
    const QList<store::Activity> activities = m_store->activities.forCar(currentCarID, store::Order::Sequence);
    QHash<qint32, QList<const store::Activity*>> byPhase;
    for (const store::Activity& a : activities)
        byPhase[a.PhaseID].append(&a);
    for (const store::Phase& p : phases) {
        phaseOrderTable.append(OrderRow { p.PhaseID, p.prioritysequence.value_or(0), 0 });
        QTreeWidgetItem* phaseNode = addNode(m_planNodes, car, QStringLiteral("IDPH") + QString::number(p.PhaseID),
                                             QStringLiteral("PHASE: ") + p.Description);
        for (const store::Activity* a : byPhase.value(p.PhaseID)) {
            activityOrderTable.append(OrderRow { a->ActivityID, a->prioritysequence.value_or(0), a->PhaseID });
            addNode(m_planNodes, phaseNode, QStringLiteral("IDA") + QString::number(a->ActivityID),
                    QStringLiteral("ACTIVITY: ") + a->Description);
        }
        phaseNode->setExpanded(expanded);
    }
}

void Form1::highlightNode(QHash<QString, QTreeWidgetItem*>& nodes, QTreeWidget* tree, QString& current,
                          QString& previous, const QString& key)
{
    if (!current.isEmpty()) {
        if (QTreeWidgetItem* old = nodes.value(current)) {
            old->setBackground(0, QBrush(Qt::white));
            old->setForeground(0, QBrush(Qt::black));
        }
        previous = current;
    }
    current = key;
    if (QTreeWidgetItem* node = nodes.value(key)) {
        node->setBackground(0, QBrush(gui::fromStoredColour(gui::SystemHighlight)));
        node->setForeground(0, QBrush(Qt::white));
        tree->setCurrentItem(node);
        tree->scrollToItem(node);
    }
}

void Form1::highlightMaterialsNode(const QString& key)
{
    highlightNode(m_materialsNodes, TvMaterials, materialsNodeKey, previousMaterialsNodeKey, key);
}

void Form1::highlightPlanNode(const QString& key)
{
    highlightNode(m_planNodes, TvProject, planNodeKey, previousPlanNodeKey, key);
}

void Form1::TvMaterials_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    if (cmdDone->isVisible()) {
        attachClick(node);
        return;
    }
    const int level = depthOf(node);
    if (level == 0)
        return;
    TvMaterials->clearSelection();
    listClickFromTree = true;
    QComboBox* list = level == 1 ? carDescription : level == 2 ? assemblyDescription : componentDescription;
    const qint32 key = keyAfter(node, level == 1 ? QStringLiteral("IDP") : level == 2 ? QStringLiteral("IDA")
                                                                                       : QStringLiteral("IDC"));
    clickedListIndex = list->findData(key);
    if (clickedListIndex < 0) {
        listClickFromTree = false;
        return;
    }
    if (level == 1)
        carDescription_Click();
    else if (level == 2)
        assemblyDescription_Click();
    else
        componentDescription_Click();
}

void Form1::TvProject_NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    const int level = depthOf(node);
    if (level == 0)
        return;
    TvProject->clearSelection();
    listClickFromTree = true;
    QComboBox* list = level == 1 ? carDescription : level == 2 ? phaseDescription : ActivityDescription;
    const qint32 key = keyAfter(node, level == 1 ? QStringLiteral("IDP") : level == 2 ? QStringLiteral("IDPH")
                                                                                       : QStringLiteral("IDA"));
    if (level == 2)
        movePhaseID = key;
    else if (level == 3)
        moveActivityID = key;
    clickedListIndex = list->findData(key);
    if (clickedListIndex < 0) {
        listClickFromTree = false;
        return;
    }
    if (level == 1)
        carDescription_Click();
    else if (level == 2)
        phaseDescription_Click();
    else
        ActivityDescription_Click();
}

void Form1::mnuExpandView_Click()
{
    setTreeStyle(QStringLiteral("E"));
}

void Form1::mnuCompressView_Click()
{
    setTreeStyle(QStringLiteral("C"));
}

void Form1::setTreeStyle(const QString& style)
{
    preferences.treeView = style;
    Preferences::writeTreeView(m_settings, style);
    // Rebuilt in the new style, with the record shown still marked.
    if (displayTab == 0) {
        UpdateMaterialsTree();
        highlightMaterialsNode(materialsNodeKey);
    } else {
        UpdateProjectTree();
        highlightPlanNode(planNodeKey);
    }
}

} // namespace editor
