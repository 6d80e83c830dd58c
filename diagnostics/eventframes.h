#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <functional>

class QSocketNotifier;

namespace joyvant {

// One report frame of a Linux event device: the events up to and including a
// SYN_REPORT, with the kernel's time stamp of that SYN_REPORT.
struct EventFrame
{
    qint64 timeNs = 0; // the time stamp of the SYN_REPORT (microsecond resolution)
    bool changed = false; // a key, axis or relative value in it differs from before
    bool afterDrop = false; // the kernel dropped events just before it (SYN_DROPPED)
};

// One `struct input_event` record as the kernel writes it, stamped `us` microseconds:
// recordings for tests and tools.
QByteArray eventRecord(qint64 us, int type, int code, int value);

// Splits a stream of `struct input_event` records, as read from an event device, into
// frames. Bytes may come in any pieces; a record cut in two waits for its rest.
//
// A frame has `changed` set when it carries a key, absolute axis or relative axis event
// whose value differs from the last one seen for that code (a code's first value counts
// as a change; relative motion always does). Frames with time stamps, scan codes or
// repeated values only are reports in which nothing changed.
//
// SYN_DROPPED: the kernel's buffer ran over and events were lost. Everything up to the
// next SYN_REPORT is thrown away, the values seen so far are forgotten, and the next
// frame has `afterDrop` set.
class EventFrameParser
{
public:
    using FrameHandler = std::function<void(const EventFrame &)>;

    // The size of one record: `struct input_event` of this platform.
    static const int RecordSize;

    explicit EventFrameParser(FrameHandler handler);

    void feed(const char *data, qint64 size);
    // Bytes of a record still waiting for the rest of it.
    int pendingBytes() const { return int(m_partial.size()); }
    qint64 frames() const { return m_frames; }
    void reset();

private:
    void record(const char *data);

    FrameHandler m_handler;
    QByteArray m_partial;
    bool m_changed = false;
    bool m_dropping = false;
    bool m_afterDrop = false;
    qint64 m_frames = 0;
    // Last value per code, and whether there is one.
    std::array<int, 0x300> m_keys {};
    std::array<bool, 0x300> m_keySeen {};
    std::array<int, 0x40> m_axes {};
    std::array<bool, 0x40> m_axisSeen {};
};

// Reads a file descriptor without blocking, whenever it has data (QSocketNotifier), and
// feeds what comes to a parser. Works on any descriptor that can be polled: an event
// device, or a pipe in tests and tools.
//
// The descriptor ends when read() reports its end (a pipe whose writer closed) or an error
// (an event device whose pad was unplugged gives ENODEV): closed() tells why, and a
// record left cut short at the end makes `truncated` true. The reader closes the
// descriptor when it ends or goes if it owns it.
class EventFrameReader : public QObject
{
    Q_OBJECT
public:
    enum Ownership { TakeOwnership, BorrowDescriptor };

    EventFrameReader(int fd, Ownership ownership, EventFrameParser::FrameHandler handler, QObject *parent = nullptr);
    ~EventFrameReader() override;

    bool isOpen() const { return m_fd >= 0; }
    bool isTruncated() const { return m_truncated; }
    const EventFrameParser &parser() const { return m_parser; }
    // Reads everything the descriptor has now; also done whenever it signals data.
    void readAvailable();

signals:
    // The descriptor ended: `error` is empty at a plain end of the stream, else what
    // read() reported.
    void closed(const QString &error);

private:
    void finish(const QString &error);

    int m_fd;
    Ownership m_ownership;
    EventFrameParser m_parser;
    QSocketNotifier *m_notifier = nullptr;
    bool m_truncated = false;
};

} // namespace joyvant
