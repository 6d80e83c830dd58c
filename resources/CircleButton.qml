import QtQuick 2.15
import nimbo4 1.0

// Indicator of a face button (A, B, X, Y) or of Start and Back: a circle with the
// button's letter, fully opaque once tested.
TestIndicatorForm {
    id: circleButton

    property string textValue: ""

    implicitWidth: 45
    implicitHeight: 45
    testedOpacity: 1
    source: "images/circle.svg"

    Text {
        objectName: "letter"
        anchors.centerIn: parent
        text: circleButton.textValue
        color: "white"
        font.family: Constants.ledLetterFont.name
        font.pixelSize: 24
    }
}
