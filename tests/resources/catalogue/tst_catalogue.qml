import QtQuick 2.15
import QtTest 1.15
import JoyvantTest.Log 1.0
import "qrc:/"

// Every shipped shader in the real scene host under the program's OpenGL 3.3 core
// profile: it compiles and links, draws visible colour at 320 x 200 (over black, for the
// ones that only add light) and moves.
Item {
    id: root
    width: 320
    height: 200

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    ShaderToyEffect {
        id: host
        anchors.fill: parent
    }

    // Each shader with the pictures its channels expect.
    readonly property var catalogue: [
        { file: "DustyNebula.frag", channels: ["6.png", "6.png"] },
        { file: "Ether.frag", channels: [] },
        { file: "ExtrudedSkewedGrid.frag", channels: ["5.jpg"] },
        { file: "Fire.frag", channels: [] },
        { file: "Frame.frag", channels: [] },
        { file: "Heartfelt.frag", channels: ["5.jpg"] },
        { file: "Jewel.frag", channels: [] },
        { file: "LightCircle.frag", channels: [] },
        { file: "Luminescence.frag", channels: [] },
        { file: "Magnetismic.frag", channels: ["6.png"] },
        { file: "Nebulaplexus.frag", channels: ["6.png"] },
        { file: "NeonTunnel.frag", channels: ["6.png"] },
        { file: "ProteanClouds.frag", channels: [] },
        { file: "Ring.frag", channels: [] },
        { file: "SkinPeeler.frag", channels: [] },
        { file: "Starfield.frag", channels: [] },
        { file: "Supernova.frag", channels: ["6.png", "3.png"] },
        { file: "TileableWater.frag", channels: [] },
        { file: "TransparentCubeField.frag", channels: [] },
        { file: "XBoxLogo.frag", channels: [] },
        { file: "Xyptonjtroz.frag", channels: [] },
        { file: "furball.frag", channels: ["6.png", "5.jpg"] }
    ]

    TestCase {
        name: "ShaderCatalogue"
        when: windowShown

        function test_everyShader_data() {
            return root.catalogue.map(function(entry) { return { tag: entry.file, entry: entry } })
        }

        function sample() {
            var image = grabImage(host)
            var values = []
            var lit = 0
            for (var y = 5; y < 200; y += 19) {
                for (var x = 5; x < 320; x += 21) {
                    var p = image.pixel(x, y)
                    values.push(p.r + p.g + p.b)
                    if (p.r + p.g + p.b > 0.06)
                        ++lit
                }
            }
            return { values: values, lit: lit }
        }

        function init() {
            // Start every shader from a black picture, so nothing left from the one before counts.
            host.play({ channels: [], fragmentShader: "#version 330\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
                                                      + "void main() { fragColor = vec4(0.0, 0.0, 0.0, qt_Opacity); }\n" })
            tryVerify(function() { return sample().lit === 0 }, 5000, "black between shaders")
        }

        function test_everyShader(data) {
            var channels = data.entry.channels.map(function(picture) {
                return { type: "image", source: "qrc:/2DTextures/" + picture }
            })
            LogCapture.clear()
            host.play({ channels: channels, fragmentShader: "qrc:/shaders/" + data.entry.file })
            verify(String(host.fragmentShader).indexOf("main") >= 0, "the file is in the bundle")

            var first
            tryVerify(function() { first = sample(); return first.lit >= 4 }, 15000, "visible colour")
            // Nothing in the log: no compiler message, and no note from Qt about a uniform
            // without a property or a shader without qt_Opacity.
            tryCompare(host, "log", "", 3000, "compiler log")
            var notes = LogCapture.matching("error").concat(LogCapture.matching("qt_Opacity"),
                                                             LogCapture.matching("matching property"))
            compare(notes.length, 0, notes.join("\n"))

            var startTime = host.iTime
            tryVerify(function() {
                if (host.iTime < startTime + 0.5)
                    return false
                var later = sample()
                for (var i = 0; i < later.values.length; ++i) {
                    if (Math.abs(later.values[i] - first.values[i]) > 0.02)
                        return true
                }
                return false
            }, 15000, "the picture changes over time")
        }
    }
}
