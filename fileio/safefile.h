#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QFile;

// Bounded, checked reading of the files a user names (the scene list, shaders, channel
// pictures): only a regular file, or a link that leads to one, is ever opened, and it is
// opened without waiting, so a named pipe, a socket or a device is refused instead of
// blocking the program or reading without end.
namespace joyvant {
namespace io {

// The local path a URL names: "qrc:/x" is ":/x", "file:name" stays relative (to the working
// directory), "file:///abs" and plain paths are local paths. Empty for other schemes.
QString localPath(const QUrl &url);

// The path as messages show it: absolute, so a wrong working directory is obvious.
QString shownPath(const QString &path);

// Opens `path` for reading when it is, or leads to, a regular file. On failure returns false
// and sets `reason` ("the file does not exist", "it is not a regular file (a pipe, socket or
// device)", ...).
bool openRegularFile(QFile &file, const QString &path, QString *reason);

// Reads the whole of a regular file of at most `limit` bytes. On failure returns false and
// sets `reason`; a file larger than the limit is refused, also one that reports no size.
bool readRegularFile(const QString &path, qint64 limit, QByteArray *content, QString *reason);

// The text of a file's bytes: a byte order mark names the encoding (UTF-8, UTF-16 or
// UTF-32) and is not part of the text; without one the bytes are UTF-8.
QString decodeText(const QByteArray &content);

} // namespace io
} // namespace joyvant
