import QtQuick 2.15
import com.corvane.diagnostics 1.0

// The light part: a preset goes to the pad's LED at once (and into the picker); the
// picker's colour goes when the user sends it, so dragging through the wheel does not
// flood the pad with colours.
LightsSectionForm {
    id: section

    // The pad's SensorBench, which owns the LED.
    required property QtObject bench

    reason: bench && !bench.led ? bench.unavailableReason(SensorBench.Led) : ""
    sentColor: bench && bench.summary.ledColor !== undefined ? bench.summary.ledColor : ""
    sentText.text: sentColor !== "" ? qsTr("The pad shows %1").arg(sentColor.toUpperCase()) : ""

    onPresetClicked: {
        bench.ledColor = preset
        picker.setColor(preset)
    }
    setButton.onClicked: bench.ledColor = picker.colorSelected
}
