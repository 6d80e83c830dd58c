#include "filelog.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace joyvant {

namespace {

// Why the log file cannot take a line, or "" when it took it. Only a regular file, a link
// that leads to one, or nothing (it is created) is written: a pipe would block, a device
// or socket is not a log. Nothing here waits for a reader.
QString appendToLogFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return info.isDir() ? QStringLiteral("it is a directory")
                            : QStringLiteral("it is not a regular file (a pipe, socket or device)");
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    QString problem;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        problem = QStringLiteral("it is not a regular file (a pipe, socket or device)");
    } else {
        const char *data = bytes.constData();
        qint64 left = bytes.size();
        while (left > 0) {
            const ssize_t written = ::write(fd, data, size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                problem
                    = written < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("nothing written");
                break;
            }
            data += written;
            left -= written;
        }
    }
    if (::close(fd) != 0 && problem.isEmpty())
        problem = QString::fromLocal8Bit(std::strerror(errno));
    return problem;
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    return QString();
#endif
}

} // namespace

void fileMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    Q_UNUSED(type)
    Q_UNUSED(context)

    // Created on first use, destroyed at exit. Deliberately not recursive: anything the
    // handler logs itself is routed by Qt to its fallback output, never back in here.
    static QMutex mutex;
    // The file the last line could not be written to: a failure is told once, not per line,
    // until a line is written again or the log moves (the working directory changed).
    static QString failingPath;
    QMutexLocker locker(&mutex);

    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss "));
    // Two single-argument substitutions: a message that contains "%1" stays as it is.
    const QString line = QStringLiteral("%1 %2").arg(QStringLiteral("(%1)").arg(time)).arg(message);

    const QString path = QDir::currentPath() + QStringLiteral("/log/gamepad.log");
    // Raised inside the handler: Qt prints it on its fallback output (stderr), so it
    // neither reaches the file nor waits for the lock held above.
    qDebug() << "Log will be output to file:" << path;

    const QString problem = appendToLogFile(path, (line + QStringLiteral("\r\n")).toLocal8Bit());
    if (problem.isEmpty()) {
        failingPath.clear();
        return;
    }
    // The program goes on; what the file could not take goes to standard error.
    if (failingPath != path) {
        std::fprintf(stderr, "joyvant: cannot write the log file %s (%s); log lines go to standard error\n",
                     QFile::encodeName(QDir::toNativeSeparators(path)).constData(), problem.toLocal8Bit().constData());
        failingPath = path;
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
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
