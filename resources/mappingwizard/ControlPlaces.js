.pragma library

// Where each control of a mapping sits on the controller picture, in the picture's
// 700 x 480 frame: the centre (x, y) and size of the ring that lights it, with the
// ring's corner radius where it is not round. The front drawing is placed at (-290, -160)
// in that frame, so a front control's place is the drawing's own coordinate less
// (290, 160); the back drawing is placed at the frame's origin. tools/make_controller_art.py
// --print lists where the drawings put each part. Which picture a control is on comes
// from the wizard (its `picture`), so the table holds places only.
var places = {
    // Face buttons (drawn at (811, 288), (859, 257), (763, 253), (811, 219), radius 25).
    "a": { x: 521, y: 128, width: 62, height: 62 },
    "b": { x: 569, y: 97, width: 62, height: 62 },
    "x": { x: 473, y: 93, width: 62, height: 62 },
    "y": { x: 521, y: 59, width: 62, height: 62 },
    // The cross pad's arms around its centre (559.5, 368.5).
    "dpup": { x: 269.5, y: 174.5, width: 42, height: 46, radius: 12 },
    "dpdown": { x: 269.5, y: 242.5, width: 42, height: 46, radius: 12 },
    "dpleft": { x: 235.5, y: 208.5, width: 46, height: 42, radius: 12 },
    "dpright": { x: 303.5, y: 208.5, width: 46, height: 42, radius: 12 },
    // Shoulders, on the back: the right side of the pad is on the left seen from behind.
    "leftshoulder": { x: 473, y: -5, width: 96, height: 44 },
    "rightshoulder": { x: 204, y: -5, width: 96, height: 44 },
    "lefttrigger": { x: 554, y: -4, width: 74, height: 78, radius: 22 },
    "righttrigger": { x: 127, y: -4, width: 74, height: 78, radius: 22 },
    // Stick caps (471, 260) and (714, 369).
    "leftstick": { x: 181, y: 100, width: 54, height: 54 },
    "rightstick": { x: 424, y: 209, width: 54, height: 54 },
    // Back and Start (593.5, 264.5), (686.5, 264.5); the guide ring (639.5, 195.5).
    "back": { x: 303.5, y: 104.5, width: 44, height: 44 },
    "start": { x: 396.5, y: 104.5, width: 44, height: 44 },
    "guide": { x: 349.5, y: 35.5, width: 58, height: 58 },
    // Each stick's whole ring, long along the axis asked for.
    "leftx": { x: 180.5, y: 100.5, width: 160, height: 64 },
    "lefty": { x: 180.5, y: 100.5, width: 64, height: 160 },
    "rightx": { x: 423.5, y: 208.5, width: 160, height: 64 },
    "righty": { x: 423.5, y: 208.5, width: 64, height: 160 },
    // Controls the drawing lacks, where pads put them: the extra button under the
    // centre, the touchpad across the top of the centre.
    "misc1": { x: 350, y: 142, width: 34, height: 34 },
    "touchpad": { x: 350, y: 36, width: 132, height: 70, radius: 14 },
    // The paddles on the back: 1 and 3 on the pad's right (left seen from behind).
    "paddle1": { x: 237.5, y: 184.5, width: 100, height: 52 },
    "paddle2": { x: 427.5, y: 184.5, width: 100, height: 52 },
    "paddle3": { x: 241.5, y: 260, width: 90, height: 112, radius: 24 },
    "paddle4": { x: 424.5, y: 260, width: 90, height: 112, radius: 24 }
}

// The place of `control` (SDL's name), or null for a control the table lacks.
function place(control) {
    return places.hasOwnProperty(control) ? places[control] : null
}
