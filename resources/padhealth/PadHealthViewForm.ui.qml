import QtQuick 2.15
import "../mappingwizard"
import "../padbench"

// Layout of the pad health view, in the test view's 1280 x 800 frame: both sticks across
// the top, both triggers under them, and beside the media button the pads without a
// mapping (left) and what the pad is (right). The action bar at the top right holds the
// report's actions; further actions on the pad go there too.
Item {
    id: form

    // The pad shown (a PadHealth of the model), null while none is connected.
    property QtObject pad: null
    // Live stick and trigger values of the pad shown.
    property real leftX: 0
    property real leftY: 0
    property real rightX: 0
    property real rightY: 0
    property real leftTriggerValue: 0
    property real rightTriggerValue: 0
    // SysInfo.gamepads entries of the joysticks SDL has no mapping for.
    property var unmappedPads: []
    // The last message of an action (saved, copied, or what went wrong).
    property string status: ""
    property bool statusIsError: false
    // Whether the user chose the bench over the figures, and whether it shows now.
    property bool benchChosen: false
    property bool benchShown: false

    property alias title: title
    property alias actionBar: actionBar
    property alias saveButton: saveButton
    property alias copyButton: copyButton
    property alias remapButton: remapButton
    property alias statusText: statusText
    property alias leftStick: leftStick
    property alias rightStick: rightStick
    property alias leftTrigger: leftTrigger
    property alias rightTrigger: rightTrigger
    property alias padInfo: padInfo
    property alias unmappedList: unmappedList
    property alias viewChoice: viewChoice
    property alias padBench: padBench

    // "Map…" beside a pad without a mapping, or "Remap…" for the pad shown: the pad's
    // joystick instance id.
    signal mapRequested(int instanceId)

    width: 1280
    height: 800

    Rectangle {
        id: upperGround
        x: 28
        y: 54
        width: 1140
        height: 474
        radius: 6
        color: HealthStyle.panel
    }

    Rectangle {
        x: 250
        y: 540
        width: 236
        height: 248
        radius: 6
        color: HealthStyle.panel
        visible: form.unmappedPads.length > 0
    }

    Rectangle {
        x: 792
        y: 540
        width: 406
        height: 248
        radius: 6
        color: HealthStyle.panel
        visible: form.pad !== null
    }

    Text {
        id: title
        objectName: "viewTitle"
        x: 40
        y: 62
        text: qsTr("Pad health")
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.titleSize
    }

    Text {
        id: padName
        objectName: "padName"
        anchors.left: title.right
        anchors.leftMargin: 14
        anchors.baseline: title.baseline
        width: 560 - title.width
        text: form.pad ? form.pad.identity.name || "" : ""
        color: HealthStyle.attention
        elide: Text.ElideRight
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.titleSize
    }

    Row {
        id: actionBar
        objectName: "actionBar"
        anchors.right: upperGround.right
        anchors.rightMargin: 12
        y: 62
        spacing: 8

        ViewChoice {
            id: viewChoice
            objectName: "viewChoice"
            benchChosen: form.benchChosen
            enabled: form.pad !== null
            opacity: enabled ? 1 : 0.4
        }

        HealthButton {
            id: saveButton
            objectName: "saveButton"
            text: qsTr("Save report…")
            enabled: form.pad !== null
        }

        HealthButton {
            id: copyButton
            objectName: "copyButton"
            text: qsTr("Copy report")
            enabled: form.pad !== null
        }

        HealthButton {
            id: remapButton
            objectName: "remapButton"
            text: qsTr("Remap…")
            enabled: form.pad !== null
        }
    }

    Text {
        id: statusText
        objectName: "statusText"
        anchors.right: actionBar.right
        anchors.top: actionBar.bottom
        anchors.topMargin: 4
        width: 520
        horizontalAlignment: Text.AlignRight
        text: form.status
        color: form.statusIsError ? HealthStyle.attention : HealthStyle.healthy
        elide: Text.ElideMiddle
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.labelSize
    }

    Text {
        objectName: "noPad"
        anchors.centerIn: upperGround
        visible: form.pad === null
        text: qsTr("No game controller is connected")
        color: HealthStyle.dimText
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.headingSize
    }

    StickPanel {
        id: leftStick
        objectName: "leftStick"
        x: 40
        y: 110
        width: 550
        height: 300
        visible: form.pad !== null && !form.benchShown
        title: qsTr("Left stick")
        health: form.pad ? form.pad.leftStick : null
        liveX: form.leftX
        liveY: form.leftY
    }

    StickPanel {
        id: rightStick
        objectName: "rightStick"
        x: 610
        y: 110
        width: 550
        height: 300
        visible: form.pad !== null && !form.benchShown
        title: qsTr("Right stick")
        health: form.pad ? form.pad.rightStick : null
        liveX: form.rightX
        liveY: form.rightY
    }

    TriggerPanel {
        id: leftTrigger
        objectName: "leftTrigger"
        x: 40
        y: 424
        width: 540
        height: 96
        visible: form.pad !== null && !form.benchShown
        title: qsTr("Left trigger")
        range: form.pad ? form.pad.leftTrigger : null
        live: form.leftTriggerValue
    }

    TriggerPanel {
        id: rightTrigger
        objectName: "rightTrigger"
        x: 610
        y: 424
        width: 540
        height: 96
        visible: form.pad !== null && !form.benchShown
        title: qsTr("Right trigger")
        range: form.pad ? form.pad.rightTrigger : null
        live: form.rightTriggerValue
    }

    // In place of the figures while it shows; the figures go on measuring (they live in
    // the model). Made only then, so the figures alone cost nothing more.
    Loader {
        id: padBench
        objectName: "padBench"
        x: 40
        y: 96
        width: 1116
        height: 428
        active: form.benchShown && form.pad !== null
        visible: active
        sourceComponent: PadBench {
            pad: form.pad
        }
    }

    PadInfoPanel {
        id: padInfo
        objectName: "padInfo"
        x: 802
        y: 548
        width: 388
        height: 234
        visible: form.pad !== null
        identity: form.pad ? form.pad.identity : ({})
        features: form.pad ? form.pad.features : ({})
    }

    Column {
        id: unmappedColumn
        x: 260
        y: 548
        width: 218
        spacing: 6
        visible: form.unmappedPads.length > 0

        Text {
            objectName: "unmappedTitle"
            width: parent.width
            text: qsTr("Pads without a mapping")
            color: HealthStyle.attention
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.headingSize
        }

        Text {
            width: parent.width
            text: qsTr("SDL does not know these as game controllers.")
            color: HealthStyle.dimText
            wrapMode: Text.WordWrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Repeater {
            id: unmappedList
            objectName: "unmappedList"
            model: form.unmappedPads

            Column {
                required property var modelData
                objectName: "unmapped_" + modelData.instanceId
                width: unmappedColumn.width
                spacing: 1

                Text {
                    objectName: "name"
                    width: parent.width
                    text: modelData.deviceName
                    color: HealthStyle.text
                    elide: Text.ElideRight
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: HealthStyle.valueSize
                }

                Text {
                    objectName: "guid"
                    width: parent.width
                    text: modelData.guid
                    color: HealthStyle.dimText
                    elide: Text.ElideRight
                    renderType: Text.NativeRendering
                    font.family: HealthStyle.fontFamily
                    font.pixelSize: 10
                }

                Row {
                    objectName: "padActions"
                    spacing: 6

                    MapButton {
                        objectName: "mapButton"
                        view: form
                        instanceId: modelData.instanceId
                    }
                }
            }
        }
    }
}
