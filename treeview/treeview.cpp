#include "treeview.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>

#include <cmath>

TreeView::TreeView(QQuickItem *parent)
    : QQuickItem(parent)
    , m_styleHints(new TreeStyleHints(this))
    , m_rows(new FlatTreeModel(this))
{
    setActiveFocusOnTab(true);

    connect(m_styleHints, &TreeStyleHints::fontChanged, this, &TreeView::invalidateMetrics);
    connect(m_styleHints, &TreeStyleHints::indentChanged, this, &TreeView::invalidateMetrics);
    connect(m_styleHints, &TreeStyleHints::columnPaddingChanged, this, &TreeView::invalidateMetrics);

    connect(m_rows, &FlatTreeModel::sourceModelChanged, this, &TreeView::modelChanged);
    connect(m_rows, &FlatTreeModel::countChanged, this, &TreeView::rowCountChanged);
    connect(m_rows, &FlatTreeModel::sourceColumnCountChanged, this, [this] {
        emit columnCountChanged();
        setCurrentColumn(m_currentColumn);
        invalidateMetrics();
    });
    connect(m_rows, &QAbstractItemModel::dataChanged, this, &TreeView::invalidateMetrics);
    connect(m_rows, &QAbstractItemModel::rowsInserted, this, [this] {
        syncCurrentToNode();
        invalidateMetrics();
    });
    connect(m_rows, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this](const QModelIndex &, int first, int last) {
        // A current row that goes away hands over to the row above the removed block
        // (the row that was closed, when closing hides it).
        m_rowAfterRemoval = m_currentRow >= first && m_currentRow <= last ? qMax(0, first - 1) : -1;
    });
    connect(m_rows, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_rowAfterRemoval >= 0)
            setCurrent(qMin(m_rowAfterRemoval, rowCount() - 1), true);
        else
            syncCurrentToNode();
        m_rowAfterRemoval = -1;
        invalidateMetrics();
    });
    connect(m_rows, &QAbstractItemModel::layoutChanged, this, [this] {
        syncCurrentToNode();
        invalidateMetrics();
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
        invalidateMetrics();
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

void TreeView::syncCurrentToNode()
{
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

void TreeView::updatePolish()
{
    // Column widths follow the widest visible text of each column; the first column
    // also holds the indentation and the indicator.
    const QFontMetricsF metrics(m_styleHints->font());
    const qreal rowHeight = std::ceil(metrics.height()) + 6;
    const qreal indicatorSize = std::ceil(metrics.height());
    const qreal indent = m_styleHints->indent();
    const int columns = columnCount();
    QVector<qreal> widths(columns, 0);
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            qreal width = metrics.horizontalAdvance(m_rows->text(row, column));
            if (column == 0)
                width += m_rows->depth(row) * indent + indicatorSize;
            widths[column] = qMax(widths.at(column), std::ceil(width) + 1);
        }
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
