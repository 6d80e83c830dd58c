import QtQuick 2.15

// The dial of the left vibration motor. It shows and sets the test view's
// `form.shockButtonValL` in steps of `form.shockL`, ripples while the left trigger is held
// (`form.testModeLb` is 2) and glows in the main screen's `styleColor`; all three are
// reached through the enclosing documents. Writing `form.shockButtonValL` (or `strength`)
// turns the pointer and writes the read-out.
ShockDial {
    id: shockLeft

    property alias leftShockMouse: shockLeft.knobMouse

    step: form.shockL
    glowColor: styleColor
    rippleShown: form.testModeLb === 2
    onStrengthChanged: form.shockButtonValL = strength

    // Follows the test view's level also after a drag has written `strength`.
    Binding { target: shockLeft; property: "strength"; value: form.shockButtonValL }
}
