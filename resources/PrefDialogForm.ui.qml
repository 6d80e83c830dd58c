import QtQuick 2.15
import QtQuick.Controls 2.15
import nimbo4 1.0

// The settings dialog's layout: a half-transparent panel with the colour picker for
// the glow of the controller drawing.
Dialog {
    id: prefDialog

    property alias picker: picker

    title: "设置"
    visible: false
    modal: true
    // 300 × 200 at the least; taller where the buttons would otherwise cover the
    // picker's lower half (the blue slider among it).
    width: 300
    height: Math.max(200, implicitHeight)
    closePolicy: Popup.NoAutoClose
    margins: 0
    padding: 0
    standardButtons: Dialog.Ok | Dialog.Apply | Dialog.Cancel
    opacity: 0.5

    header: Rectangle {
        color: "#282828"
        height: 25
        implicitHeight: 25
    }

    contentItem: Rectangle {
        implicitHeight: picker.y + picker.height + 8
        color: "#80282828"

        Text {
            id: label
            x: 20
            y: 0
            text: qsTr("手柄颜色")
            color: "#FFFFFF"
            font.family: Constants.font.family
            font.bold: true
        }

        ColorPicker {
            id: picker
            objectName: "picker"
            x: 20
            y: label.y + label.height + 30
        }
    }
}
