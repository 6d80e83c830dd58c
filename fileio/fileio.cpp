#include "fileio.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>

namespace {

// The text of a file's bytes. A byte order mark names the encoding (UTF-8, UTF-16 or
// UTF-32, as editors write it for "Unicode") and is not part of the text; without
// one the bytes are UTF-8. Every byte counts, NUL bytes included.
QString decodeText(const QByteArray &content)
{
    struct Mark
    {
        const char *bytes;
        int size;
        const char *codec;
    };
    // UTF-32 LE first: its mark begins with the UTF-16 LE one.
    static const Mark marks[] = {
        {"\xFF\xFE\x00\x00", 4, "UTF-32LE"},
        {"\x00\x00\xFE\xFF", 4, "UTF-32BE"},
        {"\xFF\xFE", 2, "UTF-16LE"},
        {"\xFE\xFF", 2, "UTF-16BE"},
    };
    for (const Mark &mark : marks) {
        if (content.size() >= mark.size && std::equal(mark.bytes, mark.bytes + mark.size, content.constData())) {
            if (QTextCodec *codec = QTextCodec::codecForName(mark.codec))
                return codec->toUnicode(content.constData() + mark.size, content.size() - mark.size);
        }
    }
    const int skip = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    return QString::fromUtf8(content.constData() + skip, content.size() - skip);
}

} // namespace

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
    // A named pipe, socket or device would block the opening thread or never end;
    // only regular files are read.
    if (!info.isFile()) {
        fail(shownPath, tr("it is not a regular file (a pipe, socket or device)"));
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
    // Files under /proc report no size, so the limit is checked again on
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
    setError(QString());
    setText(decodeText(content));
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
