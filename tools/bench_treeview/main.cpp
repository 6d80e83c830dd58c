// bench_treeview: what the TreeView of com.corvane.treeview costs as its model grows.
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/bench_treeview [--import-path DIR] [--repeats N]
//
// Toggle: 1000 parents with 99 children each (two columns), every parent open, so the
// view holds 100,000 rows; then row 0 is closed and opened again, each toggle followed
// by one frame (polish, sync, render) of the 800 x 600 window. Reported beside the same
// frame with nothing changed, as a ratio.
//
// Append: top-level rows appended one by one to an empty model the view shows, then one
// frame; reported beside the same appends to a model that no view shows, as a ratio.
//
// --import-path names the folder that holds com/corvane/treeview (default: the build's
// own), so the same tool can time another build of the module.

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStandardItemModel>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

double millisecondsOf(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

QList<QStandardItem *> line(const QString &name, const QString &value)
{
    return {new QStandardItem(name), new QStandardItem(value)};
}

class Bench
{
public:
    explicit Bench(const QString &importPath)
    {
        m_engine.addImportPath(importPath);
        m_window.resize(800, 600);
        m_window.show();
        while (!m_window.isExposed())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    }

    // A fresh view of `model` in the window; false when the module cannot be loaded.
    bool show(QAbstractItemModel *model)
    {
        m_view.reset();
        QQmlComponent component(&m_engine);
        component.setData("import QtQuick 2.15\nimport com.corvane.treeview 1.0\n"
                          "TreeView { width: 800; height: 600; clip: true; focus: true;\n"
                          "    navigationMode: TreeView.Table; styleHints.indent: 18; styleHints.columnPadding: 20 }\n",
                          QUrl());
        m_view.reset(qobject_cast<QQuickItem *>(component.create()));
        if (!m_view) {
            std::fprintf(stderr, "bench_treeview: %s\n", qPrintable(component.errorString()));
            return false;
        }
        m_view->setParentItem(m_window.contentItem());
        m_view->setProperty("model", QVariant::fromValue<QObject *>(model));
        frame();
        return true;
    }

    void invoke(const char *method, int row)
    {
        QMetaObject::invokeMethod(m_view.get(), method, Q_ARG(int, row));
    }

    int rowCount() const { return m_view->property("rowCount").toInt(); }

    // One whole frame: polish, sync, render and swap.
    void frame()
    {
        QEventLoop loop;
        QObject::connect(&m_window, &QQuickWindow::frameSwapped, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        QTimer::singleShot(10000, &loop, [&loop] {
            std::fprintf(stderr, "bench_treeview: no frame within 10 s\n");
            loop.quit();
        });
        m_window.update();
        loop.exec();
    }

    void clear() { m_view.reset(); }

private:
    QQmlEngine m_engine;
    QQuickWindow m_window;
    std::unique_ptr<QQuickItem> m_view;
};

void fillParents(QStandardItemModel *model, int parents, int children)
{
    for (int p = 0; p < parents; ++p) {
        QList<QStandardItem *> parent = line(QStringLiteral("Parent %1").arg(p), QStringLiteral("value %1").arg(p));
        for (int c = 0; c < children; ++c)
            parent.first()->appendRow(line(QStringLiteral("Child %1.%2").arg(p).arg(c), QStringLiteral("%1").arg(c * 7)));
        model->appendRow(parent);
    }
}

void appendRows(QStandardItemModel *model, int count)
{
    for (int row = 0; row < count; ++row)
        model->appendRow(line(QStringLiteral("Row %1").arg(row), QStringLiteral("value %1").arg(row)));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times TreeView toggles and appends at 100,000 rows."));
    parser.addHelpOption();
    const QCommandLineOption importOption(QStringLiteral("import-path"),
                                          QStringLiteral("Folder that holds com/corvane/treeview."),
                                          QStringLiteral("dir"), QStringLiteral(JOYVANT_BIN_DIR));
    const QCommandLineOption repeatsOption(QStringLiteral("repeats"), QStringLiteral("Toggles timed."),
                                           QStringLiteral("n"), QStringLiteral("20"));
    const QCommandLineOption appendOption(QStringLiteral("append"),
                                          QStringLiteral("Comma-separated row counts for the append test."),
                                          QStringLiteral("counts"), QStringLiteral("1000,4000,25000,100000"));
    parser.addOption(importOption);
    parser.addOption(repeatsOption);
    parser.addOption(appendOption);
    parser.process(app);
    const int repeats = std::max(2, parser.value(repeatsOption).toInt());

    Bench bench(parser.value(importOption));

    // Toggle at 100,000 rows.
    {
        QStandardItemModel model;
        model.setColumnCount(2);
        fillParents(&model, 1000, 99);
        if (!bench.show(&model))
            return 1;
        for (int parent = 999; parent >= 0; --parent)
            bench.invoke("expand", parent);
        bench.frame();
        std::vector<double> toggles, idle;
        for (int i = 0; i < repeats; ++i) {
            toggles.push_back(millisecondsOf([&] {
                bench.invoke("toggle", 0);
                bench.frame();
            }));
            idle.push_back(millisecondsOf([&] { bench.frame(); }));
        }
        const double toggle = medianOf(toggles), floor = medianOf(idle);
        std::printf("toggle row 0 at %d rows (1000 x 99 + parents), median of %d: %.2f ms; "
                    "frame without change %.2f ms; ratio %.2f\n",
                    bench.rowCount(), repeats, toggle, floor, toggle / floor);
        bench.clear();
    }

    // Appends, one row at a time.
    for (const QString &text : parser.value(appendOption).split(QLatin1Char(','))) {
        const int count = text.toInt();
        if (count <= 0)
            continue;
        QStandardItemModel bare;
        bare.setColumnCount(2);
        const double alone = millisecondsOf([&] { appendRows(&bare, count); });

        QStandardItemModel model;
        model.setColumnCount(2);
        if (!bench.show(&model))
            return 1;
        const double shown = millisecondsOf([&] {
            appendRows(&model, count);
            bench.frame();
        });
        if (bench.rowCount() != count)
            std::fprintf(stderr, "bench_treeview: the view shows %d of %d rows\n", bench.rowCount(), count);
        std::printf("append %d rows one by one: %.1f ms with the view (%.2f us per row); "
                    "model alone %.1f ms; ratio %.2f\n",
                    count, shown, shown * 1000.0 / count, alone, shown / alone);
        bench.clear();
    }
    return 0;
}
