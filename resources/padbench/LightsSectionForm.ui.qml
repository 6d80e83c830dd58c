import QtQuick 2.15
import "../padhealth"
import ".."

// Layout of the light part: a row of preset colours, the interface's colour picker with
// the button that sends its colour, and the colour the pad was last sent.
BenchSection {
    id: form

    // The colours offered as presets.
    property var presets: ["#FF0000", "#00FF00", "#0000FF", "#FFFFFF", "#FF8A29", "#12AAC2", "#000000"]
    // The colour the pad last took ("#rrggbb"), empty before the first.
    property string sentColor: ""

    property alias presetList: presetList
    property alias picker: picker
    property alias setButton: setButton
    property alias sentText: sentText

    signal presetClicked(color preset)

    title: qsTr("Light")

    Row {
        id: presetRow
        spacing: 6

        Repeater {
            id: presetList
            objectName: "presetList"
            model: form.presets

            Rectangle {
                required property string modelData
                required property int index

                objectName: "preset_" + index
                width: 26
                height: 26
                radius: 4
                color: modelData
                border.width: 1
                border.color: presetMouse.containsMouse ? HealthStyle.attention : HealthStyle.grid

                MouseArea {
                    id: presetMouse
                    objectName: "mouse"
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: form.presetClicked(parent.modelData)
                }
            }
        }
    }

    ColorPicker {
        id: picker
        objectName: "picker"
        anchors.top: presetRow.bottom
        anchors.topMargin: 8
    }

    HealthButton {
        id: setButton
        objectName: "setButton"
        anchors.top: picker.bottom
        anchors.topMargin: 6
        text: qsTr("Send colour")
    }

    Rectangle {
        id: sentSwatch
        anchors.left: setButton.right
        anchors.leftMargin: 10
        anchors.verticalCenter: setButton.verticalCenter
        width: 18
        height: 18
        radius: 3
        visible: form.sentColor !== ""
        color: form.sentColor || "transparent"
        border.width: 1
        border.color: HealthStyle.grid
    }

    Text {
        id: sentText
        objectName: "sentText"
        anchors.left: sentSwatch.right
        anchors.leftMargin: 6
        anchors.verticalCenter: setButton.verticalCenter
        color: HealthStyle.dimText
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }
}
