import QtQuick 2.15

// The colour picker's layout: the wheel on the left, the red, green and blue sliders
// on the right.
Item {
    id: colorPicker

    property alias wheel: wheel
    property alias sliderR: sliderR
    property alias sliderG: sliderG
    property alias sliderB: sliderB

    width: 243
    height: 106

    ColorWheel {
        id: wheel
        objectName: "wheel"
        x: 8
        y: 3
    }

    ColorSlider {
        id: sliderR
        objectName: "sliderR"
        x: 120
        y: 11
        width: 114
        height: 21
        labelType: "R"
        minR: 0
        maxR: 255
    }

    ColorSlider {
        id: sliderG
        objectName: "sliderG"
        x: 120
        y: 43
        width: 114
        height: 21
        labelType: "G"
        minG: 0
        maxG: 255
    }

    ColorSlider {
        id: sliderB
        objectName: "sliderB"
        x: 120
        y: 75
        width: 114
        height: 21
        labelType: "B"
        minB: 0
        maxB: 255
    }
}
