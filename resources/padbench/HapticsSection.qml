import QtQuick 2.15

// The haptics part: a click plays a pattern on the pad on show, the slider sets the
// pulse train's rate, Stop ends what plays. The engine keeps the state; a pattern is
// stopped by it (every motor at 0) when the bench is left or the pad changes.
HapticsSectionForm {
    id: section

    // The pad's HapticBench.
    required property QtObject bench

    haptics: bench
    patternTitles: ({
        "lowFrequency": qsTr("Low-frequency motor"),
        "highFrequency": qsTr("High-frequency motor"),
        "bothMotors": qsTr("Both motors"),
        "ramp": qsTr("Ramp 0 to full, 2 s"),
        "pulseTrain": qsTr("Pulse train, 2 s"),
        "leftTrigger": qsTr("Left trigger motor"),
        "rightTrigger": qsTr("Right trigger motor")
    })
    pulseRateText: qsTr("%1 Hz").arg(bench ? bench.pulseRate : 0)
    playingText: {
        if (!bench || !bench.playing)
            return ""
        var list = bench.patterns
        for (var i = 0; i < list.length; ++i) {
            if (list[i].pattern === bench.pattern)
                return qsTr("Playing: %1").arg(patternTitles[list[i].name] || list[i].name)
        }
        return ""
    }

    onPatternClicked: bench.play(pattern)
    stopButton.onClicked: bench.stop()
    pulseSlider.onMoved: bench.pulseRate = Math.round(pulseSlider.value)
}
