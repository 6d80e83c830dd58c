import QtQuick 2.15
import QtMultimedia 5.15
import com.corvane.multimedia 1.0

// Music for a scene: the player repeats its file without end and presents the spectrum
// of what it plays as frames on `output`, which the scene host samples as iAudio.
Item {
    property alias source: player.source
    property alias output: videoOutput
    property alias muted: player.muted

    function play() {
        player.play()
    }

    function stop() {
        player.stop()
    }

    Sonolux {
        id: player
        loops: -1
    }

    VideoOutput {
        id: videoOutput
        source: player
        width: 512
        height: 2
    }
}
