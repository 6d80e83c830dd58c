import QtQuick 2.15

// A picture as a scene texture, at the picture's own size, mirrored left to right. The
// scene host checks the file first (FileGuard: a regular file, its size and its pixel
// count). The picture is decoded off the GUI thread and kept only while a channel shows
// it: Qt Quick's picture cache would hold on to every scene's pictures after the scene
// was left.
Item {
    property alias source: image.source
    property alias output: image

    visible: false

    Image {
        id: image
        mirror: true
        asynchronous: true
        cache: false
    }
}
