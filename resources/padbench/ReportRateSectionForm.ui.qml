import QtQuick 2.15
import "../padhealth"

// Layout of the report rate part: the rate with its class, the jitter and the longest
// gap, a hint and a reset; or, where it cannot measure, why (as the section's reason).
BenchSection {
    id: form

    property string rateText: ""
    property string classText: ""
    property string jitterText: ""
    property string gapText: ""
    property bool measured: false
    // Whether the rate keeps to one class; undefined before a measurement.
    property var regular: undefined

    property alias rateRow: rateRow
    property alias jitterRow: jitterRow
    property alias gapRow: gapRow
    property alias resetButton: resetButton

    title: qsTr("Report rate")

    Column {
        width: parent.width
        spacing: 4
        // Where it cannot measure, the reason above says all there is.
        visible: form.reason === ""

        FigureRow {
            id: rateRow
            objectName: "rate"
            width: parent.width
            height: 34
            label: qsTr("Rate")
            value: form.rateText
            verdict: form.classText
            healthy: form.regular
        }

        Row {
            width: parent.width

            FigureRow {
                id: jitterRow
                objectName: "jitter"
                width: parent.width / 2
                height: 34
                label: qsTr("Jitter (99th - 1st percentile)")
                value: form.jitterText
            }

            FigureRow {
                id: gapRow
                objectName: "longestGap"
                width: parent.width / 2
                height: 34
                label: qsTr("Longest gap")
                value: form.gapText
            }
        }

        Text {
            objectName: "hint"
            width: parent.width
            text: qsTr("Move a stick: the pad reports while input changes.")
            color: HealthStyle.dimText
            wrapMode: Text.WordWrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        HealthButton {
            id: resetButton
            objectName: "resetButton"
            text: qsTr("Measure afresh")
        }
    }
}
