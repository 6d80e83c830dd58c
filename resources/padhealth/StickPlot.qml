import QtQuick 2.15

// Polar plot of one stick: the unit circle and the reach ring, the measured gate (each of
// the 72 sectors drawn as an arc at its largest radius, joined to its neighbours where
// they hold data too, with a faint wedge under it), the worst sector, the centre offset at
// rest with the suggested dead zone round the centre, and the live position with a short
// fading trail. Angles are counter-clockwise from the right, as on the pad.
//
// Two canvases: the gate layer repaints when the figures are published (at most every
// 50 ms), the live layer at most once per frame however many reports arrive.
Item {
    id: plot

    // The stick's StickHealth.
    required property QtObject health
    // Live position, -1..1 each, y growing downwards (the gamepad's axis values).
    required property real liveX
    required property real liveY
    // Colour of the worst sector's mark: orange where the gate needs attention.
    property color worstColour: HealthStyle.attention

    // Radius 1 in pixels; the plot reaches out to `outerRadius` so an over-reaching
    // gate still shows.
    readonly property real outerRadius: 1.2
    readonly property real unitRadius: Math.min(width, height) / 2 / outerRadius
    readonly property real reachRing: 0.99
    readonly property int sectors: 72
    readonly property real coverageNeeded: 90

    // Pixel of a point at `radius` (1: full travel) and `degrees`.
    function pointAt(radius, degrees) {
        var a = degrees * Math.PI / 180
        return Qt.point(width / 2 + radius * unitRadius * Math.cos(a),
                        height / 2 - radius * unitRadius * Math.sin(a))
    }

    implicitWidth: 260
    implicitHeight: 260

    Canvas {
        id: gateLayer
        objectName: "gateLayer"
        anchors.fill: parent
        renderStrategy: Canvas.Immediate

        onWidthChanged: requestPaint()
        onHeightChanged: requestPaint()

        onPaint: {
            var ctx = getContext("2d")
            var cx = width / 2
            var cy = height / 2
            var unit = plot.unitRadius
            var health = plot.health
            ctx.clearRect(0, 0, width, height)

            // Axes and the two reference rings.
            ctx.save()
            ctx.strokeStyle = HealthStyle.grid
            ctx.lineWidth = 1
            ctx.beginPath()
            ctx.moveTo(cx - unit * plot.outerRadius, cy)
            ctx.lineTo(cx + unit * plot.outerRadius, cy)
            ctx.moveTo(cx, cy - unit * plot.outerRadius)
            ctx.lineTo(cx, cy + unit * plot.outerRadius)
            ctx.stroke()
            ctx.strokeStyle = "#80FFFFFF"
            ctx.beginPath()
            ctx.arc(cx, cy, unit, 0, 2 * Math.PI, false)
            ctx.stroke()
            ctx.setLineDash([2, 3])
            ctx.strokeStyle = "#60FFFFFF"
            ctx.beginPath()
            ctx.arc(cx, cy, unit * plot.reachRing, 0, 2 * Math.PI, false)
            ctx.stroke()
            ctx.restore()

            if (!health)
                return
            var radii = health.sectorRadii
            var step = 360 / plot.sectors
            var outer = plot.outerRadius

            // Covered sectors as faint wedges.
            ctx.save()
            ctx.fillStyle = "#2612AAC2"
            ctx.beginPath()
            for (var k = 0; k < plot.sectors; ++k) {
                var r = Math.min(radii[k], outer)
                if (r <= 0)
                    continue
                ctx.moveTo(cx, cy)
                ctx.arc(cx, cy, r * unit, -k * step * Math.PI / 180, -(k + 1) * step * Math.PI / 180, true)
                ctx.closePath()
            }
            ctx.fill()
            ctx.restore()

            // The gate: an arc per sector at its radius, joined to the next where both hold data.
            ctx.save()
            ctx.strokeStyle = HealthStyle.healthy
            ctx.lineWidth = 2
            ctx.lineJoin = "round"
            ctx.beginPath()
            for (var s = 0; s < plot.sectors; ++s) {
                var radius = Math.min(radii[s], outer)
                if (radius <= 0)
                    continue
                var from = -s * step * Math.PI / 180
                var to = -(s + 1) * step * Math.PI / 180
                ctx.moveTo(cx + radius * unit * Math.cos(from), cy + radius * unit * Math.sin(from))
                ctx.arc(cx, cy, radius * unit, from, to, true)
                var next = Math.min(radii[(s + 1) % plot.sectors], outer)
                if (next > 0)
                    ctx.lineTo(cx + next * unit * Math.cos(to), cy + next * unit * Math.sin(to))
            }
            ctx.stroke()
            ctx.restore()

            // The worst sector: a radial tick across the gate there.
            if (health.sectorCoverage > 0) {
                ctx.save()
                var worst = Math.min(health.worstSectorRadius, outer)
                var a = health.worstSectorAngle * Math.PI / 180
                ctx.strokeStyle = plot.worstColour
                ctx.lineWidth = 3
                ctx.beginPath()
                ctx.moveTo(cx + (worst - 0.12) * unit * Math.cos(a), cy - (worst - 0.12) * unit * Math.sin(a))
                ctx.lineTo(cx + (worst + 0.08) * unit * Math.cos(a), cy - (worst + 0.08) * unit * Math.sin(a))
                ctx.stroke()
                ctx.restore()
            }

            // Rest: the suggested dead zone as a ring, the centre offset as a cross.
            if (health.restMeasured) {
                ctx.save()
                ctx.strokeStyle = HealthStyle.attention
                ctx.lineWidth = 1.5
                ctx.setLineDash([3, 2])
                ctx.beginPath()
                ctx.arc(cx, cy, Math.max(2, health.suggestedDeadZone / 100 * unit), 0, 2 * Math.PI, false)
                ctx.stroke()
                ctx.setLineDash([])
                var d = health.centreDirection * Math.PI / 180
                var ox = cx + health.centreOffset / 100 * unit * Math.cos(d)
                var oy = cy - health.centreOffset / 100 * unit * Math.sin(d)
                ctx.lineWidth = 2
                ctx.beginPath()
                ctx.moveTo(ox - 5, oy - 5)
                ctx.lineTo(ox + 5, oy + 5)
                ctx.moveTo(ox - 5, oy + 5)
                ctx.lineTo(ox + 5, oy - 5)
                ctx.stroke()
                ctx.restore()
            }
        }
    }

    Canvas {
        id: liveLayer
        objectName: "liveLayer"

        // The last positions painted, oldest first once full: a ring of `length` points.
        readonly property int length: 12
        property var trailX: new Array(length)
        property var trailY: new Array(length)
        property int head: 0
        property int filled: 0

        anchors.fill: parent
        renderStrategy: Canvas.Immediate

        onPaint: {
            var ctx = getContext("2d")
            var cx = width / 2
            var cy = height / 2
            var unit = plot.unitRadius
            var x = cx + Math.max(-plot.outerRadius, Math.min(plot.outerRadius, plot.liveX)) * unit
            var y = cy + Math.max(-plot.outerRadius, Math.min(plot.outerRadius, plot.liveY)) * unit
            trailX[head] = x
            trailY[head] = y
            head = (head + 1) % length
            filled = Math.min(filled + 1, length)
            ctx.clearRect(0, 0, width, height)

            // The trail fades towards its oldest point; it keeps repainting (one point
            // per frame) until every point has caught up with the stick.
            ctx.save()
            ctx.lineWidth = 2
            ctx.lineCap = "round"
            ctx.strokeStyle = HealthStyle.attention
            var moving = false
            for (var i = 1; i < filled; ++i) {
                var older = (head - filled + i - 1 + 2 * length) % length
                var newer = (older + 1) % length
                if (trailX[older] !== x || trailY[older] !== y)
                    moving = true
                ctx.globalAlpha = i / filled
                ctx.beginPath()
                ctx.moveTo(trailX[older], trailY[older])
                ctx.lineTo(trailX[newer], trailY[newer])
                ctx.stroke()
            }
            ctx.restore()

            ctx.save()
            ctx.fillStyle = HealthStyle.attention
            ctx.strokeStyle = "#FFFFFF"
            ctx.lineWidth = 1.5
            ctx.beginPath()
            ctx.arc(x, y, 5, 0, 2 * Math.PI, false)
            ctx.fill()
            ctx.stroke()
            ctx.restore()
            // A paint asked for from inside a paint is dropped: ask once this one is done.
            if (moving)
                Qt.callLater(requestPaint)
        }
    }

    onLiveXChanged: liveLayer.requestPaint()
    onLiveYChanged: liveLayer.requestPaint()
    onUnitRadiusChanged: liveLayer.requestPaint()
    onWorstColourChanged: gateLayer.requestPaint()
    onHealthChanged: {
        liveLayer.requestPaint()
        gateLayer.requestPaint()
    }

    Connections {
        target: plot.health
        function onGateChanged() { gateLayer.requestPaint() }
        function onRestChanged() { gateLayer.requestPaint() }
    }
}
