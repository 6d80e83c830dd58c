#include "filelog.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QTextStream>

namespace joyvant {

void fileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type)
    Q_UNUSED(context)

    // Created on first use, destroyed at exit. Deliberately not recursive: anything the
    // handler logs itself is routed by Qt to its fallback output, never back in here.
    static QMutex mutex;
    QMutexLocker locker(&mutex);

    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss "));
    // Two single-argument substitutions: a message that contains "%1" stays as it is.
    const QString line = QStringLiteral("%1 %2").arg(QStringLiteral("(%1)").arg(time)).arg(message);

    QFile file(QDir::currentPath() + QStringLiteral("/log/gamepad.log"));
    // Raised inside the handler: Qt prints it on its fallback output (stderr), so it
    // neither reaches the file nor waits for the lock held above.
    qDebug() << "Log will be output to file:" << file.fileName();

    file.open(QIODevice::WriteOnly | QIODevice::Append);
    QTextStream stream(&file);
    stream << line << "\r\n";
    stream.flush();
    file.close();
}

QString createPath(const QString &path)
{
    if (path.isEmpty()) // the root above a leading '/'
        return path;
    if (QDir(path).exists(path))
        return path;

    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        // A bare relative name: create it in the working directory, no recursion.
        QDir().mkpath(path);
        return path;
    }

    const QString parent = createPath(path.left(slash));
    const QString last = path.mid(slash + 1);
    if (!last.isEmpty())
        QDir(parent.isEmpty() ? QStringLiteral("/") : parent).mkpath(last);
    return parent + QLatin1Char('/') + last;
}

} // namespace joyvant
