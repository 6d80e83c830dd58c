import QtQuick 2.15
import "../padhealth"

// One motor's level, 0..1, as a bar with its name on the left and the level in per cent
// on the right.
Item {
    id: bar

    property string title
    property real level: 0

    implicitWidth: 340
    implicitHeight: 18

    Text {
        id: titleText
        width: 110
        anchors.verticalCenter: parent.verticalCenter
        text: bar.title
        color: HealthStyle.dimText
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }

    Rectangle {
        id: track
        anchors.left: titleText.right
        anchors.right: valueText.left
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        height: 8
        radius: 2
        color: HealthStyle.base

        Rectangle {
            objectName: "fill"
            width: track.width * Math.max(0, Math.min(1, bar.level))
            height: parent.height
            radius: 2
            color: HealthStyle.attention
        }
    }

    Text {
        id: valueText
        objectName: "value"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        width: 40
        horizontalAlignment: Text.AlignRight
        text: Math.round(bar.level * 100) + " %"
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }
}
