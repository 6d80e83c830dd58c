#include "eventframes.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#if defined(Q_OS_LINUX)
#include <linux/input.h>
#else
// The same records on systems without Linux's headers, so the parser can read
// recordings anywhere.
struct input_event
{
    struct
    {
        long tv_sec;
        long tv_usec;
    } time;
    unsigned short type;
    unsigned short code;
    int value;
};
#define EV_SYN 0x00
#define EV_KEY 0x01
#define EV_REL 0x02
#define EV_ABS 0x03
#define SYN_REPORT 0
#define SYN_DROPPED 3
#endif

#ifndef input_event_sec
#define input_event_sec time.tv_sec
#define input_event_usec time.tv_usec
#endif

namespace joyvant {

const int EventFrameParser::RecordSize = int(sizeof(input_event));

QByteArray eventRecord(qint64 us, int type, int code, int value)
{
    input_event event {};
    event.input_event_sec = decltype(event.input_event_sec)(us / 1000000);
    event.input_event_usec = decltype(event.input_event_usec)(us % 1000000);
    event.type = quint16(type);
    event.code = quint16(code);
    event.value = value;
    return QByteArray(reinterpret_cast<const char *>(&event), sizeof(event));
}

EventFrameParser::EventFrameParser(FrameHandler handler)
    : m_handler(std::move(handler))
{
}

void EventFrameParser::reset()
{
    m_partial.clear();
    m_changed = m_dropping = m_afterDrop = false;
    m_frames = 0;
    m_keySeen.fill(false);
    m_axisSeen.fill(false);
}

void EventFrameParser::feed(const char *data, qint64 size)
{
    if (!m_partial.isEmpty()) {
        const qint64 missing = qMin<qint64>(RecordSize - m_partial.size(), size);
        m_partial.append(data, int(missing));
        data += missing;
        size -= missing;
        if (m_partial.size() < RecordSize)
            return;
        record(m_partial.constData());
        m_partial.clear();
    }
    for (; size >= RecordSize; data += RecordSize, size -= RecordSize)
        record(data);
    if (size > 0)
        m_partial.append(data, int(size));
}

void EventFrameParser::record(const char *data)
{
    input_event event;
    std::memcpy(&event, data, sizeof(event));
    if (event.type == EV_SYN) {
        if (event.code == SYN_DROPPED) {
            m_dropping = true;
            m_changed = false;
            m_keySeen.fill(false);
            m_axisSeen.fill(false);
        } else if (event.code == SYN_REPORT) {
            if (m_dropping) {
                // The end of the frame whose events were lost.
                m_dropping = false;
                m_afterDrop = true;
                return;
            }
            EventFrame frame;
            frame.timeNs = qint64(event.input_event_sec) * 1000000000 + qint64(event.input_event_usec) * 1000;
            frame.changed = m_changed;
            frame.afterDrop = m_afterDrop;
            m_changed = m_afterDrop = false;
            ++m_frames;
            m_handler(frame);
        }
        return;
    }
    if (m_dropping)
        return;
    auto remember = [this, &event](auto &values, auto &seen) {
        if (event.code >= values.size())
            return;
        if (!seen[event.code] || values[event.code] != event.value)
            m_changed = true;
        seen[event.code] = true;
        values[event.code] = event.value;
    };
    switch (event.type) {
    case EV_KEY: remember(m_keys, m_keySeen); break;
    case EV_ABS: remember(m_axes, m_axisSeen); break;
    case EV_REL:
        if (event.value != 0)
            m_changed = true;
        break;
    default: break; // time stamps, scan codes and the like change no input
    }
}

EventFrameReader::EventFrameReader(int fd, Ownership ownership, EventFrameParser::FrameHandler handler, QObject *parent)
    : QObject(parent)
    , m_fd(fd)
    , m_ownership(ownership)
    , m_parser(std::move(handler))
{
    if (m_fd < 0)
        return;
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EventFrameReader::readAvailable);
}

EventFrameReader::~EventFrameReader()
{
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_fd >= 0 && m_ownership == TakeOwnership)
        ::close(m_fd);
}

void EventFrameReader::readAvailable()
{
    // Whole records at a time as far as the buffer goes; an event device never hands
    // out part of one, a pipe may.
    char buffer[64 * 24];
    while (m_fd >= 0) {
        const ssize_t got = ::read(m_fd, buffer, sizeof(buffer));
        if (got > 0) {
            m_parser.feed(buffer, got);
            continue;
        }
        if (got == 0) {
            finish(QString());
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            finish(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
}

void EventFrameReader::finish(const QString &error)
{
    m_truncated = m_parser.pendingBytes() > 0;
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_ownership == TakeOwnership)
        ::close(m_fd);
    m_fd = -1;
    emit closed(error);
}

} // namespace joyvant
