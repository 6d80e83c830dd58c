import QtQuick 2.15
import "../padhealth"

// The choice between the pad's figures and the bench, two halves of one frame, the one
// chosen filled.
Row {
    id: choice

    // Whether the bench is chosen (else the figures).
    required property bool benchChosen

    signal chosen(bool bench)

    spacing: 0

    Repeater {
        model: [qsTr("Figures"), qsTr("Bench")]

        Rectangle {
            id: half

            required property string modelData
            required property int index
            readonly property bool selected: (index === 1) === choice.benchChosen

            objectName: index === 1 ? "benchChoice" : "figuresChoice"
            implicitWidth: label.implicitWidth + 20
            implicitHeight: 24
            radius: 3
            color: selected ? HealthStyle.base : "transparent"
            border.width: 1
            border.color: mouse.containsMouse ? HealthStyle.attention : HealthStyle.healthy

            Text {
                id: label
                anchors.centerIn: parent
                text: half.modelData
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
                onClicked: choice.chosen(half.index === 1)
            }
        }
    }
}
