#include "sonolux.h"

#include "fft.h"
#include "samplereader.h"
#include "spectrumscale.h"
#include "vectorstate.h"

#include <QAbstractVideoSurface>
#include <QAudioProbe>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMediaPlayer>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

#include <algorithm>
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
    , m_drawnChannels(0)
    , m_drawnSamples(0)
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

namespace {

// Why a local source cannot be played safely; empty for anything the player may try.
// Missing files are left to the player, which reports them as errors of its own.
QString refusalOf(const QUrl &url)
{
    if (!url.isLocalFile())
        return QString();
    const QFileInfo info(url.toLocalFile());
    if (!info.exists() || info.isFile())
        return QString();
    return QStringLiteral("\"%1\" is not a regular file").arg(QDir::toNativeSeparators(info.absoluteFilePath()));
}

} // namespace

void Sonolux::setSource(const QUrl &url)
{
    if (url == m_source)
        return;
    m_formatPending = true;
    m_source = url;
    const bool wasRefused = !m_refusal.isEmpty();
    const bool hadError = wasRefused || !m_formatError.isEmpty();
    m_formatError.clear();
    m_refusal = refusalOf(url);
    const bool refused = !m_refusal.isEmpty();
    if (refused)
        qWarning().noquote() << "Sonolux: source refused:" << m_refusal;
    m_player->stop();
    // A refused source leaves the player empty, so nothing of the last one plays on.
    m_player->setMedia(refused ? QMediaContent() : QMediaContent(url), nullptr);
    if (refused || hadError)
        emit errorChanged();
    if (refused || wasRefused)
        emit mediaStatusChanged();
    if (m_autoPlay && !refused) {
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
    return m_refusal.isEmpty() ? int(m_player->mediaStatus()) : int(QMediaPlayer::InvalidMedia);
}

int Sonolux::bufferStatus() const
{
    return m_player->bufferStatus();
}

int Sonolux::error() const
{
    if (!m_refusal.isEmpty())
        return int(QMediaPlayer::ResourceError);
    if (m_player->error() == QMediaPlayer::NoError && !m_formatError.isEmpty())
        return int(QMediaPlayer::FormatError);
    return int(m_player->error());
}

QString Sonolux::errorString() const
{
    if (!m_refusal.isEmpty())
        return m_refusal;
    if (m_player->error() == QMediaPlayer::NoError && !m_formatError.isEmpty())
        return m_formatError;
    return m_player->errorString();
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
    if (m_refusal.isEmpty())
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

void Sonolux::reportUnreadable(const QAudioFormat &format)
{
    // The music plays on; only the frames stay away. Said once per source, as every
    // buffer of it comes in the same layout.
    if (!m_formatError.isEmpty())
        return;
    m_formatError = QStringLiteral("audio samples of %1 cannot be read").arg(SampleReader::describe(format));
    qWarning().noquote() << "Sonolux:" << m_formatError;
    emit errorChanged();
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
    const int n = qRound(double(m_drawnSamples) / m_drawnChannels);
    if (n <= 0)
        return frameWidth;
    const double x = double(sample) / m_drawnChannels * 512.0 / n;
    return x < frameWidth ? int(x) : frameWidth;
}

void Sonolux::prepareLayout()
{
    // The column of a sample depends only on the counts recorded for the source;
    // working them out once saves two divisions per sample on every buffer.
    constexpr int maxTabulated = 1 << 16;
    m_waveformColumns.resize(size_t(qBound(0, m_drawnSamples, maxTabulated)));
    for (size_t i = 0; i < m_waveformColumns.size(); ++i)
        m_waveformColumns[i] = quint16(waveformColumn(int(i)));

    // Samples and bins that share a column overwrite one another, so only the last
    // of each column shows: a buffer of the recorded length draws just those.
    std::vector<int> lastSample(2 * frameWidth, -1);
    for (int i = 0; i < m_drawnSamples; ++i) {
        const int x = i < maxTabulated ? m_waveformColumns[size_t(i)] : waveformColumn(i);
        if (x < frameWidth)
            lastSample[size_t((i & 1) * frameWidth + x)] = i;
    }
    m_visibleSamples.clear();
    for (int i : lastSample) {
        if (i >= 0)
            m_visibleSamples.push_back(i);
    }

    m_visibleBins.clear();
    const int n = qRound(double(m_drawnSamples) / m_drawnChannels);
    for (int k = 0; n > 0 && k < m_spectrumBins; ++k) {
        const double x = 2.0 * k / n * 512.0;
        if (!(x < frameWidth))
            break;
        if (k + 1 < m_spectrumBins) {
            const double next = 2.0 * (k + 1) / n * 512.0;
            if (next < frameWidth && int(next) == int(x))
                continue;
        }
        m_visibleBins.push_back({k, int(x)});
    }
    m_scale.setBins(m_spectrumBins);
}

namespace {

void hammingCoefficients(std::vector<double> &window, int count)
{
    if (int(window.size()) == count)
        return;
    window.resize(size_t(count));
    for (int k = 0; k < count; ++k)
        window[size_t(k)] = 0.54 - 0.46 * std::cos(6.283185307179586 * k / count);
}

inline QRgb waveformColour(double v)
{
    return qRgba(qRound(std::abs(v) * 255.0), 0, 0, 255);
}

// Coefficient k of the DFT of `length` real samples from its first half (FFTW's
// output), by conjugate symmetry and the period `length`; 0 when there is no input.
inline Fft::Complex coefficient(const Fft::Complex *half, int length, int k)
{
    if (!half)
        return Fft::Complex();
    const int folded = k < length ? k : k % length;
    return folded <= length / 2 ? half[folded] : std::conj(half[length - folded]);
}

} // namespace

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
        reportUnreadable(format);
        return;
    }
    // Of more than two channels the first two are drawn: front left and right in the
    // channel order of WAV files and of GStreamer alike. Mixing the others in would
    // blur the two rows with centre, surround and effect channels.
    const int keep = qMin(channels, 2);

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
        m_drawnChannels = keep;
        m_drawnSamples = m_frameCount * keep;
        m_formatPending = false;
        m_spectrumBins = m_frameCount / 2;
        startSurface();
        prepareLayout();
        qDebug() << ">>>>>>>>>>>>>>>>>>sample:" << m_sampleCount << ",frameCount:" << m_frameCount
                 << ",channels:" << m_channelCount;
    }

    const int n = qRound(double(m_drawnSamples) / m_drawnChannels);

    // The counts recorded for this source lay out the frame; a shorter buffer only
    // fills what it holds, a longer one is read up to the recorded count.
    const qint64 frameBytes = qint64(reader.bytesPerSample()) * channels;
    const int frames = int(qMin(qint64(buffer.frameCount()), buffer.byteCount() / frameBytes));
    int sampleCount = qMin(m_drawnSamples, frames * keep);
    if (!buffer.constData() || sampleCount < 0 || n <= 0)
        sampleCount = 0;
    // Whole frames are read; a count cut inside a frame draws only its first samples.
    const int framesRead = (sampleCount + keep - 1) / keep;

    // Whatever ran before in this thread may have left wide vector state behind.
    clearUpperVectorState();

    // A frame the surface still holds is left to it; drawing starts on a fresh one
    // rather than on a copy of it.
    if (m_frame.isNull() || !m_frame.isDetached())
        m_frame = QImage(frameWidth, frameHeight, QImage::Format_ARGB32);
    auto *pixels = reinterpret_cast<QRgb *>(m_frame.bits());
    std::fill(pixels, pixels + frameWidth * frameHeight, qRgba(0, 0, 0, 255));
    QRgb *const spectrum[2] = {pixels, pixels + frameWidth};
    QRgb *const waveform[2] = {pixels + 2 * frameWidth, pixels + 3 * frameWidth};

    if (m_values.size() < size_t(framesRead) * size_t(keep))
        m_values.resize(size_t(framesRead) * size_t(keep));
    const double *values = m_values.data();
    if (sampleCount > 0)
        reader.readChannels(buffer.constData(), framesRead, channels, keep, m_values.data());

    // Waveform rows: even samples on row 2, odd ones on row 3.
    if (sampleCount == m_drawnSamples) {
        for (int i : m_visibleSamples)
            waveform[i & 1][m_waveformColumns.size() > size_t(i) ? m_waveformColumns[size_t(i)] : waveformColumn(i)]
                = waveformColour(values[i]);
    } else {
        const int tabulated = qMin(sampleCount, int(m_waveformColumns.size()));
        for (int i = 0; i < sampleCount; ++i) {
            const int x = i < tabulated ? m_waveformColumns[size_t(i)] : waveformColumn(i);
            if (x < frameWidth)
                waveform[i & 1][x] = waveformColour(values[i]);
        }
    }

    // The even and odd sample sequences, Hamming-windowed as they are split, go
    // straight into the transform's input arrays.
    const int evenCount = (sampleCount + 1) / 2;
    const int oddCount = sampleCount / 2;
    hammingCoefficients(m_evenWindow, evenCount);
    hammingCoefficients(m_oddWindow, oddCount);
    double *even = evenCount > 0 ? m_fft->input(evenCount, 0) : nullptr;
    double *odd = oddCount > 0 ? m_fft->input(oddCount, 1) : nullptr;
    const double *evenWindow = m_evenWindow.data();
    const double *oddWindow = m_oddWindow.data();
    for (int k = 0; k < oddCount; ++k) {
        even[k] = values[2 * k] * evenWindow[k];
        odd[k] = values[2 * k + 1] * oddWindow[k];
    }
    if (evenCount > oddCount)
        even[evenCount - 1] = values[2 * (evenCount - 1)] * evenWindow[evenCount - 1];

    const Fft::Complex *left = even ? m_fft->execute(evenCount, 0) : nullptr;
    const Fft::Complex *right = odd ? m_fft->execute(oddCount, 1) : nullptr;
    clearUpperVectorState();

    // Spectrum rows: only the bin that shows in each column goes through the scale.
    if (evenCount / 2 + 1 >= m_spectrumBins && oddCount / 2 + 1 >= m_spectrumBins) {
        for (const VisibleBin &bin : m_visibleBins) {
            spectrum[0][bin.x] = qRgba(left ? m_scale.red(left[bin.k].real(), left[bin.k].imag()) : 0, 0, 0, 255);
            spectrum[1][bin.x] = qRgba(right ? m_scale.red(right[bin.k].real(), right[bin.k].imag()) : 0, 0, 0, 255);
        }
    } else {
        for (const VisibleBin &bin : m_visibleBins) {
            const Fft::Complex l = coefficient(left, evenCount, bin.k);
            const Fft::Complex r = coefficient(right, oddCount, bin.k);
            spectrum[0][bin.x] = qRgba(m_scale.red(l.real(), l.imag()), 0, 0, 255);
            spectrum[1][bin.x] = qRgba(m_scale.red(r.real(), r.imag()), 0, 0, 255);
        }
    }

    if (m_surface)
        m_surface->present(QVideoFrame(m_frame));
}
