import QtQuick 2.15

// One trigger: a bar with the live value, the highest value reached (white), the rest
// value (grey) and the actuation point (orange), the figures under it and the verdict.
Item {
    id: panel

    // The trigger's TriggerRange.
    required property QtObject range
    // Live value 0..1.
    required property real live
    property string title

    readonly property bool moved: range !== null && range.verdict !== ""
    readonly property string verdictText: !moved ? qsTr("pull it slowly all the way")
                                          : range.verdict === "analog" ? qsTr("analogue")
                                          : range.verdict === "digital" ? qsTr("digital (on or off)")
                                          : qsTr("partial: does not reach full or rest")

    function percent(value) {
        return value < 0 ? "–" : qsTr("%1 %").arg(Number(value).toFixed(1))
    }

    implicitWidth: 560
    implicitHeight: 96

    Text {
        id: titleText
        objectName: "title"
        text: panel.title
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.headingSize
    }

    Text {
        id: verdict
        objectName: "verdict"
        anchors.left: titleText.right
        anchors.leftMargin: 16
        anchors.baseline: titleText.baseline
        text: panel.verdictText
        color: !panel.moved ? HealthStyle.dimText
             : panel.range.verdict === "analog" ? HealthStyle.healthy : HealthStyle.attention
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.valueSize
    }

    Rectangle {
        id: bar
        objectName: "bar"
        y: 28
        width: parent.width
        height: 18
        color: "#60000000"
        border.width: 1
        border.color: HealthStyle.base

        Rectangle {
            objectName: "liveFill"
            x: 1
            y: 1
            width: (parent.width - 2) * Math.max(0, Math.min(1, panel.live))
            height: parent.height - 2
            color: HealthStyle.healthy
            opacity: 0.8
        }

        Repeater {
            // Highest, rest and actuation marks.
            model: [
                { value: panel.range ? panel.range.maximum : -1, colour: "#FFFFFF" },
                { value: panel.range ? panel.range.restValue : -1, colour: HealthStyle.dimText },
                { value: panel.range ? panel.range.actuationPoint : -1, colour: HealthStyle.attention }
            ]

            Rectangle {
                required property var modelData
                visible: modelData.value >= 0
                x: Math.max(0, Math.min(bar.width - width, bar.width * modelData.value / 100 - width / 2))
                y: -3
                width: 3
                height: bar.height + 6
                color: modelData.colour
            }
        }
    }

    Row {
        objectName: "figures"
        anchors.top: bar.bottom
        anchors.topMargin: 8
        spacing: 18

        Repeater {
            model: [
                [qsTr("Highest"), panel.range ? panel.percent(panel.range.maximum) : "–"],
                [qsTr("Rest"), panel.range ? panel.percent(panel.range.restValue) : "–"],
                [qsTr("Actuation"), panel.range ? panel.percent(panel.range.actuationPoint) : "–"],
                [qsTr("Distinct values"), panel.range ? String(panel.range.distinctValues) : "–"]
            ]

            Text {
                required property var modelData
                text: modelData[0] + "  " + modelData[1]
                color: HealthStyle.text
                renderType: Text.NativeRendering
                font.family: HealthStyle.fontFamily
                font.pixelSize: HealthStyle.valueSize
            }
        }
    }
}
