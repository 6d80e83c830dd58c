import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import JoyvantTest 1.0
import JoyvantTest.Log 1.0
import com.corvane.scene 1.0
import "qrc:/"

// The main screen's scene on a renderer that does not keep up (llvmpipe on Xvfb and a
// scene made expensive on purpose): the scene's picture shrinks, the test view still
// answers the pad at once, and a smaller picture keeps its inputs where they belong.
Item {
    id: root
    width: 1280
    height: 800

    Main {
        id: main
        anchors.fill: parent
    }

    VirtualGamepad { id: pad }

    SignalSpy { id: levelChanges; target: SceneAdapter; signalName: "levelChanged" }

    // Frames presented when the pad's button value arrived and when the indicator took it,
    // recorded as the changes happen, so the test's own polling does not count.
    property int framesAtButton: -1
    property int framesAtIndicator: -1
    property Item indicatorA: null
    Connections {
        target: main.test.gamepad
        function onButtonAChanged() { root.framesAtButton = SceneAdapter.framesPresented }
    }
    Connections {
        target: root.indicatorA
        function onStateChanged() { root.framesAtIndicator = SceneAdapter.framesPresented }
    }

    // Two dozen sine waves a pixel: too much for a software renderer at full size, little
    // at a quarter of it.
    readonly property string heavyShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform vec3 iResolution;\nuniform float iTime;\n"
        + "void main() {\n"
        + "    vec2 p = qt_TexCoord0 * iResolution.xy;\n"
        + "    float v = 0.0;\n"
        + "    for (int i = 0; i < 24; ++i)\n"
        + "        v += sin(p.x * 0.01 + float(i) * 0.1 + iTime) * cos(p.y * 0.013 - float(i) * 0.07);\n"
        + "    fragColor = vec4(vec3(0.3 + 0.001 * v), 1.0);\n"
        + "}\n"

    // A white dot under the pointer on black, from the shader's pixel position: COORD is
    // replaced by the expression under test.
    readonly property string pointerShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform vec3 iResolution;\nuniform vec4 iMouse;\n"
        + "void main() {\n"
        + "    vec2 fragCoord = COORD;\n"
        + "    fragColor = distance(fragCoord, iMouse.xy) < 5.0 ? vec4(1.0) : vec4(0.0, 0.0, 0.0, 1.0);\n"
        + "}\n"

    // Grey that follows the scene's clock.
    readonly property string clockShader: "#version 330\n"
        + "out vec4 fragColor;\nuniform float iTime;\n"
        + "void main() { fragColor = vec4(vec3(fract(iTime * 0.5)), 1.0); }\n"

    TestCase {
        name: "SceneAdaptation"
        when: windowShown

        // Visible items below `item` that say they are not drawn yet (GrowImage).
        function pendingPictures(item) {
            if (!item.visible)
                return 0
            var pending = item.drawn === false ? 1 : 0
            for (var i = 0; i < item.children.length; ++i)
                pending += pendingPictures(item.children[i])
            return pending
        }

        function init() {
            LogCapture.clear()
            main.test.visible = true
        }

        function cleanup() {
            var window = main.Window.window
            if (window.visibility === Window.Minimized)
                window.showNormal()
            main.sceneScale = 0
            if (pad.attached) {
                pad.detach()
                tryCompare(main.test, "currentDeviceId", -1)
            }
        }

        function test_expensiveSceneShrinksAndTheTestViewStillAnswers() {
            levelChanges.clear()
            main.sceneEffect.play({ channels: [], fragmentShader: root.heavyShader })
            tryVerify(function() { return SceneAdapter.scale < 1 }, 30000, "the scene's picture shrinks")
            verify(main.scenePicture.visible)
            compare(main.sceneEffect.resolution.width, Math.round(1280 * SceneAdapter.scale))
            compare(main.sceneEffect.iResolution.y, Math.round(800 * SceneAdapter.scale))
            // One log line per change, not per frame.
            compare(LogCapture.matching("Scene drawn at").length, levelChanges.count)
            verify(LogCapture.matching("Scene drawn at").length >= 1)

            verify(pad.attach())
            tryCompare(main.test, "currentDeviceId", pad.deviceId, 5000)
            var indicator = findChild(main.test.controller, "indicatorA")
            verify(indicator)
            root.indicatorA = indicator
            for (var press = 0; press < 5; ++press) {
                var down = press % 2 === 0
                root.framesAtButton = -1
                root.framesAtIndicator = -1
                pad.setButton(VirtualGamepad.ButtonA, down)
                tryCompare(main.test.gamepad, "buttonA", down, 2000)
                tryCompare(indicator, "state", down ? "testing" : "tested", 2000)
                // The state follows the button within the frame then being drawn.
                verify(root.framesAtButton >= 0 && root.framesAtIndicator >= 0)
                var framesAtState = root.framesAtIndicator
                verify(framesAtState - root.framesAtButton <= 1, "frames between press and state: "
                       + (framesAtState - root.framesAtButton))
                // The window goes on presenting: the next frame carries the change, the one
                // after it at the latest.
                tryVerify(function() { return SceneAdapter.framesPresented >= framesAtState + 2 }, 2000)
            }
        }

        function test_scaledSceneInputs_data() {
            return [
                { tag: "half, texture coordinates", scale: 0.5,
                  coord: "vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy" },
                { tag: "quarter, texture coordinates", scale: 0.25,
                  coord: "vec2(qt_TexCoord0.x, 1.0 - qt_TexCoord0.y) * iResolution.xy" },
                { tag: "half, window position", scale: 0.5, coord: "gl_FragCoord.xy" },
                { tag: "full, window position", scale: 1, coord: "gl_FragCoord.xy" }
            ]
        }

        // A dot drawn at iMouse lands under the pointer, whatever the picture's size.
        function test_scaledSceneInputs(data) {
            main.test.visible = false
            main.sceneScale = data.scale
            tryCompare(SceneAdapter, "scale", data.scale)
            compare(main.scenePicture.visible, data.scale < 1)
            main.sceneEffect.hoverEnabled = true
            main.sceneEffect.play({ channels: [], fragmentShader: root.pointerShader.replace("COORD", data.coord) })
            for (var spot of [Qt.point(300, 300), Qt.point(900, 520)]) {
                mouseMove(main, spot.x - 20, spot.y)
                mouseMove(main, spot.x, spot.y)
                tryCompare(main.sceneEffect, "iMouse",
                           Qt.vector4d(spot.x * data.scale, (800 - spot.y) * data.scale,
                                       spot.x * data.scale, (800 - spot.y) * data.scale))
                tryVerify(function() {
                    var image = grabImage(main)
                    var under = image.pixel(spot.x, spot.y)
                    var beside = image.pixel(spot.x + 40, spot.y + 40)
                    return under.r > 0.7 && beside.r < 0.2
                }, 3000, "dot under the pointer at " + spot.x + "," + spot.y)
            }
            main.sceneEffect.hoverEnabled = false
        }

        // The clock counts seconds at any picture size, and the picture follows it.
        function test_scaledSceneClock() {
            main.test.visible = false
            main.sceneScale = 0.25
            tryCompare(SceneAdapter, "scale", 0.25)
            main.sceneEffect.play({ channels: [], fragmentShader: root.clockShader })
            // Read right after a tick each time: the clock moves on as the wall clock does.
            function afterTick() {
                var before = main.sceneEffect.iTime
                tryVerify(function() { return main.sceneEffect.iTime !== before }, 2000)
                return { time: main.sceneEffect.iTime, at: Date.now() }
            }
            var first = afterTick()
            var shade = grabImage(main).pixel(640, 400).r
            tryVerify(function() { return Date.now() - first.at >= 600 }, 2000)
            var second = afterTick()
            var elapsed = (second.at - first.at) / 1000
            var advanced = second.time - first.time
            // One tick is at most a tenth of a second at the lowest scene rate.
            verify(Math.abs(advanced - elapsed) < 0.15, "clock moved " + advanced + " s in " + elapsed + " s")
            tryVerify(function() { return Math.abs(grabImage(main).pixel(640, 400).r - shade) > 0.05 }, 3000)
        }

        // A minimised window draws nothing; shown again, it goes on.
        function test_minimisedWindowDrawsNothing() {
            main.sceneEffect.play({ channels: [], fragmentShader: root.clockShader })
            var window = main.Window.window
            // The pictures and glows still being built after the first frames would draw
            // on Xvfb, which has no window manager to take the window off the screen.
            tryVerify(function() { return pendingPictures(main) === 0 }, 10000, "the controller view is complete")
            var shown = SceneAdapter.framesPresented
            tryVerify(function() { return SceneAdapter.framesPresented > shown + 2 }, 5000)
            window.showMinimized()
            tryCompare(SceneAdapter, "drawing", false)
            // Frames asked for before the window went (and their reports, queued to this
            // thread) come in during the first moments.
            wait(500)
            var before = SceneAdapter.framesPresented
            wait(1000) // the span over which frames are counted
            compare(SceneAdapter.framesPresented, before)
            window.showNormal()
            tryCompare(SceneAdapter, "drawing", true, 5000)
            tryVerify(function() { return SceneAdapter.framesPresented > before + 2 }, 5000)
        }
    }
}
