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
        spacing: 2

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

        FigureRow {
            id: rateRow
            objectName: "rate"
            width: parent.width
            label: qsTr("Rate")
            value: form.rateText
            verdict: form.classText
            healthy: form.regular
        }

        FigureRow {
            id: jitterRow
            objectName: "jitter"
            width: parent.width
            label: qsTr("Jitter (99th - 1st percentile)")
            value: form.jitterText
        }

        FigureRow {
            id: gapRow
            objectName: "longestGap"
            width: parent.width
            label: qsTr("Longest gap")
            value: form.gapText
        }

        HealthButton {
            id: resetButton
            objectName: "resetButton"
            text: qsTr("Measure afresh")
        }
    }
}
