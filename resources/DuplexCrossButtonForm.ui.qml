import QtQuick 2.15

// Indicator of one cross-pad diagonal; drawn pointing up-left, rotated per corner.
TestIndicatorForm {
    implicitWidth: 28
    implicitHeight: 28
    source: "images/duplex_cross.png"
}
