import QtQuick 2.15
import QtQuick.Controls 2.15
import nimbo4 1.0

// One channel of the colour picker: a label, a slider over a track that shows the
// colours the slider reaches, and the value.
Item {
    id: colorSlider

    property alias slider: slider
    property alias value: slider.value
    property alias labelType: label.text
    property real minR: 0
    property real minG: 0
    property real minB: 0
    property real maxR: 255
    property real maxG: 255
    property real maxB: 255

    width: 114
    height: 19

    Text {
        id: label
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        color: "#FFFFFF"
        font.family: Constants.font.family
        font.pixelSize: 12
    }

    Slider {
        id: slider
        objectName: "slider"
        x: 12
        width: 79
        height: 10
        anchors.verticalCenter: parent.verticalCenter
        padding: 0
        from: 0
        to: 255
        stepSize: 1
        value: 0

        background: Rectangle {
            id: track
            objectName: "track"
            x: 3
            width: 73
            height: 9
            anchors.verticalCenter: parent.verticalCenter
            gradient: Gradient {
                orientation: Gradient.Horizontal
                GradientStop {
                    position: 0
                    color: Qt.rgba(colorSlider.minR / 255, colorSlider.minG / 255, colorSlider.minB / 255, 1)
                }
                GradientStop {
                    position: 1
                    color: Qt.rgba(colorSlider.maxR / 255, colorSlider.maxG / 255, colorSlider.maxB / 255, 1)
                }
            }
        }

        handle: Rectangle {
            objectName: "handle"
            x: slider.visualPosition * (slider.availableWidth - width)
            y: slider.height / 2 + track.height / 2
            width: 6
            height: 5
            color: "transparent"

            Image {
                anchors.fill: parent
                source: "images/color-slider-arrow.png"
            }
        }
    }

    Text {
        id: valueText
        objectName: "valueText"
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        text: slider.value.toFixed(0)
        color: "#FFFFFF"
        font.family: Constants.font.family
        font.pixelSize: 12
    }
}
