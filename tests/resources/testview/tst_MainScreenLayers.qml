import QtQuick 2.15
import QtTest 1.15
import JoyvantTest 1.0
import "qrc:/"

// The scene and the controller test under the main screen's chrome.
Item {
    id: root
    width: 1280
    height: 800

    Main {
        id: main
        anchors.fill: parent
    }

    VirtualGamepad { id: pad }

    TestCase {
        name: "MainScreenLayers"
        when: windowShown

        function cleanup() {
            pad.detach()
            tryCompare(main.test, "currentDeviceId", -1)
        }

        function test_sceneThenTestThenChrome() {
            var layers = main.children
            var scene = -1, test = -1, chrome = -1
            for (var i = 0; i < layers.length; ++i) {
                if (layers[i] === main.sceneEffect)
                    scene = i
                else if (layers[i] === main.test)
                    test = i
                else if (layers[i] === main.columnLayout)
                    chrome = i
            }
            verify(scene > -1 && scene < test && test < chrome, [scene, test, chrome].join(" "))
            for (var layer of [main.sceneEffect, main.test]) {
                compare(layer.width, 1280)
                compare(layer.height, 800)
            }
            verify(main.test.visible)
        }

        function test_sceneFollowsTheGamepadOnShow() {
            compare(main.sceneEffect.gamepad, main.test.gamepad)
            verify(pad.attach())
            tryCompare(main.test.gamepad, "deviceId", pad.deviceId)
            pad.setAxis(VirtualGamepad.AxisLeftX, 32767)
            pad.setAxis(VirtualGamepad.AxisLeftY, -32768)
            // The right edge of the scene's picture, at whatever size it is drawn.
            tryVerify(function() {
                var width = main.sceneEffect.resolution.width
                var mouse = main.sceneEffect.iMouse
                return mouse.x === width && mouse.y === 0 && mouse.z === width && mouse.w === 0
            })
        }

        function test_styleColourReachesTheTestView() {
            compare(main.test.styleColor, "#ffffff")
            main.styleColor = "red"
            compare(main.test.styleColor, "#ff0000")
            compare(main.test.controller.styleColor, "#ff0000")
            main.styleColor = "#FFFFFF"
        }
    }
}
