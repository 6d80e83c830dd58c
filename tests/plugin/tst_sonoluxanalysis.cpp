// The spectrum analysis of the Sonolux item, driven with crafted audio buffers and a
// surface that records everything the item does with it.

#include "analysisreference.h"
#include "fft.h"
#include "hammingwindow.h"
#include "messagelog.h"
#include "recordingsurface.h"
#include "sonolux.h"
#include "spectrumscale.h"

#include <QMediaPlayer>
#include <QScopedPointer>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

const QString sampleLine = QStringLiteral(">>>>>>>>>>>>>>>>>>sample:");

int redAt(const QImage &image, int x, int y)
{
    return qRed(image.pixel(x, y));
}

// Rows 2 and 3 must match to the bit, rows 0 and 1 within `tolerance` red levels; every
// pixel is opaque and red only.
bool sameFrame(const QImage &actual, const QImage &expected, int tolerance, QString *why)
{
    if (actual.size() != QSize(512, 4) || actual.format() != QImage::Format_ARGB32) {
        *why = QStringLiteral("frame is %1x%2, format %3")
                   .arg(actual.width())
                   .arg(actual.height())
                   .arg(int(actual.format()));
        return false;
    }
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 512; ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            const int allowed = y < 2 ? tolerance : 0;
            if (qAlpha(a) != 255 || qGreen(a) != 0 || qBlue(a) != 0 || std::abs(qRed(a) - qRed(e)) > allowed) {
                *why = QStringLiteral("pixel (%1, %2) is %3, expected %4")
                           .arg(x)
                           .arg(y)
                           .arg(a, 8, 16, QLatin1Char('0'))
                           .arg(e, 8, 16, QLatin1Char('0'));
                return false;
            }
        }
    }
    return true;
}

#define COMPARE_FRAME(actual, expected, tolerance)                                                                     \
    do {                                                                                                               \
        QString why;                                                                                                   \
        QVERIFY2(sameFrame(actual, expected, tolerance, &why), qPrintable(why));                                       \
    } while (false)

std::vector<quint16> randomWords(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> word(0, 65535);
    std::vector<quint16> words(count);
    for (quint16 &w : words)
        w = quint16(word(random));
    return words;
}

std::vector<double> unsignedValues(const std::vector<quint16> &words, size_t count)
{
    std::vector<double> values;
    for (size_t i = 0; i < count && i < words.size(); ++i)
        values.push_back(reference::unsigned16(words[i]));
    return values;
}

// Stereo float buffer: a cosine exactly on bin `bin` of `frames`-long channels in the
// left channel, on the scale of the frame with amplitude `amplitude`; the right silent.
std::vector<float> leftTone(int frames, int bin, double amplitude)
{
    std::vector<float> samples(size_t(frames) * 2, 0.0f);
    for (int j = 0; j < frames; ++j)
        samples[size_t(2 * j)] = float(2.0 * amplitude * std::cos(reference::twoPi * bin * j / frames));
    return samples;
}

std::vector<double> floatValues(const std::vector<float> &samples)
{
    std::vector<double> values;
    for (float f : samples)
        values.push_back(reference::floating(double(f)));
    return values;
}

} // namespace

class TestSonoluxAnalysis : public QObject
{
    Q_OBJECT

private:
    // One item with a recording surface attached, the usual set-up of these tests.
    struct Rig
    {
        RecordingSurface surface;
        Sonolux item;
        Rig() { item.setVideoSurface(&surface); }
        bool feed(const QAudioBuffer &buffer)
        {
            return QMetaObject::invokeMethod(&item, "processAudioBuffer", Qt::DirectConnection,
                                             Q_ARG(QAudioBuffer, buffer));
        }
        QImage last() const { return surface.frames.isEmpty() ? QImage() : surface.frames.last(); }
    };

private slots:
    void firstBufferRecordsFormatAndStartsSurface()
    {
        MessageLog log;
        Rig rig;
        const auto words = randomWords(4096, 1);
        QVERIFY(rig.feed(reference::buffer(words, reference::pcmFormat(2, 16, QAudioFormat::UnSignedInt))));

        QCOMPARE(log.matching(sampleLine),
                 QStringList {">>>>>>>>>>>>>>>>>>sample: 4096 ,frameCount: 2048 ,channels: 2"});
        QCOMPARE(rig.surface.events, (QStringList {"start", "present"}));
        const QVideoSurfaceFormat format = rig.surface.formats.first();
        QCOMPARE(format.frameSize(), QSize(512, 4));
        QCOMPARE(format.pixelFormat(), QVideoFrame::Format_ARGB32);
        QCOMPARE(format.handleType(), QAbstractVideoBuffer::NoHandle);
        QCOMPARE(rig.surface.frameStartTimes.first(), qint64(-1));
        COMPARE_FRAME(rig.last(), reference::frame(unsignedValues(words, 4096), 2, 4096, 2048), 1);

        // Later buffers of the same source: one frame each, no restart, no new line.
        const auto more = randomWords(4096, 2);
        QVERIFY(rig.feed(reference::buffer(more, reference::pcmFormat(2, 16, QAudioFormat::UnSignedInt))));
        QVERIFY(rig.feed(reference::buffer(more, reference::pcmFormat(2, 16, QAudioFormat::UnSignedInt))));
        QCOMPARE(rig.surface.events, (QStringList {"start", "present", "present", "present"}));
        QCOMPARE(log.matching(sampleLine).size(), 1);
        COMPARE_FRAME(rig.last(), reference::frame(unsignedValues(more, 4096), 2, 4096, 2048), 1);
    }

    void unsignedWaveformRows()
    {
        // 1024 stereo frames: column c takes frames 2c and 2c + 1, so samples 4c + 2
        // (row 2) and 4c + 3 (row 3) are the ones that show.
        const quint16 words[] = {0, 65535, 16384, 49151, 32767, 32768};
        const int reds[] = {128, 128, 64, 64, 0, 0};
        auto samples = randomWords(2048, 3);
        for (int c = 0; c < 512; ++c) {
            samples[size_t(4 * c + 2)] = words[c % 6];
            samples[size_t(4 * c + 3)] = words[(c + 3) % 6];
        }
        Rig rig;
        QVERIFY(rig.feed(reference::buffer(samples, reference::pcmFormat(2, 16, QAudioFormat::UnSignedInt))));
        const QImage frame = rig.last();
        for (int c = 0; c < 512; ++c) {
            QCOMPARE(redAt(frame, c, 2), reds[c % 6]);
            QCOMPARE(redAt(frame, c, 3), reds[(c + 3) % 6]);
            QCOMPARE(frame.pixel(c, 2), qRgba(reds[c % 6], 0, 0, 255));
        }
        COMPARE_FRAME(frame, reference::frame(unsignedValues(samples, 2048), 2, 2048, 1024), 1);
    }

    void columnsOfBinsAndSamples()
    {
        Rig rig;
        const QAudioFormat format = reference::pcmFormat(2, 32, QAudioFormat::Float);
        // 2048 frames, 1024 bins: bins 300 and 301 share column 150, the later one shows.
        // A cosine on bin 301 whose normalised magnitude is 0.01: brightness 0.8, red 204.
        const auto on301 = leftTone(2048, 301, 0.01 / 0.54);
        QVERIFY(rig.feed(reference::buffer(on301, format)));
        QImage frame = rig.last();
        for (int x = 0; x < 512; ++x) {
            QCOMPARE(redAt(frame, x, 0), x == 150 ? 204 : 0);
            QCOMPARE(frame.pixel(x, 1), 0xFF000000u);
        }
        COMPARE_FRAME(frame, reference::frame(floatValues(on301), 2, 4096, 2048), 1);

        // On bin 299 the peak moves to column 149; bin 300 still carries leakage but is
        // covered by the empty bin 301.
        const auto on299 = leftTone(2048, 299, 1e-4 / 0.54);
        QVERIFY(rig.feed(reference::buffer(on299, format)));
        frame = rig.last();
        QCOMPARE(redAt(frame, 149, 0), 153); // 1e-4: brightness 0.6
        QCOMPARE(redAt(frame, 150, 0), 0);
        COMPARE_FRAME(frame, reference::frame(floatValues(on299), 2, 4096, 2048), 1);

        // A later, shorter buffer: sample 1001 (frame 500, odd: row 3) is the last one
        // it holds and lands in column 125; nothing is drawn past it.
        std::vector<float> shortBuffer(1002, 0.0f);
        shortBuffer[1001] = 0.5f; // 0.25 on the frame's scale: red 64
        QVERIFY(rig.feed(reference::buffer(shortBuffer, format)));
        frame = rig.last();
        QCOMPARE(redAt(frame, 125, 3), 64);
        QCOMPARE(redAt(frame, 125, 2), 0);
        for (int x = 126; x < 512; ++x) {
            QCOMPARE(frame.pixel(x, 2), 0xFF000000u);
            QCOMPARE(frame.pixel(x, 3), 0xFF000000u);
        }
        COMPARE_FRAME(frame, reference::frame(floatValues(shortBuffer), 2, 4096, 2048), 1);
        QCOMPARE(rig.surface.count("start"), 1);
    }

    void brightnessScale()
    {
        const int bins = 1024;
        QCOMPARE(spectrumRed(1.0 * bins, 0.0, bins), 255);
        QCOMPARE(spectrumRed(3.0 * bins, 0.0, bins), 255);
        QCOMPARE(spectrumRed(0.01 * bins, 0.0, bins), 204);
        QCOMPARE(spectrumRed(0.0, -0.01 * bins, bins), 204);
        QCOMPARE(spectrumRed(1e-5 * bins, 0.0, bins), 128); // 127.5 rounds up
        QCOMPARE(spectrumRed(1e-10 * bins, 0.0, bins), 0);
        QCOMPARE(spectrumRed(1e-12 * bins, 0.0, bins), 0);
        QCOMPARE(spectrumRed(0.0, 0.0, bins), 0);
        QCOMPARE(spectrumRed(std::numeric_limits<double>::quiet_NaN(), 0.0, bins), 0);
        QCOMPARE(spectrumRed(std::numeric_limits<double>::infinity(), 0.0, bins), 255);
    }

    // The table the item draws with gives the formula's level for every input: the
    // cases above, both sides of every level's threshold, and magnitudes spread over
    // the whole scale and beyond.
    void brightnessTableMatchesFormula()
    {
        std::mt19937 random(1234);
        for (const int bins : {1024, 882, 2048, 1, 7}) {
            SpectrumScale scale;
            scale.setBins(bins);
            const auto check = [&](double re, double im) {
                QCOMPARE(scale.red(re, im), spectrumRed(re, im, bins));
            };
            for (const double magnitude : {1.0, 3.0, 0.01, 1e-5, 1e-10, 1e-12, 0.0})
                check(magnitude * bins, 0.0);
            check(std::numeric_limits<double>::quiet_NaN(), 0.0);
            check(std::numeric_limits<double>::infinity(), 0.0);
            check(0.0, -std::numeric_limits<double>::infinity());
            check(std::numeric_limits<double>::denorm_min(), 0.0);
            check(std::numeric_limits<double>::max(), 0.0);
            for (int level = 0; level <= 255; ++level) {
                // Magnitude where the level's rounding boundary lies, and its neighbours.
                const double boundary = std::pow(10.0, ((level + 0.5) / 255.0 - 1.0) / 0.1) * bins;
                double re = boundary;
                for (int step = 0; step < 4; ++step)
                    re = std::nextafter(re, 0.0);
                for (int step = 0; step < 8; ++step, re = std::nextafter(re, 1e300))
                    check(re, 0.0);
            }
            std::uniform_real_distribution<double> exponent(-13.0, 2.0);
            std::uniform_real_distribution<double> angle(0.0, 6.283185307179586);
            for (int i = 0; i < 100000; ++i) {
                const double magnitude = std::pow(10.0, exponent(random)) * bins;
                const double a = angle(random);
                check(magnitude * std::cos(a), magnitude * std::sin(a));
            }
        }
    }

    void silenceIsBlack()
    {
        Rig rig;
        // Signed 16-bit silence, the decoders' everyday case: nothing lights up.
        QVERIFY(rig.feed(
            reference::buffer(std::vector<qint16>(4096, 0), reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        QImage expected(512, 4, QImage::Format_ARGB32);
        expected.fill(0xFF000000u);
        QCOMPARE(rig.last(), expected);

        // -1 is as quiet: red 0 in the waveform, a spectrum at about 1e-5 of full scale.
        QVERIFY(rig.feed(
            reference::buffer(std::vector<qint16>(4096, -1), reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        for (int x = 0; x < 512; ++x) {
            QCOMPARE(rig.last().pixel(x, 2), 0xFF000000u);
            QCOMPARE(rig.last().pixel(x, 3), 0xFF000000u);
        }

        // Float silence after a format change of the source: the same black frame.
        rig.item.setSource(QUrl(QStringLiteral("file:///nonexistent/sonolux-silence.wav")));
        QVERIFY(rig.feed(
            reference::buffer(std::vector<float>(2048, 0.0f), reference::pcmFormat(2, 32, QAudioFormat::Float))));
        QCOMPARE(rig.last(), expected);
    }

    void signedFullScaleSine()
    {
        const int frames = 2048;
        const int bin = 301;
        std::vector<qint16> samples(size_t(frames) * 2);
        std::vector<double> values;
        for (int j = 0; j < frames; ++j) {
            const auto s = qint16(std::lround(32767.0 * std::cos(reference::twoPi * bin * j / frames)));
            samples[size_t(2 * j)] = s;
            samples[size_t(2 * j + 1)] = s;
        }
        for (qint16 s : samples)
            values.push_back(reference::signed16(s));

        Rig rig;
        QVERIFY(rig.feed(reference::buffer(samples, reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        const QImage frame = rig.last();
        COMPARE_FRAME(frame, reference::frame(values, 2, 2 * frames, frames), 1);

        // Peak magnitude 0.54 * 32767 / 65536 of full scale, in the bin's column of both
        // rows, and well above everything else in them.
        const int peak = qRound(255.0 * (0.1 * std::log10(0.54 * 32767.0 / 65536.0) + 1.0));
        for (int row : {0, 1}) {
            QVERIFY(std::abs(redAt(frame, 150, row) - peak) <= 1);
            for (int x = 0; x < 512; ++x) {
                if (x != 150)
                    QVERIFY2(redAt(frame, x, row) < peak - 40, qPrintable(QString::number(x)));
            }
        }
        // The waveform shows the sine's magnitude, not an offset reading of it.
        int loudest = 0;
        int quietest = 255;
        for (int x = 0; x < 512; ++x) {
            loudest = std::max(loudest, redAt(frame, x, 2));
            quietest = std::min(quietest, redAt(frame, x, 2));
        }
        QVERIFY(loudest >= 126 && loudest <= 128);
        QVERIFY(quietest <= 10);
    }

    void monoBuffers()
    {
        MessageLog log;
        Rig rig;
        // 1024 mono frames: column c takes samples 2c (row 2) and 2c + 1 (row 3), and
        // the 512 bins of each half run past what 512 samples give directly.
        const auto words = randomWords(1024, 4);
        QVERIFY(rig.feed(reference::buffer(words, reference::pcmFormat(1, 16, QAudioFormat::UnSignedInt))));
        QCOMPARE(log.matching(sampleLine),
                 QStringList {">>>>>>>>>>>>>>>>>>sample: 1024 ,frameCount: 1024 ,channels: 1"});
        const QImage frame = rig.last();
        for (int c = 0; c < 512; ++c) {
            QCOMPARE(redAt(frame, c, 2), qRound(std::abs(reference::unsigned16(words[size_t(2 * c)])) * 255.0));
            QCOMPARE(redAt(frame, c, 3), qRound(std::abs(reference::unsigned16(words[size_t(2 * c + 1)])) * 255.0));
        }
        COMPARE_FRAME(frame, reference::frame(unsignedValues(words, 1024), 1, 1024, 1024), 1);

        // An odd frame count: halves of 512 and 511 samples, 511 bins.
        Rig odd;
        const auto oddWords = randomWords(1023, 5);
        QVERIFY(odd.feed(reference::buffer(oddWords, reference::pcmFormat(1, 16, QAudioFormat::UnSignedInt))));
        COMPARE_FRAME(odd.last(), reference::frame(unsignedValues(oddWords, 1023), 1, 1023, 1023), 1);
    }

    void laterBuffersOfOtherLengths()
    {
        Rig rig;
        const QAudioFormat format = reference::pcmFormat(2, 16, QAudioFormat::UnSignedInt);
        QVERIFY(rig.feed(reference::buffer(randomWords(2048, 6), format)));

        // Longer: read up to the recorded 2048 samples, the rest is ignored.
        const auto longer = randomWords(4096, 7);
        QVERIFY(rig.feed(reference::buffer(longer, format)));
        const QImage fromLonger = rig.last();
        COMPARE_FRAME(fromLonger, reference::frame(unsignedValues(longer, 2048), 2, 2048, 1024), 1);
        QVERIFY(rig.feed(reference::buffer(std::vector<quint16>(longer.begin(), longer.begin() + 2048), format)));
        QCOMPARE(rig.last(), fromLonger);

        // Shorter: only what the buffer holds is drawn. An empty one (Qt makes it an
        // invalid buffer without channels) is dropped.
        const auto shorter = randomWords(301, 8);
        QVERIFY(rig.feed(reference::buffer(shorter, format)));
        COMPARE_FRAME(rig.last(), reference::frame(unsignedValues(shorter, 300), 2, 2048, 1024), 1);
        QVERIFY(rig.feed(reference::buffer(std::vector<quint16>(), format)));
        QCOMPARE(rig.surface.count("present"), 4);
        QCOMPARE(rig.surface.count("start"), 1);
    }

    void sampleFormats_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("order");
        QTest::newRow("unsigned 8") << 8 << int(QAudioFormat::UnSignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("signed 8") << 8 << int(QAudioFormat::SignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("unsigned 16 big-endian") << 16 << int(QAudioFormat::UnSignedInt) << int(QAudioFormat::BigEndian);
        QTest::newRow("signed 16") << 16 << int(QAudioFormat::SignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("signed 16 big-endian") << 16 << int(QAudioFormat::SignedInt) << int(QAudioFormat::BigEndian);
        QTest::newRow("signed 24") << 24 << int(QAudioFormat::SignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("signed 24 big-endian") << 24 << int(QAudioFormat::SignedInt) << int(QAudioFormat::BigEndian);
        QTest::newRow("unsigned 24") << 24 << int(QAudioFormat::UnSignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("unsigned 24 big-endian") << 24 << int(QAudioFormat::UnSignedInt) << int(QAudioFormat::BigEndian);
        QTest::newRow("signed 32") << 32 << int(QAudioFormat::SignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("unsigned 32") << 32 << int(QAudioFormat::UnSignedInt) << int(QAudioFormat::LittleEndian);
        QTest::newRow("float 32") << 32 << int(QAudioFormat::Float) << int(QAudioFormat::LittleEndian);
        QTest::newRow("float 64 big-endian") << 64 << int(QAudioFormat::Float) << int(QAudioFormat::BigEndian);
    }

    void sampleFormats()
    {
        QFETCH(int, bits);
        QFETCH(int, type);
        QFETCH(int, order);
        const auto sampleType = QAudioFormat::SampleType(type);
        const bool swap = order != int(QAudioFormat::LittleEndian);
        const int count = 2048;
        std::mt19937 random(unsigned(bits * 10 + type));
        std::uniform_real_distribution<double> unit(-1.2, 1.2);

        QByteArray data;
        std::vector<double> values;
        for (int i = 0; i < count; ++i) {
            const double u = unit(random);
            char bytes[8] = {};
            double v = 0.0;
            if (bits == 8 && sampleType == QAudioFormat::UnSignedInt) {
                const auto s = quint8(qBound(0, int(128 + u * 100), 255));
                std::memcpy(bytes, &s, 1);
                v = reference::unsigned8(s);
            } else if (bits == 8) {
                const auto s = qint8(qBound(-128, int(u * 100), 127));
                std::memcpy(bytes, &s, 1);
                v = reference::signed8(s);
            } else if (bits == 16 && sampleType == QAudioFormat::UnSignedInt) {
                const auto s = quint16(qBound(0, int(32768 + u * 30000), 65535));
                swap ? qToBigEndian(s, bytes) : qToLittleEndian(s, bytes);
                v = reference::unsigned16(s);
            } else if (bits == 16) {
                const auto s = qint16(qBound(-32768, int(u * 30000), 32767));
                swap ? qToBigEndian(s, bytes) : qToLittleEndian(s, bytes);
                v = reference::signed16(s);
            } else if (bits == 24) {
                // Past full scale on purpose: clipped to the 24-bit range.
                const bool isSigned = sampleType == QAudioFormat::SignedInt;
                const int s = qBound(-8388608, int(u * 8.0e6), 8388607);
                const quint32 word = quint32(isSigned ? s : s + 8388608);
                for (int b = 0; b < 3; ++b)
                    bytes[swap ? 2 - b : b] = char((word >> (8 * b)) & 0xFF);
                v = isSigned ? reference::signed24(s) : reference::unsigned24(word);
            } else if (bits == 32 && sampleType == QAudioFormat::SignedInt) {
                const auto s = qint32(u * 2.0e9 * 0.9);
                qToLittleEndian(s, bytes);
                v = reference::signed32(s);
            } else if (bits == 32 && sampleType == QAudioFormat::UnSignedInt) {
                const auto s = quint32(2147483648.0 + u * 1.8e9);
                qToLittleEndian(s, bytes);
                v = reference::unsigned32(s);
            } else if (bits == 32) {
                // Past full scale on purpose: clipped to the frame's range.
                const float f = i == 7 ? std::numeric_limits<float>::quiet_NaN() : float(u);
                std::memcpy(bytes, &f, 4);
                v = reference::floating(double(f));
            } else {
                const double f = i == 9 ? -std::numeric_limits<double>::infinity() : u;
                quint64 raw;
                std::memcpy(&raw, &f, 8);
                qToBigEndian(raw, bytes);
                v = reference::floating(f);
            }
            data.append(bytes, bits / 8);
            values.push_back(v);
        }

        Rig rig;
        const QAudioFormat format
            = reference::pcmFormat(2, bits, sampleType, swap ? QAudioFormat::BigEndian : QAudioFormat::LittleEndian);
        QVERIFY(rig.feed(QAudioBuffer(data, format)));
        QCOMPARE(rig.surface.count("present"), 1);
        COMPARE_FRAME(rig.last(), reference::frame(values, 2, count, count / 2), 1);
    }

    // A cosine at half of full scale on bin 301 of 2048 frames in the first two
    // channels, and a louder one on bin 101 in every further channel, in each layout
    // the decoder may hand over: the waveform reaches red 64, the spectrum peaks in
    // column 150 at the level of its magnitude, and the further channels leave column
    // 50 dark.
    void knownSine_data()
    {
        QTest::addColumn<int>("bits"); // carrying the signal
        QTest::addColumn<int>("container"); // bits a sample takes in the buffer
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        const int s = int(QAudioFormat::SignedInt);
        const int u = int(QAudioFormat::UnSignedInt);
        const int f = int(QAudioFormat::Float);
        const int le = int(QAudioFormat::LittleEndian);
        const int be = int(QAudioFormat::BigEndian);
        QTest::newRow("signed 24") << 24 << 24 << s << le << 2 << 44100;
        QTest::newRow("signed 24 big-endian") << 24 << 24 << s << be << 2 << 44100;
        QTest::newRow("unsigned 24") << 24 << 24 << u << le << 2 << 44100;
        QTest::newRow("unsigned 24 big-endian") << 24 << 24 << u << be << 2 << 44100;
        QTest::newRow("24 in the top of 32") << 24 << 32 << s << le << 2 << 48000;
        QTest::newRow("signed 24 mono 96 kHz") << 24 << 24 << s << le << 1 << 96000;
        QTest::newRow("signed 24, 6 channels") << 24 << 24 << s << le << 6 << 48000;
        QTest::newRow("signed 16, 3 channels, 22.05 kHz") << 16 << 16 << s << le << 3 << 22050;
        QTest::newRow("unsigned 8 mono 8 kHz") << 8 << 8 << u << le << 1 << 8000;
        QTest::newRow("signed 32, 4 channels, big-endian") << 32 << 32 << s << be << 4 << 44100;
        QTest::newRow("float 32, 8 channels, 192 kHz") << 32 << 32 << f << le << 8 << 192000;
    }

    void knownSine()
    {
        QFETCH(int, bits);
        QFETCH(int, container);
        QFETCH(int, type);
        QFETCH(int, order);
        QFETCH(int, channels);
        QFETCH(int, rate);
        const bool isFloat = type == int(QAudioFormat::Float);
        const bool isSigned = type == int(QAudioFormat::SignedInt);
        const bool bigEndian = order == int(QAudioFormat::BigEndian);
        const int frames = 2048;
        const int bytes = container / 8;
        const int drawn = std::min(channels, 2);
        const double top = std::ldexp(1.0, bits - 1) - 1.0;
        const double scale = std::ldexp(1.0, container);

        QByteArray data;
        std::vector<double> values; // what the drawn channels read as
        for (int j = 0; j < frames; ++j) {
            for (int c = 0; c < channels; ++c) {
                const double level = c < 2 ? 0.5 * std::cos(reference::twoPi * 301 * j / frames)
                                           : 0.9 * std::cos(reference::twoPi * 101 * j / frames);
                char sample[4] = {};
                double value;
                if (isFloat) {
                    const auto f = float(level);
                    std::memcpy(sample, &f, 4);
                    value = reference::floating(double(f));
                } else {
                    const double word = std::ldexp(double(std::llround(level * top)), container - bits)
                        + (isSigned ? 0.0 : scale / 2);
                    const auto raw = quint32(qint64(word));
                    for (int b = 0; b < bytes; ++b)
                        sample[b] = char((raw >> (8 * b)) & 0xFF);
                    value = isSigned || container != 16 ? (word - (isSigned ? 0.0 : scale / 2)) / scale
                                                        : reference::unsigned16(quint16(raw));
                }
                if (bigEndian)
                    std::reverse(sample, sample + bytes);
                data.append(sample, bytes);
                if (c < drawn)
                    values.push_back(value);
            }
        }

        MessageLog log;
        Rig rig;
        QAudioFormat format
            = reference::pcmFormat(channels, container, QAudioFormat::SampleType(type), QAudioFormat::Endian(order));
        format.setSampleRate(rate);
        QVERIFY(rig.feed(QAudioBuffer(data, format)));
        QCOMPARE(rig.item.error(), int(QMediaPlayer::NoError));
        QCOMPARE(log.matching(sampleLine),
                 QStringList {QStringLiteral(">>>>>>>>>>>>>>>>>>sample: %1 ,frameCount: %2 ,channels: %3")
                                  .arg(frames * channels)
                                  .arg(frames)
                                  .arg(channels)});
        const QImage frame = rig.last();
        COMPARE_FRAME(frame, reference::frame(values, drawn, frames * drawn, frames), 1);

        // Half of full scale is 0.25 on the frame's scale: red 64 at the crests. The
        // windowed bin holds 0.54 of it per channel sample; mono splits its samples
        // over the two rows and so has half as many per bin.
        const int peak = qRound(255.0 * (0.1 * std::log10(0.25 * 0.54 * drawn / 2.0) + 1.0));
        for (int row : {0, 1}) {
            int loudest = 0;
            for (int x = 0; x < 512; ++x)
                loudest = std::max(loudest, redAt(frame, x, row + 2));
            QVERIFY2(std::abs(loudest - 64) <= 1, qPrintable(QString::number(loudest)));
            QVERIFY2(std::abs(redAt(frame, 150, row) - peak) <= 1, qPrintable(QString::number(redAt(frame, 150, row))));
            QVERIFY2(redAt(frame, 50, row) < peak - 60, qPrintable(QString::number(redAt(frame, 50, row))));
        }
    }

    // A layout no reader exists for: the music is left to play, the buffers give no
    // frame, and the item says so once through its error properties.
    void unreadableLayoutSetsErrorOnce_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("named");
        QTest::newRow("float 16") << 16 << int(QAudioFormat::Float) << QStringLiteral("16-bit float, little-endian");
        QTest::newRow("float 24") << 24 << int(QAudioFormat::Float) << QStringLiteral("24-bit float, little-endian");
        QTest::newRow("signed 12") << 12 << int(QAudioFormat::SignedInt)
                                   << QStringLiteral("12-bit signed, little-endian");
        QTest::newRow("unsigned 64") << 64 << int(QAudioFormat::UnSignedInt)
                                     << QStringLiteral("64-bit unsigned, little-endian");
    }

    void unreadableLayoutSetsErrorOnce()
    {
        QFETCH(int, bits);
        QFETCH(int, type);
        QFETCH(QString, named);
        MessageLog log;
        Rig rig;
        QSignalSpy errorChanged(&rig.item, &Sonolux::errorChanged);
        const QAudioFormat format = reference::pcmFormat(2, bits, QAudioFormat::SampleType(type));
        for (int i = 0; i < 3; ++i)
            QVERIFY(rig.feed(QAudioBuffer(QByteArray(bits * 64, '\x11'), format)));

        QCOMPARE(errorChanged.count(), 1);
        QCOMPARE(rig.item.error(), int(QMediaPlayer::FormatError));
        QCOMPARE(rig.item.errorString(), QStringLiteral("audio samples of %1 cannot be read").arg(named));
        QCOMPARE(log.messages(), QStringList {"Sonolux: " + rig.item.errorString()});
        QVERIFY(rig.surface.events.isEmpty());

        // A new source starts clean and is drawn as soon as its audio can be read.
        rig.item.setSource(QUrl(QStringLiteral("file:///nonexistent/sonolux-readable.wav")));
        QCOMPARE(errorChanged.count(), 2);
        QCOMPARE(rig.item.error(), int(QMediaPlayer::NoError));
        QVERIFY(rig.feed(reference::buffer(randomWords(2048, 11), reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        QCOMPARE(rig.surface.events, (QStringList {"start", "present"}));
        QCOMPARE(errorChanged.count(), 2);
    }

    void sourceChangeRestartsSurface()
    {
        MessageLog log;
        Rig rig;
        const QAudioFormat stereo = reference::pcmFormat(2, 16, QAudioFormat::SignedInt);
        QVERIFY(rig.feed(reference::buffer(std::vector<qint16>(4096, 100), stereo)));
        QVERIFY(rig.surface.isActive());

        rig.item.setSource(QUrl(QStringLiteral("file:///nonexistent/sonolux-a.wav")));
        const auto mono = randomWords(1024, 9);
        QVERIFY(rig.feed(reference::buffer(mono, reference::pcmFormat(1, 16, QAudioFormat::UnSignedInt))));
        QCOMPARE(rig.surface.events, (QStringList {"start", "present", "stop", "start", "present"}));
        QCOMPARE(rig.surface.formats.last().frameSize(), QSize(512, 4));
        QCOMPARE(log.matching(sampleLine),
                 (QStringList {">>>>>>>>>>>>>>>>>>sample: 4096 ,frameCount: 2048 ,channels: 2",
                               ">>>>>>>>>>>>>>>>>>sample: 1024 ,frameCount: 1024 ,channels: 1"}));
        COMPARE_FRAME(rig.last(), reference::frame(unsignedValues(mono, 1024), 1, 1024, 1024), 1);

        // The same source again is no change: no restart, the layout stays.
        rig.item.setSource(QUrl(QStringLiteral("file:///nonexistent/sonolux-a.wav")));
        QVERIFY(rig.feed(reference::buffer(mono, reference::pcmFormat(1, 16, QAudioFormat::UnSignedInt))));
        QCOMPARE(rig.surface.count("start"), 2);
        QCOMPARE(log.matching(sampleLine).size(), 2);

        // Even an identical format restarts the surface after a change.
        rig.item.setSource(QUrl(QStringLiteral("file:///nonexistent/sonolux-b.wav")));
        QVERIFY(rig.feed(reference::buffer(mono, reference::pcmFormat(1, 16, QAudioFormat::UnSignedInt))));
        QCOMPARE(rig.surface.events.mid(6), (QStringList {"stop", "start", "present"}));
    }

    void surfaceComesAndGoes()
    {
        MessageLog log;
        Sonolux item;
        const QAudioFormat stereo = reference::pcmFormat(2, 16, QAudioFormat::SignedInt);
        const QAudioBuffer buffer = reference::buffer(randomWords(4096, 10), stereo);
        auto feed = [&item](const QAudioBuffer &b) {
            return QMetaObject::invokeMethod(&item, "processAudioBuffer", Qt::DirectConnection, Q_ARG(QAudioBuffer, b));
        };

        // No surface: the buffer is dropped before anything is read.
        QVERIFY(feed(buffer));
        QVERIFY(log.messages().isEmpty());

        QSignalSpy surfaceChanged(&item, &Sonolux::videoSurfaceChanged);
        RecordingSurface first;
        item.setVideoSurface(&first);
        item.setVideoSurface(&first);
        QCOMPARE(surfaceChanged.count(), 1);
        QCOMPARE(item.videoSurface(), &first);
        QVERIFY(feed(buffer));
        QCOMPARE(first.events, (QStringList {"start", "present"}));
        QCOMPARE(log.matching(sampleLine).size(), 1);

        // A surface attached mid-stream is not started, only fed.
        QScopedPointer<RecordingSurface> second(new RecordingSurface);
        item.setVideoSurface(second.data());
        QVERIFY(feed(buffer));
        QCOMPARE(second->events, QStringList {"present"});
        QCOMPARE(first.events.size(), 2);

        // Once it is gone the item forgets it and keeps working without it.
        second.reset();
        QCOMPARE(item.videoSurface(), nullptr);
        QVERIFY(feed(buffer));
        QCOMPARE(first.events.size(), 2);
        item.setVideoSurface(&first);
        QVERIFY(feed(buffer));
        QCOMPARE(first.events.last(), QStringLiteral("present"));
        QCOMPARE(log.matching(sampleLine).size(), 1);
    }

    void unusableBuffersAreDropped()
    {
        MessageLog log;
        Rig rig;
        // No channels (a format Qt calls invalid), no buffer at all, a sample layout
        // that cannot be read (said once, through the error), and no data: no frame,
        // the format stays to be read.
        QVERIFY(rig.feed(QAudioBuffer(QByteArray(64, '\x01'), reference::pcmFormat(0, 16, QAudioFormat::SignedInt))));
        QVERIFY(rig.feed(QAudioBuffer()));
        QVERIFY(rig.feed(QAudioBuffer(QByteArray(64, '\x01'), reference::pcmFormat(2, 16, QAudioFormat::Float))));
        QVERIFY(rig.feed(QAudioBuffer(QByteArray(), reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        QVERIFY(rig.surface.events.isEmpty());
        QVERIFY(log.matching(sampleLine).isEmpty());
        QCOMPARE(log.matching(QStringLiteral(">>>>>>dropped")).size(), 3);
        QCOMPARE(rig.item.error(), int(QMediaPlayer::FormatError));

        // An odd byte count is cut to whole frames.
        QVERIFY(rig.feed(QAudioBuffer(QByteArray(4097, '\0'), reference::pcmFormat(2, 16, QAudioFormat::SignedInt))));
        QCOMPARE(log.matching(sampleLine),
                 QStringList {">>>>>>>>>>>>>>>>>>sample: 2048 ,frameCount: 1024 ,channels: 2"});
        QCOMPARE(rig.surface.events, (QStringList {"start", "present"}));

        // Once the layout is known, a buffer without channels is still dropped.
        QVERIFY(rig.feed(QAudioBuffer(QByteArray(64, '\x01'), reference::pcmFormat(0, 16, QAudioFormat::SignedInt))));
        QCOMPARE(rig.surface.count("present"), 1);
    }

    void fftMatchesDirectDft_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("bins");
        QTest::newRow("stereo 1764") << 1764 << 882;
        QTest::newRow("stereo 2048") << 2048 << 1024;
        QTest::newRow("mono 1024, bins past n/2") << 512 << 512;
        QTest::newRow("odd length, bins past n/2") << 511 << 511;
        QTest::newRow("shorter than the bins") << 301 << 1024;
        QTest::newRow("prime") << 1009 << 504;
        QTest::newRow("one sample") << 1 << 4;
        QTest::newRow("two samples") << 2 << 3;
    }

    void fftMatchesDirectDft()
    {
        QFETCH(int, length);
        QFETCH(int, bins);
        std::mt19937 random {unsigned(length)};
        std::uniform_real_distribution<double> sample(-0.5, 0.5);
        std::vector<double> x(static_cast<size_t>(length));
        for (double &s : x)
            s = sample(random);

        Fft fft(883);
        const std::vector<Fft::Complex> &out = fft.transform(x, bins);
        QCOMPARE(int(out.size()), bins);
        const auto sums = reference::dft(x, bins);
        for (int k = 0; k < bins; ++k) {
            const std::complex<long double> expected = sums[size_t(k)];
            const double error
                = std::abs(std::complex<double>(double(expected.real()), double(expected.imag())) - out[size_t(k)]);
            QVERIFY2(error < 1e-10 * length + 1e-12, qPrintable(QStringLiteral("bin %1 off by %2").arg(k).arg(error)));
        }
    }

    void fftKeepsItsArrayAndPlans()
    {
        Fft fft(883);
        std::vector<double> ramp(2048);
        for (size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = double(i % 17) / 17.0 - 0.5;

        const Fft::Complex *array = fft.transform(ramp, 1024).data();
        const Fft::Complex first = fft.transform(ramp, 1024)[5];
        QCOMPARE(fft.transform(ramp, 1024).data(), array);
        QCOMPARE(fft.cachedPlanCount(), 1);

        // Different input, same length: same array, new contents.
        std::vector<double> other(ramp.rbegin(), ramp.rend());
        const std::vector<Fft::Complex> &again = fft.transform(other, 1024);
        QCOMPARE(again.data(), array);
        QVERIFY(again[5] != first);

        // No samples: every bin is zero. A new bin count resizes the array.
        const std::vector<Fft::Complex> &empty = fft.transform({}, 77);
        QCOMPARE(int(empty.size()), 77);
        for (const Fft::Complex &bin : empty)
            QCOMPARE(bin, Fft::Complex());
        QCOMPARE(int(fft.transform(ramp, 0).size()), 0);
        QCOMPARE(int(fft.transform(ramp, -3).size()), 0);

        // Plans are kept for a handful of lengths, not for every length ever seen.
        for (int length = 100; length < 140; ++length)
            fft.transform(std::vector<double>(size_t(length), 0.25), length / 2);
        QCOMPARE(fft.cachedPlanCount(), Fft::maxCachedPlans);
        const std::vector<Fft::Complex> &dc = fft.transform(std::vector<double>(10, 0.25), 5);
        QCOMPARE(dc[0], Fft::Complex(2.5, 0.0));
    }

    void hammingWindow()
    {
        std::vector<double> ones(8, 1.0);
        applyHammingWindow(ones, 8);
        for (int k = 0; k < 8; ++k)
            QCOMPARE(ones[size_t(k)], 0.54 - 0.46 * std::cos(6.283185307179586 * k / 8));
        QCOMPARE(ones[0], 0.08);
        QCOMPARE(ones[4], 1.0);

        // Alternating lengths use their own coefficients.
        for (int length : {5, 6, 5, 7, 6}) {
            std::vector<double> samples(size_t(length), 2.0);
            applyHammingWindow(samples, length);
            for (int k = 0; k < length; ++k)
                QCOMPARE(samples[size_t(k)], 2.0 * (0.54 - 0.46 * std::cos(6.283185307179586 * k / length)));
        }

        std::vector<double> untouched(4, 1.0);
        applyHammingWindow(untouched, 0);
        applyHammingWindow(untouched, -2);
        QCOMPARE(untouched, std::vector<double>(4, 1.0));

        // A count past the end keeps its divisor but touches only what is there.
        std::vector<double> shortSequence(3, 1.0);
        applyHammingWindow(shortSequence, 10);
        QCOMPARE(shortSequence[2], 0.54 - 0.46 * std::cos(6.283185307179586 * 2 / 10));
    }
};

QTEST_MAIN(TestSonoluxAnalysis)

#include "tst_sonoluxanalysis.moc"
