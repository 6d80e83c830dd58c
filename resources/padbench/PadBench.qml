import QtQuick 2.15

// The bench of the pad on show, in the place of its figures: haptics on the left, the
// light and the report rate in the middle, motion sensors and touchpad on the right.
// Its engines are the pad's (PadHealth); the model runs them only while the bench shows.
Item {
    id: bench

    // The PadHealth on show.
    required property QtObject pad

    property alias haptics: haptics
    property alias lights: lights
    property alias reportRate: reportRate
    property alias sensors: sensors
    property alias touchpad: touchpad

    implicitWidth: 1120
    implicitHeight: 428

    HapticsSection {
        id: haptics
        objectName: "haptics"
        x: 0
        y: 0
        width: 380
        height: parent.height
        bench: bench.pad ? bench.pad.haptics : null
    }

    LightsSection {
        id: lights
        objectName: "lights"
        x: 392
        y: 0
        width: 290
        height: 222
        bench: bench.pad ? bench.pad.sensors : null
    }

    ReportRateSection {
        id: reportRate
        objectName: "reportRate"
        x: 392
        y: 230
        width: 290
        height: parent.height - y
        bench: bench.pad ? bench.pad.reportRate : null
    }

    SensorsSection {
        id: sensors
        objectName: "sensors"
        x: 694
        y: 0
        width: parent.width - x
        height: 270
        bench: bench.pad ? bench.pad.sensors : null
    }

    TouchpadSection {
        id: touchpad
        objectName: "touchpad"
        x: 694
        y: 278
        width: parent.width - x
        height: parent.height - y
        bench: bench.pad ? bench.pad.sensors : null
    }
}
