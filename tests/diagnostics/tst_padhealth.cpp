// PadHealthModel on the real gamepad back end, driven by SDL virtual pads: one PadHealth
// per connected pad from its arrival, `current` following `deviceId`, the measuring going
// on whether anyone looks, the gate's sector radii, and the joystick signal that tells
// when a pad without a mapping comes or goes.
#include "gamepadbackend.h"
#include "padhealth.h"
#include "virtualgamepad.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QtMath>
#include <QtTest>

#include <cmath>

using joyvant::GamepadBackend;
using joyvant::PadHealth;
using joyvant::PadHealthModel;
using joyvant::StickAnalysis;
using joyvant::test::VirtualGamepad;

namespace {

int stickRaw(double position)
{
    const double clamped = qBound(-1.0, position, 1.0);
    return int(std::lround(clamped < 0 ? clamped * 32768.0 : clamped * 32767.0));
}

} // namespace

class TestPadHealth : public QObject
{
    Q_OBJECT

    QSharedPointer<GamepadBackend> m_backend = GamepadBackend::instance();

    bool attach(VirtualGamepad &pad, const QString &name)
    {
        pad.setName(name);
        if (!pad.attach())
            return false;
        m_backend->pump();
        return m_backend->hasDevice(pad.deviceId());
    }

    void stick(VirtualGamepad &pad, double x, double y)
    {
        pad.setAxis(VirtualGamepad::AxisLeftX, stickRaw(x));
        pad.setAxis(VirtualGamepad::AxisLeftY, stickRaw(y));
        m_backend->pump();
    }

private slots:
    void padsFollowConnections()
    {
        PadHealthModel model;
        QSignalSpy currentSpy(&model, &PadHealthModel::currentChanged);
        const int before = model.rowCount();
        VirtualGamepad first;
        QVERIFY(attach(first, QStringLiteral("Joyvant Model Pad One")));
        VirtualGamepad second;
        QVERIFY(attach(second, QStringLiteral("Joyvant Model Pad Two")));
        QCOMPARE(model.rowCount(), before + 2);
        QCOMPARE(model.property("count").toInt(), before + 2);

        const QModelIndex row = model.index(before, 0);
        QCOMPARE(model.data(row, PadHealthModel::DeviceIdRole).toInt(), first.deviceId());
        QCOMPARE(model.data(row, PadHealthModel::NameRole).toString(), QStringLiteral("Joyvant Model Pad One"));
        PadHealth *one = model.data(row, PadHealthModel::PadRole).value<PadHealth *>();
        QCOMPARE(one, model.pad(first.deviceId()));
        QCOMPARE(one->identity().value(QStringLiteral("name")).toString(), QStringLiteral("Joyvant Model Pad One"));
        QVERIFY(one->features().contains(QStringLiteral("battery")));
        QCOMPARE(one->leftStick()->stick(), joyvant::StickHealth::Left);
        QCOMPARE(one->rightStick()->stick(), joyvant::StickHealth::Right);
        QCOMPARE(one->rightTrigger()->deviceId(), first.deviceId());
        QCOMPARE(one->report()->leftStick(), one->leftStick());

        QCOMPARE(model.current(), nullptr);
        model.setDeviceId(second.deviceId());
        QCOMPARE(model.current(), model.pad(second.deviceId()));
        QCOMPARE(currentSpy.count(), 1);

        // The pad on show leaves: nothing is current, and its object goes.
        QPointer<PadHealth> two = model.current();
        second.detach();
        m_backend->pump();
        QCOMPARE(model.rowCount(), before + 1);
        QCOMPARE(model.current(), nullptr);
        QCOMPARE(currentSpy.count(), 2);
        QTRY_VERIFY(two.isNull());

        // A pad that arrives with the id asked for becomes current at once.
        VirtualGamepad third;
        model.setDeviceId(-1);
        QVERIFY(attach(third, QStringLiteral("Joyvant Model Pad Three")));
        model.setDeviceId(third.deviceId());
        QCOMPARE(model.current()->deviceId(), third.deviceId());
    }

    // Measuring starts when the pad arrives, not when someone asks; each pad its own.
    void measuresEachPadFromItsArrival()
    {
        PadHealthModel model;
        VirtualGamepad first;
        QVERIFY(attach(first, QStringLiteral("Joyvant Sweep Pad")));
        VirtualGamepad second;
        QVERIFY(attach(second, QStringLiteral("Joyvant Still Pad")));
        // Round a gate that reaches 0.8 between 90 and 180 degrees and 1 elsewhere.
        for (int step = 0; step < 3600; ++step) {
            const double degrees = step * 0.1;
            const double radius = degrees > 90.0 && degrees < 180.0 ? 0.8 : 1.0;
            const double radians = qDegreesToRadians(degrees);
            stick(first, radius * std::cos(radians), -radius * std::sin(radians));
        }
        joyvant::StickHealth *swept = model.pad(first.deviceId())->leftStick();
        swept->refresh();
        QCOMPARE(swept->sectorCoverage(), 100.0);
        const QVariantList radii = swept->sectorRadii();
        QCOMPARE(radii.size(), StickAnalysis::Sectors);
        for (int sector = 0; sector < StickAnalysis::Sectors; ++sector) {
            // The sectors at the dent's ends (18 and 35) may hold the full reach of a
            // sample at 90 or 180 degrees.
            if (sector == 18 || sector == 35)
                continue;
            const double expected = sector > 18 && sector < 35 ? 0.8 : 1.0;
            QVERIFY2(std::abs(radii[sector].toDouble() - expected) < 0.01,
                     qPrintable(QStringLiteral("sector %1: %2").arg(sector).arg(radii[sector].toDouble())));
        }
        joyvant::StickHealth *still = model.pad(second.deviceId())->leftStick();
        still->refresh();
        QCOMPARE(still->sectorCoverage(), 0.0);
        QCOMPARE(still->sectorRadii().value(0).toDouble(), 0.0);
    }

    void joysticksWithoutMappingAreSignalled()
    {
        PadHealthModel model;
        m_backend->pump(); // the pads of earlier cases have left by now
        QSignalSpy joysticks(&model, &PadHealthModel::joysticksChanged);
        const int before = model.rowCount();
        VirtualGamepad plain;
        plain.setGameController(false);
        plain.setName(QStringLiteral("Joyvant Plain Joystick"));
        QVERIFY(plain.attach());
        m_backend->pump();
        QCOMPARE(joysticks.count(), 1);
        QCOMPARE(model.rowCount(), before); // not a game controller: no figures to keep
        plain.detach();
        m_backend->pump();
        QCOMPARE(joysticks.count(), 2);
    }

    void clipboard()
    {
        PadHealthModel model;
        model.copyToClipboard(QStringLiteral("# Pad report: clipboard"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("# Pad report: clipboard"));
    }
};

QTEST_MAIN(TestPadHealth)
#include "tst_padhealth.moc"
