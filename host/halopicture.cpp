#include "halopicture.h"

#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QQmlEngine>
#include <QQmlFile>
#include <QQuickWindow>
#include <QUrlQuery>
#include <QtQml>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace joyvant {

namespace {

const QString providerName = QStringLiteral("halo");

// A picture's halo never needs more than this; larger radii are clamped, so that a
// wrong value cannot ask for a huge image.
constexpr int maxRadius = 64;
constexpr int maxSide = 4096;

// Widths of three box blurs that together come close to a Gaussian of `sigma`.
std::array<int, 3> boxWidths(double sigma)
{
    const int passes = 3;
    const double ideal = std::sqrt(12.0 * sigma * sigma / passes + 1.0);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double lowerCount = (12.0 * sigma * sigma - passes * lower * lower - 4.0 * passes * lower - 3.0 * passes)
                              / (-4.0 * lower - 4.0);
    const int m = int(std::lround(lowerCount));
    std::array<int, 3> widths {};
    for (int i = 0; i < passes; ++i)
        widths[size_t(i)] = i < m ? lower : upper;
    return widths;
}

// One box blur of odd `width` along rows (step 1) or columns (step = row length), with
// nothing (0) beyond the edges.
void boxBlur(std::vector<float> &values, std::vector<float> &scratch, int width, int height, int boxWidth,
             bool alongRows)
{
    const int half = boxWidth / 2;
    const float scale = 1.0f / float(boxWidth);
    const int lines = alongRows ? height : width;
    const int length = alongRows ? width : height;
    const int step = alongRows ? 1 : width;
    for (int line = 0; line < lines; ++line) {
        const int start = alongRows ? line * width : line;
        float sum = 0;
        for (int i = 0; i < std::min(half, length); ++i)
            sum += values[size_t(start + i * step)];
        for (int i = 0; i < length; ++i) {
            const int enter = i + half;
            const int leave = i - half - 1;
            if (enter < length)
                sum += values[size_t(start + enter * step)];
            if (leave >= 0)
                sum -= values[size_t(start + leave * step)];
            scratch[size_t(start + i * step)] = sum * scale;
        }
    }
    values.swap(scratch);
}

QString localPath(const QUrl &url)
{
    const QString path = QQmlFile::urlToLocalFileOrQrc(url);
    return path.isEmpty() ? url.toString() : path;
}

} // namespace

QString HaloRequest::id() const
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("w"), QString::number(size.width()));
    query.addQueryItem(QStringLiteral("h"), QString::number(size.height()));
    query.addQueryItem(QStringLiteral("color"), color.name(QColor::HexArgb));
    query.addQueryItem(QStringLiteral("radius"), QString::number(radius));
    query.addQueryItem(QStringLiteral("spread"), QString::number(spread));
    query.addQueryItem(QStringLiteral("border"), border ? QStringLiteral("1") : QStringLiteral("0"));
    query.addQueryItem(QStringLiteral("source"), QString::fromLatin1(QUrl::toPercentEncoding(source.toString())));
    return QStringLiteral("picture?") + query.toString(QUrl::FullyEncoded);
}

bool HaloRequest::parse(const QString &id, HaloRequest *request)
{
    const int question = id.indexOf(QLatin1Char('?'));
    if (question < 0)
        return false;
    const QUrlQuery query(id.mid(question + 1));
    bool widthOk = false;
    bool heightOk = false;
    bool radiusOk = false;
    bool spreadOk = false;
    HaloRequest parsed;
    parsed.size = QSize(query.queryItemValue(QStringLiteral("w")).toInt(&widthOk),
                        query.queryItemValue(QStringLiteral("h")).toInt(&heightOk));
    parsed.color = QColor(query.queryItemValue(QStringLiteral("color"), QUrl::FullyDecoded));
    parsed.radius = query.queryItemValue(QStringLiteral("radius")).toInt(&radiusOk);
    parsed.spread = query.queryItemValue(QStringLiteral("spread")).toDouble(&spreadOk);
    parsed.border = query.queryItemValue(QStringLiteral("border")) != QLatin1String("0");
    parsed.source = QUrl(QUrl::fromPercentEncoding(query.queryItemValue(QStringLiteral("source")).toLatin1()));
    if (!widthOk || !heightOk || !radiusOk || !spreadOk || !parsed.color.isValid() || parsed.source.isEmpty())
        return false;
    if (parsed.size.width() <= 0 || parsed.size.height() <= 0 || parsed.size.width() > maxSide
        || parsed.size.height() > maxSide)
        return false;
    parsed.radius = std::clamp(parsed.radius, 0, maxRadius);
    parsed.spread = std::clamp(parsed.spread, 0.0, 0.95);
    *request = parsed;
    return true;
}

QImage drawHalo(const QImage &picture, const QColor &color, int radius, double spread, bool border)
{
    radius = std::clamp(radius, 0, maxRadius);
    const int margin = border ? radius : 0;
    const int width = picture.width() + 2 * margin;
    const int height = picture.height() + 2 * margin;
    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return result;
    result.fill(Qt::transparent);
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    if (radius > 0) {
        // The halo is the picture's coverage, blurred, made denser by `spread`, in `color`.
        std::vector<float> coverage(size_t(width) * size_t(height), 0.0f);
        for (int y = 0; y < source.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            float *row = coverage.data() + size_t(y + margin) * size_t(width) + size_t(margin);
            for (int x = 0; x < source.width(); ++x)
                row[x] = float(qAlpha(line[x])) / 255.0f;
        }
        std::vector<float> scratch(coverage.size());
        for (const int boxWidth : boxWidths(radius / 3.0)) {
            boxBlur(coverage, scratch, width, height, boxWidth, true);
            boxBlur(coverage, scratch, width, height, boxWidth, false);
        }
        const float gain = float(1.4 / (1.0 - std::clamp(spread, 0.0, 0.95)));
        const float alpha = float(color.alphaF());
        const float red = float(color.redF()) * alpha;
        const float green = float(color.greenF()) * alpha;
        const float blue = float(color.blueF()) * alpha;
        for (int y = 0; y < height; ++y) {
            auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
            const float *row = coverage.data() + size_t(y) * size_t(width);
            for (int x = 0; x < width; ++x) {
                const float halo = std::min(1.0f, row[x] * gain);
                if (halo <= 0.0f)
                    continue;
                line[x] = qRgba(int(std::lround(red * halo * 255.0f)), int(std::lround(green * halo * 255.0f)),
                                int(std::lround(blue * halo * 255.0f)), int(std::lround(alpha * halo * 255.0f)));
            }
        }
    }

    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(margin, margin, source);
    painter.end();
    return result;
}

QImage makeHaloPicture(const HaloRequest &request, QString *error)
{
    QImageReader reader(localPath(request.source));
    const QSize original = reader.size();
    if (original.isValid() && original.width() > 0 && original.height() > 0) {
        // Scaled to cover the wanted size, aspect kept, then cropped at the centre.
        const double scale = std::max(double(request.size.width()) / original.width(),
                                      double(request.size.height()) / original.height());
        const QSize scaled(std::max(1, int(std::lround(original.width() * scale))),
                           std::max(1, int(std::lround(original.height() * scale))));
        if (scaled.width() <= maxSide && scaled.height() <= maxSide)
            reader.setScaledSize(scaled);
    }
    QImage picture = reader.read();
    if (picture.isNull()) {
        if (error)
            *error = reader.errorString();
        return {};
    }
    if (picture.size() != request.size) {
        if (!original.isValid())
            picture = picture.scaled(request.size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        QRect crop(QPoint(0, 0), request.size);
        crop.moveCenter(picture.rect().center());
        picture = picture.copy(crop);
    }
    return drawHalo(picture, request.color, request.radius, request.spread, request.border);
}

namespace {

class HaloTextureFactory : public QQuickTextureFactory
{
public:
    HaloTextureFactory(const HaloRequest &request, const QImage &image)
        : m_request(request)
        , m_image(image)
        , m_size(image.size())
    {
    }

    QSGTexture *createTexture(QQuickWindow *window) const override
    {
        QImage image = takeImage();
        if (image.isNull())
            image = makeHaloPicture(m_request, nullptr);
        return window->createTextureFromImage(image);
    }

    QSize textureSize() const override { return m_size; }
    int textureByteCount() const override { return m_size.width() * m_size.height() * 4; }

    QImage image() const override
    {
        QMutexLocker lock(&m_mutex);
        return m_image.isNull() ? makeHaloPicture(m_request, nullptr) : m_image;
    }

private:
    QImage takeImage() const
    {
        QMutexLocker lock(&m_mutex);
        QImage image = m_image;
        m_image = QImage();
        return image;
    }

    const HaloRequest m_request;
    mutable QMutex m_mutex;
    mutable QImage m_image;
    const QSize m_size;
};

} // namespace

HaloImageProvider::HaloImageProvider()
    : QQuickImageProvider(QQmlImageProviderBase::Texture)
{
}

QQuickTextureFactory *HaloImageProvider::requestTexture(const QString &id, QSize *size, const QSize &requestedSize)
{
    HaloRequest request;
    if (!HaloRequest::parse(id, &request)) {
        qWarning("Halo picture: not a valid request: %s", qPrintable(id));
        return nullptr;
    }
    // A screen with a device pixel ratio asks for more pixels than the item has: the
    // picture and its halo grow alike.
    const int expectedWidth = request.size.width() + (request.border ? 2 * request.radius : 0);
    if (requestedSize.width() > 0 && requestedSize.width() != expectedWidth) {
        const double ratio = double(requestedSize.width()) / expectedWidth;
        if (ratio > 0 && ratio <= 4) {
            request.size = QSize(std::max(1, int(std::lround(request.size.width() * ratio))),
                                 std::max(1, int(std::lround(request.size.height() * ratio))));
            request.radius = int(std::lround(request.radius * ratio));
        }
    }
    QString error;
    const QImage image = makeHaloPicture(request, &error);
    if (image.isNull()) {
        qWarning("Halo picture: cannot read %s: %s", qPrintable(request.source.toString()), qPrintable(error));
        return nullptr;
    }
    if (size)
        *size = image.size();
    return new HaloTextureFactory(request, image);
}

Halo::Halo(QObject *parent)
    : QObject(parent)
{
}

QUrl Halo::url(const QUrl &source, int width, int height, const QColor &color, int radius, double spread,
               bool border) const
{
    if (source.isEmpty() || width <= 0 || height <= 0)
        return {};
    HaloRequest request;
    request.source = source;
    request.size = QSize(width, height);
    request.color = color;
    request.radius = std::clamp(radius, 0, maxRadius);
    request.spread = spread;
    request.border = border;
    return QUrl(QStringLiteral("image://%1/%2").arg(providerName, request.id()));
}

QObject *Halo::create(QQmlEngine *engine, QJSEngine *)
{
    if (engine && !engine->imageProvider(providerName))
        engine->addImageProvider(providerName, new HaloImageProvider);
    return new Halo;
}

void registerHaloTypes()
{
    qmlRegisterSingletonType<Halo>("com.corvane.halo", 1, 0, "Halo", &Halo::create);
}

} // namespace joyvant

static void registerHaloTypesAtStart()
{
    joyvant::registerHaloTypes();
}
Q_COREAPP_STARTUP_FUNCTION(registerHaloTypesAtStart)
