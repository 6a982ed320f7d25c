#include "mainwindow/ProjectTrees.h"
#include "store/RecordTraits.h"

#include "gui/Colors.h"
#include "project/ProjectRecords.h"

#include <QFont>
#include <QTabWidget>
#include <QTreeView>

namespace editor {

namespace {

QTreeView* makeTree(const char* name, const QString& tip, project::ProjectTreeModel* model, QWidget* parent)
{
    auto* tree = new QTreeView(parent);
    tree->setObjectName(QLatin1String(name));
    tree->setToolTip(tip);
    tree->setHeaderHidden(true);
    tree->setModel(model);
    tree->setUniformRowHeights(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return tree;
}

} // namespace

ProjectTrees::ProjectTrees(QWidget* parent)
    : QObject(parent)
{
    m_tabs = new QTabWidget(parent);
    m_tabs->setObjectName(QStringLiteral("TbDisplay"));
    m_tabs->setToolTip(QStringLiteral("Click On A Tab To Display The 'Materials List' Or The 'Project Plan'"));
    m_materialsModel = new project::ProjectTreeModel(project::ProjectTreeModel::Tree::Materials, this);
    m_planModel = new project::ProjectTreeModel(project::ProjectTreeModel::Tree::Plan, this);
    m_materials = makeTree("TvMaterials",
        QStringLiteral("Click On A 'CAR', 'ASSEMBLY', Or 'COMPONENT' To Display The Detail Information"),
        m_materialsModel, m_tabs);
    m_plan = makeTree("TvProject",
        QStringLiteral("Click On A 'CAR', 'PHASE', Or 'ACTIVTIY' To Display The Detail Information"), m_planModel,
        m_tabs);
    m_tabs->addTab(m_materials, QStringLiteral("Material List"));
    m_tabs->addTab(m_plan, QStringLiteral("Project Plan"));
    for (project::ProjectTreeModel* model : { m_materialsModel, m_planModel })
        model->setMarkColours(gui::fromStoredColour(gui::SystemHighlight), Qt::white);

    for (const Page page : { Materials, Plan }) {
        connect(view(page), &QTreeView::clicked, this, [this, page](const QModelIndex& i) { emitFor(page, i, false); });
        connect(
            view(page), &QTreeView::activated, this, [this, page](const QModelIndex& i) { emitFor(page, i, true); });
    }
}

void ProjectTrees::emitFor(Page page, const QModelIndex& index, bool activated)
{
    const QVariant kind = index.data(project::KindRole);
    if (!kind.isValid())
        return; // the root
    const NodeRef node { project::Kind(kind.toInt()), index.data(project::KeyRole).toLongLong() };
    if (activated)
        Q_EMIT this->activated(page, node);
    else
        Q_EMIT clicked(page, node);
}

void ProjectTrees::rebuild(Page page, store::Key carid, const QString& carDescription,
    const project::ProjectRecords& records, bool expanded, const QSet<store::Key>& boldComponents)
{
    QTreeView* tree = view(page);
    project::ProjectTreeModel* m = model(page);
    // A tree left as it stood is not repainted for it.
    const bool rebuilt = m->rebuild(carid, carDescription, records);
    if (rebuilt)
        tree->setUpdatesEnabled(false);
    if (page == Materials) {
        m_bold = boldComponents;
        QFont bold = tree->font();
        bold.setBold(true);
        m->setBold(m_bold, bold);
    }
    if (carid != 0) {
        const QModelIndex root = m->index(0, 0);
        const QModelIndex car = m->index(0, 0, root);
        tree->setExpanded(root, true);
        tree->setExpanded(car, true);
        // As a tree built afresh shows them, also when it was left as it stood.
        for (int row = 0; row < m->rowCount(car); ++row)
            tree->setExpanded(m->index(row, 0, car), expanded);
    }
    if (rebuilt)
        tree->setUpdatesEnabled(true);
}

void ProjectTrees::clear()
{
    for (const Page page : { Materials, Plan }) {
        model(page)->clear();
        m_marked[page] = NodeRef {};
    }
    m_bold.clear();
}

void ProjectTrees::mark(Page page, const NodeRef& node)
{
    project::ProjectTreeModel* m = model(page);
    const QModelIndex index = node.isNull() ? QModelIndex() : m->indexOf(node.kind, node.key);
    m_marked[page] = node;
    m->mark(index);
    if (!index.isValid())
        return;
    view(page)->setCurrentIndex(index);
    view(page)->scrollTo(index);
}

void ProjectTrees::forgetMarks()
{
    m_marked[Materials] = m_marked[Plan] = NodeRef {};
}

bool ProjectTrees::toggleBold(store::Key componentKey)
{
    const bool bold = !m_bold.contains(componentKey);
    if (bold)
        m_bold.insert(componentKey);
    else
        m_bold.remove(componentKey);
    QFont font = m_materials->font();
    font.setBold(true);
    m_materialsModel->setBold(m_bold, font);
    return bold;
}

} // namespace editor
