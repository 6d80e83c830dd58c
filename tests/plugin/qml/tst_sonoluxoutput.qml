import QtQuick 2.15
import QtMultimedia 5.15
import QtTest 1.15
import com.corvane.multimedia 1.0
import SonoluxTestMedia 1.0

// A VideoOutput whose source is a Sonolux item shows the spectrum frames of what the
// item plays, as the scene's audio channel uses it.
Item {
    width: 640
    height: 80

    Sonolux {
        id: player
        loops: -1
        muted: true
    }

    VideoOutput {
        id: output
        source: player
        width: 512
        height: 4
    }

    TestCase {
        name: "SonoluxVideoOutput"
        when: windowShown

        function cleanup() {
            player.stop()
        }

        function test_outputShowsTheSpectrum() {
            verify(player.videoSurface !== null, "the output hands its surface to the item")

            player.source = TestMedia.tone
            player.play()
            tryCompare(player, "playStatus", 1, 10000)
            // The first frame starts the surface with the 512 x 4 format.
            tryCompare(output, "sourceRect", Qt.rect(0, 0, 512, 4), 10000)

            // Shown one to one: 440 Hz lights column 2 * 440 * 512 / 44100 (about 10) of
            // the left spectrum row, and the waveform rows carry the tone.
            tryVerify(function() {
                var image = grabImage(output)
                var peak = Math.max(image.red(9, 0), image.red(10, 0), image.red(11, 0))
                var far = image.red(400, 0)
                var wave = 0
                for (var x = 0; x < 512; x += 4)
                    wave = Math.max(wave, image.red(x, 2))
                return peak > 180 && far < peak - 60 && wave > 40
            }, 10000, "spectrum frames reach the output")
        }
    }
}
