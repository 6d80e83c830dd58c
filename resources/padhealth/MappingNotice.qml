import QtQuick 2.15

// How many connected pads SDL does not know as game controllers; a click opens the
// pad health view, which lists them.
Item {
    id: notice

    property int count: 0

    signal clicked()

    implicitWidth: row.implicitWidth
    implicitHeight: 20
    visible: count > 0

    Row {
        id: row
        spacing: 6

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            radius: 4
            color: HealthStyle.attention
        }

        Text {
            objectName: "noticeText"
            text: notice.count === 1 ? qsTr("1 pad needs a mapping") : qsTr("%1 pads need a mapping").arg(notice.count)
            color: mouse.containsMouse ? HealthStyle.text : HealthStyle.attention
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: 13
            font.underline: mouse.containsMouse
        }
    }

    MouseArea {
        id: mouse
        objectName: "noticeMouse"
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: notice.clicked()
    }
}
