#include "project/ProjectTreeModel.h"
#include "store/RecordTraits.h"

#include "project/ProjectRecords.h"

#include <algorithm>

namespace project {

ProjectTreeModel::ProjectTreeModel(Tree tree, QObject* parent)
    : QAbstractItemModel(parent)
    , m_tree(tree)
{
}

int ProjectTreeModel::add(int parent, int kind, store::Key key, const QString& text)
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

namespace {

const QString MaterialsRoot = QStringLiteral("Gear-Log - MATERIALS LIST");
const QString PlanRoot = QStringLiteral("Gear-Log - PROJECT PLAN");
const QString CarPrefix = QStringLiteral("CAR: ");
const QString AssemblyPrefix = QStringLiteral("ASSEMBLY: ");
const QString ComponentPrefix = QStringLiteral("COMPONENT: ");
const QString PhasePrefix = QStringLiteral("PHASE: ");
const QString ActivityPrefix = QStringLiteral("ACTIVITY: ");

bool isLabel(const QString& text, const QString& prefix, const QString& description)
{
    return text.size() == prefix.size() + description.size() && text.startsWith(prefix)
        && QStringView(text).sliced(prefix.size()) == description;
}

} // namespace

bool ProjectTreeModel::shows(store::Key carid, const QString& carDescription, const ProjectRecords& records) const
{
    if (carid == 0)
        return m_nodes.isEmpty();
    const bool materials = m_tree == Tree::Materials;
    // The nodes in the order rebuild adds them: root, car, the first level, then the second
    // level in the order of its list, each under the node of its parent.
    int at = 0;
    const auto next = [&](int kind, store::Key key, int parent, const QString& prefix, const QString& text) {
        if (at >= m_nodes.size())
            return false;
        const Node& n = m_nodes.at(at++);
        return n.kind == kind && n.key == key && n.parent == parent && isLabel(n.text, prefix, text);
    };
    const int root = 0;
    const int car = 1;
    if (!next(-1, 0, -1, materials ? MaterialsRoot : PlanRoot, QString())
        || !next(int(Kind::Car), carid, root, CarPrefix, carDescription))
        return false;
    const int firstParent = at;
    if (materials) {
        const QList<store::Assembly>& assemblies = records.assemblies();
        for (const store::Assembly& a : assemblies) {
            if (!next(int(Kind::Assembly), a.assemblyid, car, AssemblyPrefix, a.Description))
                return false;
        }
        for (const store::Component& c : records.components()) {
            const store::Assembly* owner = records.assembly(c.assemblyid);
            if (owner
                && !next(int(Kind::Component), c.componentid, firstParent + int(owner - assemblies.constData()),
                    ComponentPrefix, c.Description))
                return false;
        }
    } else {
        const QList<store::Phase>& phases = records.phases();
        for (const store::Phase& p : phases) {
            if (!next(int(Kind::Phase), p.PhaseID, car, PhasePrefix, p.Description))
                return false;
        }
        for (const store::Activity& a : records.activities()) {
            const store::Phase* owner = records.phase(a.PhaseID);
            if (owner
                && !next(int(Kind::Activity), a.ActivityID, firstParent + int(owner - phases.constData()),
                    ActivityPrefix, a.Description))
                return false;
        }
    }
    return at == m_nodes.size();
}

bool ProjectTreeModel::rebuild(store::Key carid, const QString& carDescription, const ProjectRecords& records)
{
    // A tree that shows what it showed is left alone, marks, bold and all. Compared in place: most
    // saves change nothing the tree shows.
    if (shows(carid, carDescription, records))
        return false;
    beginResetModel();
    forgetNodes();
    if (carid != 0) {
        const bool materials = m_tree == Tree::Materials;
        m_nodes.reserve(2
            + (materials ? records.assemblies().size() + records.components().size()
                         : records.phases().size() + records.activities().size()));
        const int root = add(-1, -1, 0, materials ? MaterialsRoot : PlanRoot);
        const int car = add(root, int(Kind::Car), carid, CarPrefix + carDescription);
        // Children are placed under their parents in one pass over each list; rows whose parent
        // is missing are not shown.
        if (materials) {
            for (const store::Assembly& a : records.assemblies())
                add(car, int(Kind::Assembly), a.assemblyid, AssemblyPrefix + a.Description);
            for (const store::Component& c : records.components()) {
                if (const int owner = m_byRecord.value(nodeKey(int(Kind::Assembly), c.assemblyid), -1); owner >= 0)
                    add(owner, int(Kind::Component), c.componentid, ComponentPrefix + c.Description);
            }
        } else {
            for (const store::Phase& p : records.phases())
                add(car, int(Kind::Phase), p.PhaseID, PhasePrefix + p.Description);
            for (const store::Activity& a : records.activities()) {
                if (const int owner = m_byRecord.value(nodeKey(int(Kind::Phase), a.PhaseID), -1); owner >= 0)
                    add(owner, int(Kind::Activity), a.ActivityID, ActivityPrefix + a.Description);
            }
        }
    }
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

QModelIndex ProjectTreeModel::indexOf(Kind kind, store::Key key) const
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

void ProjectTreeModel::setBold(const QSet<store::Key>& componentKeys, const QVariant& font)
{
    const QSet<store::Key> changed = (m_bold - componentKeys) + (componentKeys - m_bold);
    m_bold = componentKeys;
    m_boldFont = font;
    for (const store::Key key : changed) {
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
