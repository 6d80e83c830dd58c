#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <QVector>

// One line of the system information tree: a name, its value and nested lines.
struct InfoEntry
{
    QString name;
    QString value;
    QVector<InfoEntry> children;
};

// A read-only tree of InfoEntry lines with the columns Name and Value. Its content is
// replaced as a whole, on the thread the model lives in.
class InfoTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column { NameColumn, ValueColumn, ColumnCount };
    enum Role { NameRole = Qt::UserRole + 1, ValueRole };

    explicit InfoTreeModel(QObject *parent = nullptr);

    void setEntries(const QVector<InfoEntry> &entries);
    const QVector<InfoEntry> &entries() const { return m_entries; }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    // The tree laid out as a table of nodes; a model index carries its node number.
    struct Node
    {
        const InfoEntry *entry = nullptr;
        int parent = -1; // node number, -1 for top-level lines
        int row = 0; // row below its parent
        QVector<int> children;
    };
    void addNodes(const QVector<InfoEntry> &entries, int parent, QVector<int> *siblings);
    const Node *nodeOf(const QModelIndex &index) const;

    QVector<InfoEntry> m_entries;
    QVector<Node> m_nodes;
    QVector<int> m_topLevel;
};
