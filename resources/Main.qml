import QtQuick 2.15
import QtQuick.Window 2.15

// The main screen with its window behaviour: the bar's buttons and the drag strip
// become signals that the root window turns into window actions.
MainScreen {
    id: main

    signal windowOffsetChanged(int dx, int dy)
    signal windowCloseClicked()
    signal windowMinimizeClicked()
    signal windowZoomClicked()

    windowCloseButton.onButtonClicked: windowCloseClicked()
    windowMinimizeButton.onButtonClicked: windowMinimizeClicked()
    windowZoomButton.onButtonClicked: windowZoomClicked()

    // The strip moves with the window: each move is measured on the screen, so the
    // pressed point stays under the pointer however late the window follows.
    windowBarMouseArea.onPressed: {
        windowBarMouseArea.dx = mouse.x
        windowBarMouseArea.dy = mouse.y
        stripDrag.press(windowBarMouseArea, mouse.x, mouse.y)
    }
    windowBarMouseArea.onPositionChanged: {
        var offset = stripDrag.offset(windowBarMouseArea, mouse.x, mouse.y)
        windowOffsetChanged(offset.x, offset.y)
    }

    WindowDrag {
        id: stripDrag
        objectName: "stripDrag"
        window: main.Window.window
    }
}
