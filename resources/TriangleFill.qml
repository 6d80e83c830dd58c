import QtQuick 2.15
import QtQuick.Shapes 1.15

// One fill of the colour wheel's triangle: the closed path through three corners,
// without a stroke. Gradients continue their end colours beyond their end points.
ShapePath {
    property var corners: [Qt.point(0, 0), Qt.point(0, 0), Qt.point(0, 0)]

    strokeWidth: -1
    strokeColor: "transparent"
    startX: corners[0].x
    startY: corners[0].y

    PathLine { x: corners[1].x; y: corners[1].y }
    PathLine { x: corners[2].x; y: corners[2].y }
    PathLine { x: corners[0].x; y: corners[0].y }
}
