import QtQuick 2.0
import QtMultimedia 5.15

// A video as a scene texture: plays, muted and looping, as soon as it has a source.
Item {
    property alias source: player.source
    property alias output: videoOutput

    visible: false

    MediaPlayer {
        id: player
        autoPlay: true
        muted: true
        loops: MediaPlayer.Infinite
    }

    VideoOutput {
        id: videoOutput
        source: player
    }
}
