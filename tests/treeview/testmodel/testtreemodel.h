#pragma once

#include <QStandardItemModel>
#include <QVariantList>

// A two-column tree (text, value) that QML tests fill from nested objects
// {text, value, children} and change through paths of row numbers.
class TestTreeModel : public QStandardItemModel
{
    Q_OBJECT

public:
    explicit TestTreeModel(QObject *parent = nullptr);

    // Replaces everything with one reset.
    Q_INVOKABLE void load(const QVariantList &rows);
    Q_INVOKABLE void insertAt(const QVariantList &parentPath, int row, const QString &text, const QString &value);
    Q_INVOKABLE void removeAt(const QVariantList &path);
    Q_INVOKABLE void setValue(const QVariantList &path, const QString &value);

private:
    QStandardItem *itemAt(const QVariantList &path) const;
    static void appendRows(QStandardItem *parent, const QVariantList &rows);
};
