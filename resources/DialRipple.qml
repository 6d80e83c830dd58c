import QtQuick 2.15

// One ripple circle of a vibration dial: an orange ring, centred, hidden until the dial
// fades it in.
Rectangle {
    property real diameter: 0

    width: diameter
    height: diameter
    radius: diameter / 2
    anchors.centerIn: parent
    color: "transparent"
    border.width: 1
    border.color: "#FF8A29"
    opacity: 0
}
