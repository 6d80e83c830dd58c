#include "treeview.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include <algorithm>
#include <cmath>

TreeView::TreeView(QQuickItem *parent)
    : QQuickItem(parent)
    , m_styleHints(new TreeStyleHints(this))
    , m_rows(new FlatTreeModel(this))
{
    setActiveFocusOnTab(true);

    connect(m_styleHints, &TreeStyleHints::fontChanged, this, &TreeView::invalidateWidths);
    connect(m_styleHints, &TreeStyleHints::indentChanged, this, &TreeView::invalidateWidths);
    connect(m_styleHints, &TreeStyleHints::columnPaddingChanged, this, &TreeView::invalidateMetrics);

    connect(m_rows, &FlatTreeModel::sourceModelChanged, this, &TreeView::modelChanged);
    connect(m_rows, &FlatTreeModel::countChanged, this, &TreeView::rowCountChanged);
    connect(m_rows, &FlatTreeModel::sourceColumnCountChanged, this, [this] {
        emit columnCountChanged();
        setCurrentColumn(m_currentColumn);
        invalidateWidths();
    });
    connect(m_rows, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles) {
                // Opening, closing and child counts do not change what a row shows.
                if (roles.isEmpty() || roles.contains(Qt::DisplayRole) || roles.contains(FlatTreeModel::CellsRole)
                    || roles.contains(FlatTreeModel::DepthRole))
                    rowsChanged(topLeft.row(), bottomRight.row());
            });
    connect(m_rows, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        rowsShown(first, last);
        syncCurrentToNode(m_currentRow >= first ? m_currentRow + last - first + 1 : m_currentRow);
    });
    connect(m_rows, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex &, int first, int last) {
        // A current row that goes away hands over to the row above the removed block
        // (the row that was closed, when closing hides it).
        m_rowAfterRemoval = m_currentRow >= first && m_currentRow <= last ? qMax(0, first - 1) : -1;
    });
    connect(m_rows, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        rowsHidden(first, last);
        if (m_rowAfterRemoval >= 0)
            setCurrent(qMin(m_rowAfterRemoval, rowCount() - 1), true);
        else
            syncCurrentToNode(m_currentRow > last ? m_currentRow - (last - first + 1) : m_currentRow);
        m_rowAfterRemoval = -1;
    });
    connect(m_rows, &QAbstractItemModel::layoutChanged, this, [this] {
        syncCurrentToNode();
        invalidateWidths();
    });
    connect(m_rows, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_currentPathBeforeReset = m_currentRow >= 0 ? m_rows->pathOf(m_currentRow) : QStringList(); });
    connect(m_rows, &QAbstractItemModel::modelReset, this, [this] {
        // The same texts coming back (a refreshed model) keep their place as current.
        int row = -1;
        for (int length = m_currentPathBeforeReset.size(); length > 0 && row < 0; --length)
            row = m_rows->rowOfPath(m_currentPathBeforeReset.mid(0, length));
        m_currentPathBeforeReset.clear();
        setCurrent(row, true);
        setCurrentColumn(m_currentColumn);
        invalidateWidths();
    });
}

void TreeView::setModel(QAbstractItemModel *model)
{
    m_rows->setSourceModel(model);
}

void TreeView::setNavigationMode(NavigationMode mode)
{
    if (m_navigationMode == mode)
        return;
    m_navigationMode = mode;
    emit navigationModeChanged();
}

void TreeView::setCurrentRow(int row)
{
    setCurrent(row, true);
}

void TreeView::setCurrent(int row, bool followNode)
{
    row = qBound(-1, row, rowCount() - 1);
    const QModelIndex before = currentIndex();
    const bool rowChanged = row != m_currentRow;
    m_currentRow = row;
    if (followNode)
        m_currentNode = m_rows->mapToSource(row);
    if (rowChanged)
        emit currentRowChanged();
    if (currentIndex() != before)
        emit currentIndexChanged();
}

void TreeView::syncCurrentToNode(int hint)
{
    if (m_currentNode.isValid() && hint >= 0 && m_rows->mapToSource(hint) == m_currentNode) {
        setCurrent(hint, false);
        return;
    }
    if (!m_currentNode.isValid()) {
        if (m_currentRow >= 0)
            setCurrent(qMin(m_currentRow, rowCount() - 1), true);
        return;
    }
    const int row = m_rows->mapFromSource(m_currentNode);
    if (row >= 0) {
        setCurrent(row, false);
        return;
    }
    // Hidden in a closed branch: the nearest visible ancestor becomes current.
    for (QModelIndex ancestor = m_currentNode.parent(); ancestor.isValid(); ancestor = ancestor.parent()) {
        const int ancestorRow = m_rows->mapFromSource(ancestor);
        if (ancestorRow >= 0) {
            setCurrent(ancestorRow, true);
            return;
        }
    }
    setCurrent(qMin(m_currentRow, rowCount() - 1), true);
}

void TreeView::setCurrentColumn(int column)
{
    column = qBound(0, column, qMax(0, columnCount() - 1));
    if (m_currentColumn == column)
        return;
    const QModelIndex before = currentIndex();
    m_currentColumn = column;
    emit currentColumnChanged();
    if (currentIndex() != before)
        emit currentIndexChanged();
}

QModelIndex TreeView::currentIndex() const
{
    return m_rows->mapToSource(m_currentRow, m_currentColumn);
}

QVariantList TreeView::columnPositions() const
{
    QVariantList positions;
    for (qreal position : m_columnPositions)
        positions.append(position);
    return positions;
}

QVariantList TreeView::columnWidths() const
{
    QVariantList widths;
    for (qreal width : m_columnWidths)
        widths.append(width);
    return widths;
}

int TreeView::columnAt(qreal x) const
{
    const qreal halfPadding = m_styleHints->columnPadding() / 2;
    for (int column = m_columnPositions.size() - 1; column > 0; --column) {
        if (x >= m_columnPositions.at(column) - halfPadding)
            return column;
    }
    return 0;
}

bool TreeView::onIndicator(int row, qreal x) const
{
    if (!m_rows->hasChildren(row))
        return false;
    const qreal left = margin + m_rows->depth(row) * m_styleHints->indent();
    return x >= left && x < left + m_indicatorSize;
}

void TreeView::rowPressed(int row, qreal x)
{
    forceActiveFocus(Qt::MouseFocusReason);
    setCurrentRow(row);
    setCurrentColumn(columnAt(x));
}

void TreeView::rowClicked(int row, qreal x)
{
    if (onIndicator(row, x))
        toggle(row);
    emit clicked(row, columnAt(x));
}

void TreeView::rowDoubleClicked(int row, qreal x)
{
    // The click before already toggled a row whose indicator was hit.
    if (!onIndicator(row, x))
        toggle(row);
    emit doubleClicked(row, columnAt(x));
}

void TreeView::moveRight()
{
    const int row = m_currentRow;
    if (m_navigationMode == Table) {
        if (m_currentColumn == 0 && m_rows->hasChildren(row) && !m_rows->isExpanded(row))
            expand(row);
        else
            setCurrentColumn(m_currentColumn + 1);
        return;
    }
    if (m_rows->hasChildren(row) && !m_rows->isExpanded(row))
        expand(row);
    else if (m_rows->isExpanded(row) && m_rows->depth(row + 1) > m_rows->depth(row))
        setCurrentRow(row + 1);
}

void TreeView::moveLeft()
{
    const int row = m_currentRow;
    if (m_navigationMode == Table && m_currentColumn > 0) {
        setCurrentColumn(m_currentColumn - 1);
        return;
    }
    if (m_rows->isExpanded(row)) {
        collapse(row);
        return;
    }
    const int parent = m_rows->parentRow(row);
    if (parent >= 0)
        setCurrentRow(parent);
}

void TreeView::keyPressEvent(QKeyEvent *event)
{
    const int count = rowCount();
    if (count == 0 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        event->ignore();
        return;
    }
    const int row = m_currentRow;
    const int page = m_rowHeight > 0 ? qMax(1, int(height() / m_rowHeight) - 1) : 1;
    switch (event->key()) {
    case Qt::Key_Up: setCurrentRow(qMax(0, row - 1)); break;
    case Qt::Key_Down: setCurrentRow(qMin(count - 1, row + 1)); break;
    case Qt::Key_PageUp: setCurrentRow(qMax(0, row - page)); break;
    case Qt::Key_PageDown: setCurrentRow(qMin(count - 1, qMax(0, row) + page)); break;
    case Qt::Key_Home: setCurrentRow(0); break;
    case Qt::Key_End: setCurrentRow(count - 1); break;
    case Qt::Key_Right:
        if (row < 0)
            setCurrentRow(0);
        else
            moveRight();
        break;
    case Qt::Key_Left:
        if (row < 0)
            setCurrentRow(0);
        else
            moveLeft();
        break;
    case Qt::Key_Space:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (row < 0)
            setCurrentRow(0);
        else
            toggle(row);
        break;
    default: event->ignore(); return;
    }
    event->accept();
}

void TreeView::invalidateMetrics()
{
    polish();
}

void TreeView::invalidateWidths()
{
    m_widthsValid = false;
    polish();
}

int TreeView::cellWidth(const QFontMetricsF &metrics, int row, int column) const
{
    qreal width = metrics.horizontalAdvance(m_rows->text(row, column));
    if (column == 0)
        width += m_rows->depth(row) * m_styleHints->indent() + std::ceil(metrics.height());
    return int(std::ceil(width)) + 1;
}

void TreeView::measureRows(int first, int last, int *out) const
{
    const QFontMetricsF metrics(m_measuredFont);
    const int columns = m_widthCounts.size();
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < columns; ++column)
            *out++ = cellWidth(metrics, row, column);
    }
}

void TreeView::countWidths(int first, int last, int change)
{
    const int columns = m_widthCounts.size();
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < columns; ++column) {
            QMap<int, int> &counts = m_widthCounts[column];
            const auto entry = counts.find(m_cellWidths.at(row * columns + column));
            if (change > 0) {
                if (entry == counts.end())
                    counts.insert(m_cellWidths.at(row * columns + column), 1);
                else
                    ++entry.value();
            } else if (entry != counts.end() && --entry.value() == 0) {
                counts.erase(entry);
            }
        }
    }
}

void TreeView::rowsShown(int first, int last)
{
    const int columns = m_widthCounts.size();
    if (m_widthsValid && m_cellWidths.size() == (rowCount() - (last - first + 1)) * columns) {
        m_cellWidths.insert(first * columns, (last - first + 1) * columns, 0);
        measureRows(first, last, m_cellWidths.data() + first * columns);
        countWidths(first, last, +1);
    } else {
        m_widthsValid = false;
    }
    polish();
}

void TreeView::rowsHidden(int first, int last)
{
    const int columns = m_widthCounts.size();
    if (m_widthsValid && m_cellWidths.size() == (rowCount() + (last - first + 1)) * columns) {
        countWidths(first, last, -1);
        m_cellWidths.remove(first * columns, (last - first + 1) * columns);
    } else {
        m_widthsValid = false;
    }
    polish();
}

void TreeView::rowsChanged(int first, int last)
{
    const int columns = m_widthCounts.size();
    if (m_widthsValid && m_cellWidths.size() == rowCount() * columns && first >= 0 && last < rowCount()) {
        countWidths(first, last, -1);
        measureRows(first, last, m_cellWidths.data() + first * columns);
        countWidths(first, last, +1);
    } else {
        m_widthsValid = false;
    }
    polish();
}

void TreeView::updatePolish()
{
    // Column widths follow the widest visible text of each column; the first column
    // also holds the indentation and the indicator.
    const QFontMetricsF metrics(m_styleHints->font());
    const qreal rowHeight = std::ceil(metrics.height()) + 6;
    const qreal indicatorSize = std::ceil(metrics.height());
    const int columns = columnCount();
    if (!m_widthsValid || m_widthCounts.size() != columns || m_cellWidths.size() != rowCount() * columns) {
        m_measuredFont = m_styleHints->font();
        m_widthCounts = QVector<QMap<int, int>>(columns);
        m_cellWidths.resize(rowCount() * columns);
        measureRows(0, rowCount() - 1, m_cellWidths.data());
        countWidths(0, rowCount() - 1, +1);
        m_widthsValid = true;
    }
    QVector<qreal> widths(columns, 0);
    for (int column = 0; column < columns; ++column) {
        if (!m_widthCounts.at(column).isEmpty())
            widths[column] = m_widthCounts.at(column).lastKey();
    }
    QVector<qreal> positions(columns, margin);
    for (int column = 1; column < columns; ++column)
        positions[column] = positions.at(column - 1) + widths.at(column - 1) + m_styleHints->columnPadding();
    const qreal contentWidth = columns > 0 ? positions.last() + widths.last() + margin : 0;
    setImplicitSize(contentWidth, rowCount() * rowHeight);

    if (rowHeight == m_rowHeight && indicatorSize == m_indicatorSize && contentWidth == m_contentWidth
        && widths == m_columnWidths && positions == m_columnPositions)
        return;
    m_rowHeight = rowHeight;
    m_indicatorSize = indicatorSize;
    m_contentWidth = contentWidth;
    m_columnWidths = widths;
    m_columnPositions = positions;
    emit metricsChanged();
}

void TreeView::componentComplete()
{
    QQuickItem::componentComplete();
    updatePolish();

    QQmlEngine *engine = qmlEngine(this);
    if (!engine) {
        qWarning("TreeView: created outside a QML engine, nothing will be shown");
        return;
    }
    // The rows are drawn by a document of this module, in a context of its own so
    // that it sees none of the names around the view.
    QQmlComponent component(engine, QUrl(QStringLiteral("qrc:/com/corvane/treeview/TreeViewContent.qml")));
    QQmlContext *context = new QQmlContext(engine->rootContext(), this);
    QObject *object = component.beginCreate(context);
    QQuickItem *content = qobject_cast<QQuickItem *>(object);
    if (!content) {
        qWarning().noquote() << "TreeView: cannot create its content:" << component.errorString();
        delete object;
        return;
    }
    content->setParent(this);
    content->setParentItem(this);
    content->setProperty("view", QVariant::fromValue<QObject *>(this));
    component.completeCreate();
    m_content = content;
}
