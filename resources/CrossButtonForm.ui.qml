import QtQuick 2.15

// Indicator of one cross-pad arrow; drawn pointing up, the controller picture rotates it.
TestIndicatorForm {
    implicitWidth: 24
    implicitHeight: 16
    source: "images/cross_button.svg"
}
