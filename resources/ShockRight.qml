import QtQuick 2.15

// The dial of the right vibration motor. It shows and sets the test view's
// `form.shockButtonValR` in steps of `form.shockL`, ripples while the right trigger is held
// (`form.testModeRb` is 2) and glows in the main screen's `styleColor`; all three are
// reached through the enclosing documents. Writing `form.shockButtonValR` (or `strength`)
// turns the pointer and writes the read-out.
ShockDial {
    id: shockRight

    property alias rightShockMouse: shockRight.knobMouse

    step: form.shockL
    glowColor: styleColor
    rippleShown: form.testModeRb === 2
    onStrengthChanged: form.shockButtonValR = strength

    // Follows the test view's level also after a drag has written `strength`.
    Binding { target: shockRight; property: "strength"; value: form.shockButtonValR }
}
