#include "infotreemodel.h"

InfoTreeModel::InfoTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

void InfoTreeModel::setEntries(const QVector<InfoEntry> &entries)
{
    beginResetModel();
    m_entries = entries;
    m_nodes.clear();
    m_topLevel.clear();
    addNodes(m_entries, -1, &m_topLevel);
    endResetModel();
}

void InfoTreeModel::addNodes(const QVector<InfoEntry> &entries, int parent, QVector<int> *siblings)
{
    for (int row = 0; row < entries.size(); ++row) {
        const int number = m_nodes.size();
        Node node;
        node.entry = &entries.at(row);
        node.parent = parent;
        node.row = row;
        m_nodes.append(node);
        siblings->append(number);
        // m_nodes may reallocate while the children are added, so the list of
        // children is filled in a local vector first.
        QVector<int> children;
        addNodes(entries.at(row).children, number, &children);
        m_nodes[number].children = children;
    }
}

const InfoTreeModel::Node *InfoTreeModel::nodeOf(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const quintptr number = index.internalId();
    return number < quintptr(m_nodes.size()) ? &m_nodes.at(int(number)) : nullptr;
}

QModelIndex InfoTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return QModelIndex();
    const Node *parentNode = nodeOf(parent);
    if (parent.isValid() && (!parentNode || parent.column() != NameColumn))
        return QModelIndex();
    const QVector<int> &siblings = parentNode ? parentNode->children : m_topLevel;
    if (row >= siblings.size())
        return QModelIndex();
    return createIndex(row, column, quintptr(siblings.at(row)));
}

QModelIndex InfoTreeModel::parent(const QModelIndex &child) const
{
    const Node *node = nodeOf(child);
    if (!node || node->parent < 0)
        return QModelIndex();
    return createIndex(m_nodes.at(node->parent).row, NameColumn, quintptr(node->parent));
}

int InfoTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_topLevel.size();
    if (parent.column() != NameColumn)
        return 0;
    const Node *node = nodeOf(parent);
    return node ? node->children.size() : 0;
}

int InfoTreeModel::columnCount(const QModelIndex &parent) const
{
    Q_UNUSED(parent)
    return ColumnCount;
}

QVariant InfoTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *node = nodeOf(index);
    if (!node)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return index.column() == NameColumn ? node->entry->name : node->entry->value;
    case NameRole: return node->entry->name;
    case ValueRole: return node->entry->value;
    default: return QVariant();
    }
}

QVariant InfoTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case NameColumn: return tr("Name");
    case ValueColumn: return tr("Value");
    default: return QVariant();
    }
}

QHash<int, QByteArray> InfoTreeModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractItemModel::roleNames();
    names.insert(NameRole, "name");
    names.insert(ValueRole, "value");
    return names;
}
