import QtQuick 2.15
import QtQuick.Shapes 1.15

// Layout of the pie menu: the highlight gradient the sectors share, the inner circle,
// the pointer area over the whole menu and the two states. PieMenu adds the sectors
// around the inner circle and drives them.
Item {
    id: menu

    property real outerRadius: Math.min(width / 2, height / 2)
    property real innerRadius: outerRadius / 4
    property real centerX: width / 2
    property real centerY: height / 2
    property real sectorCount: 0
    property var sectors: []
    property var sectorIcons: []
    property var actions: []
    property var gamepad: null
    property var fillGradient: highlightGradient

    property alias innerCircle: innerCircle
    property alias pointerArea: pointerArea

    visible: false
    // 0.85 while active. A binding rather than a change of the state: a state records the
    // value it replaces to restore it when it ends, and with an owner that fades the
    // opacity that would be a value halfway through the fade of the last closing.
    opacity: state === "active" ? 0.85 : 0

    RadialGradient {
        id: highlightGradient
        centerX: menu.centerX
        centerY: menu.centerY
        centerRadius: menu.outerRadius
        focalX: menu.centerX
        focalY: menu.centerY

        GradientStop {
            position: 0
            color: "#9FFFFFFF"
        }
        GradientStop {
            position: 1
            color: "transparent"
        }
    }

    // Draws nothing: its filled circle only tells whether a click hit the centre.
    Shape {
        id: innerCircle
        objectName: "innerCircle"
        anchors.fill: parent
        containsMode: Shape.FillContains

        ShapePath {
            strokeColor: "transparent"
            fillColor: "transparent"
            startX: menu.centerX + menu.innerRadius
            startY: menu.centerY

            PathArc {
                x: menu.centerX - menu.innerRadius
                y: menu.centerY
                radiusX: menu.innerRadius
                radiusY: menu.innerRadius
            }
            PathArc {
                x: menu.centerX + menu.innerRadius
                y: menu.centerY
                radiusX: menu.innerRadius
                radiusY: menu.innerRadius
            }
        }
    }

    MouseArea {
        id: pointerArea
        objectName: "pointerArea"
        anchors.fill: parent
        hoverEnabled: true
    }

    states: [
        State {
            name: "active"
            PropertyChanges {
                target: menu
                visible: true
            }
        }
    ]
}
