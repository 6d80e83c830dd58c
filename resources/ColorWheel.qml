import QtQuick 2.15
import QtQuick.Shapes 1.15

// Hue ring around a saturation/value triangle that turns with the hue.
//
// Angles run clockwise from 12 o'clock; hue h sits at 360·h degrees. The triangle's
// own frame has its origin at the centre and y pointing down, and is turned by the
// hue. Its corners: V0 = (0, −R) the pure hue, V1 = (R·√3/2, R/2) white and
// V2 = (−R·√3/2, R/2) black, with R the inner radius of the ring.
Item {
    id: wheel

    property int circleWidth: 12
    // On its own the wheel starts with the selection at the triangle's centre, red at
    // the top; a picker may set another start.
    property real hue: 0
    property real sat: 1 / 2
    property real val: 2 / 3

    readonly property real centre: width / 2
    readonly property real radius: width / 2 - circleWidth
    readonly property real handleTrack: width / 2 - circleWidth / 2
    readonly property color selectedColor: Qt.hsva(hue, sat, val, 1)
    readonly property point selectionPoint: colorToPoint(sat, val)

    // (sat, val) for a point of the triangle's frame, or null outside the triangle.
    // At the black corner every saturation gives black; there the saturation is 0.
    function pointToColor(x, y) {
        var x1 = x / radius
        var y1 = y / radius
        var a = Math.sqrt(3) * x1 - y1 + 2
        var t = 1 - 2 * y1
        var eps = 1e-9
        if (a < -eps || a > 3 + eps || t < -eps || t > a + eps)
            return null
        var s = a > eps ? t / a : 0
        return {
            sat: Math.min(1, Math.max(0, s)),
            val: Math.min(1, Math.max(0, a / 3))
        }
    }

    // The point of (sat, val) in the triangle's frame.
    function colorToPoint(s, v) {
        return Qt.point(radius * (2 * v - s * v - 1) * Math.sqrt(3) / 2,
                        radius * (1 - 3 * s * v) / 2)
    }

    // A point of the wheel's own coordinates in the triangle's frame.
    function toTriangleFrame(px, py) {
        var a = hue * 2 * Math.PI
        var dx = px - centre
        var dy = py - centre
        return Qt.point(dx * Math.cos(a) + dy * Math.sin(a), -dx * Math.sin(a) + dy * Math.cos(a))
    }

    // The clockwise angle from 12 o'clock of a point, as a hue in 0..1.
    function hueAt(px, py) {
        var turns = Math.atan2(px - centre, centre - py) / (2 * Math.PI)
        return turns < 0 ? turns + 1 : turns
    }

    function selectAt(px, py) {
        var p = toTriangleFrame(px, py)
        var colour = pointToColor(p.x, p.y)
        if (!colour)
            return false
        sat = colour.sat
        val = colour.val
        return true
    }

    width: 100
    height: width

    Canvas {
        id: ring
        objectName: "ring"
        anchors.fill: parent

        onWidthChanged: requestPaint()
        onPaint: {
            var ctx = getContext("2d")
            var c = wheel.centre
            var outer = wheel.width / 2 - 1
            ctx.reset()
            ctx.save()
            ctx.translate(c, c)
            for (var i = 0; i < 360; ++i) {
                var colour = Qt.hsva((i + 1) / 360, 1, 1, 1)
                ctx.beginPath()
                ctx.moveTo(0, 0)
                ctx.arc(0, 0, outer, (i - 90) * Math.PI / 180, (i - 89) * Math.PI / 180, false)
                ctx.closePath()
                ctx.fillStyle = colour
                ctx.strokeStyle = colour
                ctx.fill()
                ctx.stroke()
            }
            ctx.restore()

            ctx.save()
            ctx.globalCompositeOperation = "destination-out"
            ctx.beginPath()
            ctx.arc(c, c, wheel.radius, 0, 2 * Math.PI, false)
            ctx.fillStyle = "black"
            ctx.fill()
            ctx.restore()

            ctx.save()
            ctx.lineWidth = 2
            ctx.strokeStyle = "#8A8C93"
            ctx.beginPath()
            ctx.arc(c, c, outer, 0, 2 * Math.PI, false)
            ctx.stroke()
            ctx.restore()

            ctx.save()
            ctx.lineWidth = 12
            ctx.strokeStyle = "#696969"
            ctx.beginPath()
            ctx.arc(c, c, wheel.radius - 5, 0, 2 * Math.PI, false)
            ctx.stroke()
            ctx.restore()
        }
    }

    Item {
        id: triangle
        objectName: "triangle"
        anchors.fill: parent
        rotation: 360 * wheel.hue

        Shape {
            id: fills
            anchors.fill: parent
            asynchronous: true
            // Smooth edges: the fills are drawn into a multisampled layer.
            layer.enabled: true
            layer.samples: 4

            readonly property real c: wheel.centre
            readonly property real r: wheel.radius
            readonly property real half: r * Math.sqrt(3) / 2
            // Corners in the item's coordinates.
            readonly property point v0: Qt.point(c, c - r)
            readonly property point v1: Qt.point(c + half, c + r / 2)
            readonly property point v2: Qt.point(c - half, c + r / 2)

            TriangleFill {
                corners: [fills.v0, fills.v1, fills.v2]
                fillColor: "black"
            }
            TriangleFill {
                corners: [fills.v0, fills.v1, fills.v2]
                fillGradient: LinearGradient {
                    x1: fills.v1.x
                    y1: fills.v1.y
                    x2: (fills.v0.x + fills.v2.x) / 2
                    y2: (fills.v0.y + fills.v2.y) / 2
                    GradientStop { position: 0; color: "#FFFFFFFF" }
                    GradientStop { position: 1; color: "#00FFFFFF" }
                }
            }
            TriangleFill {
                corners: [fills.v0, fills.v1, fills.v2]
                fillGradient: LinearGradient {
                    x1: fills.v0.x
                    y1: fills.v0.y
                    x2: (fills.v0.x + fills.v1.x) / 2
                    y2: (fills.v0.y + fills.v1.y) / 2
                    GradientStop { position: 0; color: "#FF000000" }
                    GradientStop { position: 1; color: "#00000000" }
                }
            }
            TriangleFill {
                corners: [fills.v0, fills.v1, fills.v2]
                fillGradient: LinearGradient {
                    x1: fills.v0.x
                    y1: fills.v0.y
                    x2: (fills.v1.x + fills.v2.x) / 2
                    y2: (fills.v1.y + fills.v2.y) / 2
                    GradientStop { position: 0; color: Qt.hsva(wheel.hue, 1, 1, 1) }
                    GradientStop { position: 1; color: Qt.hsva(wheel.hue, 1, 1, 0) }
                }
            }
        }

        Rectangle {
            id: selectionHandle
            objectName: "selectionHandle"
            x: wheel.centre + wheel.selectionPoint.x - width / 2
            y: wheel.centre + wheel.selectionPoint.y - height / 2
            width: 10
            height: 10
            radius: 5
            color: wheel.selectedColor
            border.width: 2
            border.color: "#EBE9DD"
        }
    }

    Rectangle {
        id: hueHandle
        objectName: "hueHandle"
        readonly property real angle: wheel.hue * 2 * Math.PI
        x: wheel.centre + wheel.handleTrack * Math.sin(angle) - width / 2
        y: wheel.centre - wheel.handleTrack * Math.cos(angle) - height / 2
        width: wheel.circleWidth
        height: width
        radius: width / 2
        color: "#EBE9DD"

        Rectangle {
            anchors.centerIn: parent
            width: parent.width - 4
            height: width
            radius: width / 2
            color: wheel.selectedColor
        }
    }

    MouseArea {
        id: pointer
        objectName: "wheelArea"
        property bool ringDrag: false
        property bool triangleDrag: false

        anchors.fill: parent
        hoverEnabled: false

        onPressed: {
            triangleDrag = wheel.selectAt(mouse.x, mouse.y)
            ringDrag = !triangleDrag
        }
        onPositionChanged: {
            if (triangleDrag) {
                wheel.selectAt(mouse.x, mouse.y)
            } else if (ringDrag) {
                var dx = mouse.x - wheel.centre
                var dy = mouse.y - wheel.centre
                if (Math.sqrt(dx * dx + dy * dy) > wheel.radius)
                    wheel.hue = wheel.hueAt(mouse.x, mouse.y)
            }
        }
        onReleased: {
            ringDrag = false
            triangleDrag = false
        }
        onCanceled: {
            ringDrag = false
            triangleDrag = false
        }
    }
}
