import QtQuick 2.15
import QtTest 1.15
import QtGamepad 1.15
import JoyvantTest 1.0

TestCase {
    id: testCase
    name: "GamepadModule"

    property var connectedIds: []
    property var pressValues: []

    VirtualGamepad {
        id: virtualPad
        name: "QML Virtual Pad"
    }

    Gamepad {
        id: gamepad
        onButtonAChanged: testCase.pressValues = testCase.pressValues.concat([value])
    }

    Connections {
        target: GamepadManager
        function onGamepadConnected(deviceId) {
            testCase.connectedIds = testCase.connectedIds.concat([deviceId])
        }
    }

    function cleanup() {
        virtualPad.detach()
    }

    function test_connectAndPress() {
        verify(virtualPad.attach())
        tryVerify(function() { return testCase.connectedIds.indexOf(virtualPad.deviceId) >= 0 }, 5000)
        compare(GamepadManager.gamepadName(virtualPad.deviceId), "QML Virtual Pad")

        gamepad.deviceId = virtualPad.deviceId
        compare(gamepad.connected, true)
        compare(gamepad.name, "QML Virtual Pad")

        virtualPad.setButton(VirtualGamepad.ButtonA, true)
        tryCompare(gamepad, "buttonA", true, 5000)
        virtualPad.setButton(VirtualGamepad.ButtonA, false)
        tryCompare(gamepad, "buttonA", false, 5000)
        compare(testCase.pressValues, [true, false])
    }

    function test_diagonalAndMotor() {
        verify(virtualPad.attach())
        gamepad.deviceId = virtualPad.deviceId
        tryCompare(gamepad, "connected", true, 5000)
        virtualPad.setButton(VirtualGamepad.ButtonDpadRight, true)
        virtualPad.setButton(VirtualGamepad.ButtonDpadDown, true)
        tryCompare(gamepad, "buttonRightDown", true, 5000)
        compare(gamepad.buttonLeftDown, false)

        gamepad.leftMotorSpeed = 100
        tryCompare(virtualPad, "lowFrequencyRumble", 65535, 5000)
        gamepad.leftMotorSpeed = 0
        tryCompare(virtualPad, "lowFrequencyRumble", 0, 5000)
    }
}
