#include "fileguard.h"

#include "safefile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSize>

#ifndef QT_NO_OPENGL
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#endif

namespace {

// The renderer's texture limit, from a context current on this thread or else from a
// short-lived one of the default format. 0 when there is no OpenGL to ask.
int rendererTextureLimit()
{
#ifndef QT_NO_OPENGL
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return 0;
    GLint side = 0;
    if (QOpenGLContext *current = QOpenGLContext::currentContext()) {
        current->functions()->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
        return side;
    }
    QOpenGLContext context;
    context.setFormat(QSurfaceFormat::defaultFormat());
    if (!context.create())
        return 0;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return 0;
    context.functions()->glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    context.doneCurrent();
    return side;
#else
    return 0;
#endif
}

// Shaders without a #version line (GLSL 1.10) do not know the precision words that Qt's
// shader compile defines away for desktop OpenGL; from GLSL 1.30 on they are words of the
// language. Line numbers in the compiler's words stay those of the file.
QByteArray withPrecisionWords(const QByteArray &code)
{
    static const QRegularExpression version(QStringLiteral("^[ \\t]*#[ \\t]*version[ \\t]+(\\d+)[^\\n]*\\n?"),
                                            QRegularExpression::MultilineOption);
    static const QString words = QStringLiteral("#define lowp\n#define mediump\n#define highp\n");
    const QString text = QString::fromUtf8(code);
    const QRegularExpressionMatch match = version.match(text);
    if (!match.hasMatch()) // "#line 0": before GLSL 3.30 the line after it is line 1
        return (words + QStringLiteral("#line 0\n") + text).toUtf8();
    if (match.captured(1).toInt() >= 130)
        return code;
    const int end = match.capturedEnd(0);
    const int versionLine
        = text.leftRef(end).count(QLatin1Char('\n')) + (text.leftRef(end).endsWith(QLatin1Char('\n')) ? 0 : 1);
    return (text.left(end) + (text.leftRef(end).endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")) + words
            + QStringLiteral("#line %1\n").arg(versionLine) + text.mid(end))
        .toUtf8();
}

} // namespace

FileGuard::FileGuard(QObject *parent)
    : QObject(parent)
{
}

FileGuard::~FileGuard() = default;

bool FileGuard::makeContextCurrent()
{
#ifndef QT_NO_OPENGL
    if (!m_contextTried) {
        m_contextTried = true;
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
            QScopedPointer<QOpenGLContext> context(new QOpenGLContext);
            context->setFormat(QSurfaceFormat::defaultFormat());
            if (context->create()) {
                QScopedPointer<QOffscreenSurface> surface(new QOffscreenSurface);
                surface->setFormat(context->format());
                surface->create();
                if (surface->isValid()) {
                    m_context.swap(context);
                    m_surface.swap(surface);
                }
            }
        }
    }
    return m_context && m_context->makeCurrent(m_surface.data());
#else
    return false;
#endif
}

QString FileGuard::shaderError(const QString &text)
{
    const QByteArray code = text.toUtf8();
    const QByteArray key = QCryptographicHash::hash(code, QCryptographicHash::Sha1);
    const auto known = m_shaderErrors.constFind(key);
    if (known != m_shaderErrors.constEnd())
        return *known;
    QString error;
#ifndef QT_NO_OPENGL
    // Only the fragment shader is compiled, with the calls Qt Quick's own compile comes down
    // to (QOpenGLShader would also print the source on failure: one warning is enough). A
    // context that was current before is current again after.
    QOpenGLContext *previous = QOpenGLContext::currentContext();
    QSurface *previousSurface = previous ? previous->surface() : nullptr;
    if (makeContextCurrent()) {
        QOpenGLFunctions *gl = m_context->functions();
        const QByteArray source = withPrecisionWords(code);
        const char *data = source.constData();
        const GLint size = GLint(source.size());
        const GLuint shader = gl->glCreateShader(GL_FRAGMENT_SHADER);
        gl->glShaderSource(shader, 1, &data, &size);
        gl->glCompileShader(shader);
        GLint compiled = 0;
        gl->glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (!compiled) {
            GLint length = 0;
            gl->glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
            QByteArray log(qMax(length, 1), '\0');
            gl->glGetShaderInfoLog(shader, log.size(), nullptr, log.data());
            error = QString::fromLocal8Bit(log.constData()).trimmed();
            if (error.isEmpty())
                error = tr("the compiler gave no reason");
        }
        gl->glDeleteShader(shader);
        m_context->doneCurrent();
        if (previous && previousSurface)
            previous->makeCurrent(previousSurface);
    }
#endif
    m_shaderErrors.insert(key, error);
    return error;
}

int FileGuard::maxImageSide()
{
    static const int side = [] {
        const int limit = rendererTextureLimit();
        return limit > 0 ? qMin(limit, kImageSideCap) : kImageSideCap;
    }();
    return side;
}

QString FileGuard::refusal(const QString &path, const QString &reason)
{
    return tr("Cannot read \"%1\": %2").arg(path, reason);
}

bool FileGuard::isShaderUrl(const QString &value) const
{
    // ShaderEffect's own test: a qrc URL or a local file URL is read as a file.
    const QUrl url(value);
    return url.scheme().compare(QLatin1String("qrc"), Qt::CaseInsensitive) == 0 || url.isLocalFile();
}

QVariantMap FileGuard::readShader(const QUrl &url) const
{
    QVariantMap result {{QStringLiteral("text"), QString()}, {QStringLiteral("error"), QString()}};
    const QString path = joyvant::io::localPath(url);
    if (path.isEmpty()) {
        result[QStringLiteral("error")]
            = refusal(url.toString(), tr("the URL scheme \"%1\" does not name a local file").arg(url.scheme()));
        return result;
    }
    QByteArray content;
    QString reason;
    if (!joyvant::io::readRegularFile(path, kMaxShaderSize, &content, &reason)) {
        result[QStringLiteral("error")] = refusal(joyvant::io::shownPath(path), reason);
        return result;
    }
    result[QStringLiteral("text")] = joyvant::io::decodeText(content);
    return result;
}

QString FileGuard::checkImage(const QUrl &url) const
{
    const QString path = joyvant::io::localPath(url);
    if (path.isEmpty())
        return refusal(url.toString(), tr("the URL scheme \"%1\" does not name a local file").arg(url.scheme()));
    const QString shown = joyvant::io::shownPath(path);
    QFile file;
    QString reason;
    if (!joyvant::io::openRegularFile(file, path, &reason))
        return refusal(shown, reason);
    if (file.size() > kMaxImageFileSize)
        return refusal(
            shown, tr("it is larger than the limit of %1 bytes (%2 bytes)").arg(kMaxImageFileSize).arg(file.size()));
    // The header says how large the picture is; nothing is decoded here.
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (!size.isValid()) {
        return refusal(shown,
                       tr("its picture size cannot be read (%1)")
                           .arg(reader.canRead() ? tr("no size in its header") : reader.errorString()));
    }
    const int side = maxImageSide();
    if (size.width() > side || size.height() > side) {
        return refusal(shown,
                       tr("the picture is %1 x %2 pixels, larger than the limit of %3 x %3")
                           .arg(size.width())
                           .arg(size.height())
                           .arg(side));
    }
    return QString();
}

QString FileGuard::checkMedia(const QUrl &url) const
{
    const QString path = joyvant::io::localPath(url);
    if (path.isEmpty())
        return QString(); // streamed by the media back end, not read from a file here
    QFile file;
    QString reason;
    if (!joyvant::io::openRegularFile(file, path, &reason))
        return refusal(joyvant::io::shownPath(path), reason);
    return QString();
}

QString FileGuard::jsonError(const QString &text) const
{
    const QByteArray utf8 = text.toUtf8();
    QJsonParseError error;
    QJsonDocument::fromJson(utf8, &error);
    if (error.error == QJsonParseError::NoError)
        return QString();
    const QString before = QString::fromUtf8(utf8.left(qBound(0, error.offset, utf8.size())));
    const int lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
    return tr("line %1, column %2: %3")
        .arg(before.count(QLatin1Char('\n')) + 1)
        .arg(before.size() - lineStart + 1)
        .arg(error.errorString());
}
