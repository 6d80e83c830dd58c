import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

Item {
    id: root
    width: 600
    height: 400

    MediaButton {
        id: button
        x: 150
        y: 125
        width: 300
        height: 150
    }

    SignalSpy { id: clicks; target: button; signalName: "clicked" }

    TestCase {
        name: "MediaButton"
        when: windowShown

        function test_ringShaderWithHoverAndBlending() {
            verify(String(button.fragmentShader).indexOf("void main") >= 0)
            verify(button.hoverEnabled)
            verify(button.blending)
            compare(button.opacity, 1)
            tryCompare(button, "log", "")
        }

        function test_hoverMovesTheRingAndLeavingResetsIt() {
            mouseMove(button, 10, 10)
            mouseMove(button, 75, 50)
            tryCompare(button, "iMouse", Qt.vector4d(75, 100, 75, 100))
            mouseMove(root, 590, 390)
            tryCompare(button, "iMouse", Qt.vector4d(0, 0, 0, 0))
        }

        function test_clickEmitsClickedAfterTheUpdate() {
            clicks.clear()
            var seen
            var watcher = function() { seen = Qt.vector4d(button.iMouse.x, button.iMouse.y, button.iMouse.z, button.iMouse.w) }
            button.clicked.connect(watcher)
            mouseClick(button, 150, 75)
            button.clicked.disconnect(watcher)
            compare(clicks.count, 1)
            compare(seen, Qt.vector4d(150, 75, 150, 75))
        }

        // Ring.frag writes alpha 0: its light adds onto what lies beneath.
        function test_ringAddsLightOverBlack() {
            var lit = false
            tryVerify(function() {
                var image = grabImage(button)
                for (var x = 0; x < 300 && !lit; x += 10) {
                    for (var y = 0; y < 150 && !lit; y += 10) {
                        var p = image.pixel(x, y)
                        lit = p.r + p.g + p.b > 0.3
                    }
                }
                return lit
            }, 5000, "the ring glows")
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "black"
        z: -1
    }
}
