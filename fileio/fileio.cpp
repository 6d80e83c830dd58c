#include "fileio.h"
#include "safefile.h"

#include <QDebug>
#include <QTextCodec>

#include <algorithm>

namespace joyvant {
namespace io {

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

} // namespace io
} // namespace joyvant

using joyvant::io::decodeText;

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
    return joyvant::io::localPath(url);
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

    // A named pipe, socket or device would block the opening thread or never end: only
    // regular files (or links that lead to one) are read, opened without waiting, up to
    // the limit.
    QByteArray content;
    QString reason;
    if (!joyvant::io::readRegularFile(path, maxFileSize, &content, &reason)) {
        fail(joyvant::io::shownPath(path), reason);
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
