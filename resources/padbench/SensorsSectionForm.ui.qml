import QtQuick 2.15
import "../padhealth"

// Layout of the motion sensors part: the gyro above the accelerometer, each with its
// reason where the pad lacks it.
BenchSection {
    id: form

    // The pad's SensorBench, null while no pad is on show.
    property QtObject sensors: null
    property string gyroReason: ""
    property string accelerometerReason: ""
    property string gyroRateText: ""
    property string accelerometerRateText: ""

    property alias gyroBlock: gyroBlock
    property alias accelerometerBlock: accelerometerBlock

    title: qsTr("Motion sensors")

    Column {
        width: parent.width
        spacing: 6

        SensorBlock {
            id: gyroBlock
            objectName: "gyro"
            width: parent.width
            title: qsTr("Gyro")
            unit: qsTr("rad/s")
            range: 8
            rateText: form.gyroRateText
            values: form.sensors ? form.sensors.gyroValues : Qt.vector3d(0, 0, 0)
            enabled: form.gyroReason === ""
            opacity: enabled ? 1 : 0.35
        }

        Text {
            objectName: "gyroReason"
            width: parent.width
            visible: form.gyroReason !== ""
            text: form.gyroReason
            color: HealthStyle.dimText
            elide: Text.ElideRight
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        SensorBlock {
            id: accelerometerBlock
            objectName: "accelerometer"
            width: parent.width
            title: qsTr("Accelerometer")
            unit: qsTr("m/s²")
            range: 20
            rateText: form.accelerometerRateText
            values: form.sensors ? form.sensors.accelerometerValues : Qt.vector3d(0, 0, 0)
            enabled: form.accelerometerReason === ""
            opacity: enabled ? 1 : 0.35
        }

        Text {
            objectName: "accelerometerReason"
            width: parent.width
            visible: form.accelerometerReason !== ""
            text: form.accelerometerReason
            color: HealthStyle.dimText
            elide: Text.ElideRight
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }
    }
}
