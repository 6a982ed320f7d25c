#include "project/ProjectTreeModel.h"

#include "project/ProjectRecords.h"

#include <algorithm>

namespace project {

ProjectTreeModel::ProjectTreeModel(Tree tree, QObject* parent)
    : QAbstractItemModel(parent)
    , m_tree(tree)
{
}

int ProjectTreeModel::add(int parent, int kind, qint32 key, const QString& text)
{
    const int node = int(m_nodes.size());
    Node n;
    n.kind = kind;
    n.key = key;
    n.text = text;
    n.parent = parent;
    if (parent >= 0) {
        n.row = int(m_nodes[parent].children.size());
        m_nodes[parent].children.append(node);
    }
    m_nodes.append(std::move(n));
    if (kind >= 0)
        m_byRecord.insert(nodeKey(kind, key), node);
    return node;
}

void ProjectTreeModel::forgetNodes()
{
    m_nodes.clear();
    m_byRecord.clear();
    m_marked = -1;
    m_unmarked.clear();
    m_bold.clear();
}

bool ProjectTreeModel::rebuild(qint32 carid, const QString& carDescription, const ProjectRecords& records)
{
    // Built aside first: a tree that shows what it showed is left alone, marks, bold and all.
    QList<Node> before;
    QHash<quint64, int> beforeByRecord;
    m_nodes.swap(before);
    m_byRecord.swap(beforeByRecord);
    if (carid != 0) {
        const bool materials = m_tree == Tree::Materials;
        m_nodes.reserve(2
            + (materials ? records.assemblies().size() + records.components().size()
                         : records.phases().size() + records.activities().size()));
        const int root = add(-1, -1, 0,
            materials ? QStringLiteral("Gear-Log - MATERIALS LIST") : QStringLiteral("Gear-Log - PROJECT PLAN"));
        const int car = add(root, int(Kind::Car), carid, QStringLiteral("CAR: ") + carDescription);
        // Children are placed under their parents in one pass over each list; rows whose parent
        // is missing are not shown.
        if (materials) {
            for (const store::Assembly& a : records.assemblies())
                add(car, int(Kind::Assembly), a.assemblyid, QStringLiteral("ASSEMBLY: ") + a.Description);
            for (const store::Component& c : records.components()) {
                if (const int owner = m_byRecord.value(nodeKey(int(Kind::Assembly), c.assemblyid), -1); owner >= 0)
                    add(owner, int(Kind::Component), c.componentid, QStringLiteral("COMPONENT: ") + c.Description);
            }
        } else {
            for (const store::Phase& p : records.phases())
                add(car, int(Kind::Phase), p.PhaseID, QStringLiteral("PHASE: ") + p.Description);
            for (const store::Activity& a : records.activities()) {
                if (const int owner = m_byRecord.value(nodeKey(int(Kind::Phase), a.PhaseID), -1); owner >= 0)
                    add(owner, int(Kind::Activity), a.ActivityID, QStringLiteral("ACTIVITY: ") + a.Description);
            }
        }
    }
    const auto same = [](const Node& a, const Node& b) {
        return a.kind == b.kind && a.key == b.key && a.parent == b.parent && a.text == b.text;
    };
    if (std::equal(m_nodes.cbegin(), m_nodes.cend(), before.cbegin(), before.cend(), same))
        return false;
    QList<Node> built;
    QHash<quint64, int> builtByRecord;
    m_nodes.swap(built);
    m_byRecord.swap(builtByRecord);
    m_nodes.swap(before);
    m_byRecord.swap(beforeByRecord);
    beginResetModel();
    forgetNodes();
    m_nodes.swap(built);
    m_byRecord.swap(builtByRecord);
    endResetModel();
    return true;
}

void ProjectTreeModel::clear()
{
    beginResetModel();
    forgetNodes();
    endResetModel();
}

QModelIndex ProjectTreeModel::indexOfNode(int node) const
{
    return node < 0 || node >= m_nodes.size() ? QModelIndex() : createIndex(m_nodes.at(node).row, 0, quintptr(node));
}

QModelIndex ProjectTreeModel::indexOf(Kind kind, qint32 key) const
{
    return indexOfNode(m_byRecord.value(nodeKey(int(kind), key), -1));
}

void ProjectTreeModel::setMarkColours(const QColor& background, const QColor& foreground)
{
    m_markBackground = background;
    m_markForeground = foreground;
}

void ProjectTreeModel::mark(const QModelIndex& node)
{
    const int previous = m_marked;
    m_marked = node.isValid() ? int(node.internalId()) : -1;
    if (previous >= 0 && previous != m_marked) {
        m_unmarked.insert(previous);
        const QModelIndex old = indexOfNode(previous);
        Q_EMIT dataChanged(old, old, { Qt::BackgroundRole, Qt::ForegroundRole });
    }
    if (m_marked >= 0) {
        m_unmarked.remove(m_marked);
        Q_EMIT dataChanged(node, node, { Qt::BackgroundRole, Qt::ForegroundRole });
    }
}

void ProjectTreeModel::setBold(const QSet<qint32>& componentKeys, const QVariant& font)
{
    const QSet<qint32> changed = (m_bold - componentKeys) + (componentKeys - m_bold);
    m_bold = componentKeys;
    m_boldFont = font;
    for (const qint32 key : changed) {
        const QModelIndex node = indexOf(Kind::Component, key);
        if (node.isValid())
            Q_EMIT dataChanged(node, node, { Qt::FontRole });
    }
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 && !m_nodes.isEmpty() ? createIndex(0, 0, quintptr(0)) : QModelIndex();
    const Node& p = m_nodes.at(int(parent.internalId()));
    return row < p.children.size() ? createIndex(row, 0, quintptr(p.children.at(row))) : QModelIndex();
}

QModelIndex ProjectTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    return indexOfNode(m_nodes.at(int(child.internalId())).parent);
}

int ProjectTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_nodes.isEmpty() ? 0 : 1;
    if (parent.column() != 0)
        return 0;
    return int(m_nodes.at(int(parent.internalId())).children.size());
}

int ProjectTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant ProjectTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int id = int(index.internalId());
    const Node& n = m_nodes.at(id);
    switch (role) {
    case Qt::DisplayRole:
        return n.text;
    case KindRole:
        return n.kind >= 0 ? QVariant(n.kind) : QVariant();
    case KeyRole:
        return n.kind >= 0 ? QVariant(n.key) : QVariant();
    case Qt::BackgroundRole:
        if (id == m_marked)
            return m_markBackground;
        return m_unmarked.contains(id) ? QVariant(QColor(Qt::white)) : QVariant();
    case Qt::ForegroundRole:
        if (id == m_marked)
            return m_markForeground;
        return m_unmarked.contains(id) ? QVariant(QColor(Qt::black)) : QVariant();
    case Qt::FontRole:
        return n.kind == int(Kind::Component) && m_bold.contains(n.key) ? m_boldFont : QVariant();
    default:
        return {};
    }
}

} // namespace project
