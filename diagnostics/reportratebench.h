#pragma once

#include "reportratestats.h"

#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantMap>

namespace joyvant {

class EventFrameReader;
class GamepadBackend;

// The report rate of the pad `deviceId`, measured on Linux from its event device (the
// path SDL gives), which is read beside SDL, read-only, while `active` is true. Every
// report frame's kernel time stamp (monotonic clock) goes into ReportRateStats; its
// figures are published at most every PublishIntervalMs. The user moves a stick to
// make the pad report.
//
// Where it cannot measure, `available` is false and `reason` says why in plain words
// (not Linux, no pad, no event device, no permission, the device went away); the
// figures measured so far stay until reset() or another device.
class ReportRateBench : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool available READ isAvailable NOTIFY availabilityChanged)
    Q_PROPERTY(QString reason READ reason NOTIFY availabilityChanged)
    Q_PROPERTY(QString path READ path NOTIFY availabilityChanged)

    Q_PROPERTY(bool measured READ isMeasured NOTIFY figuresChanged)
    Q_PROPERTY(int intervals READ intervals NOTIFY figuresChanged)
    Q_PROPERTY(double rate READ rate NOTIFY figuresChanged)
    Q_PROPERTY(int rateClass READ rateClass NOTIFY figuresChanged)
    Q_PROPERTY(QString rateClassText READ rateClassText NOTIFY figuresChanged)
    Q_PROPERTY(double medianInterval READ medianInterval NOTIFY figuresChanged)
    Q_PROPERTY(double jitter READ jitter NOTIFY figuresChanged)
    Q_PROPERTY(double longestGap READ longestGap NOTIFY figuresChanged)
    Q_PROPERTY(QVariantMap summary READ summary NOTIFY figuresChanged)

public:
    static constexpr int PublishIntervalMs = 250;

    explicit ReportRateBench(QObject *parent = nullptr);
    ~ReportRateBench() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    // True by default; the event device is open only while true.
    bool isActive() const { return m_active; }
    void setActive(bool active);
    bool isAvailable() const { return m_reason.isEmpty(); }
    QString reason() const { return m_reason; }
    // The event device read, empty when there is none.
    QString path() const { return m_path; }

    bool isMeasured() const { return m_figures.measured; }
    int intervals() const { return m_figures.intervals; }
    double rate() const { return m_figures.rateHz; }
    int rateClass() const { return m_figures.rateClass; }
    // "1000 Hz" and the like, "irregular", or empty before a measurement.
    QString rateClassText() const;
    // In milliseconds.
    double medianInterval() const { return m_figures.medianNs / 1e6; }
    double jitter() const { return m_figures.jitterNs / 1e6; }
    double longestGap() const { return m_figures.longestGapNs / 1e6; }
    // `available`, `reason` when not, `path`, and once measured `rateHz`, `rateClass`
    // (a number, 0 for irregular), `medianIntervalMs`, `jitterMs`, `longestGapMs`, `intervals`.
    QVariantMap summary() const;

    // Forgets the figures and measures afresh.
    Q_INVOKABLE void reset();
    // Publishes the figures now instead of at the next interval.
    Q_INVOKABLE void refresh();

    // Measures from an open descriptor carrying event records instead of the pad's event
    // device (tools and tests; it stands for the device until the next restart). Takes
    // ownership of `fd`.
    void measureDescriptor(int fd);
    // Opens `path` read-only and non-blocking as an event device with monotonic time
    // stamps: the descriptor, or -1 and why not in `reason`.
    static int openEventDevice(const QString &path, QString *reason);
    // SDL reads some pads through hidraw (its HIDAPI drivers); the kernel's driver for
    // the same HID device still turns the reports into event devices. The one with the
    // sticks: axes, and none of the input properties of a motion sensor, touchpad or
    // pointer. Its path ("/dev/input/eventN"), or empty if there is none; `sysRoot`
    // stands for /sys.
    static QString eventDeviceOfHidraw(const QString &hidrawPath, const QString &sysRoot = QStringLiteral("/sys"));

signals:
    void deviceIdChanged();
    void activeChanged();
    void availabilityChanged();
    void figuresChanged();

private:
    // Closes what is open and opens the pad's event device if it should be read.
    void restart();
    void close();
    void setReason(const QString &reason, const QString &path);
    void onClosed(const QString &error);

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    bool m_active = true;
    QString m_reason;
    QString m_path;
    QPointer<EventFrameReader> m_reader;
    ReportRateStats m_stats;
    ReportRateStats::Figures m_figures;
    bool m_pending = false; // frames not yet published
    QTimer m_publishTimer;
};

} // namespace joyvant
