#pragma once

#include <QHash>
#include <QString>
#include <QVector>

// The game controllers that SDL sees, through its game-controller API (the one the
// gamepad module uses as well, so names and order agree). Holds one reference on
// SDL's game-controller subsystem while it lives; use on the GUI thread only.
class SdlGamepads
{
public:
    struct Device
    {
        int deviceIndex = -1;
        int instanceId = -1;
        QString name;
        QString guid;
        quint16 vendorId = 0;
        quint16 productId = 0;
        QString type;
        bool gameController = false; // false: a joystick SDL has no controller mapping for
        // Only filled in by devices(ProbeFeatures), which opens each controller once
        // in its connection's lifetime.
        bool rumble = false;
        bool triggerRumble = false;
    };
    enum Detail { Basic, ProbeFeatures };

    SdlGamepads();
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads &) = delete;
    SdlGamepads &operator=(const SdlGamepads &) = delete;

    bool isAvailable() const { return m_available; }
    QString errorString() const { return m_error; }

    // Every joystick SDL lists, in SDL's device order, after taking in devices that
    // arrived or left since the last call.
    QVector<Device> devices(Detail detail);

    // "2.26.5 (built with 2.26.5)"
    static QString versions();

private:
    struct Features
    {
        bool rumble = false;
        bool triggerRumble = false;
    };

    bool m_available = false;
    QString m_error;
    // Features of the connected controllers by instance id. Opening and closing a
    // controller leaves memory behind in SDL (18 allocations, about 4 kB, each time
    // with SDL 2.26), so each connection is probed once rather than on every scan.
    QHash<int, Features> m_features;
};
