import QtQuick 2.15
import "../padhealth"
import "ControlPlaces.js" as ControlPlaces

// A ring lit around one control of the controller picture, placed from the table in
// ControlPlaces.js; a parent that covers the picture's 700 x 480 frame gives its
// coordinates. A wider, fainter ring breathes around it while it shows, so the eye finds
// the control at once.
Item {
    id: highlight

    // SDL's name of the control to light ("a", "dpup", "lefttrigger", ...); nothing shows
    // for a name the table lacks.
    required property string control

    readonly property var place: ControlPlaces.place(control)
    readonly property real cornerRadius: place ? (place.radius !== undefined ? place.radius
                                                                             : Math.min(width, height) / 2) : 0

    x: place ? place.x - width / 2 : 0
    y: place ? place.y - height / 2 : 0
    width: place ? place.width : 0
    height: place ? place.height : 0

    Rectangle {
        id: halo
        objectName: "halo"
        anchors.centerIn: parent
        width: parent.width + 18
        height: parent.height + 18
        radius: highlight.cornerRadius + 9
        color: "transparent"
        border.width: 5
        border.color: HealthStyle.attention
        visible: highlight.place !== null

        SequentialAnimation on opacity {
            running: highlight.visible && highlight.place !== null
            loops: Animation.Infinite
            NumberAnimation { from: 0.15; to: 0.6; duration: 600; easing.type: Easing.InOutSine }
            NumberAnimation { from: 0.6; to: 0.15; duration: 600; easing.type: Easing.InOutSine }
        }
    }

    Rectangle {
        id: ring
        objectName: "ring"
        anchors.fill: parent
        radius: highlight.cornerRadius
        color: "#33FF8A29"
        border.width: 3
        border.color: HealthStyle.attention
        visible: highlight.place !== null
    }
}
