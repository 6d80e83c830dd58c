// The Sonolux item as a media player: its properties and signals, and real playback
// of WAV files written here through Qt Multimedia's GStreamer back end. Without a
// sound card GStreamer's automatic audio sink falls back to a clocked fake sink, so
// playback still runs at its real pace and the probe sees every decoded buffer.

#include "messagelog.h"
#include "recordingsurface.h"
#include "sonolux.h"
#include "wavfile.h"

#include <QAudioProbe>
#include <QMediaPlayer>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "../support/pipewatchdog.h"

class TestSonoluxPlayer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QUrl m_tone; // 0.4 s of 440 Hz at half scale
    QUrl m_blip; // 0.25 s of 1 kHz
    QUrl m_corrupt;
    QUrl m_missing;

    static constexpr int timeout = 15000;

    // Play state and loops at every end of the media, read right after the item's
    // loop step has handled it. Taken from the item's own player, because by the time
    // the item re-emits mediaStatusChanged a restarted player already reports its
    // new status.
    struct EndLog
    {
        QVector<int> playStates;
        QVector<int> loops;
    };

    // Column of the brightest bin of a spectrum row, the DC column left out.
    static int peakColumn(const QImage &frame, int row)
    {
        int peak = 1;
        for (int x = 2; x < 512; ++x) {
            if (qRed(frame.pixel(x, row)) > qRed(frame.pixel(peak, row)))
                peak = x;
        }
        return peak;
    }

    static int loudest(const QImage &frame, int row)
    {
        int red = 0;
        for (int x = 0; x < 512; ++x)
            red = std::max(red, qRed(frame.pixel(x, row)));
        return red;
    }

    static bool logEnds(Sonolux &item, EndLog &log)
    {
        auto *player = item.findChild<QMediaPlayer *>();
        if (!player)
            return false;
        QObject::connect(player, &QMediaPlayer::mediaStatusChanged, &item,
                         [&item, &log](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia) {
                                 log.playStates.append(item.playStatus());
                                 log.loops.append(item.loops());
                             }
                         });
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString tone = m_dir.filePath(QStringLiteral("tone.wav"));
        const QString blip = m_dir.filePath(QStringLiteral("blip.wav"));
        const QString corrupt = m_dir.filePath(QStringLiteral("corrupt.wav"));
        QVERIFY(wavfile::writeSine(tone, 0.4, 440.0, 0.5));
        QVERIFY(wavfile::writeSine(blip, 0.25, 1000.0, 0.3));
        // A RIFF header that promises PCM, followed by noise.
        QByteArray garbage = wavfile::encode(wavfile::sine(0.01, 440.0, 0.5), 2, 44100).left(12);
        std::mt19937 random(99);
        for (int i = 0; i < 4000; ++i)
            garbage.append(char(random() & 0xFF));
        QVERIFY(wavfile::write(corrupt, garbage));
        m_tone = QUrl::fromLocalFile(tone);
        m_blip = QUrl::fromLocalFile(blip);
        m_corrupt = QUrl::fromLocalFile(corrupt);
        m_missing = QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("missing.wav")));
    }

    void sourceChangesOnlyWhenDifferent()
    {
        Sonolux item;
        item.setMuted(true);
        QSignalSpy sourceChanged(&item, &Sonolux::sourceChanged);
        item.setSource(m_tone);
        QCOMPARE(sourceChanged.count(), 1);
        QCOMPARE(item.source(), m_tone);
        item.setLoops(-1);
        item.play();
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::PlayingState), timeout);

        // The same URL again: no stop, no signal.
        QSignalSpy playStatusChanged(&item, &Sonolux::playStatusChanged);
        item.setSource(m_tone);
        QCOMPARE(sourceChanged.count(), 1);
        QCOMPARE(item.playStatus(), int(QMediaPlayer::PlayingState));
        QCOMPARE(playStatusChanged.count(), 0);

        // An empty URL stops the player and leaves it without media.
        item.setSource(QUrl());
        QCOMPARE(sourceChanged.count(), 2);
        QCOMPARE(item.source(), QUrl());
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::StoppedState), timeout);
        QTRY_COMPARE_WITH_TIMEOUT(item.mediaStatus(), int(QMediaPlayer::NoMedia), timeout);
        QVERIFY(playStatusChanged.count() >= 1);
    }

    void writeAccessorsCompareFirst()
    {
        Sonolux item;

        QSignalSpy mutedChanged(&item, &Sonolux::mutedChanged);
        item.setMuted(item.muted());
        QCoreApplication::processEvents();
        QCOMPARE(mutedChanged.count(), 0);
        item.setMuted(true);
        QTRY_COMPARE_WITH_TIMEOUT(mutedChanged.count(), 1, timeout);
        QVERIFY(item.muted());
        item.setMuted(true);
        QCoreApplication::processEvents();
        QCOMPARE(mutedChanged.count(), 1);

        // Volume and position signal at once, and may signal again when the player does.
        QSignalSpy volumeChanged(&item, &Sonolux::volumeChanged);
        const int volume = item.volume() == 40 ? 60 : 40;
        item.setVolume(volume);
        QVERIFY(volumeChanged.count() >= 1);
        QCOMPARE(item.volume(), volume);
        const int afterFirst = volumeChanged.count();
        item.setVolume(volume);
        QCOMPARE(volumeChanged.count(), afterFirst);

        QSignalSpy positionChanged(&item, &Sonolux::positionChanged);
        item.setPosition(item.position());
        QCOMPARE(positionChanged.count(), 0);
        item.setPosition(item.position() + 250);
        QVERIFY(positionChanged.count() >= 1);

        QSignalSpy loopsChanged(&item, &Sonolux::loopsChanged);
        item.setLoops(3);
        item.setLoops(3);
        QCOMPARE(loopsChanged.count(), 1);
        QCOMPARE(item.loops(), 3);

        QSignalSpy autoPlayChanged(&item, &Sonolux::autoPlayChanged);
        item.setAutoPlay(!item.autoPlay());
        item.setAutoPlay(item.autoPlay());
        QCOMPARE(autoPlayChanged.count(), 1);
    }

    void playWritesItsLine()
    {
        MessageLog log;
        Sonolux item;
        const QRegularExpression line(QStringLiteral("^>>>>>>begin play, probe active= (true|false)$"));

        // Without a source the player is still asked to play, and the line is written.
        item.play();
        QCOMPARE(log.matching(QStringLiteral(">>>>>>begin play")).size(), 1);
        QVERIFY2(line.match(log.matching(QStringLiteral(">>>>>>begin play")).first()).hasMatch(),
                 qPrintable(log.matching(QStringLiteral(">>>>>>begin play")).first()));

        // With autoPlay a new source starts playing by itself, with the same line.
        item.setMuted(true);
        item.setAutoPlay(true);
        item.setSource(m_blip);
        QCOMPARE(log.matching(QStringLiteral(">>>>>>begin play")),
                 (QStringList {">>>>>>begin play, probe active= true", ">>>>>>begin play, probe active= true"}));
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::PlayingState), timeout);
        item.stop();
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::StoppedState), timeout);
    }

    void playbackFeedsTheAnalysis()
    {
        MessageLog log;
        RecordingSurface surface;
        Sonolux item;
        item.setMuted(true);
        item.setVideoSurface(&surface);
        QSignalSpy durationChanged(&item, &Sonolux::durationChanged);
        item.setSource(m_tone);
        item.play();

        QTRY_COMPARE_WITH_TIMEOUT(item.mediaStatus(), int(QMediaPlayer::EndOfMedia), timeout);
        QCOMPARE(item.playStatus(), int(QMediaPlayer::StoppedState));
        QVERIFY(durationChanged.count() >= 1);
        QVERIFY(std::abs(item.duration() - 400) <= 30);

        // Every buffer became one frame of a surface started once for this source.
        const int frames = surface.count(QStringLiteral("present"));
        QVERIFY2(frames >= 5, qPrintable(QString::number(frames)));
        QCOMPARE(surface.events.first(), QStringLiteral("start"));
        QCOMPARE(surface.count(QStringLiteral("start")), 1);
        QCOMPARE(surface.formats.first().frameSize(), QSize(512, 4));
        const QStringList sampleLines = log.matching(QStringLiteral(">>>>>>>>>>>>>>>>>>sample:"));
        QCOMPARE(sampleLines.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^>>>>>>>>>>>>>>>>>>sample: \\d+ ,frameCount: \\d+ ,channels: 2$"))
                     .match(sampleLines.first())
                     .hasMatch(),
                 qPrintable(sampleLines.first()));

        // A frame from the middle of the file: 440 Hz peaks in column 2 * 440 * 512 / 44100
        // (about 10) of both spectrum rows, and the waveform reaches the tone's half scale
        // (red 64) but no further.
        const QImage frame = surface.frames.at(frames / 2);
        for (int row : {0, 1}) {
            const int peak = peakColumn(frame, row);
            QVERIFY2(peak >= 9 && peak <= 11, qPrintable(QString::number(peak)));
            QVERIFY(qRed(frame.pixel(peak, row)) > 200);
        }
        QVERIFY2(loudest(frame, 2) >= 60 && loudest(frame, 2) <= 64, qPrintable(QString::number(loudest(frame, 2))));
    }

    // WAV files in the layouts music libraries hold, decoded by GStreamer and played
    // through the item: a half-scale tone that lands in column 10 in the first two
    // channels, a louder one for column 40 in any further channel. What reaches the
    // probe is what the player's pipeline makes of them: packed 24-bit stays packed,
    // 24 in 32 arrives as signed 32 with the bits on top, in native byte order.
    void decodedLayouts_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("validBits");
        QTest::addColumn<bool>("extensible");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("arrivesAs"); // sample size of the probed buffers
        QTest::newRow("24-bit") << 24 << 24 << false << 2 << 44100 << 24;
        QTest::newRow("24-bit, extensible header") << 24 << 24 << true << 2 << 44100 << 24;
        QTest::newRow("24 in 32, extensible header") << 32 << 24 << true << 2 << 48000 << 32;
        QTest::newRow("24-bit mono 96 kHz") << 24 << 24 << false << 1 << 96000 << 24;
        QTest::newRow("24-bit 5.1, 48 kHz") << 24 << 24 << true << 6 << 48000 << 24;
        QTest::newRow("16-bit 3 channels, 22.05 kHz") << 16 << 16 << true << 3 << 22050 << 16;
    }

    void decodedLayouts()
    {
        QFETCH(int, bits);
        QFETCH(int, validBits);
        QFETCH(bool, extensible);
        QFETCH(int, channels);
        QFETCH(int, rate);
        QFETCH(int, arrivesAs);
        wavfile::Layout layout;
        layout.bits = bits;
        layout.validBits = validBits;
        layout.extensible = extensible;
        layout.channels = channels;
        layout.sampleRate = rate;
        // Column x of the frame is 1024 x / rate Hz whatever the channel count.
        const double toneHz = 10.0 * rate / 1024.0;
        const double otherHz = 40.0 * rate / 1024.0;
        const int frames = int(0.4 * rate);
        QVector<double> samples;
        samples.reserve(frames * channels);
        for (int i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c)
                samples.append(c < 2 ? 0.5 * std::sin(6.283185307179586 * toneHz * i / rate)
                                     : 0.9 * std::sin(6.283185307179586 * otherHz * i / rate));
        }
        const QString path = m_dir.filePath(QStringLiteral("layout-%1-%2-%3-%4-%5.wav")
                                                .arg(bits)
                                                .arg(validBits)
                                                .arg(int(extensible))
                                                .arg(channels)
                                                .arg(rate));
        QVERIFY(wavfile::write(path, wavfile::encode(samples, layout)));

        MessageLog log;
        RecordingSurface surface;
        Sonolux item;
        item.setMuted(true);
        item.setVideoSurface(&surface);
        auto *probe = item.findChild<QAudioProbe *>();
        QVERIFY(probe);
        QAudioFormat delivered;
        connect(probe, &QAudioProbe::audioBufferProbed, &item,
                [&delivered](const QAudioBuffer &buffer) { delivered = buffer.format(); });
        item.setSource(QUrl::fromLocalFile(path));
        item.play();
        QTRY_COMPARE_WITH_TIMEOUT(item.mediaStatus(), int(QMediaPlayer::EndOfMedia), timeout);
        QCOMPARE(item.error(), int(QMediaPlayer::NoError));
        QCOMPARE(delivered.sampleSize(), arrivesAs);
        QCOMPARE(delivered.sampleType(), QAudioFormat::SignedInt);
        QCOMPARE(delivered.channelCount(), channels);
        QCOMPARE(delivered.sampleRate(), rate);
        QVERIFY(log.matching(QStringLiteral(">>>>>>dropped")).isEmpty());
        QCOMPARE(log.matching(QStringLiteral(">>>>>>>>>>>>>>>>>>sample:")).size(), 1);
        QVERIFY2(log.matching(QStringLiteral(">>>>>>>>>>>>>>>>>>sample:"))
                     .first()
                     .endsWith(QStringLiteral(",channels: %1").arg(channels)),
                 qPrintable(log.matching(QStringLiteral(">>>>>>>>>>>>>>>>>>sample:")).first()));

        const int presented = surface.count(QStringLiteral("present"));
        QVERIFY2(presented >= 5, qPrintable(QString::number(presented)));
        const QImage frame = surface.frames.at(presented / 2);
        for (int row : {0, 1}) {
            const int peak = peakColumn(frame, row);
            QVERIFY2(peak >= 9 && peak <= 11, qPrintable(QString::number(peak)));
            QVERIFY2(qRed(frame.pixel(peak, row)) > 200, qPrintable(QString::number(qRed(frame.pixel(peak, row)))));
            // The further channels are not drawn: their louder tone leaves column 40 dark.
            QVERIFY2(qRed(frame.pixel(40, row)) < qRed(frame.pixel(peak, row)) - 60,
                     qPrintable(QString::number(qRed(frame.pixel(40, row)))));
            const int waveform = loudest(frame, row + 2);
            QVERIFY2(waveform >= 60 && waveform <= 64, qPrintable(QString::number(waveform)));
        }
    }

    void loopsCountDownQuietly()
    {
        Sonolux item;
        item.setMuted(true);
        item.setLoops(2);
        QSignalSpy loopsChanged(&item, &Sonolux::loopsChanged);
        EndLog ends;
        QVERIFY(logEnds(item, ends));
        item.setSource(m_blip);
        item.play();

        // Three plays: the first two ends start the media again, the third stays put.
        QTRY_COMPARE_WITH_TIMEOUT(ends.playStates.size(), 3, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::StoppedState), timeout);
        QCOMPARE(ends.playStates,
                 (QVector<int> {QMediaPlayer::PlayingState, QMediaPlayer::PlayingState, QMediaPlayer::StoppedState}));
        QCOMPARE(ends.loops, (QVector<int> {1, 0, 0}));
        QCOMPARE(item.loops(), 0);
        QCOMPARE(loopsChanged.count(), 0);
        QCOMPARE(item.mediaStatus(), int(QMediaPlayer::EndOfMedia));
    }

    void endlessLoops()
    {
        RecordingSurface surface;
        Sonolux item;
        item.setMuted(true);
        item.setVideoSurface(&surface);
        item.setLoops(-1);
        EndLog ends;
        QVERIFY(logEnds(item, ends));
        item.setSource(m_blip);
        item.play();

        QTRY_VERIFY_WITH_TIMEOUT(ends.playStates.size() >= 3, timeout);
        for (int state : ends.playStates)
            QCOMPARE(state, int(QMediaPlayer::PlayingState));
        QCOMPARE(item.loops(), -1);
        // Repeats of one source keep the surface running: started once.
        QCOMPARE(surface.count(QStringLiteral("start")), 1);
        QVERIFY(surface.count(QStringLiteral("present")) >= 10);
        item.stop();
        QTRY_COMPARE_WITH_TIMEOUT(item.playStatus(), int(QMediaPlayer::StoppedState), timeout);
    }

    void brokenMediaLeaveTheItemUsable()
    {
        RecordingSurface surface;
        Sonolux item;
        item.setMuted(true);
        item.setVideoSurface(&surface);
        QSignalSpy errorChanged(&item, &Sonolux::errorChanged);

        for (const QUrl &broken : {m_missing, m_corrupt}) {
            errorChanged.clear();
            item.setSource(broken);
            item.play();
            QTRY_VERIFY_WITH_TIMEOUT(errorChanged.count() >= 1, timeout);
            QTRY_VERIFY_WITH_TIMEOUT(item.error() != int(QMediaPlayer::NoError), timeout);
            QCOMPARE(item.source(), broken);
        }
        QCOMPARE(surface.count(QStringLiteral("present")), 0);

        item.setSource(m_blip);
        item.play();
        QTRY_VERIFY_WITH_TIMEOUT(surface.count(QStringLiteral("present")) >= 3, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(item.mediaStatus(), int(QMediaPlayer::EndOfMedia), timeout);
    }

    void namedPipeIsRefused()
    {
#ifndef Q_OS_UNIX
        QSKIP("Named pipes in the file system exist on Unix only");
#else
        const QString pipe = m_dir.filePath(QStringLiteral("pipe.wav"));
        QVERIFY(mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);

        // Opening a pipe for reading waits for a writer; declared before the item, so
        // it also lets the item's destruction go on should the item have opened it.
        PipeWatchdog watchdog(pipe, std::chrono::seconds(10));
        RecordingSurface surface;
        Sonolux item;
        item.setMuted(true);
        item.setVideoSurface(&surface);
        QSignalSpy errorChanged(&item, &Sonolux::errorChanged);
        QSignalSpy statusChanged(&item, &Sonolux::mediaStatusChanged);

        {
            MessageLog log;
            item.setSource(QUrl::fromLocalFile(pipe));
            item.play();
        }
        QVERIFY2(!watchdog.readerWaited(), "opening the source blocked on the pipe");
        QCOMPARE(item.source(), QUrl::fromLocalFile(pipe));
        QCOMPARE(item.error(), int(QMediaPlayer::ResourceError));
        QVERIFY2(item.errorString().contains(QLatin1String("not a regular file")), qPrintable(item.errorString()));
        QCOMPARE(item.mediaStatus(), int(QMediaPlayer::InvalidMedia));
        QVERIFY(errorChanged.count() >= 1);
        QVERIFY(statusChanged.count() >= 1);
        QCOMPARE(item.playStatus(), int(QMediaPlayer::StoppedState));

        // The next source plays as usual.
        item.setSource(m_blip);
        QCOMPARE(item.error(), int(QMediaPlayer::NoError));
        item.play();
        QTRY_VERIFY_WITH_TIMEOUT(surface.count(QStringLiteral("present")) >= 3, timeout);
        QTRY_COMPARE_WITH_TIMEOUT(item.mediaStatus(), int(QMediaPlayer::EndOfMedia), timeout);
#endif
    }

    void destroyedWhilePlaying()
    {
        RecordingSurface surface;
        QScopedPointer<Sonolux> item(new Sonolux);
        item->setMuted(true);
        item->setVideoSurface(&surface);
        item->setLoops(-1);
        item->setSource(m_tone);
        item->play();
        QTRY_VERIFY_WITH_TIMEOUT(surface.count(QStringLiteral("present")) >= 2, timeout);

        // The surface is not the item's: it is left running as it was.
        item.reset();
        QVERIFY(surface.isActive());
        QCOMPARE(surface.count(QStringLiteral("stop")), 0);
        const int presented = surface.count(QStringLiteral("present"));
        QCoreApplication::processEvents();
        QCOMPARE(surface.count(QStringLiteral("present")), presented);
    }
};

QTEST_MAIN(TestSonoluxPlayer)

#include "tst_sonoluxplayer.moc"
