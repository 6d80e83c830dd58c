import QtQuick 2.15

// A picture as a scene texture, at the picture's own size, mirrored left to right.
Item {
    property alias source: image.source
    property alias output: image

    visible: false

    Image {
        id: image
        mirror: true
    }
}
