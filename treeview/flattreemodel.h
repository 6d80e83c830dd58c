#pragma once

#include <QAbstractListModel>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSet>
#include <QVector>

// The visible part of a tree model as a list: one row per node whose ancestors are
// all expanded, in display order (a node, then its visible descendants). A ListView
// shows it as a tree with the roles depth, expanded and hasChildren; `cells` holds
// the display texts of all the node's columns.
//
// The list follows the source model: inserts, removes, moves, layout changes, data
// changes and resets under expanded nodes keep it in step. A collapsed node
// remembers which of its descendants were expanded and shows them so again; after a
// reset, nodes are expanded again where the same path of texts comes back.
class FlatTreeModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *sourceModel READ sourceModel WRITE setSourceModel NOTIFY sourceModelChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(int sourceColumnCount READ sourceColumnCount NOTIFY sourceColumnCountChanged)

public:
    enum Role {
        CellsRole = Qt::UserRole + 1,
        DepthRole,
        ExpandedRole,
        HasChildrenRole,
        SourceIndexRole,
    };

    explicit FlatTreeModel(QObject *parent = nullptr);

    QAbstractItemModel *sourceModel() const { return m_source; }
    void setSourceModel(QAbstractItemModel *model);

    int count() const { return m_rows.size(); }
    int sourceColumnCount() const { return m_columnCount; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE bool isExpanded(int row) const;
    Q_INVOKABLE bool hasChildren(int row) const;
    Q_INVOKABLE int depth(int row) const;
    Q_INVOKABLE void expand(int row);
    Q_INVOKABLE void collapse(int row);
    Q_INVOKABLE void toggle(int row);
    // The row of the nearest node above `row` one level up; -1 for top-level nodes.
    Q_INVOKABLE int parentRow(int row) const;
    Q_INVOKABLE QModelIndex mapToSource(int row, int column = 0) const;
    // The row that shows a source index; -1 when it is not visible.
    Q_INVOKABLE int mapFromSource(const QModelIndex &index) const;
    Q_INVOKABLE QString text(int row, int column) const;

    // The column-0 texts from the top level down to a row, and back.
    QStringList pathOf(int row) const;
    int rowOfPath(const QStringList &path) const;

    // One visible node. Public only so that it can be declared movable below: rows
    // are shifted with memmove when nodes open and close in the middle of the list.
    struct Row
    {
        QPersistentModelIndex index;
        int depth = 0;
        bool expanded = false;
        // Descendants that were expanded when this node was collapsed.
        QVector<QPersistentModelIndex> hiddenExpanded;
    };

signals:
    void sourceModelChanged();
    void countChanged();
    void sourceColumnCountChanged();

private:

    void connectSource();
    void disconnectSource();

    // Appends the rows of parent's children (and of their expanded descendants).
    void appendChildren(const QModelIndex &parent, int depth, int first, int last,
                        const QVector<QPersistentModelIndex> &expanded, QVector<Row> *rows) const;
    void appendChildrenByPath(const QModelIndex &parent, int depth, const QString &parentPath,
                              const QSet<QString> &expandedPaths, QVector<Row> *rows) const;
    void fetchAll(const QModelIndex &parent);
    // The row of a column-0 source index, trying `hint` first; -1 when not visible.
    int rowOf(const QModelIndex &node, int hint) const;
    void insertRows(int position, const QVector<Row> &rows);
    int subtreeEnd(int row) const;
    QModelIndex column0(const QModelIndex &index) const;
    void emitRowChanged(int row, const QVector<int> &roles);
    void setColumnCount(int columns);

    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void onRowsRemoved(const QModelIndex &parent, int first, int last);
    void onDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QVector<int> &roles);
    void onLayoutAboutToBeChanged();
    void onLayoutChanged();
    void onModelAboutToBeReset();
    void onModelReset();
    void onColumnsChanged();
    void onSourceDestroyed();

    QPointer<QAbstractItemModel> m_source;
    QVector<QMetaObject::Connection> m_connections;
    QVector<Row> m_rows;
    int m_columnCount = 0;
    int m_layoutChangeDepth = 0;
    QSet<QString> m_pathsBeforeReset;
    QModelIndexList m_persistentBeforeLayout;
    QVector<QPersistentModelIndex> m_sourceBeforeLayout;
};

Q_DECLARE_TYPEINFO(FlatTreeModel::Row, Q_MOVABLE_TYPE);
