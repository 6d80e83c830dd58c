#pragma once

#include <QHash>
#include <QObject>
#include <QScopedPointer>
#include <QString>
#include <QUrl>
#include <QVariantMap>

class QOffscreenSurface;
class QOpenGLContext;

// The checks a document makes before it hands a file that a user named to Qt Quick, which
// would otherwise open it on the GUI thread without a bound: a named pipe blocks it for
// good, /dev/zero reads without end, a picture of 30000 x 30000 pixels takes gigabytes.
// Every local file must be a regular file (or a link that leads to one); shaders are read
// here, up to maxShaderSize bytes; pictures are looked at without being decoded: at most
// maxImageFileSize bytes and, by the size their header states, at most maxImageSide pixels
// each way. Registered as the singleton FileGuard in com.corvane.io 1.0.
//
// A refusal is a text naming the file and the reason ("Cannot read \"/path\": it is not a
// regular file (a pipe, socket or device)"); nothing is logged here, so the document can
// write one warning that also names what asked for the file.
class FileGuard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint64 maxShaderSize READ maxShaderSize CONSTANT)
    Q_PROPERTY(qint64 maxImageFileSize READ maxImageFileSize CONSTANT)
    Q_PROPERTY(int maxImageSide READ maxImageSide CONSTANT)

public:
    static constexpr qint64 kMaxShaderSize = 1024 * 1024;
    static constexpr qint64 kMaxImageFileSize = 64 * 1024 * 1024;
    // The most pixels each way a picture may have, whatever the renderer could take.
    static constexpr int kImageSideCap = 8192;

    explicit FileGuard(QObject *parent = nullptr);
    ~FileGuard() override;

    qint64 maxShaderSize() const { return kMaxShaderSize; }
    qint64 maxImageFileSize() const { return kMaxImageFileSize; }
    // The largest texture side the OpenGL renderer takes, never more than kImageSideCap
    // (kImageSideCap where no OpenGL context can be made). Asked once, on first use.
    static int maxImageSide();

    // Whether a fragmentShader value names a file (a qrc or file URL), which ShaderEffect
    // would read itself, rather than being the shader's text.
    Q_INVOKABLE bool isShaderUrl(const QString &value) const;
    // The text of a shader file: {"text": ..., "error": ""}, or {"text": "", "error": why}.
    Q_INVOKABLE QVariantMap readShader(const QUrl &url) const;
    // "" when a picture may be shown, else why not.
    Q_INVOKABLE QString checkImage(const QUrl &url) const;
    // "" when a media source is not a local file, or a local regular file; else why not.
    Q_INVOKABLE QString checkMedia(const QUrl &url) const;
    // Where a JSON text stops being JSON, "line L, column C: reason"; "" when it parses.
    Q_INVOKABLE QString jsonError(const QString &text) const;
    // The compiler's words on a fragment shader that does not compile in an OpenGL context
    // of the default surface format (the renderer's), or "" when it compiles or there is
    // no OpenGL to try it on. Qt Quick 5.15 reports no compile error of a ShaderEffect
    // itself (its status and log stay the same either way). Answers are kept per text.
    Q_INVOKABLE QString shaderError(const QString &text);

private:
    static QString refusal(const QString &path, const QString &reason);
    bool makeContextCurrent();

    QScopedPointer<QOpenGLContext> m_context;
    QScopedPointer<QOffscreenSurface> m_surface;
    bool m_contextTried = false;
    QHash<QByteArray, QString> m_shaderErrors; // by the text's hash
};
