import QtQuick 2.15
import QtQuick.Controls 2.15
import "../padhealth"

// Layout of the haptics part: one button per pattern with its length and, where the pad
// cannot play it, why; the pulse train's rate; stop and what plays; the motors' levels.
BenchSection {
    id: form

    // The pad's HapticBench, null while no pad is on show.
    property QtObject haptics: null
    // The user's name of each pattern, by the engine's name.
    property var patternTitles: ({})
    // What plays now, in words (empty while nothing does).
    property string playingText: ""
    property string pulseRateText: ""

    property alias patternList: patternList
    property alias pulseSlider: pulseSlider
    property alias stopButton: stopButton

    signal patternClicked(int pattern)

    title: qsTr("Haptics")

    Column {
        id: patternColumn
        width: parent.width
        spacing: 4

        // One row per pattern the engine knows; the rows stay while the patterns'
        // availability changes (a number as the model), only their bindings follow.
        Repeater {
            id: patternList
            objectName: "patternList"
            model: form.haptics ? form.haptics.patterns.length : 0

            Item {
                id: patternRow

                required property int index
                readonly property var entry: form.haptics ? form.haptics.patterns[index] : ({})

                objectName: "pattern_" + entry.name
                width: patternColumn.width
                height: 24

                HealthButton {
                    id: patternButton
                    objectName: "button"
                    width: 160
                    text: form.patternTitles[patternRow.entry.name] || patternRow.entry.name
                    enabled: patternRow.entry.available === true
                    border.color: form.haptics && form.haptics.playing
                                  && form.haptics.pattern === patternRow.entry.pattern
                                  ? HealthStyle.attention : HealthStyle.healthy
                    onClicked: form.patternClicked(patternRow.entry.pattern)
                }

                Text {
                    objectName: "reason"
                    anchors.left: patternButton.right
                    anchors.leftMargin: 8
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    text: patternRow.entry.reason || ""
                    color: HealthStyle.dimText
                    elide: Text.ElideRight
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: HealthStyle.labelSize
                }
            }
        }

        Item {
            width: patternColumn.width
            height: 28

            Text {
                id: pulseLabel
                anchors.verticalCenter: parent.verticalCenter
                width: 110
                text: qsTr("Pulse rate")
                color: HealthStyle.dimText
                renderType: Text.NativeRendering
                font.family: HealthStyle.fontFamily
                font.pixelSize: HealthStyle.labelSize
            }

            Slider {
                id: pulseSlider
                objectName: "pulseSlider"
                anchors.left: pulseLabel.right
                anchors.right: pulseValue.left
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                height: 20
                padding: 0
                from: 1
                to: 20
                stepSize: 1
                snapMode: Slider.SnapAlways
                value: form.haptics ? form.haptics.pulseRate : 10

                background: Rectangle {
                    x: pulseSlider.leftPadding
                    y: pulseSlider.topPadding + pulseSlider.availableHeight / 2 - height / 2
                    width: pulseSlider.availableWidth
                    height: 4
                    radius: 2
                    color: HealthStyle.base
                }

                handle: Rectangle {
                    x: pulseSlider.leftPadding + pulseSlider.visualPosition * (pulseSlider.availableWidth - width)
                    y: pulseSlider.topPadding + pulseSlider.availableHeight / 2 - height / 2
                    width: 14
                    height: 14
                    radius: 7
                    color: pulseSlider.pressed ? HealthStyle.attention : HealthStyle.healthy
                }
            }

            Text {
                id: pulseValue
                objectName: "pulseRate"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: 40
                horizontalAlignment: Text.AlignRight
                text: form.pulseRateText
                color: HealthStyle.text
                renderType: Text.NativeRendering
                font.family: HealthStyle.fontFamily
                font.pixelSize: HealthStyle.labelSize
            }
        }

        Item {
            width: patternColumn.width
            height: 28

            HealthButton {
                id: stopButton
                objectName: "stopButton"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Stop")
                enabled: form.haptics !== null && form.haptics.playing
            }

            Text {
                objectName: "playing"
                anchors.left: stopButton.right
                anchors.leftMargin: 10
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: form.playingText
                color: HealthStyle.attention
                elide: Text.ElideRight
                renderType: Text.NativeRendering
                font.family: HealthStyle.fontFamily
                font.pixelSize: HealthStyle.valueSize
            }
        }

        LevelBar {
            objectName: "lowLevel"
            width: patternColumn.width
            title: qsTr("Low-frequency")
            level: form.haptics ? form.haptics.lowLevel : 0
        }

        LevelBar {
            objectName: "highLevel"
            width: patternColumn.width
            title: qsTr("High-frequency")
            level: form.haptics ? form.haptics.highLevel : 0
        }

        LevelBar {
            objectName: "leftTriggerLevel"
            width: patternColumn.width
            title: qsTr("Left trigger")
            level: form.haptics ? form.haptics.leftTriggerLevel : 0
        }

        LevelBar {
            objectName: "rightTriggerLevel"
            width: patternColumn.width
            title: qsTr("Right trigger")
            level: form.haptics ? form.haptics.rightTriggerLevel : 0
        }
    }
}
