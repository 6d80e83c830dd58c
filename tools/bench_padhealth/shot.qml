import QtQuick 2.15
import "qrc:/"

// The controller test view on the program's dark ground, at the design size, with the
// pad health view chosen.
Rectangle {
    property alias view: view

    width: 1280
    height: 800
    color: "black"

    TestController {
        id: view
        anchors.fill: parent
        healthChosen: true
    }
}
