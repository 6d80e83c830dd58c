import QtQuick 2.15
import QtMultimedia 5.15
import com.corvane.multimedia 1.0

// The scene host's inputs and parts: every uniform a scene shader may read is a
// property of the same name, fed to the shader by ShaderEffect.
ShaderEffect {
    id: effect

    property size resolution: Qt.size(width, height)
    property int fps: 30
    property alias audioChannel: audioChannel
    property alias pointerArea: pointerArea

    property vector3d iResolution: Qt.vector3d(resolution.width, resolution.height, 0)
    property vector4d iMouse: Qt.vector4d(0, 0, 0, 0)
    property double iTime: 0
    property var channels: []
    property variant iKeyboard
    property var gamepad
    property alias muted: audioChannel.muted
    property alias hoverEnabled: pointerArea.hoverEnabled

    property variant iChannel0: ShaderEffectSource {
        hideSource: true
        sourceItem: effect.channels.length > 0 ? effect.channels[0].output : null
    }
    property variant iChannel1: ShaderEffectSource {
        hideSource: true
        sourceItem: effect.channels.length > 1 ? effect.channels[1].output : null
    }
    property variant iChannel2: ShaderEffectSource {
        hideSource: true
        sourceItem: effect.channels.length > 2 ? effect.channels[2].output : null
    }
    property variant iChannel3: ShaderEffectSource {
        hideSource: true
        sourceItem: effect.channels.length > 3 ? effect.channels[3].output : null
    }
    property variant iAudio: ShaderEffectSource {
        hideSource: true
        sourceItem: audioChannel.output
    }

    // Black until a scene starts: Qt's own default shader would sample a "source" that
    // the host does not have.
    fragmentShader: "#version 330\nout vec4 fragColor;\nuniform float qt_Opacity;\nvoid main() { fragColor = vec4(0.0, 0.0, 0.0, 1.0) * qt_Opacity; }\n"

    AudioChannel {
        id: audioChannel
    }

    MouseArea {
        id: pointerArea
        anchors.fill: parent
        hoverEnabled: false
    }
}
