import QtQuick 2.15

// One figure of the view: its name above, the value and a verdict in plain words beside
// it, the verdict teal while the figure is healthy and orange when it needs attention
// (grey while there is nothing to judge yet).
Item {
    id: row

    property string label
    property string value
    property string verdict
    // true: healthy, false: needs attention, undefined: not judged.
    property var healthy

    implicitWidth: 280
    implicitHeight: 30

    Text {
        id: labelText
        objectName: "label"
        width: parent.width
        text: row.label
        color: HealthStyle.dimText
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }

    Text {
        id: valueText
        objectName: "value"
        anchors.top: labelText.bottom
        width: Math.min(implicitWidth, parent.width * 0.5)
        text: row.value
        color: HealthStyle.text
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.valueSize
    }

    Text {
        id: verdictText
        objectName: "verdict"
        anchors.top: labelText.bottom
        anchors.left: valueText.right
        anchors.leftMargin: 10
        anchors.right: parent.right
        text: row.verdict
        color: row.healthy === true ? HealthStyle.healthy
             : row.healthy === false ? HealthStyle.attention : HealthStyle.dimText
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.valueSize
    }
}
