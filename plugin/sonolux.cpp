#include "sonolux.h"

#include "fft.h"
#include "hammingwindow.h"
#include "samplereader.h"
#include "spectrumscale.h"

#include <QAbstractVideoSurface>
#include <QAudioProbe>
#include <QDebug>
#include <QImage>
#include <QMediaPlayer>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <cmath>
#include <utility>
#include <vector>

Sonolux::Sonolux(QQuickItem *parent)
    : QQuickItem(parent)
    , m_player(new QMediaPlayer(this))
    , m_probe(new QAudioProbe(this))
    , m_formatPending(true)
    , m_channelCount(0)
    , m_frameCount(0)
    , m_sampleCount(0)
    , m_spectrumBins(0)
    , m_fft(new Fft(883))
{
    // Probed buffers may come from a decoder thread and are queued into this one.
    qRegisterMetaType<QAudioBuffer>();

    m_probe->setSource(m_player);
    connect(m_probe, &QAudioProbe::audioBufferProbed, this, &Sonolux::processAudioBuffer);

    connect(m_player, &QMediaPlayer::volumeChanged, this, &Sonolux::volumeChanged);
    connect(m_player, &QMediaPlayer::durationChanged, this, &Sonolux::durationChanged);
    connect(m_player, &QMediaPlayer::positionChanged, this, &Sonolux::positionChanged);
    connect(m_player, &QMediaPlayer::stateChanged, this, &Sonolux::mediaplayerStateChanged);
    connect(m_player, &QMediaPlayer::mutedChanged, this, &Sonolux::mutedChanged);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            if (m_loops == -1) {
                m_player->play();
            } else if (m_loops > 0) {
                // Counted down quietly: QML sees the number of repeats it asked for.
                --m_loops;
                m_player->play();
            }
        }
        emit mediaStatusChanged();
    });
    connect(m_player, &QMediaPlayer::bufferStatusChanged, this, &Sonolux::bufferStatusChanged);
    // Errors may be raised in a back-end thread; they are passed on right there.
    connect(
        m_player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), m_player, [this]() { emit errorChanged(); },
        Qt::DirectConnection);
}

Sonolux::~Sonolux()
{
    m_player->stop();
    delete m_player;
    m_player = nullptr;
    m_probe->setSource(static_cast<QMediaObject *>(nullptr));
    m_probe->deleteLater();
    delete m_fft;
    m_fft = nullptr;
}

QAbstractVideoSurface *Sonolux::videoSurface() const
{
    return m_surface;
}

void Sonolux::setVideoSurface(QAbstractVideoSurface *surface)
{
    if (m_surface == surface)
        return;
    m_surface = surface;
    emit videoSurfaceChanged();
}

QUrl Sonolux::source() const
{
    return m_source;
}

void Sonolux::setSource(const QUrl &url)
{
    if (url == m_source)
        return;
    m_formatPending = true;
    m_source = url;
    m_player->stop();
    m_player->setMedia(QMediaContent(url), nullptr);
    if (m_autoPlay) {
        m_player->play();
        qDebug() << ">>>>>>begin play, probe active=" << m_probe->isActive();
    }
    emit sourceChanged();
}

int Sonolux::volume() const
{
    return m_player->volume();
}

void Sonolux::setVolume(int value)
{
    if (value == m_player->volume())
        return;
    m_player->setVolume(value);
    emit volumeChanged();
}

int Sonolux::duration() const
{
    return int(m_player->duration());
}

int Sonolux::position() const
{
    return int(m_player->position());
}

void Sonolux::setPosition(int value)
{
    const qint64 position = value;
    if (position == m_player->position())
        return;
    m_player->setPosition(position);
    emit positionChanged();
}

int Sonolux::playStatus() const
{
    return int(m_player->state());
}

int Sonolux::mediaStatus() const
{
    return int(m_player->mediaStatus());
}

int Sonolux::bufferStatus() const
{
    return m_player->bufferStatus();
}

int Sonolux::error() const
{
    return int(m_player->error());
}

int Sonolux::loops() const
{
    return m_loops;
}

void Sonolux::setLoops(int value)
{
    if (value == m_loops)
        return;
    m_loops = value;
    emit loopsChanged();
}

bool Sonolux::autoPlay() const
{
    return m_autoPlay;
}

void Sonolux::setAutoPlay(bool value)
{
    if (value == m_autoPlay)
        return;
    m_autoPlay = value;
    emit autoPlayChanged();
}

bool Sonolux::muted() const
{
    return m_player->isMuted();
}

void Sonolux::setMuted(bool value)
{
    // mutedChanged comes back through the player's own signal.
    if (value != m_player->isMuted())
        m_player->setMuted(value);
}

void Sonolux::play()
{
    m_player->play();
    qDebug() << ">>>>>>begin play, probe active=" << m_probe->isActive();
}

void Sonolux::pause()
{
    m_player->pause();
}

void Sonolux::stop()
{
    m_player->stop();
}

void Sonolux::mediaplayerStateChanged()
{
    emit playStatusChanged();
}

void Sonolux::startSurface()
{
    const QVideoSurfaceFormat format(QSize(frameWidth, frameHeight), QVideoFrame::Format_ARGB32,
                                     QAbstractVideoBuffer::NoHandle);
    if (m_surface && m_surface->isActive())
        m_surface->stop();
    if (m_surface)
        m_surface->start(format);
}

int Sonolux::waveformColumn(int sample) const
{
    const int n = qRound(double(m_sampleCount) / m_channelCount);
    if (n <= 0)
        return frameWidth;
    const double x = double(sample) / m_channelCount * 512.0 / n;
    return x < frameWidth ? int(x) : frameWidth;
}

void Sonolux::tabulateWaveformColumns()
{
    // The column of a sample depends only on the counts recorded for the source;
    // working them out once saves two divisions per sample on every buffer.
    constexpr int maxTabulated = 1 << 16;
    m_waveformColumns.resize(size_t(qBound(0, m_sampleCount, maxTabulated)));
    for (size_t i = 0; i < m_waveformColumns.size(); ++i)
        m_waveformColumns[i] = quint16(waveformColumn(int(i)));
}

void Sonolux::processAudioBuffer(QAudioBuffer buffer)
{
    if (!m_surface)
        return;

    const QAudioFormat format = buffer.format();
    const int channels = format.channelCount();
    if (channels <= 0) {
        // Nothing to split into channels; an invalid format reads as -1 channels.
        qDebug() << ">>>>>>dropped audio buffer, channels:" << channels;
        return;
    }
    const SampleReader reader(format);
    if (!reader.isValid()) {
        qDebug() << ">>>>>>dropped audio buffer, sample format:" << format.sampleType() << format.sampleSize();
        return;
    }

    if (m_formatPending) {
        if (buffer.frameCount() <= 0) {
            // Recording an empty buffer's counts would leave the frame dark until the
            // next source change; wait for one that holds audio.
            qDebug() << ">>>>>>dropped empty audio buffer";
            return;
        }
        m_channelCount = channels;
        m_frameCount = buffer.frameCount();
        m_sampleCount = buffer.sampleCount();
        m_formatPending = false;
        m_spectrumBins = m_frameCount / 2;
        startSurface();
        tabulateWaveformColumns();
        qDebug() << ">>>>>>>>>>>>>>>>>>sample:" << m_sampleCount << ",frameCount:" << m_frameCount
                 << ",channels:" << m_channelCount;
    }

    const int n = qRound(double(m_sampleCount) / m_channelCount);

    // The counts recorded for this source lay out the frame; a shorter buffer only
    // fills what it holds, a longer one is read up to the recorded count.
    int sampleCount = qMin(m_sampleCount, buffer.sampleCount());
    sampleCount = qMin(sampleCount, buffer.byteCount() / reader.bytesPerSample());
    if (!buffer.constData() || sampleCount < 0 || n <= 0)
        sampleCount = 0;

    QImage image(frameWidth, frameHeight, QImage::Format_ARGB32);
    image.fill(Qt::black);

    std::vector<double> values(static_cast<size_t>(sampleCount));
    if (sampleCount > 0)
        reader.read(buffer.constData(), sampleCount, values.data());

    std::vector<double> even(static_cast<size_t>(sampleCount + 1) / 2);
    std::vector<double> odd(static_cast<size_t>(sampleCount) / 2);

    auto *waveform0 = reinterpret_cast<QRgb *>(image.scanLine(2));
    auto *waveform1 = reinterpret_cast<QRgb *>(image.scanLine(3));
    const int tabulated = qMin(sampleCount, int(m_waveformColumns.size()));
    for (int i = 0; i < sampleCount; ++i) {
        const double v = values[size_t(i)];
        const int x = i < tabulated ? m_waveformColumns[size_t(i)] : waveformColumn(i);
        const QRgb colour = qRgba(qRound(std::abs(v) * 255.0), 0, 0, 255);
        if (i % 2 == 0) {
            if (x < frameWidth)
                waveform0[x] = colour;
            even[size_t(i / 2)] = v;
        } else {
            if (x < frameWidth)
                waveform1[x] = colour;
            odd[size_t(i / 2)] = v;
        }
    }

    applyHammingWindow(even, int(even.size()));
    applyHammingWindow(odd, int(odd.size()));

    // The transform reuses one output array, so the left result is copied out
    // before the right one is written into it.
    const std::vector<Fft::Complex> left = m_fft->transform(std::move(even), m_spectrumBins);
    const std::vector<Fft::Complex> &right = m_fft->transform(std::move(odd), m_spectrumBins);

    if (int(left.size()) != m_spectrumBins)
        qDebug() << "m_spectrumBins:" << m_spectrumBins << ",fft_out_l:" << int(left.size());
    if (int(right.size()) != m_spectrumBins)
        qDebug() << "m_spectrumBins:" << m_spectrumBins << ",fft_out_r:" << int(right.size());

    auto *spectrum0 = reinterpret_cast<QRgb *>(image.scanLine(0));
    auto *spectrum1 = reinterpret_cast<QRgb *>(image.scanLine(1));
    const int bins = qMin(m_spectrumBins, int(qMin(left.size(), right.size())));
    if (n > 0) {
        for (int k = 0; k < bins; ++k) {
            const double x = 2.0 * k / n * 512.0;
            if (!(x < frameWidth))
                break;
            // Bins sharing a column overwrite one another; only the last one shows.
            if (k + 1 < bins) {
                const double next = 2.0 * (k + 1) / n * 512.0;
                if (next < frameWidth && int(next) == int(x))
                    continue;
            }
            const Fft::Complex &l = left[size_t(k)];
            const Fft::Complex &r = right[size_t(k)];
            spectrum0[int(x)] = qRgba(spectrumRed(l.real(), l.imag(), m_spectrumBins), 0, 0, 255);
            spectrum1[int(x)] = qRgba(spectrumRed(r.real(), r.imag(), m_spectrumBins), 0, 0, 255);
        }
    }

    if (m_surface)
        m_surface->present(QVideoFrame(image));
}
