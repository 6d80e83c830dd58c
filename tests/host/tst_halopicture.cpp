// The glowing outlines' pictures: the halo's shape and colour, the request's encoding,
// and real pictures of the bundle read through the same path the interface uses.
#include "halopicture.h"

#include <QPainter>
#include <QtTest>

using namespace joyvant;

namespace {

// A 20 x 20 picture, transparent but for a white 4 x 4 square in its middle.
QImage square()
{
    QImage picture(20, 20, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.fillRect(QRect(8, 8, 4, 4), Qt::white);
    return picture;
}

} // namespace

class TestHaloPicture : public QObject
{
    Q_OBJECT

private slots:
    void halo_data()
    {
        QTest::addColumn<int>("radius");
        QTest::addColumn<bool>("border");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QSize>("size");

        QTest::newRow("red halo, grown by its radius") << 6 << true << QColor(Qt::red) << QSize(32, 32);
        QTest::newRow("cut at the picture's edges") << 6 << false << QColor(Qt::red) << QSize(20, 20);
        QTest::newRow("half-transparent teal") << 4 << true << QColor(0, 128, 128, 128) << QSize(28, 28);
        QTest::newRow("no radius, no halo") << 0 << true << QColor(Qt::red) << QSize(20, 20);
    }

    void halo()
    {
        QFETCH(int, radius);
        QFETCH(bool, border);
        QFETCH(QColor, color);
        QFETCH(QSize, size);

        const QImage result = drawHalo(square(), color, radius, 0.2, border);
        QCOMPARE(result.size(), size);
        const int margin = border ? radius : 0;
        const int middle = 10 + margin;
        // The picture itself lies on top, as it was.
        QCOMPARE(result.pixel(middle, middle), qRgba(255, 255, 255, 255));

        // Outside the square the halo fades with distance, in the halo's colour.
        const QRgb near = result.pixel(middle + 3, middle);
        const QRgb farther = result.pixel(middle + 5, middle);
        if (radius == 0) {
            QCOMPARE(qAlpha(near), 0);
            return;
        }
        QVERIFY2(qAlpha(near) > qAlpha(farther),
                 qPrintable(QStringLiteral("%1 then %2").arg(qAlpha(near)).arg(qAlpha(farther))));
        QVERIFY(qAlpha(near) > 0);
        QVERIFY(qAlpha(near) <= color.alpha());
        // Premultiplied: each channel is the colour's, scaled by the coverage.
        const double coverage = qAlpha(near) / double(color.alpha());
        QVERIFY(qAbs(qRed(near) - color.red() * color.alphaF() * coverage) <= 2);
        QVERIFY(qAbs(qGreen(near) - color.green() * color.alphaF() * coverage) <= 2);
        QVERIFY(qAbs(qBlue(near) - color.blue() * color.alphaF() * coverage) <= 2);
        // Nothing reaches the corners.
        QCOMPARE(qAlpha(result.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(result.pixel(size.width() - 1, size.height() - 1)), 0);
    }

    // A denser spread gives a stronger halo at the same place.
    void spreadStrengthens()
    {
        const QImage thin = drawHalo(square(), Qt::white, 6, 0.0, true);
        const QImage dense = drawHalo(square(), Qt::white, 6, 0.6, true);
        QVERIFY(qAlpha(dense.pixel(10 + 6 + 4, 16)) > qAlpha(thin.pixel(10 + 6 + 4, 16)));
    }

    void requests_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("radius");

        HaloRequest request;
        request.source = QUrl(QStringLiteral("qrc:/images/a b&c?.svg"));
        request.size = QSize(45, 45);
        request.color = QColor(255, 136, 0, 200);
        request.radius = 10;
        QTest::newRow("round trip, odd characters in the source") << request.id() << true << 10;
        request.radius = 1000;
        QTest::newRow("radius clamped") << request.id() << true << 64;
        request.radius = 10;
        request.size = QSize(0, 45);
        QTest::newRow("no width") << request.id() << false << 0;
        request.size = QSize(45, 50000);
        QTest::newRow("too tall") << request.id() << false << 0;
        QTest::newRow("not a request") << QStringLiteral("picture") << false << 0;
        QTest::newRow("colour unreadable")
            << QStringLiteral("picture?w=4&h=4&color=nope&radius=2&spread=0.2&border=1&source=qrc%3A%2Fa.svg") << false
            << 0;
        QTest::newRow("no source") << QStringLiteral("picture?w=4&h=4&color=%23ffffff&radius=2&spread=0.2&border=1")
                                   << false << 0;
    }

    void requests()
    {
        QFETCH(QString, id);
        QFETCH(bool, valid);
        QFETCH(int, radius);

        HaloRequest parsed;
        QCOMPARE(HaloRequest::parse(id, &parsed), valid);
        if (!valid)
            return;
        QCOMPARE(parsed.source, QUrl(QStringLiteral("qrc:/images/a b&c?.svg")));
        QCOMPARE(parsed.size, QSize(45, 45));
        QCOMPARE(parsed.color, QColor(255, 136, 0, 200));
        QCOMPARE(parsed.radius, radius);
        QVERIFY(parsed.border);
    }

    // Real pictures of the bundle, rasterised to cover the size asked for.
    void bundlePictures_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("readable");

        QTest::newRow("ring at its own size") << QStringLiteral("qrc:/images/Icon_ellipse.svg") << QSize(45, 45) << true;
        QTest::newRow("ring squeezed: covers and crops") << QStringLiteral("qrc:/images/Icon_ellipse.svg") << QSize(60, 30)
                                                        << true;
        QTest::newRow("missing picture") << QStringLiteral("qrc:/images/no-such-picture.svg") << QSize(45, 45) << false;
    }

    void bundlePictures()
    {
        QFETCH(QString, source);
        QFETCH(QSize, size);
        QFETCH(bool, readable);

        HaloRequest request;
        request.source = QUrl(source);
        request.size = size;
        request.radius = 10;
        QString error;
        const QImage image = makeHaloPicture(request, &error);
        QCOMPARE(!image.isNull(), readable);
        if (!readable) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(image.size(), size + QSize(20, 20));
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
        QVERIFY2(opaque > 20, "the outline is drawn");
    }
};

QTEST_MAIN(TestHaloPicture)
#include "tst_halopicture.moc"
