import QtQuick 2.15

// What the pad is: its identity as SDL reports it, its battery and the features it has.
Item {
    id: panel

    // The pad's identity and features objects (PadHealth.identity, PadHealth.features).
    required property var identity
    required property var features

    property alias copyMappingButton: copyMappingButton

    signal copyMapping(string mapping)

    function field(name) {
        var value = identity ? identity[name] : undefined
        return value === undefined || value === "" ? "–" : String(value)
    }

    function batteryText() {
        var level = features ? features.battery : undefined
        switch (level) {
        case "wired": return qsTr("wired")
        case "full": return qsTr("full")
        case "medium": return qsTr("medium")
        case "low": return qsTr("low")
        case "empty": return qsTr("empty")
        default: return qsTr("unknown")
        }
    }

    function hasSensor(part) {
        var sensors = features && features.sensors ? features.sensors : []
        for (var i = 0; i < sensors.length; ++i) {
            if (String(sensors[i]).indexOf(part) >= 0)
                return true
        }
        return false
    }

    readonly property var featureList: [
        [qsTr("rumble"), features ? features.rumble === true : false],
        [qsTr("trigger rumble"), features ? features.triggerRumble === true : false],
        [qsTr("LED"), features ? features.led === true : false],
        [qsTr("gyro"), hasSensor("gyroscope")],
        [qsTr("accelerometer"), hasSensor("accelerometer")],
        [qsTr("touchpad"), features && features.touchpads ? features.touchpads.length > 0 : false]
    ]

    implicitWidth: 390
    implicitHeight: 230

    Text {
        id: titleText
        objectName: "title"
        text: qsTr("The pad")
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.headingSize
    }

    Column {
        id: rows
        objectName: "rows"
        anchors.top: titleText.bottom
        anchors.topMargin: 4
        width: parent.width
        spacing: 0

        Repeater {
            model: [
                ["name", qsTr("Name"), panel.field("name")],
                ["type", qsTr("Type"), panel.field("type")],
                ["guid", qsTr("GUID"), panel.field("guid")],
                ["ids", qsTr("Vendor, product"), panel.field("vendorId") + ", " + panel.field("productId")],
                ["serial", qsTr("Serial"), panel.field("serial")],
                ["firmware", qsTr("Firmware"), panel.field("firmwareVersion")],
                ["path", qsTr("Device path"), panel.field("path")],
                ["sdl", qsTr("SDL version"), panel.field("sdlVersion")],
                ["mapping", qsTr("Mapping"), panel.field("mapping")],
                ["battery", qsTr("Battery"), panel.batteryText()]
            ]

            Item {
                required property var modelData
                objectName: "info_" + modelData[0]
                width: rows.width
                height: 15

                Text {
                    width: 104
                    text: modelData[1]
                    color: HealthStyle.dimText
                    elide: Text.ElideRight
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: HealthStyle.labelSize
                }

                Text {
                    objectName: "value"
                    x: 108
                    width: parent.width - x - (modelData[0] === "mapping" ? 62 : 0)
                    text: modelData[2]
                    color: HealthStyle.text
                    elide: Text.ElideMiddle
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: HealthStyle.labelSize
                }
            }
        }

        Flow {
            objectName: "features"
            width: rows.width
            spacing: 7
            topPadding: 2

            Repeater {
                model: panel.featureList

                Text {
                    required property var modelData
                    text: (modelData[1] ? "● " : "○ ") + modelData[0]
                    color: modelData[1] ? HealthStyle.healthy : HealthStyle.dimText
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: HealthStyle.labelSize
                }
            }
        }
    }

    HealthButton {
        id: copyMappingButton
        objectName: "copyMappingButton"
        anchors.right: parent.right
        y: titleText.height + 4 + 8 * 15 - 2
        height: 18
        text: qsTr("Copy")
        enabled: panel.identity !== undefined && panel.identity !== null && panel.identity.mapping !== undefined
        onClicked: panel.copyMapping(panel.identity.mapping)
    }
}
