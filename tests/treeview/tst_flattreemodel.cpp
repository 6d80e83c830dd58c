// The flattening model under QAbstractItemModelTester while a real tree model
// (QStandardItemModel) changes underneath expanded and collapsed branches.
#include "flattreemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

namespace {

// A QStandardItemModel whose content can be replaced with one reset.
class TreeModel : public QStandardItemModel
{
public:
    TreeModel()
        : QStandardItemModel(0, 2)
    {
    }
    template<typename Change> void resetWith(Change change)
    {
        beginResetModel();
        const bool blocked = blockSignals(true);
        change();
        blockSignals(blocked);
        endResetModel();
    }
};

QList<QStandardItem *> pair(const QString &text, const QString &value = QString())
{
    return {new QStandardItem(text), new QStandardItem(value)};
}

// A: A1 (A1a, A1b), A2; B: B1; C
void fill(QStandardItemModel *model)
{
    model->removeRows(0, model->rowCount());
    const QList<QStandardItem *> a = pair(QStringLiteral("A"), QStringLiteral("a"));
    const QList<QStandardItem *> a1 = pair(QStringLiteral("A1"), QStringLiteral("a1"));
    a1.first()->appendRow(pair(QStringLiteral("A1a"), QStringLiteral("x")));
    a1.first()->appendRow(pair(QStringLiteral("A1b"), QStringLiteral("y")));
    a.first()->appendRow(a1);
    a.first()->appendRow(pair(QStringLiteral("A2"), QStringLiteral("a2")));
    const QList<QStandardItem *> b = pair(QStringLiteral("B"), QStringLiteral("b"));
    b.first()->appendRow(pair(QStringLiteral("B1"), QStringLiteral("b1")));
    model->appendRow(a);
    model->appendRow(b);
    model->appendRow(pair(QStringLiteral("C"), QStringLiteral("c")));
}

// The visible rows as "depth-indented text" lines, with a '+' or '-' for nodes that
// have children (closed or open).
QStringList lines(const FlatTreeModel &flat)
{
    QStringList result;
    for (int row = 0; row < flat.rowCount(); ++row) {
        const QModelIndex index = flat.index(row);
        QString line = QString(index.data(FlatTreeModel::DepthRole).toInt() * 2, QLatin1Char(' '));
        if (index.data(FlatTreeModel::HasChildrenRole).toBool())
            line += index.data(FlatTreeModel::ExpandedRole).toBool() ? QLatin1Char('-') : QLatin1Char('+');
        line += index.data(Qt::DisplayRole).toString();
        result.append(line);
    }
    return result;
}

int rowOf(const FlatTreeModel &flat, const QString &text)
{
    for (int row = 0; row < flat.rowCount(); ++row) {
        if (flat.text(row, 0) == text)
            return row;
    }
    return -1;
}

QStandardItem *item(QStandardItemModel *model, const QString &text)
{
    const QList<QStandardItem *> found = model->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class FlatTreeModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void expandAndCollapse();
    void insertUnderExpandedAndCollapsedNodes();
    void removeExpandedBranches();
    void dataChangesReachVisibleRowsOnly();
    void resetKeepsExpansionOfSameTexts();
    void layoutChangeKeepsExpansionAndPersistentRows();
    void sourceGoesAway();

private:
    TreeModel *m_source = nullptr;
    FlatTreeModel *m_flat = nullptr;
    QAbstractItemModelTester *m_tester = nullptr;
};

void FlatTreeModelTest::init()
{
    m_source = new TreeModel;
    fill(m_source);
    m_flat = new FlatTreeModel;
    m_tester = new QAbstractItemModelTester(m_flat, QAbstractItemModelTester::FailureReportingMode::QtTest);
    m_flat->setSourceModel(m_source);
}

void FlatTreeModelTest::cleanup()
{
    delete m_tester;
    delete m_flat;
    delete m_source;
}

void FlatTreeModelTest::expandAndCollapse()
{
    QCOMPARE(lines(*m_flat), QStringList({"+A", "+B", "C"}));
    QCOMPARE(m_flat->sourceColumnCount(), 2);
    QCOMPARE(m_flat->index(0).data(FlatTreeModel::CellsRole).toStringList(), QStringList({"A", "a"}));

    QSignalSpy inserted(m_flat, &QAbstractItemModel::rowsInserted);
    m_flat->expand(0);
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  +A1", "  A2", "+B", "C"}));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.first().at(1).toInt(), 1);
    QCOMPARE(inserted.first().at(2).toInt(), 2);

    m_flat->expand(rowOf(*m_flat, "A1"));
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "+B", "C"}));
    m_flat->expand(rowOf(*m_flat, "B"));
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "-B", "  B1", "C"}));
    QCOMPARE(m_flat->parentRow(rowOf(*m_flat, "A1b")), rowOf(*m_flat, "A1"));
    QCOMPARE(m_flat->parentRow(rowOf(*m_flat, "B")), -1);
    QCOMPARE(m_flat->pathOf(rowOf(*m_flat, "A1b")), QStringList({"A", "A1", "A1b"}));
    QCOMPARE(m_flat->rowOfPath({"A", "A1", "A1b"}), rowOf(*m_flat, "A1b"));

    // Leaves and open nodes do not change on expand.
    m_flat->expand(rowOf(*m_flat, "C"));
    m_flat->expand(0);
    QCOMPARE(m_flat->rowCount(), 8);

    // Closing A hides A1's rows too, and opening A again shows A1 open as it was.
    m_flat->collapse(0);
    QCOMPARE(lines(*m_flat), QStringList({"+A", "-B", "  B1", "C"}));
    m_flat->toggle(0);
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "-B", "  B1", "C"}));

    // Mapping both ways.
    const int a1b = rowOf(*m_flat, "A1b");
    QCOMPARE(m_flat->mapToSource(a1b, 1).data().toString(), QStringLiteral("y"));
    QCOMPARE(m_flat->mapFromSource(item(m_source, "A1b")->index()), a1b);
    m_flat->collapse(rowOf(*m_flat, "A1"));
    QCOMPARE(m_flat->mapFromSource(item(m_source, "A1b")->index()), -1);
}

void FlatTreeModelTest::insertUnderExpandedAndCollapsedNodes()
{
    m_flat->expand(0);
    m_flat->expand(rowOf(*m_flat, "A1"));
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "+B", "C"}));

    // Between A1 (open, with children) and A2: after A1's subtree.
    item(m_source, "A")->insertRow(1, pair(QStringLiteral("A1.5")));
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A1.5", "  A2", "+B", "C"}));
    // First child of an open node, last child of an open node.
    item(m_source, "A1")->insertRow(0, pair(QStringLiteral("A1first")));
    item(m_source, "A1")->appendRow(pair(QStringLiteral("A1last")));
    QCOMPARE(
        lines(*m_flat),
        QStringList({"-A", "  -A1", "    A1first", "    A1a", "    A1b", "    A1last", "  A1.5", "  A2", "+B", "C"}));
    // Top level, at the front and at the end.
    m_source->insertRow(0, pair(QStringLiteral("Top")));
    m_source->appendRow(pair(QStringLiteral("End")));
    QCOMPARE(lines(*m_flat).first(), QStringLiteral("Top"));
    QCOMPARE(lines(*m_flat).last(), QStringLiteral("End"));

    // Under a closed node nothing shows, until it opens.
    const int rowsBefore = m_flat->rowCount();
    item(m_source, "B")->appendRow(pair(QStringLiteral("B2")));
    QCOMPARE(m_flat->rowCount(), rowsBefore);
    m_flat->expand(rowOf(*m_flat, "B"));
    QCOMPARE(m_flat->rowCount(), rowsBefore + 2);
    QVERIFY(rowOf(*m_flat, "B2") == rowOf(*m_flat, "B1") + 1);

    // A leaf that gets a child reports that it has children now.
    QSignalSpy changed(m_flat, &QAbstractItemModel::dataChanged);
    const int c = rowOf(*m_flat, "C");
    QVERIFY(!m_flat->hasChildren(c));
    item(m_source, "C")->appendRow(pair(QStringLiteral("C1")));
    QVERIFY(m_flat->hasChildren(c));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(changed.last().at(0).toModelIndex().row(), c);
    m_flat->expand(c);
    QCOMPARE(m_flat->text(c + 1, 0), QStringLiteral("C1"));

    // Inside a closed branch (A1 closed under open A): nothing visible changes.
    m_flat->collapse(rowOf(*m_flat, "A1"));
    const QStringList visible = lines(*m_flat);
    item(m_source, "A1a")->appendRow(pair(QStringLiteral("deep")));
    QCOMPARE(lines(*m_flat), visible);
}

void FlatTreeModelTest::removeExpandedBranches()
{
    m_flat->expand(0);
    m_flat->expand(rowOf(*m_flat, "A1"));
    m_flat->expand(rowOf(*m_flat, "B"));
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "-B", "  B1", "C"}));

    // An open node goes with its visible subtree in one removal.
    QSignalSpy removed(m_flat, &QAbstractItemModel::rowsRemoved);
    item(m_source, "A")->removeRow(0);
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  A2", "-B", "  B1", "C"}));
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.first().at(1).toInt(), 1);
    QCOMPARE(removed.first().at(2).toInt(), 3);

    // The last child of an open node: the node closes and shows no children.
    item(m_source, "B")->removeRow(0);
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  A2", "B", "C"}));
    QVERIFY(!m_flat->isExpanded(rowOf(*m_flat, "B")));

    // A top-level open node, and several rows at once.
    m_source->removeRow(0);
    QCOMPARE(lines(*m_flat), QStringList({"B", "C"}));
    m_source->removeRows(0, 2);
    QCOMPARE(m_flat->rowCount(), 0);

    // Rows under a closed node go without a visible change.
    fill(m_source);
    const QStringList visible = lines(*m_flat);
    item(m_source, "A1")->removeRow(0);
    QCOMPARE(lines(*m_flat), visible);
}

void FlatTreeModelTest::dataChangesReachVisibleRowsOnly()
{
    m_flat->expand(0);
    QSignalSpy changed(m_flat, &QAbstractItemModel::dataChanged);

    m_source->itemFromIndex(item(m_source, "A2")->index().siblingAtColumn(1))->setText(QStringLiteral("new"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), rowOf(*m_flat, "A2"));
    QCOMPARE(m_flat->index(rowOf(*m_flat, "A2")).data(FlatTreeModel::CellsRole).toStringList(),
             QStringList({"A2", "new"}));

    // A1a is hidden under closed A1.
    changed.clear();
    item(m_source, "A1a")->setText(QStringLiteral("renamed"));
    QCOMPARE(changed.count(), 0);

    // A top-level row below an open branch.
    item(m_source, "C")->setText(QStringLiteral("C!"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_flat->text(changed.first().at(0).toModelIndex().row(), 0), QStringLiteral("C!"));
}

void FlatTreeModelTest::resetKeepsExpansionOfSameTexts()
{
    m_flat->expand(0);
    m_flat->expand(rowOf(*m_flat, "A1"));
    QSignalSpy reset(m_flat, &QAbstractItemModel::modelReset);

    // The same tree again (fresh items, so every index is new).
    m_source->resetWith([this] { fill(m_source); });
    QCOMPARE(reset.count(), 1);
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  -A1", "    A1a", "    A1b", "  A2", "+B", "C"}));

    // A different tree: what matches stays open, the rest starts closed.
    m_source->resetWith([this] {
        m_source->removeRows(0, m_source->rowCount());
        const QList<QStandardItem *> a = pair(QStringLiteral("A"));
        a.first()->appendRow(pair(QStringLiteral("X")));
        m_source->appendRow(a);
        m_source->appendRow(pair(QStringLiteral("Z")));
    });
    QCOMPARE(lines(*m_flat), QStringList({"-A", "  X", "Z"}));

    // clear() resets to nothing.
    m_source->clear();
    QCOMPARE(m_flat->rowCount(), 0);
    QCOMPARE(m_flat->sourceColumnCount(), 0);
}

void FlatTreeModelTest::layoutChangeKeepsExpansionAndPersistentRows()
{
    m_flat->expand(0);
    m_flat->expand(rowOf(*m_flat, "A1"));
    const QPersistentModelIndex a2(m_flat->index(rowOf(*m_flat, "A2")));
    const QPersistentModelIndex c(m_flat->index(rowOf(*m_flat, "C")));

    QSignalSpy layout(m_flat, SIGNAL(layoutChanged()));
    m_source->sort(0, Qt::DescendingOrder);
    QCOMPARE(layout.count(), 1);
    QCOMPARE(lines(*m_flat), QStringList({"C", "+B", "-A", "  A2", "  -A1", "    A1b", "    A1a"}));
    QCOMPARE(a2.data().toString(), QStringLiteral("A2"));
    QCOMPARE(a2.row(), 3);
    QCOMPARE(c.row(), 0);
}

void FlatTreeModelTest::sourceGoesAway()
{
    m_flat->expand(0);
    delete m_source;
    m_source = nullptr;
    QCOMPARE(m_flat->rowCount(), 0);
    QCOMPARE(m_flat->sourceModel(), nullptr);
}

QTEST_GUILESS_MAIN(FlatTreeModelTest)
#include "tst_flattreemodel.moc"
