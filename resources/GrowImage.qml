import QtQuick 2.15
import com.corvane.halo 1.0

// A picture drawn with a halo of `color` around it.
//
// The picture and its halo are made together as one image (Halo, host/halopicture.*):
// rasterised and blurred once on the processor, then drawn as a plain texture, with no
// off-screen passes and no layers kept in memory. With `asynchronous` set, Qt Quick's
// image reader thread makes it and the picture shows a few frames after the window; a
// picture that is not shown is not made. A new colour makes a new image.
Item {
    id: growImage

    property url source
    property bool asynchronous: false
    property real radius: 10
    // Kept for the documents that set it; the halo's blur has no sample count.
    property int samples: 16
    property real spread: 0.2
    property color color: "white"
    // Whether the halo may reach past the item's edges (by `radius`); if not, it is cut
    // at the edges.
    property bool transparentBorder: true

    // Whether the picture with its halo is made and will show in the next frame.
    readonly property bool drawn: image.status === Image.Ready

    readonly property int border: transparentBorder ? Math.round(radius) : 0

    Image {
        id: image
        objectName: "haloPicture"
        x: -growImage.border
        y: -growImage.border
        width: growImage.width + 2 * growImage.border
        height: growImage.height + 2 * growImage.border
        asynchronous: growImage.asynchronous
        smooth: true
        cache: true
        sourceSize: Qt.size(width, height)
        source: growImage.visible && growImage.width > 0 && growImage.height > 0
                ? Halo.url(growImage.source, Math.round(growImage.width), Math.round(growImage.height),
                           growImage.color, Math.round(growImage.radius), growImage.spread, growImage.transparentBorder)
                : ""
    }
}
