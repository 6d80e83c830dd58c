#pragma once

#include "hapticbench.h"
#include "padreport.h"
#include "reportratebench.h"
#include "sensorbench.h"
#include "stickhealth.h"
#include "triggerrange.h"

#include <QAbstractListModel>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSharedPointer>
#include <QTimer>
#include <QVariantMap>

namespace joyvant {

class GamepadBackend;

// Everything the pad health view shows of one connected pad: the health of both sticks,
// the range of both triggers, what the pad is (identity and features, read from SDL)
// and its report. The measuring objects live as long as this object, so their figures
// stay while the pad stays connected, whether a view shows them or not.
//
// The bench's engines (haptics, light and sensors, report rate) are members too, so what
// they found stays with the pad and goes into its report. They run only while
// `benchActive` is true: the model sets it for the pad on show while the bench shows, so
// leaving the bench or switching pads stops a pattern (every motor at 0), disables the
// sensors and closes the event device.
class PadHealth : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId CONSTANT)
    Q_PROPERTY(joyvant::StickHealth *leftStick READ leftStick CONSTANT)
    Q_PROPERTY(joyvant::StickHealth *rightStick READ rightStick CONSTANT)
    Q_PROPERTY(joyvant::TriggerRange *leftTrigger READ leftTrigger CONSTANT)
    Q_PROPERTY(joyvant::TriggerRange *rightTrigger READ rightTrigger CONSTANT)
    Q_PROPERTY(joyvant::PadReport *report READ report CONSTANT)
    Q_PROPERTY(joyvant::HapticBench *haptics READ haptics CONSTANT)
    Q_PROPERTY(joyvant::SensorBench *sensors READ sensors CONSTANT)
    Q_PROPERTY(joyvant::ReportRateBench *reportRate READ reportRate CONSTANT)
    Q_PROPERTY(bool benchActive READ isBenchActive NOTIFY benchActiveChanged)
    // The report's "identity" and "features" objects (see PadReport), refreshed every
    // IdentityRefreshMs while the pad is there (the battery level changes).
    Q_PROPERTY(QVariantMap identity READ identity NOTIFY identityChanged)
    Q_PROPERTY(QVariantMap features READ features NOTIFY identityChanged)

public:
    static constexpr int IdentityRefreshMs = 5000;

    explicit PadHealth(int deviceId, QObject *parent = nullptr);
    ~PadHealth() override;

    int deviceId() const { return m_deviceId; }
    StickHealth *leftStick() const { return m_leftStick; }
    StickHealth *rightStick() const { return m_rightStick; }
    TriggerRange *leftTrigger() const { return m_leftTrigger; }
    TriggerRange *rightTrigger() const { return m_rightTrigger; }
    PadReport *report() const { return m_report; }
    HapticBench *haptics() const { return m_haptics; }
    SensorBench *sensors() const { return m_sensors; }
    ReportRateBench *reportRate() const { return m_reportRate; }
    bool isBenchActive() const { return m_benchActive; }
    void setBenchActive(bool active);
    QVariantMap identity() const { return m_identity; }
    QVariantMap features() const { return m_features; }

    // Reads identity and features from SDL again now.
    Q_INVOKABLE void refreshIdentity();

signals:
    void identityChanged();
    void benchActiveChanged();

private:
    int m_deviceId;
    StickHealth *m_leftStick;
    StickHealth *m_rightStick;
    TriggerRange *m_leftTrigger;
    TriggerRange *m_rightTrigger;
    PadReport *m_report;
    HapticBench *m_haptics;
    SensorBench *m_sensors;
    ReportRateBench *m_reportRate;
    bool m_benchActive = false;
    QVariantMap m_identity;
    QVariantMap m_features;
    QTimer m_identityTimer;
};

// The pads connected now, each with its PadHealth (one row per game controller of the
// gamepad back end, in the order they arrived; roles deviceId, name and pad). A pad's
// object is made when the pad arrives, so measuring starts then, and goes when it leaves.
//
// `deviceId` picks the pad that `current` shows, the one object a view needs: null while
// no connected pad has that id. `joysticksChanged` tells when any joystick arrived or
// left, game controller or not (the moment to list the pads SDL has no mapping for).
class PadHealthModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int deviceId READ deviceId WRITE setDeviceId NOTIFY deviceIdChanged)
    Q_PROPERTY(joyvant::PadHealth *current READ current NOTIFY currentChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(bool shown READ isShown WRITE setShown NOTIFY shownChanged)
    Q_PROPERTY(bool benchChosen READ isBenchChosen WRITE setBenchChosen NOTIFY benchChosenChanged)
    Q_PROPERTY(bool benchShown READ isBenchShown NOTIFY benchShownChanged)

public:
    enum Role { DeviceIdRole = Qt::UserRole + 1, NameRole, PadRole };

    explicit PadHealthModel(QObject *parent = nullptr);
    ~PadHealthModel() override;

    int deviceId() const { return m_deviceId; }
    void setDeviceId(int deviceId);
    PadHealth *current() const { return m_current; }
    bool isShown() const { return m_shown; }
    void setShown(bool shown);
    bool isBenchChosen() const { return m_benchChosen; }
    void setBenchChosen(bool chosen);
    bool isBenchShown() const { return m_shown && m_benchChosen; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The pad with this device id, null if none is connected.
    Q_INVOKABLE joyvant::PadHealth *pad(int deviceId) const;
    // Puts text on the system clipboard (and the selection, where there is one).
    Q_INVOKABLE void copyToClipboard(const QString &text) const;

signals:
    void deviceIdChanged();
    void currentChanged();
    void countChanged();
    void joysticksChanged();
    void shownChanged();
    void benchChosenChanged();
    void benchShownChanged();

private:
    void onDeviceAdded(int deviceId);
    void onDeviceRemoved(int deviceId);
    void updateCurrent();
    // Sets `shown` or `benchChosen` (`input`), signals what changed, runs the bench.
    void setBenchInput(bool &input, bool value, void (PadHealthModel::*changed)());
    // Runs the bench of the current pad alone, and only while it shows.
    void updateBench();

    QSharedPointer<GamepadBackend> m_backend;
    QList<PadHealth *> m_pads;
    int m_deviceId = -1;
    QPointer<PadHealth> m_current;
    bool m_shown = false;
    bool m_benchChosen = false;
};

} // namespace joyvant
