#pragma once

#include "flattreemodel.h"
#include "treestylehints.h"

#include <QFont>
#include <QMap>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QQuickItem>
#include <QVariantList>

// TreeView of com.corvane.treeview: shows any tree model (QAbstractItemModel) as
// indented rows and columns in a ListView over a FlatTreeModel.
//
// Keys (when the view has the active focus): Up/Down, PageUp/PageDown and
// Home/End move the current row; Space, Enter and Return open or close it. In
// NavigationMode List, Right opens the current row or goes to its first child and
// Left closes it or goes to its parent. In NavigationMode Table, Left and Right also
// move the current column: Right opens a closed row in the first column and
// otherwise goes one column right; Left goes one column left and in the first column
// closes the row or goes to its parent.
//
// Mouse: a click selects a row and cell, a click on the indicator or a double click
// opens or closes the row; the wheel and the scroll bars scroll.
class QFontMetricsF;

class TreeView : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(TreeStyleHints *styleHints READ styleHints CONSTANT)
    Q_PROPERTY(NavigationMode navigationMode READ navigationMode WRITE setNavigationMode NOTIFY navigationModeChanged)
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow NOTIFY currentRowChanged)
    Q_PROPERTY(int currentColumn READ currentColumn WRITE setCurrentColumn NOTIFY currentColumnChanged)
    // The model index of the current cell.
    Q_PROPERTY(QModelIndex currentIndex READ currentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY rowCountChanged)
    Q_PROPERTY(int columnCount READ columnCount NOTIFY columnCountChanged)

    // What the view's own delegates lay themselves out by.
    Q_PROPERTY(FlatTreeModel *rows READ rows CONSTANT)
    Q_PROPERTY(qreal rowHeight READ rowHeight NOTIFY metricsChanged)
    Q_PROPERTY(qreal indicatorSize READ indicatorSize NOTIFY metricsChanged)
    Q_PROPERTY(qreal contentWidth READ contentWidth NOTIFY metricsChanged)
    Q_PROPERTY(QVariantList columnPositions READ columnPositions NOTIFY metricsChanged)
    Q_PROPERTY(QVariantList columnWidths READ columnWidths NOTIFY metricsChanged)

public:
    enum NavigationMode { List, Table };
    Q_ENUM(NavigationMode)

    explicit TreeView(QQuickItem *parent = nullptr);

    QAbstractItemModel *model() const { return m_rows->sourceModel(); }
    void setModel(QAbstractItemModel *model);
    TreeStyleHints *styleHints() const { return m_styleHints; }
    NavigationMode navigationMode() const { return m_navigationMode; }
    void setNavigationMode(NavigationMode mode);
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    int currentColumn() const { return m_currentColumn; }
    void setCurrentColumn(int column);
    QModelIndex currentIndex() const;
    int rowCount() const { return m_rows->count(); }
    int columnCount() const { return m_rows->sourceColumnCount(); }

    FlatTreeModel *rows() const { return m_rows; }
    qreal rowHeight() const { return m_rowHeight; }
    qreal indicatorSize() const { return m_indicatorSize; }
    qreal contentWidth() const { return m_contentWidth; }
    QVariantList columnPositions() const;
    QVariantList columnWidths() const;

    Q_INVOKABLE bool isExpanded(int row) const { return m_rows->isExpanded(row); }
    Q_INVOKABLE void expand(int row) { m_rows->expand(row); }
    Q_INVOKABLE void collapse(int row) { m_rows->collapse(row); }
    Q_INVOKABLE void toggle(int row) { m_rows->toggle(row); }
    // The display text of a visible cell.
    Q_INVOKABLE QString text(int row, int column) const { return m_rows->text(row, column); }
    // The column under x (in content coordinates).
    Q_INVOKABLE int columnAt(qreal x) const;

    // Mouse input forwarded by the delegates, x in content coordinates.
    Q_INVOKABLE void rowPressed(int row, qreal x);
    Q_INVOKABLE void rowClicked(int row, qreal x);
    Q_INVOKABLE void rowDoubleClicked(int row, qreal x);

signals:
    void modelChanged();
    void navigationModeChanged();
    void currentRowChanged();
    void currentColumnChanged();
    void currentIndexChanged();
    void rowCountChanged();
    void columnCountChanged();
    void metricsChanged();
    void clicked(int row, int column);
    void doubleClicked(int row, int column);

protected:
    void componentComplete() override;
    void keyPressEvent(QKeyEvent *event) override;
    void updatePolish() override;

private:
    bool onIndicator(int row, qreal x) const;
    void setCurrent(int row, bool followNode);
    // `hint`: the row where the current node is expected after a change.
    void syncCurrentToNode(int hint = -1);
    void invalidateMetrics();
    void invalidateWidths();
    int cellWidth(const QFontMetricsF &metrics, int row, int column) const;
    void measureRows(int first, int last, int *out) const;
    void countWidths(int first, int last, int change);
    void rowsShown(int first, int last);
    void rowsHidden(int first, int last);
    void rowsChanged(int first, int last);
    void moveRight();
    void moveLeft();

    TreeStyleHints *m_styleHints;
    FlatTreeModel *m_rows;
    QPointer<QQuickItem> m_content;
    NavigationMode m_navigationMode = List;

    int m_currentRow = -1;
    int m_currentColumn = 0;
    QPersistentModelIndex m_currentNode;
    int m_rowAfterRemoval = -1; // where the current row goes when its row is removed
    QStringList m_currentPathBeforeReset;

    qreal m_rowHeight = 0;
    qreal m_indicatorSize = 0;
    qreal m_contentWidth = 0;
    QVector<qreal> m_columnPositions;
    QVector<qreal> m_columnWidths;

    // The measured width of every visible cell (row-major, the first column with its
    // indentation and indicator), and per column how many cells have each width, so
    // a change measures only the rows it shows, hides or alters. Rebuilt as a whole
    // after a reset, a layout change or a new font, indentation or column count.
    bool m_widthsValid = false;
    QFont m_measuredFont;
    QVector<int> m_cellWidths;
    QVector<QMap<int, int>> m_widthCounts;

    static constexpr qreal margin = 4;
};
