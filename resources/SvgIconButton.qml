import QtQuick 2.15

// An icon button driven by an Action: hover makes it glow, a click triggers the action.
SvgIconButtonForm {
    id: button

    signal triggered()

    mouseArea.onEntered: if (button.enabled) button.state = "entered"
    mouseArea.onExited: if (button.enabled) button.state = "normal"
    mouseArea.onClicked: {
        if (!button.enabled)
            return
        button.triggered()
        if (button.action)
            button.action.trigger()
    }
}
