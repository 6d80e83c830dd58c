#include "testtreemodel.h"

#include <QQmlExtensionPlugin>
#include <QtQml>

TestTreeModel::TestTreeModel(QObject *parent)
    : QStandardItemModel(0, 2, parent)
{
}

void TestTreeModel::appendRows(QStandardItem *parent, const QVariantList &rows)
{
    for (const QVariant &entry : rows) {
        const QVariantMap map = entry.toMap();
        auto *text = new QStandardItem(map.value(QStringLiteral("text")).toString());
        auto *value = new QStandardItem(map.value(QStringLiteral("value")).toString());
        appendRows(text, map.value(QStringLiteral("children")).toList());
        parent->appendRow({text, value});
    }
}

void TestTreeModel::load(const QVariantList &rows)
{
    beginResetModel();
    const bool blocked = blockSignals(true);
    removeRows(0, rowCount());
    appendRows(invisibleRootItem(), rows);
    blockSignals(blocked);
    endResetModel();
}

QStandardItem *TestTreeModel::itemAt(const QVariantList &path) const
{
    QStandardItem *item = invisibleRootItem();
    for (const QVariant &row : path) {
        item = item ? item->child(row.toInt(), 0) : nullptr;
    }
    return item;
}

void TestTreeModel::insertAt(const QVariantList &parentPath, int row, const QString &text, const QString &value)
{
    if (QStandardItem *parent = itemAt(parentPath))
        parent->insertRow(row, {new QStandardItem(text), new QStandardItem(value)});
}

void TestTreeModel::removeAt(const QVariantList &path)
{
    if (path.isEmpty())
        return;
    QStandardItem *parent = itemAt(path.mid(0, path.size() - 1));
    if (parent)
        parent->removeRow(path.last().toInt());
}

void TestTreeModel::setValue(const QVariantList &path, const QString &value)
{
    QStandardItem *item = itemAt(path);
    if (!item)
        return;
    QStandardItem *parent = item->parent() ? item->parent() : invisibleRootItem();
    if (QStandardItem *valueItem = parent->child(item->row(), 1))
        valueItem->setText(value);
}

class TreeViewTestingPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override { qmlRegisterType<TestTreeModel>(uri, 1, 0, "TestTreeModel"); }
};

#include "testtreemodel.moc"
