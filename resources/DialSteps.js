.pragma library

// The 29 steps of a vibration dial. Step k (0 to 29) stands for the level k × step and
// puts the pointer at ANGLES[k], the ring position of tick k (degrees, clockwise from
// 12 o'clock about the ring's centre; 18 is the rest position).
var ANGLES = [18, 35, 47, 58, 69, 82, 93, 105, 116.5, 128, 140, 151, 163.3, 175, 186.3, 199, 209.7, 221.8, 233,
              244.5, 256, 267, 279, 290, 301.6, 313.4, 325, 336, 348, 360]

// Pointer angles that select a step while the knob is dragged: [step, from, from included,
// to, to included]. They are tried in this order; angles in none of them (below 1, 89 to 90,
// 175.5 to 181, 268 to 271) select nothing and the pointer just follows the mouse.
var ZONES = [
    [0, 1, true, 18, true], [1, 18, false, 35, true], [2, 35, false, 48, false], [3, 48, true, 59, false],
    [4, 59, true, 70, false], [5, 70, true, 89, false], [6, 90, true, 94, false], [7, 94, true, 106, false],
    [8, 106, true, 117, false], [9, 117, true, 129, false], [10, 129, true, 141, false],
    [11, 141, true, 152, false], [12, 152, true, 163.5, false], [13, 163.5, true, 175.5, false],
    [14, 181, false, 186.5, false], [15, 186.5, true, 200, false], [16, 200, true, 210, false],
    [17, 210, true, 222, false], [18, 222, true, 234, false], [19, 234, true, 245, false],
    [20, 245, true, 257, false], [21, 257, true, 268, false], [22, 271, false, 280, false],
    [23, 280, true, 291, false], [24, 291, true, 302, false], [25, 302, true, 313.5, false],
    [26, 313.5, true, 326, false], [27, 326, true, 337, false], [28, 337, true, 349, false],
    [29, 349, true, 360, false]
]

// Clockwise angle in degrees from 12 o'clock of the offset (dx, dy), y pointing up; NaN on
// either axis, where the direction is left alone.
function pointerAngle(dx, dy) {
    if (dx === 0 || dy === 0)
        return NaN
    var slope = Math.abs(Math.atan(dy / dx)) * 180 / Math.PI
    if (dx > 0)
        return dy > 0 ? 90 - slope : 90 + slope
    return dy < 0 ? 270 - slope : 270 + slope
}

// The step whose zone holds the pointer angle, or -1 in the gaps between zones.
function stepAt(angle) {
    for (var i = 0; i < ZONES.length; ++i) {
        var z = ZONES[i]
        var aboveFrom = z[2] ? angle >= z[1] : angle > z[1]
        var belowTo = z[4] ? angle <= z[3] : angle < z[3]
        if (aboveFrom && belowTo)
            return z[0]
    }
    return -1
}

// The step that shows a level: 0 for nothing, else k for levels above (k - 1) × step up to
// k × step, 29 for anything above. Levels that are whole steps (as a drag sets them) land
// on their own step despite rounding.
function stepOfLevel(level, step) {
    if (!(level > 0) || !(step > 0))
        return 0
    return Math.min(ANGLES.length - 1, Math.max(1, Math.ceil(level / step - 1e-9)))
}

// The pointer angle for a level (the trigger's dial ladder).
function angleOfLevel(level, step) {
    return ANGLES[stepOfLevel(level, step)]
}

// The read-out of a level: level × 255 as a whole number.
function readout(level) {
    return String(Math.round(level * 255))
}
