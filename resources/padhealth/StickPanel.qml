import QtQuick 2.15

// One stick: its polar plot and its figures, each with a verdict in plain words, and a
// reset that starts the measuring afresh.
Item {
    id: panel

    required property QtObject health
    required property real liveX
    required property real liveY
    property string title

    // Limits of a healthy stick (see docs/diagnostics.md).
    readonly property real offsetLimit: 3
    readonly property real noiseLimit: 1
    readonly property int deadZoneLimit: 5
    readonly property real circularityLimit: 8
    readonly property real bitsNeeded: 8
    // A gate worn or blocked in one place falls short there, however round the rest is.
    readonly property real dentLimit: 0.9
    readonly property real coverageNeeded: 90

    readonly property bool restMeasured: health !== null && health.restMeasured
    readonly property bool gateReported: health !== null && health.circularityReported
    readonly property var reach: health ? health.reach : [0, 0, 0, 0]
    readonly property var reachPassed: health ? health.reachPassed : [false, false, false, false]
    readonly property real coverage: health ? health.sectorCoverage : 0
    readonly property bool gateRound: gateReported && health.circularityError <= circularityLimit
                                      && (health.overReach || health.worstSectorRadius >= dentLimit)

    property alias plot: plot
    property alias resetButton: resetButton

    function fixed(value, digits) {
        return Number(value).toFixed(digits)
    }

    function shortDirections() {
        var names = [qsTr("right"), qsTr("up"), qsTr("left"), qsTr("down")]
        var missing = []
        for (var k = 0; k < 4; ++k) {
            if (!reachPassed[k])
                missing.push(names[k])
        }
        return missing.join(", ")
    }

    implicitWidth: 560
    implicitHeight: 300

    Text {
        id: titleText
        objectName: "title"
        text: panel.title
        color: HealthStyle.text
        renderType: Text.NativeRendering
        font.family: HealthStyle.fontFamily
        font.pixelSize: HealthStyle.headingSize
    }

    HealthButton {
        id: resetButton
        objectName: "resetButton"
        anchors.right: figures.right
        anchors.verticalCenter: titleText.verticalCenter
        text: qsTr("Reset")
        onClicked: panel.health.reset()
    }

    StickPlot {
        id: plot
        objectName: "plot"
        y: 30
        width: 264
        height: 264
        health: panel.health
        liveX: panel.liveX
        liveY: panel.liveY
        worstColour: panel.gateReported && !panel.gateRound ? HealthStyle.attention : HealthStyle.healthy
    }

    // What to do while the gate is not known well enough to judge.
    Column {
        objectName: "coverageHint"
        anchors.horizontalCenter: plot.horizontalCenter
        anchors.top: plot.verticalCenter
        anchors.topMargin: 34
        spacing: 4
        visible: panel.coverage < panel.coverageNeeded

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 190
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTr("Roll the stick slowly round its edge")
            color: HealthStyle.text
            style: Text.Outline
            styleColor: "#000000"
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 120
            height: 4
            color: HealthStyle.base

            Rectangle {
                width: parent.width * Math.min(1, panel.coverage / 100)
                height: parent.height
                color: HealthStyle.healthy
            }
        }

        Text {
            objectName: "coverageText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Coverage %1 %").arg(panel.fixed(panel.coverage, 0))
            color: HealthStyle.dimText
            style: Text.Outline
            styleColor: "#000000"
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }
    }

    Column {
        id: figures
        objectName: "figures"
        x: plot.width + 14
        y: 28
        width: panel.width - x
        spacing: 4

        FigureRow {
            objectName: "centreOffset"
            width: parent.width
            label: qsTr("Centre offset at rest")
            value: panel.restMeasured
                   ? qsTr("%1 % at %2°").arg(panel.fixed(panel.health.centreOffset, 1))
                                        .arg(panel.fixed(panel.health.centreDirection, 0))
                   : "–"
            verdict: !panel.restMeasured ? qsTr("let go of the stick")
                     : panel.health.centreOffset < panel.offsetLimit ? qsTr("centred") : qsTr("drifts")
            healthy: panel.restMeasured ? panel.health.centreOffset < panel.offsetLimit : undefined
        }

        FigureRow {
            objectName: "restNoise"
            width: parent.width
            label: qsTr("Rest noise")
            value: panel.restMeasured ? qsTr("%1 %").arg(panel.fixed(panel.health.restNoise, 2)) : "–"
            verdict: !panel.restMeasured ? "" : panel.health.restNoise < panel.noiseLimit ? qsTr("steady")
                                                                                       : qsTr("trembles")
            healthy: panel.restMeasured ? panel.health.restNoise < panel.noiseLimit : undefined
        }

        FigureRow {
            objectName: "deadZone"
            width: parent.width
            label: qsTr("Suggested dead zone")
            value: panel.restMeasured ? qsTr("%1 %").arg(panel.health.suggestedDeadZone) : "–"
            verdict: !panel.restMeasured ? "" : panel.health.suggestedDeadZone <= panel.deadZoneLimit
                                                ? qsTr("small") : qsTr("large")
            healthy: panel.restMeasured ? panel.health.suggestedDeadZone <= panel.deadZoneLimit : undefined
        }

        FigureRow {
            objectName: "coverage"
            width: parent.width
            label: qsTr("Coverage of the edge")
            value: qsTr("%1 %").arg(panel.fixed(panel.coverage, 0))
            verdict: panel.coverage >= panel.coverageNeeded ? qsTr("enough") : qsTr("roll round the edge")
            healthy: panel.coverage >= panel.coverageNeeded ? true : undefined
        }

        FigureRow {
            objectName: "circularity"
            width: parent.width
            label: qsTr("Circularity error")
            value: panel.gateReported ? qsTr("%1 %").arg(panel.fixed(panel.health.circularityError, 1)) : "–"
            verdict: !panel.gateReported ? qsTr("needs 90 % coverage")
                     : panel.gateRound ? qsTr("round")
                     : panel.health.overReach ? qsTr("past the circle at %1°").arg(panel.fixed(panel.health.worstSectorAngle, 0))
                     : qsTr("short at %1°").arg(panel.fixed(panel.health.worstSectorAngle, 0))
            healthy: panel.gateReported ? panel.gateRound : undefined
        }

        FigureRow {
            objectName: "reach"
            width: parent.width
            label: qsTr("Reach right, up, left, down")
            value: panel.fixed(panel.reach[0], 2) + "  " + panel.fixed(panel.reach[1], 2) + "  "
                   + panel.fixed(panel.reach[2], 2) + "  " + panel.fixed(panel.reach[3], 2)
            verdict: panel.reach.every(function (r) { return r === 0 }) ? qsTr("push to each edge")
                     : panel.reachPassed.every(function (p) { return p }) ? qsTr("full")
                     : qsTr("short: %1").arg(panel.shortDirections())
            healthy: panel.reach.every(function (r) { return r === 0 }) ? undefined
                     : panel.reachPassed.every(function (p) { return p })
        }

        FigureRow {
            objectName: "resolution"
            width: parent.width
            label: qsTr("Resolution")
            value: panel.health ? qsTr("x %1, y %2 bits").arg(panel.fixed(panel.health.resolutionX, 1))
                                                        .arg(panel.fixed(panel.health.resolutionY, 1)) : "–"
            verdict: panel.health && Math.min(panel.health.resolutionX, panel.health.resolutionY) >= panel.bitsNeeded
                     ? qsTr("fine") : qsTr("keep moving")
            healthy: panel.health && Math.min(panel.health.resolutionX, panel.health.resolutionY) >= panel.bitsNeeded
                     ? true : undefined
        }
    }
}
