#include "samplereader.h"

#include <QtEndian>

#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

template<typename T> T load(const unsigned char *p, bool swap)
{
    T value;
    std::memcpy(&value, p, sizeof(T));
    return swap ? qbswap(value) : value;
}

// A packed three-byte sample as an unsigned value 0 .. 2^24 - 1; swapped, it is in the
// byte order that is not this machine's.
template<bool Swap> quint32 load24(const unsigned char *p)
{
    constexpr bool littleEndian = (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) != Swap;
    return littleEndian ? quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16
                        : quint32(p[2]) | quint32(p[1]) << 8 | quint32(p[0]) << 16;
}

double clippedFloat(double f)
{
    const double v = f / 2.0;
    if (v > 0.5)
        return 0.5;
    if (v < -0.5)
        return -0.5;
    return v == v ? v : 0.0;
}

} // namespace

SampleReader::SampleReader(const QAudioFormat &format)
{
    const QAudioFormat::SampleType type = format.sampleType();
    switch (format.sampleSize()) {
    case 8:
        if (type == QAudioFormat::UnSignedInt)
            m_encoding = Encoding::UInt8;
        else if (type == QAudioFormat::SignedInt)
            m_encoding = Encoding::Int8;
        break;
    case 16:
        if (type == QAudioFormat::UnSignedInt)
            m_encoding = Encoding::UInt16;
        else if (type == QAudioFormat::SignedInt)
            m_encoding = Encoding::Int16;
        break;
    case 24:
        if (type == QAudioFormat::UnSignedInt)
            m_encoding = Encoding::UInt24;
        else if (type == QAudioFormat::SignedInt)
            m_encoding = Encoding::Int24;
        break;
    case 32:
        if (type == QAudioFormat::UnSignedInt)
            m_encoding = Encoding::UInt32;
        else if (type == QAudioFormat::SignedInt)
            m_encoding = Encoding::Int32;
        else if (type == QAudioFormat::Float)
            m_encoding = Encoding::Float32;
        break;
    case 64:
        if (type == QAudioFormat::Float)
            m_encoding = Encoding::Float64;
        break;
    default: break;
    }
    if (m_encoding != Encoding::Unsupported)
        m_bytesPerSample = format.sampleSize() / 8;
    const QAudioFormat::Endian native
        = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QAudioFormat::LittleEndian : QAudioFormat::BigEndian;
    m_swap = m_bytesPerSample > 1 && format.byteOrder() != native;
}

QString SampleReader::describe(const QAudioFormat &format)
{
    QString type;
    switch (format.sampleType()) {
    case QAudioFormat::SignedInt: type = QStringLiteral("signed"); break;
    case QAudioFormat::UnSignedInt: type = QStringLiteral("unsigned"); break;
    case QAudioFormat::Float: type = QStringLiteral("float"); break;
    case QAudioFormat::Unknown: type = QStringLiteral("unknown type"); break;
    }
    return QStringLiteral("%1-bit %2, %3")
        .arg(format.sampleSize())
        .arg(type,
             format.byteOrder() == QAudioFormat::BigEndian ? QStringLiteral("big-endian")
                                                           : QStringLiteral("little-endian"));
}

namespace {

template<bool Swap> void readSamples(SampleReader::Encoding encoding, const unsigned char *p, int count, double *out)
{
    switch (encoding) {
    case SampleReader::Encoding::UInt8:
        for (int i = 0; i < count; ++i)
            out[i] = (int(p[i]) - 128) / 256.0;
        break;
    case SampleReader::Encoding::Int8:
        for (int i = 0; i < count; ++i)
            out[i] = static_cast<qint8>(p[i]) / 256.0;
        break;
    case SampleReader::Encoding::UInt16:
        for (int i = 0; i < count; ++i)
            out[i] = load<quint16>(p + 2 * i, Swap) / 65535.0 - 0.5;
        break;
    case SampleReader::Encoding::Int16:
        for (int i = 0; i < count; ++i)
            out[i] = qint16(load<quint16>(p + 2 * i, Swap)) / 65536.0;
        break;
    case SampleReader::Encoding::UInt24:
        for (int i = 0; i < count; ++i)
            out[i] = (int(load24<Swap>(p + 3 * i)) - 8388608) / 16777216.0;
        break;
    case SampleReader::Encoding::Int24:
        for (int i = 0; i < count; ++i) {
            const int u = int(load24<Swap>(p + 3 * i));
            out[i] = (u & 0x800000 ? u - 16777216 : u) / 16777216.0;
        }
        break;
    case SampleReader::Encoding::UInt32:
        for (int i = 0; i < count; ++i)
            out[i] = (double(load<quint32>(p + 4 * i, Swap)) - 2147483648.0) / 4294967296.0;
        break;
    case SampleReader::Encoding::Int32:
        for (int i = 0; i < count; ++i)
            out[i] = qint32(load<quint32>(p + 4 * i, Swap)) / 4294967296.0;
        break;
    case SampleReader::Encoding::Float32:
        for (int i = 0; i < count; ++i) {
            const quint32 bits = load<quint32>(p + 4 * i, Swap);
            float f;
            std::memcpy(&f, &bits, sizeof f);
            out[i] = clippedFloat(double(f));
        }
        break;
    case SampleReader::Encoding::Float64:
        for (int i = 0; i < count; ++i) {
            const quint64 bits = load<quint64>(p + 8 * i, Swap);
            double f;
            std::memcpy(&f, &bits, sizeof f);
            out[i] = clippedFloat(f);
        }
        break;
    case SampleReader::Encoding::Unsupported: break;
    }
}

} // namespace

void SampleReader::read(const void *data, int count, double *out) const
{
    // One loop per layout and byte order, so the common case compiles to a plain
    // conversion loop.
    const auto *p = static_cast<const unsigned char *>(data);
    if (m_swap)
        readSamples<true>(m_encoding, p, count, out);
    else
        readSamples<false>(m_encoding, p, count, out);
}

void SampleReader::readChannels(const void *data, int frames, int channels, int keep, double *out) const
{
    if (keep == channels) {
        read(data, frames * channels, out);
        return;
    }
    const auto *p = static_cast<const unsigned char *>(data);
    const int stride = channels * m_bytesPerSample;
    for (int f = 0; f < frames; ++f)
        read(p + std::ptrdiff_t(f) * stride, keep, out + std::ptrdiff_t(f) * keep);
}
