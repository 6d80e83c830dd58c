import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The guide button's logo: the scene host running the logo shader from its creation, its
// light added onto what lies beneath.
Item {
    id: root
    width: 200
    height: 200

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: logoComponent
        XboxLogo {
            x: 50
            y: 50
            width: 100
            height: 100
        }
    }

    TestCase {
        name: "XboxLogo"
        when: windowShown

        function test_runsTheLogoShaderFromItsCreation() {
            var logo = createTemporaryObject(logoComponent, root)
            verify(String(logo.fragmentShader).indexOf("void main") >= 0, "the shader's source is loaded")
            verify(logo.blending)
            tryCompare(logo, "log", "")
            var first = logo.iTime
            verify(first < 1, "the clock starts at the logo's creation, at " + first)
            tryVerify(function() { return logo.iTime > first }, 2000, "the clock runs")
            compare(logo.channels.length, 0)
            compare(String(logo.audioChannel.source), "")
        }

        // Over black, the logo's light shows once it has faded in, green above all.
        function test_glowsGreenOverBlack() {
            var logo = createTemporaryObject(logoComponent, root)
            tryVerify(function() {
                var image = grabImage(root)
                for (var x = 55; x < 145; x += 5) {
                    for (var y = 55; y < 145; y += 5) {
                        var p = image.pixel(x, y)
                        if (p.g > 0.3 && p.g > p.r && p.g > p.b)
                            return true
                    }
                }
                return false
            }, 5000, "green light")
        }

        function test_pointerMovesItsMouse() {
            var logo = createTemporaryObject(logoComponent, root)
            mouseClick(logo, 25, 75)
            compare(logo.iMouse, Qt.vector4d(25, 25, 25, 25))
        }
    }
}
