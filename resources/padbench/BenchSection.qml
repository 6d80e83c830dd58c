import QtQuick 2.15
import "../padhealth"

// One part of the bench: a thin frame with its title, and under it either the content
// or, where the pad lacks what the part needs, the reason in plain words above the
// content dimmed and switched off.
Item {
    id: section

    property string title
    // Why the part cannot be used on this pad; empty when it can.
    property string reason
    default property alias content: body.data

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: "transparent"
        border.width: 1
        border.color: HealthStyle.grid
    }

    Text {
        id: titleText
        objectName: "title"
        x: 10
        y: 6
        text: section.title
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.headingSize
    }

    Text {
        id: reasonText
        objectName: "reason"
        anchors.left: titleText.left
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.top: titleText.bottom
        anchors.topMargin: 2
        visible: section.reason !== ""
        text: section.reason
        color: HealthStyle.attention
        wrapMode: Text.WordWrap
        maximumLineCount: 2
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }

    Item {
        id: body
        objectName: "body"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.top: reasonText.visible ? reasonText.bottom : titleText.bottom
        anchors.margins: 10
        clip: true
        enabled: section.reason === ""
        opacity: enabled ? 1 : 0.35
    }
}
