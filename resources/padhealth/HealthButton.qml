import QtQuick 2.15

// A small text button of the pad health view: a thin teal frame that lights orange
// under the pointer.
Rectangle {
    id: button

    property alias text: label.text

    signal clicked()

    implicitWidth: label.implicitWidth + 20
    implicitHeight: 24
    radius: 3
    color: mouse.pressed ? "#4012AAC2" : "transparent"
    border.width: 1
    border.color: mouse.containsMouse ? HealthStyle.attention : HealthStyle.healthy
    opacity: enabled ? 1 : 0.4

    Text {
        id: label
        anchors.centerIn: parent
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.valueSize
    }

    MouseArea {
        id: mouse
        objectName: "mouse"
        anchors.fill: parent
        hoverEnabled: true
        onClicked: button.clicked()
    }
}
