import QtQuick 2.15
import QtTest 1.15
import QtGamepad 1.15
import JoyvantTest 1.0
import "qrc:/"

// A real (virtual) game controller steers the scene's iMouse through the gamepad module.
Item {
    id: root
    width: 1280
    height: 800

    VirtualGamepad { id: virtualPad }

    Gamepad {
        id: pad
        deviceId: virtualPad.deviceId
    }

    ShaderToyEffect {
        id: host
        anchors.fill: parent
        gamepad: pad
    }

    TestCase {
        name: "StickInput"
        when: windowShown

        function initTestCase() {
            verify(virtualPad.attach())
            tryCompare(pad, "connected", true, 5000)
        }

        function cleanupTestCase() {
            virtualPad.detach()
        }

        function test_sticksMapOntoTheItem() {
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, 32767)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 32767)
            tryCompare(host, "iMouse", Qt.vector4d(1280, 800, 1280, 800))

            // Fully left and up: the stick's y is not inverted, up is y 0.
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, -32768)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, -32768)
            tryCompare(host, "iMouse", Qt.vector4d(0, 0, 0, 0))

            virtualPad.setAxis(VirtualGamepad.AxisLeftX, 0)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 0)
            tryCompare(host, "iMouse", Qt.vector4d(640, 400, 640, 400))
        }

        function test_theStickThatMovedLastWins() {
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, -32768)
            tryCompare(host, "iMouse", Qt.vector4d(0, 400, 0, 400))
            virtualPad.setAxis(VirtualGamepad.AxisRightX, 32767)
            tryCompare(host, "iMouse", Qt.vector4d(1280, 400, 1280, 400))
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 32767)
            tryCompare(host, "iMouse", Qt.vector4d(0, 800, 0, 800))
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, 0)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 0)
            virtualPad.setAxis(VirtualGamepad.AxisRightX, 0)
        }
    }
}
