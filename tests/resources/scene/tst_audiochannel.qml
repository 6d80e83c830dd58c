import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// Music played by a scene's audio channel reaches the shader as the iAudio texture.
Item {
    id: root
    width: 512
    height: 64

    ShaderToyEffect {
        id: host
        anchors.fill: parent
    }

    // Shows the spectrum texture's red channel, row by row, so the test can read it back.
    readonly property string spectrumShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
        + "uniform sampler2D iAudio;\n"
        + "void main() { fragColor = vec4(texture(iAudio, qt_TexCoord0).r, 0.0, 0.0, 1.0) * qt_Opacity; }\n"

    TestCase {
        name: "AudioChannel"
        when: windowShown

        function brightest() {
            var image = grabImage(host)
            var best = 0
            for (var x = 0; x < host.width; x += 4) {
                for (var y = 4; y < host.height; y += 8)
                    best = Math.max(best, image.pixel(x, y).r)
            }
            return best
        }

        function test_musicFeedsTheAudioTexture() {
            compare(brightest(), 0) // nothing plays: the texture is empty
            host.play({ channels: [], audio: "qrc:/music/afterglow.ogg", fragmentShader: root.spectrumShader })
            tryCompare(host.audioChannel.output, "sourceRect", Qt.rect(0, 0, 512, 4), 20000)
            tryVerify(function() { return brightest() > 0.2 }, 20000, "the spectrum shows in iAudio")
            host.pause()
        }

        function shippedScenes() {
            var request = new XMLHttpRequest()
            request.open("GET", "file://" + joyvantSourceDir + "/resources/scenes.json", false)
            request.send()
            return JSON.parse(request.responseText).scenes
        }

        // The shipped scenes' music, started the way the main screen starts a scene.
        function test_shippedSceneMusicPlays() {
            var scenes = shippedScenes().filter(function(scene) { return scene.audio !== undefined })
            verify(scenes.length > 0)
            var scene = scenes[0]
            scene.fragmentShader = root.spectrumShader // the scene's own shader draws no spectrum
            host.play(scene)
            verify(String(host.audioChannel.source).indexOf("music/") >= 0)
            tryVerify(function() { return brightest() > 0.2 }, 20000, "the scene's music reaches iAudio")
            host.pause()
        }

        function test_muteThroughTheHost() {
            host.play({ channels: [], audio: "qrc:/music/afterglow.ogg", fragmentShader: root.spectrumShader })
            host.muted = true
            verify(host.audioChannel.muted)
            tryVerify(function() { return brightest() > 0.2 }, 20000, "a muted channel still analyses")
            host.muted = false
            verify(!host.muted)
            host.pause()
        }
    }
}
