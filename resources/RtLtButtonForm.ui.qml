import QtQuick 2.15

// Indicator of a bumper; `rl` picks the side (0 right, otherwise left).
TestIndicatorForm {
    property int rl: 0

    implicitWidth: 168
    implicitHeight: 44
    source: rl === 0 ? "images/rt_button.svg" : "images/lt_button.svg"
}
