import QtQuick 2.15

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

    // The strip moves with the window, so measuring every move against the press point
    // keeps that point under the pointer.
    windowBarMouseArea.onPressed: {
        windowBarMouseArea.dx = mouse.x
        windowBarMouseArea.dy = mouse.y
    }
    windowBarMouseArea.onPositionChanged: windowOffsetChanged(mouse.x - windowBarMouseArea.dx,
                                                              mouse.y - windowBarMouseArea.dy)
}
