#pragma once

#include "spectrumscale.h"

#include <QAudioBuffer>
#include <QImage>
#include <QPointer>
#include <QQuickItem>
#include <QUrl>

#include <vector>

class Fft;
class QAbstractVideoSurface;
class QAudioProbe;
class QMediaPlayer;

// A media player for QML that publishes the spectrum and waveform of what it plays.
//
// Every decoded audio buffer is turned into one 512 x 4 ARGB32 frame (red only):
// row 0 and 1 the log-scaled spectrum of the even and odd samples (left and right of
// stereo), rows 2 and 3 their waveform magnitude. Frames go to the video surface that
// a VideoOutput writes into `videoSurface` when its source is this item.
//
// A local source that exists but is not a regular file (a named pipe, socket, device
// or folder) is refused before the player sees it, since opening a pipe would block
// the GUI thread: `error` reads ResourceError, `errorString` says why, `mediaStatus`
// reads InvalidMedia and play() does nothing until another source is set.
//
// Audio of any channel count and sample rate is drawn: mono fills both rows with
// alternate samples, more than two channels give their first two. Audio in a sample
// layout that cannot be read plays without frames: `error` reads FormatError and
// `errorString` names the layout, until the source changes.
class Sonolux : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QAbstractVideoSurface *videoSurface READ videoSurface WRITE setVideoSurface NOTIFY videoSurfaceChanged)
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int volume READ volume WRITE setVolume NOTIFY volumeChanged)
    Q_PROPERTY(int duration READ duration NOTIFY durationChanged)
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int playStatus READ playStatus NOTIFY playStatusChanged)
    Q_PROPERTY(int mediaStatus READ mediaStatus NOTIFY mediaStatusChanged)
    Q_PROPERTY(int bufferStatus READ bufferStatus NOTIFY bufferStatusChanged)
    Q_PROPERTY(int error READ error NOTIFY errorChanged)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorChanged)
    Q_PROPERTY(int loops READ loops WRITE setLoops NOTIFY loopsChanged)
    Q_PROPERTY(bool autoPlay READ autoPlay WRITE setAutoPlay NOTIFY autoPlayChanged)
    Q_PROPERTY(bool muted READ muted WRITE setMuted NOTIFY mutedChanged)

public:
    static constexpr int frameWidth = 512;
    static constexpr int frameHeight = 4;

    explicit Sonolux(QQuickItem *parent = nullptr);
    ~Sonolux() override;

    QAbstractVideoSurface *videoSurface() const;
    void setVideoSurface(QAbstractVideoSurface *surface);

    QUrl source() const;
    void setSource(const QUrl &url);

    int volume() const;
    void setVolume(int value);

    int duration() const;

    int position() const;
    void setPosition(int value);

    int playStatus() const;
    int mediaStatus() const;
    int bufferStatus() const;
    int error() const;
    QString errorString() const;

    int loops() const;
    void setLoops(int value);

    bool autoPlay() const;
    void setAutoPlay(bool value);

    bool muted() const;
    void setMuted(bool value);

signals:
    void videoSurfaceChanged();
    void sourceChanged();
    void volumeChanged();
    void durationChanged();
    void positionChanged();
    void mediaStatusChanged();
    void playStatusChanged();
    void errorChanged();
    void bufferStatusChanged();
    void loopsChanged();
    void autoPlayChanged();
    void mutedChanged();

private slots:
    void processAudioBuffer(QAudioBuffer buffer);
    void mediaplayerStateChanged();

public slots:
    void play();
    void pause();
    void stop();

private:
    void reportUnreadable(const QAudioFormat &format);
    void startSurface();
    int waveformColumn(int sample) const;
    void prepareLayout();

    QMediaPlayer *m_player;
    QAudioProbe *m_probe;
    bool m_formatPending;
    int m_channelCount;
    int m_frameCount;
    int m_sampleCount;
    int m_spectrumBins;
    Fft *m_fft;
    // Channels and samples per buffer that the frame is drawn from: all of mono and
    // stereo, the first two channels of more.
    int m_drawnChannels;
    int m_drawnSamples;
    // The surface belongs to the VideoOutput that set it and may go away first.
    QPointer<QAbstractVideoSurface> m_surface;
    QUrl m_source;
    int m_loops = 0;
    bool m_autoPlay = false;
    // Waveform column (frameWidth when off the frame) of each sample index of the
    // recorded layout, filled when the format is read.
    std::vector<quint16> m_waveformColumns;

    // Working buffers kept from buffer to buffer, and what the recorded layout allows
    // to skip: the last sample (by index) and the last bin of each column, the only
    // ones that show.
    struct VisibleBin
    {
        int k;
        int x;
    };
    QImage m_frame;
    std::vector<double> m_values;
    std::vector<double> m_evenWindow;
    std::vector<double> m_oddWindow;
    std::vector<int> m_visibleSamples;
    std::vector<VisibleBin> m_visibleBins;
    SpectrumScale m_scale;
    // Why the current source was refused without handing it to the player (a local
    // path that is not a regular file); empty when it was not.
    QString m_refusal;
    // Why the audio of the current source gives no frames (a sample layout that cannot
    // be read); empty while it can be.
    QString m_formatError;
};
