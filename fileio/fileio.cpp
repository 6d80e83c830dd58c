#include "fileio.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

FileIo::FileIo(QObject *parent)
    : QObject(parent)
{
}

void FileIo::setSource(const QUrl &source)
{
    if (m_source == source)
        return;
    m_source = source;
    emit sourceChanged();
    reload();
}

QString FileIo::localPath(const QUrl &url)
{
    if (url.isEmpty())
        return QString();
    const QString scheme = url.scheme();
    if (scheme == QLatin1String("qrc"))
        return QLatin1Char(':') + url.path();
    if (scheme.isEmpty() || scheme == QLatin1String("file")) {
        // "file:scenes.json" keeps its relative path; QFile resolves it against the
        // working directory, not against the program's or a document's folder.
        return url.isLocalFile() ? url.toLocalFile() : url.path();
    }
    return QString();
}

void FileIo::reload()
{
    if (m_source.isEmpty()) {
        setText(QString());
        setError(QString());
        return;
    }

    const QString path = localPath(m_source);
    if (path.isEmpty()) {
        fail(m_source.toString(), tr("the URL scheme \"%1\" does not name a local file").arg(m_source.scheme()));
        return;
    }

    // Report the absolute path, so a wrong working directory is obvious in the message.
    const QFileInfo info(path);
    const QString shownPath
        = path.startsWith(QLatin1Char(':')) ? path : QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.exists()) {
        fail(shownPath, tr("the file does not exist"));
        return;
    }
    if (info.isDir()) {
        fail(shownPath, tr("it is a directory, not a file"));
        return;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(shownPath, tr("it cannot be opened for reading (%1)").arg(file.errorString()));
        return;
    }
    if (file.size() > maxFileSize) {
        fail(shownPath, tr("it is larger than the limit of %1 bytes (%2 bytes)").arg(maxFileSize).arg(file.size()));
        return;
    }
    // Files under /proc and devices report no size, so the limit is checked again on
    // what is actually read: one byte past it is enough to know the file is too large.
    const QByteArray content = file.read(maxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        fail(shownPath, tr("reading failed (%1)").arg(file.errorString()));
        return;
    }
    if (content.size() > maxFileSize) {
        fail(shownPath, tr("it is larger than the limit of %1 bytes").arg(maxFileSize));
        return;
    }

    // A leading byte order mark is not part of the text (JSON parsers reject it).
    QByteArray utf8 = content;
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8.remove(0, 3);
    setError(QString());
    setText(QString::fromUtf8(utf8));
}

void FileIo::fail(const QString &path, const QString &reason)
{
    setText(QString());
    const QString message = tr("Cannot read \"%1\": %2").arg(path, reason);
    setError(message);
    qWarning().noquote() << "FileIo:" << message;
}

void FileIo::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    emit textChanged();
}

void FileIo::setError(const QString &error)
{
    if (m_error == error)
        return;
    m_error = error;
    emit errorChanged();
}
