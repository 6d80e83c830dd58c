#include "flattreemodel.h"

#include <algorithm>
#include <functional>

namespace {

const QChar pathSeparator(0x1f);

QString pathKey(const QStringList &path)
{
    return path.join(pathSeparator);
}

bool containsIndex(const QVector<QPersistentModelIndex> &list, const QModelIndex &index)
{
    for (const QPersistentModelIndex &entry : list) {
        if (entry == index)
            return true;
    }
    return false;
}

bool isDescendantOf(QModelIndex index, const QModelIndex &ancestor)
{
    for (index = index.parent(); index.isValid(); index = index.parent()) {
        if (index == ancestor)
            return true;
    }
    return false;
}

} // namespace

FlatTreeModel::FlatTreeModel(QObject *parent)
    : QAbstractListModel(parent)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &FlatTreeModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &FlatTreeModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &FlatTreeModel::countChanged);
}

void FlatTreeModel::setSourceModel(QAbstractItemModel *model)
{
    if (m_source == model)
        return;
    beginResetModel();
    disconnectSource();
    m_source = model;
    m_rows.clear();
    connectSource();
    if (m_source)
        appendChildren(QModelIndex(), 0, 0, m_source->rowCount() - 1, {}, &m_rows);
    endResetModel();
    setColumnCount(m_source ? m_source->columnCount() : 0);
    emit sourceModelChanged();
    fetchAll(QModelIndex());
}

void FlatTreeModel::connectSource()
{
    if (!m_source)
        return;
    QAbstractItemModel *source = m_source;
    m_connections = {
        connect(source, &QAbstractItemModel::rowsInserted, this, &FlatTreeModel::onRowsInserted),
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this, &FlatTreeModel::onRowsAboutToBeRemoved),
        connect(source, &QAbstractItemModel::rowsRemoved, this, &FlatTreeModel::onRowsRemoved),
        connect(source, &QAbstractItemModel::dataChanged, this, &FlatTreeModel::onDataChanged),
        connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { onLayoutAboutToBeChanged(); }),
        connect(source, &QAbstractItemModel::layoutChanged, this, [this] { onLayoutChanged(); }),
        connect(source, &QAbstractItemModel::rowsAboutToBeMoved, this, [this] { onLayoutAboutToBeChanged(); }),
        connect(source, &QAbstractItemModel::rowsMoved, this, [this] { onLayoutChanged(); }),
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &FlatTreeModel::onModelAboutToBeReset),
        connect(source, &QAbstractItemModel::modelReset, this, &FlatTreeModel::onModelReset),
        connect(source, &QAbstractItemModel::columnsInserted, this, [this] { onColumnsChanged(); }),
        connect(source, &QAbstractItemModel::columnsRemoved, this, [this] { onColumnsChanged(); }),
        connect(source, &QAbstractItemModel::columnsMoved, this, [this] { onColumnsChanged(); }),
        connect(source, &QObject::destroyed, this, &FlatTreeModel::onSourceDestroyed),
    };
}

void FlatTreeModel::disconnectSource()
{
    for (const QMetaObject::Connection &connection : qAsConst(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_layoutChangeDepth = 0;
}

void FlatTreeModel::onSourceDestroyed()
{
    // The pointer is cleared already; the rows' indexes were invalidated with the model.
    beginResetModel();
    disconnectSource();
    m_source = nullptr;
    m_rows.clear();
    endResetModel();
    setColumnCount(0);
    emit sourceModelChanged();
}

int FlatTreeModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant FlatTreeModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) || !m_source)
        return QVariant();
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return row.index.data(Qt::DisplayRole);
    case CellsRole: {
        QStringList cells;
        for (int column = 0; column < m_columnCount; ++column)
            cells.append(row.index.sibling(row.index.row(), column).data(Qt::DisplayRole).toString());
        return cells;
    }
    case DepthRole: return row.depth;
    case ExpandedRole: return row.expanded;
    case HasChildrenRole: return m_source->hasChildren(row.index);
    case SourceIndexRole: return QVariant::fromValue(QModelIndex(row.index));
    default: return QVariant();
    }
}

QHash<int, QByteArray> FlatTreeModel::roleNames() const
{
    return {
        {Qt::DisplayRole, "display"},
        {CellsRole, "cells"},
        {DepthRole, "depth"},
        {ExpandedRole, "expanded"},
        {HasChildrenRole, "hasChildren"},
        {SourceIndexRole, "sourceIndex"},
    };
}

bool FlatTreeModel::isExpanded(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).expanded;
}

bool FlatTreeModel::hasChildren(int row) const
{
    return row >= 0 && row < m_rows.size() && m_source && m_source->hasChildren(m_rows.at(row).index);
}

int FlatTreeModel::depth(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).depth : -1;
}

void FlatTreeModel::expand(int row)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row).expanded || !m_source)
        return;
    const QPersistentModelIndex node = m_rows.at(row).index;
    fetchAll(node);
    // Fetching inserts into the source, which does not move this row (its children
    // are not shown yet); look it up anyway in case the source did more.
    row = rowOf(node, row);
    const int children = row < 0 ? 0 : m_source->rowCount(node);
    if (children <= 0)
        return;

    QVector<Row> rows;
    appendChildren(node, m_rows.at(row).depth + 1, 0, children - 1, m_rows.at(row).hiddenExpanded, &rows);
    m_rows[row].hiddenExpanded.clear();
    m_rows[row].expanded = true;
    insertRows(row + 1, rows);
    emitRowChanged(row, {ExpandedRole});
}

void FlatTreeModel::collapse(int row)
{
    if (row < 0 || row >= m_rows.size() || !m_rows.at(row).expanded)
        return;
    const int end = subtreeEnd(row);
    QVector<QPersistentModelIndex> hidden;
    for (int descendant = row + 1; descendant < end; ++descendant) {
        const Row &entry = m_rows.at(descendant);
        if (entry.expanded)
            hidden.append(entry.index);
        for (const QPersistentModelIndex &index : entry.hiddenExpanded) {
            if (index.isValid())
                hidden.append(index);
        }
    }
    m_rows[row].expanded = false;
    m_rows[row].hiddenExpanded = hidden;
    if (end > row + 1) {
        beginRemoveRows(QModelIndex(), row + 1, end - 1);
        m_rows.remove(row + 1, end - row - 1);
        endRemoveRows();
    }
    emitRowChanged(row, {ExpandedRole});
}

void FlatTreeModel::toggle(int row)
{
    if (isExpanded(row))
        collapse(row);
    else
        expand(row);
}

int FlatTreeModel::parentRow(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    const int depth = m_rows.at(row).depth;
    for (int above = row - 1; above >= 0; --above) {
        if (m_rows.at(above).depth < depth)
            return above;
    }
    return -1;
}

QModelIndex FlatTreeModel::mapToSource(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return QModelIndex();
    const QPersistentModelIndex &index = m_rows.at(row).index;
    return column == 0 ? QModelIndex(index) : index.sibling(index.row(), column);
}

int FlatTreeModel::mapFromSource(const QModelIndex &index) const
{
    return rowOf(column0(index), -1);
}

int FlatTreeModel::rowOf(const QModelIndex &node, int hint) const
{
    if (!node.isValid() || node.model() != m_source)
        return -1;
    const auto shows = [this, &node](int row) {
        return row >= 0 && row < m_rows.size() && m_rows.at(row).index == node;
    };
    if (shows(hint))
        return hint;
    // A top-level node with no open node above it sits at its own source row.
    if (!node.parent().isValid() && shows(node.row()))
        return node.row();
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).index == node)
            return row;
    }
    return -1;
}

void FlatTreeModel::insertRows(int position, const QVector<Row> &rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), position, position + rows.size() - 1);
    // Rows are movable: opening the gap is one memmove, whatever lies below it.
    m_rows.insert(position, rows.size(), Row());
    std::copy(rows.cbegin(), rows.cend(), m_rows.begin() + position);
    endInsertRows();
}

QString FlatTreeModel::text(int row, int column) const
{
    return mapToSource(row, column).data(Qt::DisplayRole).toString();
}

QStringList FlatTreeModel::pathOf(int row) const
{
    QStringList path;
    for (; row >= 0; row = parentRow(row))
        path.prepend(text(row, 0));
    return path;
}

int FlatTreeModel::rowOfPath(const QStringList &path) const
{
    int parent = -1;
    for (int level = 0; level < path.size(); ++level) {
        const int end = parent < 0 ? m_rows.size() : subtreeEnd(parent);
        int found = -1;
        for (int row = parent + 1; row < end; row = subtreeEnd(row)) {
            if (text(row, 0) == path.at(level)) {
                found = row;
                break;
            }
        }
        if (found < 0)
            return -1;
        parent = found;
    }
    return parent;
}

void FlatTreeModel::appendChildren(const QModelIndex &parent, int depth, int first, int last,
                                   const QVector<QPersistentModelIndex> &expanded, QVector<Row> *rows) const
{
    for (int sourceRow = first; sourceRow <= last; ++sourceRow) {
        const QModelIndex child = m_source->index(sourceRow, 0, parent);
        Row row;
        row.index = child;
        row.depth = depth;
        row.expanded = !expanded.isEmpty() && containsIndex(expanded, child) && m_source->rowCount(child) > 0;
        if (!row.expanded) {
            // Keep what lies below a node that stays collapsed for when it opens.
            for (const QPersistentModelIndex &index : expanded) {
                if (index.isValid() && isDescendantOf(index, child))
                    row.hiddenExpanded.append(index);
            }
        }
        rows->append(row);
        if (row.expanded)
            appendChildren(child, depth + 1, 0, m_source->rowCount(child) - 1, expanded, rows);
    }
}

void FlatTreeModel::appendChildrenByPath(const QModelIndex &parent, int depth, const QString &parentPath,
                                         const QSet<QString> &expandedPaths, QVector<Row> *rows) const
{
    const int count = m_source->rowCount(parent);
    for (int sourceRow = 0; sourceRow < count; ++sourceRow) {
        const QModelIndex child = m_source->index(sourceRow, 0, parent);
        const QString text = child.data(Qt::DisplayRole).toString();
        const QString path = depth == 0 ? text : parentPath + pathSeparator + text;
        Row row;
        row.index = child;
        row.depth = depth;
        row.expanded = expandedPaths.contains(path) && m_source->rowCount(child) > 0;
        rows->append(row);
        if (row.expanded)
            appendChildrenByPath(child, depth + 1, path, expandedPaths, rows);
    }
}

void FlatTreeModel::fetchAll(const QModelIndex &parent)
{
    if (m_source && m_source->canFetchMore(parent))
        m_source->fetchMore(parent);
}

int FlatTreeModel::subtreeEnd(int row) const
{
    const int depth = m_rows.at(row).depth;
    int end = row + 1;
    while (end < m_rows.size() && m_rows.at(end).depth > depth)
        ++end;
    return end;
}

QModelIndex FlatTreeModel::column0(const QModelIndex &index) const
{
    return index.isValid() && index.column() != 0 ? index.sibling(index.row(), 0) : index;
}

void FlatTreeModel::emitRowChanged(int row, const QVector<int> &roles)
{
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, roles);
}

void FlatTreeModel::setColumnCount(int columns)
{
    if (m_columnCount == columns)
        return;
    m_columnCount = columns;
    emit sourceColumnCountChanged();
}

void FlatTreeModel::onRowsInserted(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid() && parent.column() != 0)
        return;
    int depth = 0;
    int parentRow = -1;
    if (parent.isValid()) {
        parentRow = mapFromSource(parent);
        if (parentRow < 0)
            return; // inside a collapsed branch
        if (!m_rows.at(parentRow).expanded) {
            emitRowChanged(parentRow, {HasChildrenRole});
            return;
        }
        depth = m_rows.at(parentRow).depth + 1;
    }

    // New rows go after the subtree of the sibling before them; rows appended at
    // the end go after the parent's whole subtree, without looking for the sibling.
    const int parentEnd = parentRow < 0 ? m_rows.size() : subtreeEnd(parentRow);
    int position = parentRow + 1;
    if (last == m_source->rowCount(parent) - 1) {
        position = parentEnd;
    } else if (first > 0) {
        const int before = mapFromSource(m_source->index(first - 1, 0, parent));
        position = before >= 0 ? subtreeEnd(before) : parentEnd;
    }
    QVector<Row> rows;
    appendChildren(parent, depth, first, last, {}, &rows);
    insertRows(position, rows);
    if (parentRow >= 0)
        emitRowChanged(parentRow, {HasChildrenRole});
}

void FlatTreeModel::onRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    if (parent.isValid()) {
        const int parentRow = mapFromSource(parent);
        if (parentRow < 0 || !m_rows.at(parentRow).expanded)
            return;
    }
    const int start = mapFromSource(m_source->index(first, 0, parent));
    const int lastRow = mapFromSource(m_source->index(last, 0, parent));
    if (start < 0 || lastRow < start)
        return;
    const int end = subtreeEnd(lastRow);
    beginRemoveRows(QModelIndex(), start, end - 1);
    m_rows.remove(start, end - start);
    endRemoveRows();
}

void FlatTreeModel::onRowsRemoved(const QModelIndex &parent, int, int)
{
    const int parentRow = mapFromSource(parent);
    if (parentRow < 0)
        return;
    // A node whose last child went is no longer open: a new child shows up below a
    // closed node, as it would for any other node without children.
    if (m_rows.at(parentRow).expanded && m_source->rowCount(parent) == 0)
        m_rows[parentRow].expanded = false;
    emitRowChanged(parentRow, {HasChildrenRole, ExpandedRole});
}

void FlatTreeModel::onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    const QModelIndex parent = topLeft.parent();
    int start = 0;
    int end = m_rows.size();
    if (parent.isValid()) {
        const int parentRow = mapFromSource(parent);
        if (parentRow < 0 || !m_rows.at(parentRow).expanded)
            return;
        start = parentRow + 1;
        end = subtreeEnd(parentRow);
    }
    QVector<int> changedRoles;
    if (!roles.isEmpty()) {
        if (roles.contains(Qt::DisplayRole))
            changedRoles << Qt::DisplayRole << CellsRole;
        else
            return; // nothing this model shows
    }
    // Walk the parent's children, one subtree at a time.
    for (int row = start; row < end; row = subtreeEnd(row)) {
        const int sourceRow = m_rows.at(row).index.row();
        if (sourceRow >= topLeft.row() && sourceRow <= bottomRight.row())
            emitRowChanged(row, changedRoles);
    }
}

void FlatTreeModel::onLayoutAboutToBeChanged()
{
    if (m_layoutChangeDepth++ > 0)
        return;
    emit layoutAboutToBeChanged();
    m_persistentBeforeLayout = persistentIndexList();
    m_sourceBeforeLayout.clear();
    for (const QModelIndex &index : qAsConst(m_persistentBeforeLayout))
        m_sourceBeforeLayout.append(m_rows.at(index.row()).index);
}

void FlatTreeModel::onLayoutChanged()
{
    if (m_layoutChangeDepth == 0 || --m_layoutChangeDepth > 0)
        return;
    const int countBefore = m_rows.size();
    // The rows' persistent indexes now point at the nodes' new places; lay the list
    // out again from the source, keeping each node's expansion state.
    QHash<QModelIndex, int> oldRowOf;
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).index.isValid())
            oldRowOf.insert(m_rows.at(row).index, row);
    }
    QVector<Row> rows;
    std::function<void(const QModelIndex &, int)> walk = [&](const QModelIndex &parent, int depth) {
        const int count = m_source->rowCount(parent);
        for (int sourceRow = 0; sourceRow < count; ++sourceRow) {
            const QModelIndex child = m_source->index(sourceRow, 0, parent);
            Row row;
            row.index = child;
            row.depth = depth;
            const int old = oldRowOf.value(child, -1);
            if (old >= 0) {
                row.expanded = m_rows.at(old).expanded && m_source->rowCount(child) > 0;
                row.hiddenExpanded = m_rows.at(old).hiddenExpanded;
            }
            rows.append(row);
            if (row.expanded)
                walk(child, depth + 1);
        }
    };
    walk(QModelIndex(), 0);
    m_rows = rows;

    QModelIndexList to;
    for (const QPersistentModelIndex &node : qAsConst(m_sourceBeforeLayout)) {
        const int row = mapFromSource(node);
        to.append(row >= 0 ? index(row) : QModelIndex());
    }
    changePersistentIndexList(m_persistentBeforeLayout, to);
    m_persistentBeforeLayout.clear();
    m_sourceBeforeLayout.clear();
    emit layoutChanged();
    if (m_rows.size() != countBefore)
        emit countChanged();
}

void FlatTreeModel::onModelAboutToBeReset()
{
    m_pathsBeforeReset.clear();
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).expanded)
            m_pathsBeforeReset.insert(pathKey(pathOf(row)));
    }
    beginResetModel();
}

void FlatTreeModel::onModelReset()
{
    m_rows.clear();
    appendChildrenByPath(QModelIndex(), 0, QString(), m_pathsBeforeReset, &m_rows);
    m_pathsBeforeReset.clear();
    endResetModel();
    setColumnCount(m_source->columnCount());
    fetchAll(QModelIndex());
}

void FlatTreeModel::onColumnsChanged()
{
    setColumnCount(m_source->columnCount());
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(m_rows.size() - 1), {Qt::DisplayRole, CellsRole});
}
