import QtQuick 2.15

// Indicator of an analogue trigger, held at any depth or not; `rl` picks the side
// (0 right, otherwise left). Setting `source` gives it a picture of its own (the back
// picture's bumpers, triggers and paddles), which `rl` then leaves alone.
TestIndicatorForm {
    property int rl: 0

    implicitWidth: 36
    implicitHeight: 20
    source: rl === 0 ? "images/rb_button.svg" : "images/lb_button.svg"
}
