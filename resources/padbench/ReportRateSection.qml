import QtQuick 2.15

// The report rate part: the engine's figures in words, or the plain-words reason it
// cannot measure (a virtual pad has no event device, for one).
ReportRateSectionForm {
    id: section

    // The pad's ReportRateBench.
    required property QtObject bench

    reason: bench && !bench.available ? bench.reason : ""
    measured: bench !== null && bench.measured
    regular: measured ? bench.rateClass !== 0 : undefined
    rateText: measured ? qsTr("%1 Hz").arg(bench.rate.toFixed(1)) : qsTr("not measured yet")
    classText: measured ? bench.rateClassText : ""
    jitterText: measured ? qsTr("%1 ms").arg(bench.jitter.toFixed(3)) : "–"
    gapText: measured ? qsTr("%1 ms").arg(bench.longestGap.toFixed(3)) : "–"

    resetButton.onClicked: bench.reset()
}
