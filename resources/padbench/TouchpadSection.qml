import QtQuick 2.15
import com.corvane.diagnostics 1.0
import "../padhealth"

// The touchpad part: an outline of the pad's first touchpad (SDL gives positions from
// 0 to 1 from its top left, not its shape: drawn at the usual 2:1) with a dot for each
// finger on it.
BenchSection {
    id: section

    // The pad's SensorBench.
    required property QtObject bench

    title: qsTr("Touchpad")
    reason: bench && bench.touchpads === 0 ? bench.unavailableReason(SensorBench.Touchpad) : ""

    Rectangle {
        id: outline
        objectName: "outline"
        anchors.centerIn: parent
        height: Math.min(parent.height, parent.width / 2)
        width: height * 2
        radius: 8
        color: "transparent"
        border.width: 1
        border.color: HealthStyle.healthy

        // One dot per finger slot, kept while the fingers move (a number as the model);
        // only the dots' bindings follow the readings.
        Repeater {
            objectName: "fingers"
            model: section.bench ? section.bench.fingers.length : 0

            Rectangle {
                required property int index
                readonly property var finger: section.bench ? section.bench.fingers[index] || ({}) : ({})

                objectName: "finger_" + index
                visible: finger.down === true && finger.touchpad === 0
                x: (finger.x || 0) * outline.width - width / 2
                y: (finger.y || 0) * outline.height - height / 2
                width: 14
                height: 14
                radius: 7
                color: HealthStyle.attention
            }
        }
    }
}
