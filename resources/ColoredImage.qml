import QtQuick 2.15
import QtGraphicalEffects 1.15

// A picture in which every opaque pixel takes one colour (`overlayColor`); with the
// default, fully transparent colour the picture keeps its own colours. Vector pictures
// are rendered at the item's size, so they stay sharp at any size.
//
// The colour effect exists only while the picture can be seen (shown and not fully
// transparent): an indicator of an untested input costs no effect.
Item {
    id: coloredImage

    property color overlayColor: "transparent"
    property alias source: image.source
    property alias fillMode: image.fillMode
    property alias sourceSize: image.sourceSize
    property alias asynchronous: image.asynchronous

    Image {
        id: image
        anchors.fill: parent
        visible: false
        antialiasing: true
        smooth: true
        mipmap: false
        fillMode: Image.PreserveAspectCrop
        sourceSize: Qt.size(coloredImage.width, coloredImage.height)
    }

    Loader {
        anchors.fill: parent
        active: coloredImage.visible && coloredImage.opacity > 0
        sourceComponent: ColorOverlay {
            source: image
            color: coloredImage.overlayColor
        }
    }
}
