#include "safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace joyvant {
namespace io {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FileIo", text);
}

QString notRegular()
{
    return tr("it is not a regular file (a pipe, socket or device)");
}

} // namespace

QString localPath(const QUrl &url)
{
    if (url.isEmpty())
        return QString();
    const QString scheme = url.scheme();
    if (scheme.compare(QLatin1String("qrc"), Qt::CaseInsensitive) == 0)
        return QLatin1Char(':') + url.path();
    if (scheme.isEmpty() || scheme.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0) {
        // "file:scenes.json" keeps its relative path; QFile resolves it against the
        // working directory, not against the program's or a document's folder.
        return url.isLocalFile() ? url.toLocalFile() : url.path();
    }
    return QString();
}

QString shownPath(const QString &path)
{
    if (path.startsWith(QLatin1Char(':')))
        return path;
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool openRegularFile(QFile &file, const QString &path, QString *reason)
{
    // Asking for the kind of file never opens it, so a pipe cannot block here.
    const QFileInfo info(path);
    if (!info.exists()) {
        const bool dangling = !path.startsWith(QLatin1Char(':')) && !QFileInfo(path).symLinkTarget().isEmpty();
        *reason = dangling ? tr("it is a link that leads to nothing") : tr("the file does not exist");
        return false;
    }
    if (info.isDir()) {
        *reason = tr("it is a directory, not a file");
        return false;
    }
    if (!info.isFile()) {
        *reason = notRegular();
        return false;
    }
#ifdef Q_OS_UNIX
    if (!path.startsWith(QLatin1Char(':'))) {
        // The file may have been swapped for a pipe since it was looked at: open without
        // waiting for a writer and look at what was really opened.
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            *reason = tr("it cannot be opened for reading (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        struct stat status;
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            *reason = notRegular();
            return false;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            *reason = tr("it cannot be opened for reading (%1)").arg(file.errorString());
            return false;
        }
        return true;
    }
#endif
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = tr("it cannot be opened for reading (%1)").arg(file.errorString());
        return false;
    }
    return true;
}

bool readRegularFile(const QString &path, qint64 limit, QByteArray *content, QString *reason)
{
    QFile file;
    if (!openRegularFile(file, path, reason))
        return false;
    if (file.size() > limit) {
        *reason = tr("it is larger than the limit of %1 bytes (%2 bytes)").arg(limit).arg(file.size());
        return false;
    }
    // Some files (under /proc, say) report no size, and a file may grow while it is read:
    // the limit is checked again on what is actually read, and one byte past it is enough
    // to know the file is too large.
    const qint64 size = file.size();
    *content = file.read(size > 0 ? qMin(size, limit) + 1 : limit + 1);
    if (content->size() > size && content->size() <= limit && file.error() == QFileDevice::NoError)
        content->append(file.read(limit + 1 - content->size())); // it grew while being read
    if (file.error() != QFileDevice::NoError) {
        *reason = tr("reading failed (%1)").arg(file.errorString());
        content->clear();
        return false;
    }
    if (content->size() > limit) {
        *reason = tr("it is larger than the limit of %1 bytes").arg(limit);
        content->clear();
        return false;
    }
    return true;
}

} // namespace io
} // namespace joyvant
