#include "frametime.h"

#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <memory>

namespace joyvant {

namespace {

Q_LOGGING_CATEGORY(frameTime, "joyvant.frametime", QtWarningMsg)

} // namespace

void reportFirstFrame(QQuickWindow *window)
{
    if (!window || !frameTime().isDebugEnabled())
        return;
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
