import QtQuick 2.15
import "DialSteps.js" as DialSteps

// A vibration dial: shows a motor level (`strength`, 0 to 1) on a ring of 29 ticks and
// lets the user set it by dragging the knob round the ring. Every change of `strength`,
// from a drag or from outside, turns the pointer to that level's tick and writes the
// read-out, so a user of the dial moves both through this one property.
ShockDialForm {
    id: dial

    // The level of one tick.
    property real step: 0.0344827586206897

    onStrengthChanged: {
        shockButton.rotation = DialSteps.angleOfLevel(strength, step)
        shockText.text = DialSteps.readout(strength)
    }

    Component.onCompleted: shockButton.rotation = DialSteps.angleOfLevel(strength, step)

    // The knob turns with the pointer, so the move is taken in the ring's own frame.
    knobMouse.onPositionChanged: {
        // Rounded to a thousandth of a pixel, so that a move straight along an axis, which the
        // turn of the knob's frame blurs by a rounding error, reads as one.
        var p = knobMouse.mapToItem(ring, mouse.x, mouse.y)
        var dx = Math.round((p.x - ring.width / 2) * 1000) / 1000
        var dy = Math.round((ring.height / 2 - p.y) * 1000) / 1000
        var angle = DialSteps.pointerAngle(dx, dy)
        if (!isNaN(angle)) {
            shockButton.rotation = angle
            var k = DialSteps.stepAt(angle)
            if (k >= 0) {
                shockButton.rotation = DialSteps.ANGLES[k]
                strength = k * step
                if (k === 0) {
                    for (var i = 0; i < ticks.length; ++i)
                        ticks[i].lit = false
                } else {
                    ticks[k - 1].lit = true
                }
            }
        }
        shockText.text = DialSteps.readout(strength)
    }
}
