#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Reads a whole text file into `text` as soon as `source` is set, so the text is
// complete by the time the surrounding QML documents finish loading. The file is
// UTF-8 unless a byte order mark says UTF-16 or UTF-32; every byte is kept, NUL
// bytes included.
//
// "file:name.json" (a file URL with a relative path) names a file relative to the
// process's working directory; "file:///abs/path", "qrc:/path" and plain local paths
// work as well. A file that is missing, unreadable, not a regular file (a named pipe,
// socket or device, refused before it is opened) or larger than maxFileSize leaves
// `text` empty, describes the path and the reason in `error` and writes one warning
// line.
class FileIo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QString text READ text NOTIFY textChanged)
    Q_PROPERTY(QString error READ error NOTIFY errorChanged)

public:
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

    explicit FileIo(QObject *parent = nullptr);

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);

    QString text() const { return m_text; }
    QString error() const { return m_error; }

    // The local path a source URL names ("qrc:/x" maps to ":/x"); empty when the
    // URL cannot name a readable file.
    static QString localPath(const QUrl &url);

public slots:
    // Reads the current source again, for files that changed on disk.
    void reload();

signals:
    void sourceChanged();
    void textChanged();
    void errorChanged();

private:
    void setText(const QString &text);
    void setError(const QString &error);
    void fail(const QString &path, const QString &reason);

    QUrl m_source;
    QString m_text;
    QString m_error;
};
