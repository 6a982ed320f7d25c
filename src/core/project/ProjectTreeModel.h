#pragma once

#include "store/RecordTraits.h"

#include "project/Kind.h"

#include <QAbstractItemModel>
#include <QColor>
#include <QHash>
#include <QList>
#include <QSet>

namespace project {

class ProjectRecords;

// One of the two trees of a project: the materials list (root, car, assemblies, their components)
// or the project plan (root, car, phases, their activities). Each node carries its record's kind
// and key in KindRole and KeyRole; the record the window stands on is marked.
class ProjectTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum class Tree { Materials, Plan };

    explicit ProjectTreeModel(Tree tree, QObject* parent = nullptr);

    // Builds the nodes afresh for the car; a car key of 0 leaves the tree empty.
    // False when the tree would show exactly what it shows: then nothing is reset.
    bool rebuild(store::Key carid, const QString& carDescription, const ProjectRecords& records);
    void clear();

    // The node of a record; invalid when the tree has none.
    QModelIndex indexOf(Kind kind, store::Key key) const;
    // The node marked as the record shown: in the colours given, and the one marked before in
    // plain black on white. An invalid index marks none.
    void setMarkColours(const QColor& background, const QColor& foreground);
    void mark(const QModelIndex& node);
    // Components shown in the given font (bold: those attached to the activity being worked on).
    void setBold(const QSet<store::Key>& componentKeys, const QVariant& font);

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Node
    {
        int kind = -1; // int(Kind); -1 for the root
        store::Key key = 0;
        QString text;
        int parent = -1;
        int row = 0;
        QList<int> children;
    };
    int add(int parent, int kind, store::Key key, const QString& text);
    // Whether the nodes are those rebuild would make, without making them.
    bool shows(store::Key carid, const QString& carDescription, const ProjectRecords& records) const;
    void forgetNodes();
    QModelIndex indexOfNode(int node) const;
    static quint64 nodeKey(int kind, store::Key key) { return (quint64(quint32(kind)) << 32) | quint32(key); }

    Tree m_tree;
    QList<Node> m_nodes;
    QHash<quint64, int> m_byRecord;
    QColor m_markBackground;
    QColor m_markForeground;
    int m_marked = -1;
    QSet<int> m_unmarked;
    QSet<store::Key> m_bold;
    QVariant m_boldFont;
};

} // namespace project
