#pragma once

#include "stickanalysis.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>

namespace joyvant {

class GamepadBackend;

// Health of one stick of a gamepad, measured from every axis report the gamepad back end
// receives for it (see StickAnalysis for what each figure means). Measuring starts when
// `deviceId` and `stick` are set, with the stick's position at that moment; changing
// either, or reset(), starts afresh. The figures stay after the pad leaves.
//
// Results are read-only and published at most every PublishIntervalMs, grouped by their
// change signals: restChanged, gateChanged and resolutionChanged.
class StickHealth : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(Stick stick READ stick WRITE setStick NOTIFY stickChanged)

    Q_PROPERTY(bool atRest READ atRest NOTIFY restChanged)
    Q_PROPERTY(bool restMeasured READ restMeasured NOTIFY restChanged)
    Q_PROPERTY(double centreOffset READ centreOffset NOTIFY restChanged)
    Q_PROPERTY(double centreDirection READ centreDirection NOTIFY restChanged)
    Q_PROPERTY(double restNoise READ restNoise NOTIFY restChanged)
    Q_PROPERTY(int suggestedDeadZone READ suggestedDeadZone NOTIFY restChanged)

    Q_PROPERTY(double sectorCoverage READ sectorCoverage NOTIFY gateChanged)
    Q_PROPERTY(bool circularityReported READ circularityReported NOTIFY gateChanged)
    Q_PROPERTY(double circularityError READ circularityError NOTIFY gateChanged)
    Q_PROPERTY(double worstSectorAngle READ worstSectorAngle NOTIFY gateChanged)
    Q_PROPERTY(double worstSectorRadius READ worstSectorRadius NOTIFY gateChanged)
    Q_PROPERTY(bool overReach READ overReach NOTIFY gateChanged)
    Q_PROPERTY(QVariantList reach READ reach NOTIFY gateChanged)
    Q_PROPERTY(QVariantList reachPassed READ reachPassed NOTIFY gateChanged)
    // Largest radius reached in each of the 72 sectors (sector k spans k * 5 to
    // (k + 1) * 5 degrees), 0 for a sector without data.
    Q_PROPERTY(QVariantList sectorRadii READ sectorRadii NOTIFY gateChanged)

    Q_PROPERTY(int distinctX READ distinctX NOTIFY resolutionChanged)
    Q_PROPERTY(int distinctY READ distinctY NOTIFY resolutionChanged)
    Q_PROPERTY(double resolutionX READ resolutionX NOTIFY resolutionChanged)
    Q_PROPERTY(double resolutionY READ resolutionY NOTIFY resolutionChanged)

public:
    enum Stick { Left, Right };
    Q_ENUM(Stick)

    static constexpr int PublishIntervalMs = 50;

    explicit StickHealth(QObject *parent = nullptr);
    ~StickHealth() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    Stick stick() const { return m_stick; }
    void setStick(Stick stick);

    bool atRest() const { return m_atRest; }
    bool restMeasured() const { return m_rest.measured; }
    double centreOffset() const { return m_rest.offset; }
    double centreDirection() const { return m_rest.direction; }
    double restNoise() const { return m_rest.noise; }
    int suggestedDeadZone() const { return m_rest.deadZone; }

    double sectorCoverage() const { return m_gate.coverage; }
    bool circularityReported() const { return m_gate.circularityReported; }
    double circularityError() const { return m_gate.circularityError; }
    double worstSectorAngle() const { return m_gate.worstAngle; }
    double worstSectorRadius() const { return m_gate.worstRadius; }
    bool overReach() const { return m_gate.overReach; }
    QVariantList reach() const;
    QVariantList reachPassed() const;
    QVariantList sectorRadii() const;

    int distinctX() const { return m_distinctX; }
    int distinctY() const { return m_distinctY; }
    double resolutionX() const { return StickAnalysis::bits(m_distinctX); }
    double resolutionY() const { return StickAnalysis::bits(m_distinctY); }

    // Forgets everything measured and starts again from the stick's present position.
    Q_INVOKABLE void reset();
    // Publishes the figures now instead of at the next interval.
    Q_INVOKABLE void refresh();
    // The figures as one object, for reports.
    Q_INVOKABLE QVariantMap figures() const;

signals:
    void deviceIdChanged();
    void stickChanged();
    void restChanged();
    void gateChanged();
    void resolutionChanged();

private:
    void restart();
    void publishTick();
    void onAxisChanged(int deviceId, int sdlAxis, int value);
    void onDeviceAdded(int deviceId);
    void sample();
    int axisX() const;
    int axisY() const;

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    Stick m_stick = Left;
    int m_rawX = 0;
    int m_rawY = 0;
    StickAnalysis m_analysis;
    QElapsedTimer m_clock;
    QTimer m_publishTimer;
    bool m_pending = false; // reports not yet published
    QTimer m_restTimer; // fires when a still run has lasted long enough to count as rest
    qint64 m_armedRunStart = -1; // the run m_restTimer waits for

    bool m_atRest = false;
    StickAnalysis::Rest m_rest;
    StickAnalysis::Gate m_gate;
    int m_distinctX = 0;
    int m_distinctY = 0;
};

} // namespace joyvant
