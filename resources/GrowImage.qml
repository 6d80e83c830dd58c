import QtQuick 2.15
import QtGraphicalEffects 1.15

// A picture drawn with a halo of `color` around it.
Item {
    id: growImage

    property alias source: image.source
    property alias mipmap: image.mipmap
    property alias fillMode: image.fillMode
    property alias radius: glow.radius
    property alias samples: glow.samples
    property alias color: glow.color
    property alias transparentBorder: glow.transparentBorder

    Image {
        id: image
        anchors.fill: parent
        visible: false
        antialiasing: true
        smooth: true
        mipmap: false
        fillMode: Image.PreserveAspectCrop
        sourceSize: Qt.size(growImage.width, growImage.height)
    }

    Glow {
        id: glow
        anchors.fill: parent
        source: image
        cached: true
        spread: 0.2
        radius: 10
        samples: 16
        color: "white"
    }
}
