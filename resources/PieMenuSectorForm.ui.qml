import QtQuick 2.15
import QtQuick.Shapes 1.15
import QtGraphicalEffects 1.15

// Layout of one sector of the pie menu: the outline between the inner and the outer
// circle, the icon shown through its glow, and the highlight states. The sector fills
// its parent and is hit-tested by its outline; PieMenuSector works out the points.
Shape {
    id: sector

    property real outerRadius: 0
    property real innerRadius: 0
    readonly property real centerX: width / 2
    readonly property real centerY: height / 2
    property real iconRadius: outerRadius * 0.75
    property real startAngle: 0
    property real sweepAngle: 30
    property var fillGradient
    property bool highlighted: false
    property bool pressing: false

    property point innerA
    property point innerB
    property point outerA
    property point outerB
    property point iconPoint

    property alias strokeColor: outline.strokeColor
    property alias strokeStyle: outline.strokeStyle
    property alias strokeWidth: outline.strokeWidth
    property alias source: icon.source
    property alias iconImage: icon
    property alias outline: outline
    property alias glow: glow

    anchors.fill: parent
    containsMode: Shape.FillContains

    ShapePath {
        id: outline
        fillColor: "#01FFFFFF"
        startX: sector.innerA.x
        startY: sector.innerA.y

        PathArc {
            x: sector.innerB.x
            y: sector.innerB.y
            radiusX: sector.innerRadius
            radiusY: sector.innerRadius
            direction: PathArc.Clockwise
        }
        PathLine {
            x: sector.outerB.x
            y: sector.outerB.y
        }
        PathArc {
            x: sector.outerA.x
            y: sector.outerA.y
            radiusX: sector.outerRadius
            radiusY: sector.outerRadius
            direction: PathArc.Counterclockwise
        }
        PathLine {
            x: sector.innerA.x
            y: sector.innerA.y
        }
    }

    Image {
        id: icon
        objectName: "sectorIcon"
        x: sector.iconPoint.x - width / 2
        y: sector.iconPoint.y - height / 2
        width: 48
        height: 48
        visible: false
        fillMode: Image.PreserveAspectFit
        smooth: true
        sourceSize.width: 240
        sourceSize.height: 240
    }

    Glow {
        id: glow
        objectName: "sectorGlow"
        anchors.fill: icon
        source: icon
        cached: true
        spread: 0.2
        radius: 10
        samples: 16
        color: "white"
    }

    states: [
        State {
            name: "pressed"
            when: sector.pressing
            PropertyChanges {
                target: outline
                fillColor: "white"
                fillGradient: sector.fillGradient ? sector.fillGradient : null
            }
        },
        State {
            name: "hovered"
            when: sector.highlighted
            PropertyChanges {
                target: outline
                fillColor: "white"
                fillGradient: sector.fillGradient ? sector.fillGradient : null
            }
        }
    ]
}
