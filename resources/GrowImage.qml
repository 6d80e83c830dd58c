import QtQuick 2.15
import QtQuick.Window 2.15
import QtGraphicalEffects 1.15

// A picture drawn with a halo of `color` around it.
//
// The glow (three render passes) exists only while the item is on screen and its picture
// has been rasterised: a hidden picture costs no effect. With `asynchronous` set, a worker
// thread rasterises the picture and the glow is built in the event loop's idle time once
// the window has begun to draw, so the window's first frame does not wait for the glow's
// passes; the picture shows a few frames later.
Item {
    id: growImage

    property alias source: image.source
    property alias mipmap: image.mipmap
    property alias fillMode: image.fillMode
    property bool asynchronous: false
    property real radius: 10
    property int samples: 16
    property color color: "white"
    property bool transparentBorder: true

    // Whether the window has prepared a frame since this item was made.
    property bool framesStarted: false
    // Whether the picture and its glow are built and will show in the next frame.
    readonly property bool drawn: glow.status === Loader.Ready

    Image {
        id: image
        anchors.fill: parent
        visible: false
        asynchronous: growImage.asynchronous
        antialiasing: true
        smooth: true
        mipmap: false
        fillMode: Image.PreserveAspectCrop
        sourceSize: Qt.size(growImage.width, growImage.height)
    }

    Loader {
        id: glow
        anchors.fill: parent
        asynchronous: growImage.asynchronous
        active: growImage.visible && image.status === Image.Ready
                && (growImage.framesStarted || !growImage.asynchronous)
        sourceComponent: Glow {
            source: image
            cached: true
            spread: 0.2
            radius: growImage.radius
            samples: growImage.samples
            color: growImage.color
            transparentBorder: growImage.transparentBorder
        }
    }

    Connections {
        target: growImage.asynchronous ? growImage.Window.window : null
        enabled: !growImage.framesStarted
        function onAfterAnimating() { growImage.framesStarted = true }
    }
}
