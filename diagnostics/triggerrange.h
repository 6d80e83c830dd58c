#pragma once

#include "triggeranalysis.h"

#include <QObject>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantMap>

namespace joyvant {

class GamepadBackend;

// Range of one trigger of a gamepad, measured from every report the gamepad back end
// receives for it (see TriggerAnalysis for the figures and the verdict). Measuring starts
// when `deviceId` and `trigger` are set, with the trigger's value at that moment;
// changing either, or reset(), starts afresh. Results are read-only and published at
// most every PublishIntervalMs with `resultsChanged`.
class TriggerRange : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(Trigger trigger READ trigger WRITE setTrigger NOTIFY triggerChanged)
    Q_PROPERTY(double restValue READ restValue NOTIFY resultsChanged)
    Q_PROPERTY(double maximum READ maximum NOTIFY resultsChanged)
    Q_PROPERTY(int distinctValues READ distinctValues NOTIFY resultsChanged)
    Q_PROPERTY(double actuationPoint READ actuationPoint NOTIFY resultsChanged)
    Q_PROPERTY(QString verdict READ verdict NOTIFY resultsChanged)

public:
    enum Trigger { Left, Right };
    Q_ENUM(Trigger)

    static constexpr int PublishIntervalMs = 50;

    explicit TriggerRange(QObject *parent = nullptr);
    ~TriggerRange() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    Trigger trigger() const { return m_trigger; }
    void setTrigger(Trigger trigger);

    // Percent of full travel; -1 while unknown.
    double restValue() const { return TriggerAnalysis::percent(m_published.rest); }
    double maximum() const { return TriggerAnalysis::percent(m_published.highest); }
    int distinctValues() const { return m_published.distinct; }
    double actuationPoint() const { return TriggerAnalysis::percent(m_published.actuation); }
    QString verdict() const { return m_published.verdict; }

    Q_INVOKABLE void reset();
    Q_INVOKABLE void refresh();
    Q_INVOKABLE QVariantMap figures() const;

signals:
    void deviceIdChanged();
    void triggerChanged();
    void resultsChanged();

private:
    // What the properties show (raw values, -1 unknown).
    struct Summary
    {
        int distinct = 0;
        int rest = -1;
        int actuation = -1;
        int highest = -1;
        QString verdict;
        bool operator==(const Summary &other) const
        {
            return distinct == other.distinct && rest == other.rest && actuation == other.actuation
                && highest == other.highest && verdict == other.verdict;
        }
    };

    void restart();
    void publishTick();
    void onAxisChanged(int deviceId, int sdlAxis, int value);
    void onDeviceAdded(int deviceId);
    int axis() const;

    QSharedPointer<GamepadBackend> m_backend;
    int m_deviceId = -1;
    Trigger m_trigger = Left;
    TriggerAnalysis m_analysis;
    Summary m_published;
    QTimer m_publishTimer;
    bool m_pending = false; // reports not yet published
};

} // namespace joyvant
