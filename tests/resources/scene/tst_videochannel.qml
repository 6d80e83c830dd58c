import QtQuick 2.15
import QtMultimedia 5.15
import QtTest 1.15
import "qrc:/"

// A video channel plays its video at once, muted, over and over, into the sampler.
Item {
    id: root
    width: 320
    height: 200

    ShaderToyEffect {
        id: host
        anchors.fill: parent
    }

    readonly property string channelShader: "#version 330\n"
        + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
        + "uniform sampler2D iChannel0;\n"
        + "void main() { fragColor = vec4(texture(iChannel0, qt_TexCoord0).rgb, 1.0) * qt_Opacity; }\n"

    TestCase {
        name: "VideoChannel"
        when: windowShown

        function playerOf(channel) {
            for (var i = 0; i < channel.data.length; ++i) {
                if (channel.data[i].playbackState !== undefined)
                    return channel.data[i]
            }
            return null
        }

        // The fixture's frames are flat colours stepping round the hue circle; the first is red.
        function isRed(p) { return p.r > 0.9 && p.g < 0.2 && p.b < 0.2 }

        function test_videoPlaysMutedAndLoops() {
            host.play({ channels: [{ type: "video", source: "file://" + joyvantTestDataDir + "/video/colours.avi" }],
                        fragmentShader: root.channelShader })
            var channel = host.channels[0]
            var player = playerOf(channel)
            verify(player)
            verify(player.muted)
            compare(player.loops, MediaPlayer.Infinite)
            compare(host.iChannel0.sourceItem, channel.output)
            tryCompare(player, "playbackState", MediaPlayer.PlayingState, 10000)

            // Red, then other frames, then red again: the two-second video started over.
            var phase = 0
            tryVerify(function() {
                var red = isRed(grabImage(host).pixel(160, 100))
                if (phase === 0 && red)
                    phase = 1
                else if (phase === 1 && !red)
                    phase = 2
                else if (phase === 2 && red)
                    phase = 3
                return phase === 3
            }, 15000, "the video starts over (phase " + phase + ")")
            compare(channel.output.width, 64)
            compare(channel.output.height, 48)
        }
    }
}
