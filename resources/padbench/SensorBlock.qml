import QtQuick 2.15
import com.corvane.diagnostics 1.0
import "../padhealth"

// One motion sensor: its three axes' live values with a trace of the last readings, and
// the data rate SDL reports.
Item {
    id: block

    property string title
    // The sensor's reading (SDL's axes).
    property vector3d values
    // Its unit ("rad/s") and the value at the trace's edges.
    property string unit
    property real range: 1
    // The rate in words ("200 Hz"), empty when SDL does not report one.
    property string rateText
    property alias trace: trace

    implicitWidth: 380
    implicitHeight: 96

    Text {
        id: titleText
        objectName: "title"
        text: block.title
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.valueSize
    }

    Text {
        objectName: "rate"
        anchors.right: parent.right
        anchors.baseline: titleText.baseline
        text: block.rateText
        color: HealthStyle.dimText
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }

    Column {
        id: axes
        anchors.top: titleText.bottom
        anchors.topMargin: 4
        width: 110
        spacing: 2

        Repeater {
            model: [
                { "name": "x", "color": trace.xColor },
                { "name": "y", "color": trace.yColor },
                { "name": "z", "color": trace.zColor }
            ]

            Text {
                required property var modelData
                required property int index

                objectName: "axis_" + modelData.name
                text: modelData.name + "  " + (index === 0 ? block.values.x : index === 1 ? block.values.y
                                                                                : block.values.z).toFixed(2)
                      + " " + block.unit
                color: modelData.color
                renderType: Text.NativeRendering
                font.family: HealthStyle.fontFamily
                font.pixelSize: HealthStyle.labelSize
            }
        }
    }

    Rectangle {
        anchors.fill: trace
        color: "transparent"
        border.width: 1
        border.color: HealthStyle.grid

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width
            height: 1
            color: HealthStyle.grid
        }
    }

    SensorTrace {
        id: trace
        objectName: "trace"
        anchors.left: axes.right
        anchors.leftMargin: 8
        anchors.right: parent.right
        anchors.top: axes.top
        height: 56
        range: block.range
        value: block.values
        xColor: HealthStyle.attention
        yColor: HealthStyle.healthy
        zColor: HealthStyle.text
    }
}
