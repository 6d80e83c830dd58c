// The scene under measurement: one ShaderEffect filling the window, fed like the scene
// host feeds it (mirrored channel pictures, an empty audio texture, no keyboard).
import QtQuick 2.15

Item {
    id: root
    property alias shader: effect.fragmentShader
    property alias time: effect.iTime
    property string channel0: ""
    property string channel1: ""
    readonly property bool picturesReady: picture0.status !== Image.Loading && picture1.status !== Image.Loading

    Image { id: picture0; source: root.channel0; mirror: true; visible: false }
    Image { id: picture1; source: root.channel1; mirror: true; visible: false }
    Item { id: silence; width: 512; height: 2 }

    ShaderEffect {
        id: effect
        anchors.fill: parent
        property vector3d iResolution: Qt.vector3d(width, height, 0)
        property real iTime: 0
        property vector4d iMouse: Qt.vector4d(0, 0, 0, 0)
        property var iChannel0: ShaderEffectSource { sourceItem: picture0; hideSource: true }
        property var iChannel1: ShaderEffectSource { sourceItem: picture1; hideSource: true }
        property var iAudio: ShaderEffectSource { sourceItem: silence; hideSource: true }
        // black until the first shader under test arrives
        fragmentShader: "#version 330\nout vec4 fragColor;\nvoid main() { fragColor = vec4(0.0); }\n"
    }
}
