#include "samplereader.h"

#include <QtEndian>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

template<typename T>
T load(const unsigned char *p, bool swap)
{
    T value;
    std::memcpy(&value, p, sizeof(T));
    return swap ? qbswap(value) : value;
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
    default:
        break;
    }
    if (m_encoding != Encoding::Unsupported)
        m_bytesPerSample = format.sampleSize() / 8;
    const QAudioFormat::Endian native =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QAudioFormat::LittleEndian : QAudioFormat::BigEndian;
    m_swap = m_bytesPerSample > 1 && format.byteOrder() != native;
}

void SampleReader::read(const void *data, int count, double *out) const
{
    const auto *p = static_cast<const unsigned char *>(data);
    const int step = m_bytesPerSample;
    switch (m_encoding) {
    case Encoding::Unsupported:
        break;
    case Encoding::UInt8:
        for (int i = 0; i < count; ++i)
            out[i] = (int(p[i]) - 128) / 256.0;
        break;
    case Encoding::Int8:
        for (int i = 0; i < count; ++i)
            out[i] = static_cast<std::int8_t>(p[i]) / 256.0;
        break;
    case Encoding::UInt16:
        for (int i = 0; i < count; ++i)
            out[i] = load<std::uint16_t>(p + i * step, m_swap) / 65535.0 - 0.5;
        break;
    case Encoding::Int16:
        for (int i = 0; i < count; ++i)
            out[i] = load<std::int16_t>(p + i * step, m_swap) / 65536.0;
        break;
    case Encoding::UInt32:
        for (int i = 0; i < count; ++i)
            out[i] = (double(load<std::uint32_t>(p + i * step, m_swap)) - 2147483648.0) / 4294967296.0;
        break;
    case Encoding::Int32:
        for (int i = 0; i < count; ++i)
            out[i] = load<std::int32_t>(p + i * step, m_swap) / 4294967296.0;
        break;
    case Encoding::Float32:
        for (int i = 0; i < count; ++i) {
            const std::uint32_t bits = load<std::uint32_t>(p + i * step, m_swap);
            float f;
            std::memcpy(&f, &bits, sizeof f);
            out[i] = clippedFloat(double(f));
        }
        break;
    case Encoding::Float64:
        for (int i = 0; i < count; ++i) {
            const std::uint64_t bits = load<std::uint64_t>(p + i * step, m_swap);
            double f;
            std::memcpy(&f, &bits, sizeof f);
            out[i] = clippedFloat(f);
        }
        break;
    }
}
