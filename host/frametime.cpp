#include "frametime.h"

#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <atomic>
#include <memory>

namespace joyvant {

namespace {

Q_LOGGING_CATEGORY(frameTime, "joyvant.frametime", QtWarningMsg)

// Counts the visible items below `item` that have a `drawn` property, and those of them
// not drawn yet.
void countPictures(QQuickItem *item, int *pictures, int *pending)
{
    if (!item->isVisible())
        return;
    const QVariant drawn = item->property("drawn");
    if (drawn.isValid()) {
        ++*pictures;
        if (!drawn.toBool())
            ++*pending;
    }
    const QList<QQuickItem *> children = item->childItems();
    for (QQuickItem *child : children)
        countPictures(child, pictures, pending);
}

void reportCompleteFrame(QQuickWindow *window)
{
    struct State
    {
        QMetaObject::Connection animating;
        QMetaObject::Connection syncing;
        QMetaObject::Connection swapped;
        std::atomic<bool> armed {false};
        std::atomic<bool> synchronised {false};
    };
    auto state = std::make_shared<State>();
    // GUI thread, before each frame's synchronisation: once every picture is drawn, the
    // frame about to be synchronised is the complete one.
    state->animating = QObject::connect(window, &QQuickWindow::afterAnimating, window, [window, state] {
        int pictures = 0;
        int pending = 0;
        countPictures(window->contentItem(), &pictures, &pending);
        if (pictures > 0 && pending == 0) {
            QObject::disconnect(state->animating);
            state->armed = true;
            window->update();
        }
    });
    // Render thread: the frame synchronised after that is the one to wait for (a frame
    // already being drawn meanwhile does not count).
    state->syncing = QObject::connect(
        window, &QQuickWindow::beforeSynchronizing, window,
        [state] {
            if (!state->armed.load())
                return;
            QObject::disconnect(state->syncing);
            state->synchronised = true;
        },
        Qt::DirectConnection);
    state->swapped = QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [state] {
            if (!state->synchronised.load())
                return;
            QObject::disconnect(state->swapped);
            qCDebug(frameTime) << "controller view complete";
        },
        Qt::DirectConnection);
}

} // namespace

void reportFirstFrame(QQuickWindow *window)
{
    if (!window || !frameTime().isDebugEnabled())
        return;
    reportCompleteFrame(window);
    // Emitted in the render thread right after the swap; the connection undoes itself
    // there, so later frames pay nothing.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [connection] {
            if (!QObject::disconnect(*connection))
                return;
            qCDebug(frameTime) << "first frame swapped";
        },
        Qt::DirectConnection);
}

void reportFirstFrame(QQmlApplicationEngine *engine)
{
    if (!engine || !frameTime().isDebugEnabled())
        return;
    QObject::connect(engine, &QQmlApplicationEngine::objectCreated, engine,
                     [](QObject *object) { reportFirstFrame(qobject_cast<QQuickWindow *>(object)); });
}

} // namespace joyvant
