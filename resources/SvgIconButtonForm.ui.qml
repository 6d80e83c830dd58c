import QtQuick 2.15
import QtQuick.Controls 2.15
import QtGraphicalEffects 1.15

// Layout of the icon button: the picture, its colouring and glow, the tool tip and the
// two hover states.
Item {
    id: form

    property Action action
    property color normalColor: "white"
    property url icon
    property alias mouseArea: mouseArea
    property alias toolTip: toolTip

    enabled: action ? action.enabled : true
    opacity: action && action.enabled ? 1 : 0.5
    state: "normal"

    Image {
        id: picture
        visible: false
        antialiasing: true
        fillMode: Image.PreserveAspectCrop
        // Rasterised at the button's size: no mipmaps to build for a 64-pixel drawing
        // shown at 20 pixels (on llvmpipe the first mipmap build costs about 100 ms).
        sourceSize: Qt.size(form.width, form.height)
        source: form.icon
    }

    ColorOverlay {
        id: colouring
        anchors.fill: parent
        visible: false
        source: picture
        color: form.normalColor
    }

    Glow {
        id: glow
        anchors.fill: parent
        source: colouring
        cached: true
        spread: 0.2
        samples: 16
        color: form.normalColor
        radius: 2
    }

    ToolTip {
        id: toolTip
        text: form.action ? form.action.text : ""
        visible: false
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
    }

    states: [
        State {
            name: "normal"
            PropertyChanges { target: glow; radius: 2 }
            PropertyChanges { target: toolTip; visible: false }
        },
        State {
            name: "entered"
            PropertyChanges { target: glow; radius: 10 }
            PropertyChanges { target: toolTip; visible: toolTip.text.length > 0 }
        }
    ]

    transitions: Transition {
        NumberAnimation { properties: "radius"; duration: 400; easing.type: Easing.InOutCubic }
    }
}
