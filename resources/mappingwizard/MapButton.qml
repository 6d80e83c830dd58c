import QtQuick 2.15
import "../padhealth"

// "Map…" beside a pad without a mapping: asks `view` (an item with the signal
// mapRequested(int instanceId)) to start the wizard on that pad.
HealthButton {
    id: button

    required property Item view
    // The pad's joystick instance id, as SysInfo.gamepads gives it.
    required property int instanceId

    text: qsTr("Map…")
    onClicked: view.mapRequested(instanceId)
}
