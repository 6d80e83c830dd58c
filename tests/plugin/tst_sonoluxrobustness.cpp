// Random audio buffers of every shape through the analysis; built with AddressSanitizer
// and UndefinedBehaviorSanitizer, so any read out of range, overflow or division the
// wrong way ends the run with a report.

#include "fft.h"
#include "hammingwindow.h"
#include "messagelog.h"
#include "recordingsurface.h"
#include "sonolux.h"

#include <QAudioBuffer>
#include <QAudioFormat>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

class TestSonoluxRobustness : public QObject
{
    Q_OBJECT

private slots:
    void randomBuffers()
    {
        MessageLog log; // thousands of format and drop lines
        RecordingSurface surface;
        Sonolux item;
        item.setVideoSurface(&surface);

        std::mt19937 random(20240607);
        auto pick = [&random](auto... options) {
            const int values[] = {int(options)...};
            return values[random() % sizeof...(options)];
        };
        const QAudioFormat::SampleType types[]
            = {QAudioFormat::Unknown, QAudioFormat::SignedInt, QAudioFormat::UnSignedInt, QAudioFormat::Float};
        int presented = 0;
        for (int round = 0; round < 4000; ++round) {
            if (round % 61 == 0)
                item.setSource(QUrl(QStringLiteral("file:///nonexistent/robustness-%1.wav").arg(round)));
            if (round % 397 == 0)
                item.setVideoSurface(round % 2 ? nullptr : &surface);
            if (round % 397 == 100)
                item.setVideoSurface(&surface);

            QAudioFormat format;
            format.setSampleRate(pick(8000, 44100, 48000));
            format.setChannelCount(pick(0, 1, 1, 2, 2, 2, 3, 6, 8, -1));
            format.setSampleSize(pick(0, 8, 12, 16, 16, 16, 24, 32, 32, 64));
            format.setSampleType(types[random() % 4]);
            format.setByteOrder(random() % 3 == 0 ? QAudioFormat::BigEndian : QAudioFormat::LittleEndian);
            format.setCodec(random() % 20 == 0 ? QString() : QStringLiteral("audio/pcm"));

            int bytes = 0;
            switch (random() % 5) {
            case 0:
                bytes = int(random() % 8); // empty or less than one frame
                break;
            case 1:
                bytes = int(random() % 20000) | 1; // odd
                break;
            default: bytes = int(random() % 40000); break;
            }
            QByteArray data(bytes, Qt::Uninitialized);
            for (char &c : data)
                c = char(random() & 0xFF);
            if (format.sampleType() == QAudioFormat::Float && format.sampleSize() == 32 && bytes >= 8) {
                const float special[]
                    = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()};
                std::memcpy(data.data(), special, sizeof special);
            }

            const QAudioBuffer buffer(data, format);
            const int before = surface.frames.size();
            QVERIFY(QMetaObject::invokeMethod(&item, "processAudioBuffer", Qt::DirectConnection,
                                              Q_ARG(QAudioBuffer, buffer)));
            if (surface.frames.size() > before) {
                ++presented;
                const QImage frame = surface.frames.last();
                QCOMPARE(frame.size(), QSize(512, 4));
                for (int y = 0; y < 4; ++y) {
                    for (int x = 0; x < 512; ++x) {
                        const QRgb pixel = frame.pixel(x, y);
                        QVERIFY(qAlpha(pixel) == 255 && qGreen(pixel) == 0 && qBlue(pixel) == 0);
                        QVERIFY(y < 2 || qRed(pixel) <= 128);
                    }
                }
                surface.frames.clear();
            }
        }
        // Most rounds are usable buffers, so most of them must have made a frame.
        QVERIFY2(presented > 800, qPrintable(QString::number(presented)));
    }

    void randomTransforms()
    {
        std::mt19937 random(7);
        Fft fft(883);
        for (int round = 0; round < 3000; ++round) {
            std::vector<double> samples(size_t(random() % 3000));
            for (double &s : samples)
                s = double(random() % 1000) / 1000.0 - 0.5;
            const int bins = int(random() % 4000) - 10;
            applyHammingWindow(samples, int(random() % 4000) - 10);
            const std::vector<Fft::Complex> &out = fft.transform(samples, bins);
            QCOMPARE(int(out.size()), std::max(bins, 0));
            if (!out.empty() && !samples.empty()) {
                QVERIFY(std::isfinite(out.back().real()) && std::isfinite(out.back().imag()));
            }
        }
        QVERIFY(fft.cachedPlanCount() <= Fft::maxCachedPlans);
    }
};

QTEST_MAIN(TestSonoluxRobustness)

#include "tst_sonoluxrobustness.moc"
