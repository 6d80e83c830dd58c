import QtQuick 2.15

// The dialog window's behaviour: the title bar drags the window, the close box lights
// up under the pointer and hides the window when clicked.
WindowDialogForm {
    id: windowDialog

    // True while the pointer is over the close box. A click clears it as well: the
    // hidden window gets no leave event, and the box must not show red when the
    // dialog comes back.
    property bool closeHot: false

    // Moves the window by (dx, dy).
    signal windowOffsetChanged(int dx, int dy)

    closeBox.color: closeHot ? "#BE1D1D" : "transparent"

    onWindowOffsetChanged: {
        windowDialog.x += dx
        windowDialog.y += dy
    }

    dragArea.onPressed: titleDrag.press(dragArea, mouse.x, mouse.y)
    dragArea.onPositionChanged: {
        var offset = titleDrag.offset(dragArea, mouse.x, mouse.y)
        windowOffsetChanged(offset.x, offset.y)
    }

    closeArea.onEntered: closeHot = true
    closeArea.onExited: closeHot = false
    closeArea.onClicked: {
        closeHot = false
        windowDialog.close()
    }

    WindowDrag {
        id: titleDrag
        objectName: "titleDrag"
        window: windowDialog
    }
}
