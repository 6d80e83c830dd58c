import QtQuick 2.15
import nimbo4 1.0

// One analogue stick of the current gamepad: the live position as a sight mark with its
// legs, the raw axis values as LED numbers, how far the stick has been pushed into each
// quadrant, whether it has gone round its whole range, and the test state of its push
// button. One view serves all four slots and shows the record of `gamepadIndex`.
//
// Repaints are requested on every input change and coalesce: the canvas paints at most
// once per frame, from the values current at that frame.
Canvas {
    id: stickView

    property real xAxisValue: 0          // -1 left .. 1 right
    property real yAxisValue: 0          // -1 up .. 1 down
    property int rOrl: 0                 // 0 right stick (numbers right and below), else left
    property int gamepadIndex: -1        // slot shown and recorded; -1 draws nothing
    property int button: 0               // the stick's push button, non-zero while pressed
    property color axisValueColor: "#FFFF8A29"
    property color frontSightColor: "#FFFF8A29"
    property color checkPointColor: "#FFFF8A29"
    property color testedAreaColor: "#3F12AAC2"
    property color testedColor: "#FF12AAC2"
    property color testingColor: "#99FF8A29"

    // Per-slot records (index: slot 0..3), plain arrays changed in place without change
    // notifications. `dx[slot][q]`, `dy[slot][q]`: the extreme point of quadrant q
    // (0 right-up, 1 left-up, 2 left-down, 3 right-down) as an offset in pixels from the
    // canvas centre, so a record stays right when the view is resized; every point starts
    // at the centre. Quadrant 0 keeps the largest x and smallest y seen there, 1 the
    // smallest x and y, 2 the smallest x and largest y, 3 the largest x and y.
    property var dx: [[0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0]]
    property var dy: [[0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0], [0, 0, 0, 0]]
    // Whether the stick has gone round its whole range in that slot; stays until reset.
    property var stickCircleCompleted: [false, false, false, false]
    // Test mode of the push button per slot: 0 untested, 1 tested, 2 held now.
    property var buttonTestMode: [0, 0, 0, 0]
    // Whether the stick is off centre now (not per slot).
    property bool stickTesting: false

    // The raw axis values as the numbers show them, the y value turned so that up is
    // positive (-1 reads 32768, 1 reads -32767).
    readonly property string xValueText: "" + (xAxisValue < 0 ? Math.round(xAxisValue * 32768)
                                                : xAxisValue > 0 ? Math.round(xAxisValue * 32767) : 0)
    readonly property string yValueText: "" + (yAxisValue < 0 ? Math.round(-yAxisValue * 32768)
                                                : yAxisValue > 0 ? Math.round(-yAxisValue * 32767) : 0)

    // Sets slot `index` back to no progress: extremes at the centre, not completed,
    // push button untested. Other slots keep their records.
    function reset(index) {
        if (!(index >= 0 && index < 4))
            return
        for (var q = 0; q < 4; ++q) {
            dx[index][q] = 0
            dy[index][q] = 0
        }
        stickCircleCompleted[index] = false
        buttonTestMode[index] = 0
        requestPaint()
    }

    implicitWidth: 131
    implicitHeight: 131

    onXAxisValueChanged: {
        stickTesting = Math.abs(xAxisValue) + Math.abs(yAxisValue) > 0
        requestPaint()
    }
    onYAxisValueChanged: {
        stickTesting = Math.abs(xAxisValue) + Math.abs(yAxisValue) > 0
        requestPaint()
    }
    onGamepadIndexChanged: requestPaint()
    onButtonChanged: {
        if (gamepadIndex < 0 || gamepadIndex > 3)
            return
        buttonTestMode[gamepadIndex] = button !== 0 ? 2 : 1
        requestPaint()
    }

    onPaint: {
        var s = gamepadIndex
        if (s < 0) {
            console.debug("[StickView]gamepadIndex<0,paint nothing")
            return
        }
        if (s > 3) {
            console.debug("[StickView]gamepadIndex>3,paint nothing")
            return
        }
        var ctx = getContext("2d")
        var r = privates.radius
        var cx = width / 2
        var cy = height / 2
        var x = xAxisValue
        var y = yAxisValue
        var ox = x * r
        var oy = y * r
        var tx = cx + ox
        var ty = cy + oy
        var qx = dx[s]
        var qy = dy[s]

        ctx.clearRect(0, 0, width, height)

        // Extremes of the quadrant the stick is in; a position on an axis line is in none.
        if (ox > 0 && oy < 0) {
            qx[0] = Math.max(qx[0], ox)
            qy[0] = Math.min(qy[0], oy)
        } else if (ox < 0 && oy < 0) {
            qx[1] = Math.min(qx[1], ox)
            qy[1] = Math.min(qy[1], oy)
        } else if (ox < 0 && oy > 0) {
            qx[2] = Math.min(qx[2], ox)
            qy[2] = Math.max(qy[2], oy)
        } else if (ox > 0 && oy > 0) {
            qx[3] = Math.max(qx[3], ox)
            qy[3] = Math.max(qy[3], oy)
        }

        // Completed once the recorded extremes span the full width (above the centre
        // line) and the full height: the stick has been round its whole range.
        if (!stickCircleCompleted[s] && qx[0] - qx[1] >= 2 * r
                && Math.max(qy[2], qy[3]) - Math.min(qy[0], qy[1]) >= 2 * r)
            stickCircleCompleted[s] = true
        var completed = stickCircleCompleted[s]

        // Test circle.
        ctx.save()
        ctx.lineWidth = 2
        if (stickTesting) {
            ctx.setLineDash(privates.dotted)
            if (ox * ox + oy * oy >= r * r)
                ctx.strokeStyle = checkPointColor
            else
                ctx.strokeStyle = completed ? privates.faint : "black"
        } else if (completed) {
            ctx.strokeStyle = testedColor
        } else {
            ctx.setLineDash(privates.dotted)
            ctx.strokeStyle = "white"
        }
        ctx.beginPath()
        ctx.arc(cx, cy, r, 0, 2 * Math.PI)
        ctx.stroke()
        ctx.restore()

        // Big cross.
        ctx.save()
        ctx.lineWidth = 2
        ctx.strokeStyle = completed ? privates.faint : "#000000"
        ctx.beginPath()
        ctx.moveTo(cx - r, cy)
        ctx.lineTo(cx + r, cy)
        ctx.moveTo(cx, cy - r)
        ctx.lineTo(cx, cy + r)
        ctx.stroke()
        ctx.restore()

        // Covered areas: from the centre to each quadrant's extreme point.
        ctx.save()
        ctx.fillStyle = testedAreaColor
        for (var q = 0; q < 4; ++q) {
            if (qx[q] !== 0 && qy[q] !== 0)
                ctx.fillRect(cx + Math.min(0, qx[q]), cy + Math.min(0, qy[q]), Math.abs(qx[q]), Math.abs(qy[q]))
        }
        ctx.restore()

        // Sight mark.
        ctx.save()
        ctx.lineWidth = 1
        ctx.strokeStyle = frontSightColor
        ctx.beginPath()
        ctx.moveTo(tx - 3, ty)
        ctx.lineTo(tx + 3, ty)
        ctx.moveTo(tx, ty - 3)
        ctx.lineTo(tx, ty + 3)
        ctx.stroke()
        ctx.restore()

        // Raw axis values, y turned so that up is positive.
        ctx.save()
        ctx.font = privates.numberFont
        ctx.fillStyle = axisValueColor
        ctx.textBaseline = "alphabetic"
        var xText = xValueText
        var yText = yValueText
        var xWidth = ctx.measureText(xText).width
        if (rOrl === 0) {
            ctx.textAlign = "right"
            ctx.fillText(xText, cx + r + xWidth + 5, cy)
            ctx.textAlign = "center"
            ctx.fillText(yText, cx, cy + r + 12)
        } else {
            ctx.textAlign = "left"
            ctx.fillText(xText, cx - r - xWidth - 5, cy)
            ctx.textAlign = "center"
            ctx.fillText(yText, cx, cy - r - 5)
        }
        ctx.restore()

        // Push button disc.
        var buttonMode = buttonTestMode[s]
        if (buttonMode > 0) {
            ctx.save()
            ctx.fillStyle = buttonMode === 2 ? testingColor : testedColor
            ctx.beginPath()
            ctx.arc(cx, cy, privates.discRadius, 0, 2 * Math.PI)
            ctx.fill()
            ctx.restore()
        }

        // Live rectangle and legs.
        if (stickTesting) {
            ctx.save()
            ctx.fillStyle = testingColor
            ctx.fillRect(Math.min(cx, tx), Math.min(cy, ty), Math.abs(ox), Math.abs(oy))
            ctx.restore()
            ctx.save()
            ctx.setLineDash(privates.dotted)
            ctx.lineWidth = 2
            ctx.strokeStyle = testingColor
            ctx.beginPath()
            ctx.moveTo(cx, cy)
            ctx.lineTo(cx, ty)
            ctx.moveTo(cx, cy)
            ctx.lineTo(tx, cy)
            ctx.stroke()
            ctx.restore()
        }
    }

    QtObject {
        id: privates

        // Full deflection lies on this circle, whatever the view's size.
        readonly property real radius: 64
        readonly property real discRadius: 24
        readonly property var dotted: [1, 1]
        readonly property string faint: "rgba(235,233,221,0.25)"
        readonly property string numberFont: "12px \"" + Constants.ledFont.name + "\""

        onNumberFontChanged: stickView.requestPaint()
    }
}
