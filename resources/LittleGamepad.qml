import QtQuick 2.15
import nimbo4 1.0

// Badge of one gamepad slot: a small controller with the name of the gamepad beside it.
// The slot logic sets the state: "current" for the gamepad on show, "plugin" for another
// connected one, "unplugin" for an empty slot.
ColoredImage {
    id: badge

    property alias mouseArea: mouseArea
    property string textValue: ""

    width: 25
    height: 17
    source: "images/LittleGamepad-Deactive.svg"
    fillMode: Image.PreserveAspectCrop
    overlayColor: "#0B606E"
    opacity: 0.5

    Text {
        id: name
        objectName: "name"
        x: 31
        y: 1
        text: badge.textValue
        color: "#0B606E"
        font.family: Constants.font.family
        font.pixelSize: 14
    }

    MouseArea {
        id: mouseArea
        objectName: "mouseArea"
        anchors.fill: parent
        hoverEnabled: true
    }

    states: [
        State {
            name: "current"
            PropertyChanges { target: badge; source: "images/LittleGamepad-Active.svg"; overlayColor: "#FF8A29"; opacity: 1 }
            PropertyChanges { target: name; color: "#FF8A29" }
        },
        State {
            name: "plugin"
            PropertyChanges { target: badge; source: "images/LittleGamepad-Deactive.svg"; overlayColor: "#12AAC2"; opacity: 1 }
            PropertyChanges { target: name; color: "#12AAC2" }
        },
        State {
            name: "unplugin"
            PropertyChanges { target: badge; source: "images/LittleGamepad-Deactive.svg"; overlayColor: "#0B606E"; opacity: 0.5 }
            PropertyChanges { target: name; color: "#0B606E" }
        }
    ]

    transitions: [
        Transition {
            to: "plugin"
            NumberAnimation { target: badge; property: "opacity"; from: 0.5; to: 1; duration: 200 }
        },
        Transition {
            to: "unplugin"
            NumberAnimation { target: badge; property: "opacity"; from: 1; to: 0.5; duration: 150 }
        }
    ]
}
