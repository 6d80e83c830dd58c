import QtQuick 2.15
import QtTest 1.15
import JoyvantTest.Log 1.0
import com.corvane.io 1.0
import "qrc:/"

Item {
    id: root
    width: 1280
    height: 800

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    ShaderToyEffect {
        id: host
        anchors.fill: parent
        fragmentShader: "qrc:/shaders/Starfield.frag"
    }

    SignalSpy { id: clicks; target: host; signalName: "clicked" }

    Component {
        id: hostComponent
        ShaderToyEffect {}
    }

    readonly property string plainShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
        + "uniform sampler2D iChannel0;\n"
        + "void main() { fragColor = vec4(texture(iChannel0, qt_TexCoord0).rgb, 1.0) * qt_Opacity; }\n"

    readonly property string orangeShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
        + "void main() { fragColor = vec4(1.0, 0.5, 0.0, 1.0) * qt_Opacity; }\n"

    TestCase {
        name: "ShaderToyEffect"
        when: windowShown

        function init() {
            LogCapture.clear()
        }

        // Before its first scene the host draws black, with no note from Qt's shader
        // effect (its own default shader samples a "source" the host does not have).
        function test_blackAndQuietBeforeTheFirstScene() {
            var fresh = createTemporaryObject(hostComponent, root, { width: 64, height: 64 })
            waitForRendering(fresh)
            var p = grabImage(fresh).pixel(32, 32)
            verify(p.r === 0 && p.g === 0 && p.b === 0 && p.a === 1, String(p))
            compare(fresh.log, "")
            compare(LogCapture.matching("matching property").length, 0)
            compare(LogCapture.matching("qt_Opacity").length, 0)
        }

        function cleanup() {
            // Whatever a test played, the next one starts from a scene that compiles.
            host.play({ channels: [], fragmentShader: root.plainShader })
        }

        function test_imageEntryFeedsChannelZeroAndAudioCreatesNothing() {
            host.play({ channels: [{ type: "audio", source: "qrc:/music/afterglow.ogg" },
                                   { type: "image", source: "qrc:/2DTextures/1.png" }],
                        fragmentShader: root.plainShader })
            compare(host.channels.length, 1)
            compare(String(host.channels[0].source), "qrc:/2DTextures/1.png")
            compare(host.iChannel0.sourceItem, host.channels[0].output)
            compare(host.iChannel1.sourceItem, null)
            verify(LogCapture.matching("conf.channels.length>>>>> 2").length === 1)
            verify(LogCapture.matching(">>>>>>>>>>>>iChannel0: qrc:/2DTextures/1.png").length >= 1)
        }

        function test_fiveImagesFeedTheFirstFour() {
            var entries = []
            for (var i = 1; i <= 5; ++i)
                entries.push({ type: "image", source: "qrc:/2DTextures/" + (i === 5 ? "5.jpg" : i + ".png") })
            host.play({ channels: entries, fragmentShader: root.plainShader })
            compare(host.channels.length, 5)
            compare(host.iChannel0.sourceItem, host.channels[0].output)
            compare(host.iChannel1.sourceItem, host.channels[1].output)
            compare(host.iChannel2.sourceItem, host.channels[2].output)
            compare(host.iChannel3.sourceItem, host.channels[3].output)
            compare(host.channels[4].parent, host)
        }

        function test_emptyListLeavesEverySamplerWithoutSource() {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/3.png" },
                                   { type: "image", source: "qrc:/2DTextures/4.png" }],
                        fragmentShader: root.plainShader })
            var old = host.channels[0]
            LogCapture.clear()
            host.play({ channels: [], fragmentShader: root.plainShader })
            compare(host.channels.length, 0)
            compare(host.iChannel0.sourceItem, null)
            compare(host.iChannel1.sourceItem, null)
            compare(host.iChannel2.sourceItem, null)
            compare(host.iChannel3.sourceItem, null)
            compare(LogCapture.matching(">>>>>>>>>>>>iChannel0: null").length, 1)
            compare(LogCapture.matching(">>>>>>>>>>>>iChannel1: null").length, 1)
            // The previous scene's channels are destroyed.
            tryVerify(function() { return old === null || old === undefined || !old.parent }, 2000)
        }

        function test_sceneAudio() {
            host.play({ channels: [], audio: "qrc:/music/afterglow.ogg", fragmentShader: root.plainShader })
            compare(String(host.audioChannel.source), "qrc:/music/afterglow.ogg")
            host.play({ channels: [], fragmentShader: root.plainShader })
            compare(String(host.audioChannel.source), "")
            host.play({ channels: [], audio: null, fragmentShader: root.plainShader })
            compare(String(host.audioChannel.source), "")
        }

        function test_sceneWithoutChannelsIsRefused() {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/1.png" }],
                        fragmentShader: "qrc:/shaders/Starfield.frag" })
            var running = host.channels
            var shader = host.fragmentShader
            ignoreWarning("ShaderToyEffect: a scene without a channels list is refused")
            host.play({ audio: "qrc:/music/afterglow.ogg", fragmentShader: root.plainShader })
            compare(host.channels, running)
            compare(host.fragmentShader, shader)
            compare(String(host.audioChannel.source), "")
            var before = host.iTime
            tryVerify(function() { return host.iTime > before }) // the clock goes on
        }

        function test_wrongTypedScene_data() {
            var picture = { type: "image", source: "qrc:/2DTextures/1.png" }
            return [
                { tag: "null channel", conf: { channels: [null], fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: channel 0 skipped, it is not an object with a source URL: null"],
                  channels: 0, audio: "" },
                { tag: "number channel and number source", conf: {
                        channels: [5, { type: "image", source: 17 }, picture], fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: channel 0 skipped, it is not an object with a source URL: 5",
                             "ShaderToyEffect: channel 1 skipped, it is not an object with a source URL: {\"type\":\"image\",\"source\":17}"],
                  channels: 1, audio: "" },
                { tag: "number audio", conf: { channels: [picture], audio: 17, fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: audio skipped, it is not a URL: 17"], channels: 1, audio: "" },
                { tag: "object audio", conf: { channels: [], audio: { url: "x" }, fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: audio skipped, it is not a URL: {\"url\":\"x\"}"], channels: 0, audio: "" },
                { tag: "channels not a list", conf: { channels: 3, fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: a scene without a channels list is refused"], refused: true },
                { tag: "channel nested too deep", conf: {
                        channels: [JSON.parse(new Array(70).join("[") + new Array(70).join("]")), picture],
                        fragmentShader: root.plainShader },
                  warnings: ["ShaderToyEffect: channel 0 skipped, it is not an object with a source URL: "
                             + "(Serialization: the value is nested deeper than 64 levels (or holds itself))"],
                  channels: 1, audio: "" },
                { tag: "number shader", conf: { channels: [picture], fragmentShader: 17 },
                  warnings: ["ShaderToyEffect: a scene whose fragmentShader is not a text or URL is refused: 17"],
                  refused: true },
            ]
        }

        // A malformed scene never leaves the effect standing still: bad entries are left
        // out with a warning, and an unplayable scene leaves the running one alone.
        function test_wrongTypedScene(data) {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/3.png" }, { type: "image", source: "qrc:/2DTextures/2.png" }],
                        audio: "qrc:/music/afterglow.ogg", fragmentShader: root.orangeShader })
            host.pause()
            var running = host.channels
            var shader = host.fragmentShader
            for (var i = 0; i < data.warnings.length; ++i)
                ignoreWarning(data.warnings[i])
            host.play(data.conf)
            if (data.refused) {
                compare(host.channels, running)
                compare(host.channels.length, 2)
                compare(host.fragmentShader, shader)
            } else {
                compare(host.channels.length, data.channels)
                compare(String(host.audioChannel.source), data.audio)
                var before = host.iTime
                tryVerify(function() { return host.iTime > before }, 1000, "the clock runs")
            }
        }

        function centrePixel() {
            var image = grabImage(host)
            return image.pixel(host.width / 2, host.height / 2)
        }

        function test_shaderAsTextAndAsUrl() {
            host.play({ channels: [], fragmentShader: root.orangeShader })
            tryVerify(function() { var p = centrePixel(); return p.r > 0.9 && p.g > 0.4 && p.g < 0.6 && p.b < 0.1 })
            compare(host.log, "")
            host.play({ channels: [], fragmentShader: "qrc:/shaders/Starfield.frag" })
            // The file's text, loaded from the bundle, is what the effect compiles.
            verify(String(host.fragmentShader).indexOf("void main") >= 0)
            tryVerify(function() { var p = centrePixel(); return p.g < 0.4 || p.r < 0.9 })
            compare(host.log, "")
        }

        // A shader that does not compile is refused with one warning that names the scene, the
        // shader and the compiler's words; the running scene goes on.
        function test_brokenShaderIsRefusedWithOneWarning() {
            host.play({ channels: [], fragmentShader: root.orangeShader })
            tryVerify(function() { return centrePixel().r > 0.9 })
            LogCapture.clear()
            host.play({ channels: [], fragmentShader: "#version 330\nout vec4 fragColor;\nvoid main() { fragColor = nonsense; }\n" },
                      "scene 7 \"Broken\" of test.json")
            var warnings = LogCapture.matching("ShaderToyEffect:")
            compare(warnings.length, 1)
            verify(warnings[0].indexOf("ShaderToyEffect: scene 7 \"Broken\" of test.json refused, its shader (its shader text) "
                                       + "does not compile:\n") === 0, warnings[0])
            verify(warnings[0].indexOf("nonsense") > 0, warnings[0]) // the compiler's words
            compare(host.fragmentShader, root.orangeShader)
            wait(100)
            verify(centrePixel().r > 0.9)
            // The same text again: the answer is known, the warning the same.
            host.play({ channels: [], fragmentShader: "#version 330\nout vec4 fragColor;\nvoid main() { fragColor = nonsense; }\n" })
            compare(LogCapture.matching("does not compile").length, 2)
        }

        function test_brokenShaderFileIsNamed() {
            var url = "file://" + joyvantSourceDir + "/tests/shaders/fixtures/syntax/Fire.frag"
            LogCapture.clear()
            host.play({ channels: [], fragmentShader: url }, "scene 2 \"Fire\" of mine.json")
            var warnings = LogCapture.matching("does not compile")
            compare(warnings.length, 1)
            verify(warnings[0].indexOf("ShaderToyEffect: scene 2 \"Fire\" of mine.json refused, its shader (" + url
                                       + ") does not compile:\n0:8(") === 0, warnings[0]) // line 8 of the file
        }

        // Every shader that compiles passes the check, old-style ones (no #version, precision
        // words) included; the bundle's are not tried again at all.
        function test_workingShadersPass() {
            compare(FileGuard.shaderError(root.plainShader), "")
            compare(FileGuard.shaderError(root.orangeShader), "")
            compare(FileGuard.shaderError("uniform highp float qt_Opacity;\nvarying highp vec2 qt_TexCoord0;\n"
                                          + "void main() { gl_FragColor = vec4(qt_TexCoord0, 0.0, 1.0) * qt_Opacity; }\n"), "")
            compare(FileGuard.shaderError("#version 110\nuniform lowp float qt_Opacity;\n"
                                          + "void main() { gl_FragColor = vec4(1.0) * qt_Opacity; }\n"), "")
            var request = new XMLHttpRequest()
            request.open("GET", "qrc:/shaders/DustyNebula.frag", false)
            request.send()
            compare(FileGuard.shaderError(request.responseText), "")
            // Line numbers are those of the text, also where precision words were added.
            verify(/^0:3\(/.test(FileGuard.shaderError("uniform lowp float qt_Opacity;\n\nvoid main() { nonsense; }\n")))
            verify(/^0:4\(/.test(FileGuard.shaderError("#version 110\nuniform lowp float qt_Opacity;\n\nvoid main() { nonsense; }\n")))
            verify(/^0:4\(/.test(FileGuard.shaderError("#version 330\nout vec4 fragColor;\n\nvoid main() { nonsense; }\n")))
        }

        // A shader file that cannot be read refuses the scene with one warning naming the
        // scene and the file; the running scene goes on.
        function test_unreadableShaderRefusesTheScene() {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/1.png" }], fragmentShader: root.orangeShader })
            var running = host.channels
            var shader = host.fragmentShader
            LogCapture.clear()
            host.play({ channels: [], fragmentShader: "file:///nonexistent/joyvant.frag" }, "scene 4 of list.json")
            compare(LogCapture.matching("ShaderToyEffect:"), ["ShaderToyEffect: scene 4 of list.json refused, its shader "
                    + "cannot be used: Cannot read \"/nonexistent/joyvant.frag\": the file does not exist"])
            compare(host.channels, running)
            compare(host.fragmentShader, shader)
            // Without an origin the warning still says what it is about.
            host.play({ channels: [], fragmentShader: "qrc:/no/such.frag" })
            compare(LogCapture.matching("the scene refused, its shader cannot be used: Cannot read \":/no/such.frag\"").length, 1)
        }

        // A picture that cannot be used leaves its channel empty, in its place, with one
        // warning; the scene plays.
        function test_unusablePictureLeavesItsChannelEmpty() {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/1.png" },
                                   { type: "image", source: "file:///nonexistent/joyvant.png" },
                                   { type: "image", source: "qrc:/2DTextures/2.png" }],
                        fragmentShader: root.plainShader }, "scene 1 of list.json")
            compare(LogCapture.matching("ShaderToyEffect:"), ["ShaderToyEffect: scene 1 of list.json, channel 1 left empty: "
                    + "Cannot read \"/nonexistent/joyvant.png\": the file does not exist"])
            compare(host.channels.length, 3)
            compare(String(host.channels[1].source), "")
            compare(String(host.channels[2].source), "qrc:/2DTextures/2.png")
            compare(host.iChannel2.sourceItem, host.channels[2].output)
            tryCompare(host.channels[2].output, "status", Image.Ready)
        }

        // Channel numbers in warnings are those of the scene's own list.
        function test_channelNumbersCountSkippedEntries() {
            host.play({ channels: [null, { type: "image", source: "qrc:/no/such.png" }], fragmentShader: root.plainShader },
                      "scene 0 of list.json")
            compare(LogCapture.matching("channel 1 left empty: Cannot read \":/no/such.png\"").length, 1)
            compare(host.channels.length, 1)
        }

        function test_pauseFreezesTheClockAndPlayJumpsIt() {
            host.play({ channels: [], fragmentShader: root.plainShader })
            host.pause()
            var frozen = host.iTime
            wait(300)
            compare(host.iTime, frozen)
            host.play({ channels: [], fragmentShader: root.plainShader })
            tryVerify(function() { return host.iTime >= frozen + 0.3 }, 1000)
        }

        function test_pointer() {
            clicks.clear()
            var seen
            var connection = function() { seen = host.iMouse }
            host.clicked.connect(connection)
            mouseClick(host, 0, 0)
            host.clicked.disconnect(connection)
            compare(clicks.count, 1)
            compare(seen, Qt.vector4d(0, 800, 0, 800)) // updated before clicked() fires
            compare(host.iMouse, Qt.vector4d(0, 800, 0, 800)) // and it stays after the release

            // Without hover, positions arrive while a button is held.
            mousePress(host, 1280 / 4, 800 / 4)
            mouseMove(host, 1280 / 2, 800 / 4)
            compare(host.iMouse, Qt.vector4d(640, 600, 640, 600))
            mouseRelease(host, 1280 / 2, 800 / 4)

        }

        function test_pointerLeavingResets() {
            host.hoverEnabled = true
            mouseMove(host, 600, 380)
            mouseMove(host, 640, 400)
            tryCompare(host, "iMouse", Qt.vector4d(640, 400, 640, 400))
            mouseMove(root, 640, 400 + 800) // outside the window: the pointer leaves
            tryCompare(host, "iMouse", Qt.vector4d(0, 0, 0, 0))
            host.hoverEnabled = false
        }

        function test_mutedAlias() {
            host.muted = true
            verify(host.audioChannel.muted)
            host.audioChannel.muted = false
            verify(!host.muted)
        }

        // Six lines, once the window's scene graph has told what it runs on.
        function test_graphicsReport() {
            LogCapture.clear()
            var effect = Qt.createComponent("qrc:/ShaderToyEffect.qml").createObject(root, { width: 10, height: 10, visible: false })
            tryVerify(function() { return LogCapture.matching("shaderType:").length > 0 })
            var report = /^(api|profile|renderableType|shaderCompilationType|ShaderSourceString|shaderType):/
            var lines = LogCapture.messages.filter(function(m) { return report.test(m) })
            compare(lines, ["api:OpenGL", "profile:OpenGLCoreProfile", "renderableType:SurfaceFormatOpenGL",
                            "shaderCompilationType:RuntimeCompilation",
                            "ShaderSourceString:ShaderSourceString ShaderSourceFile [3]", "shaderType:GLSL "])
            effect.destroy()
        }

        function test_imageChannelTakesThePicturesSizeMirrored() {
            host.play({ channels: [{ type: "image", source: "qrc:/2DTextures/1.png" }], fragmentShader: root.plainShader })
            var output = host.channels[0].output
            tryCompare(output, "status", Image.Ready)
            compare(output.width, 64)
            compare(output.height, 64)
            verify(output.mirror)
            verify(!host.channels[0].visible)
        }
    }
}
