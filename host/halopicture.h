#pragma once

#include <QColor>
#include <QImage>
#include <QObject>
#include <QQuickImageProvider>
#include <QSize>
#include <QUrl>

class QQmlEngine;
class QJSEngine;

namespace joyvant {

// What a halo picture is made of: a picture rasterised at `size`, and around it a soft
// halo of `color` that reaches `radius` pixels out; `spread` (0..1) makes the halo denser
// near the outline. With `border` the result grows by `radius` on every side, so that
// the halo is not cut at the picture's edge.
struct HaloRequest
{
    QUrl source;
    QSize size;
    QColor color = Qt::white;
    int radius = 10;
    double spread = 0.2;
    bool border = true;

    // The image provider's id for this request, and back; parse() gives false for an id
    // that is not one.
    QString id() const;
    static bool parse(const QString &id, HaloRequest *request);
};

// Draws `picture` (any format, premultiplied or not) over its own halo. The result is
// `picture`'s size, grown by `radius` on every side when `border` is set.
QImage drawHalo(const QImage &picture, const QColor &color, int radius, double spread, bool border);

// Rasterises a picture the way Image does with PreserveAspectCrop at `size` (scaled to
// cover, centred, cropped) and draws its halo; a null image with `error` set when the
// picture cannot be read.
QImage makeHaloPicture(const HaloRequest &request, QString *error);

// "image://halo/<id>": the pictures above, made in Qt Quick's image reader thread when
// the Image is asynchronous, cached and shared like every other picture. Glowing
// outlines drawn this way cost one texture each and no off-screen passes.
//
// The provider hands out texture factories that let go of their image once it is
// uploaded (Qt Quick's own would keep a copy in memory beside the texture for as long as
// the picture is shown); one asked for again makes its image again.
class HaloImageProvider : public QQuickImageProvider
{
public:
    HaloImageProvider();
    QQuickTextureFactory *requestTexture(const QString &id, QSize *size, const QSize &requestedSize) override;
};

// The QML face of the provider (`Halo.url(...)`): adds the provider to the engine that
// asks first, so every engine that shows the interface's pictures has it.
class Halo : public QObject
{
    Q_OBJECT

public:
    explicit Halo(QObject *parent = nullptr);

    Q_INVOKABLE QUrl url(const QUrl &source, int width, int height, const QColor &color, int radius, double spread,
                         bool border) const;

    static QObject *create(QQmlEngine *engine, QJSEngine *scriptEngine);
};

void registerHaloTypes();

} // namespace joyvant
