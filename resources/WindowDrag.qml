import QtQuick 2.15

// Turns a press and the following moves of a drag area into offsets for the window
// that holds it, measured on the screen.
//
// A move's position is relative to where the window stood when the window system
// produced the event. After the program has asked to move the window, events that
// were produced before the move took effect still arrive, measured against the old
// place; measuring them against the press point and adding the result to the new
// place moves the window further than the pointer went. The position the window
// system confirms arrives in step with those events (xChanged/yChanged carry it), so
// confirmed position + event position is the pointer on the screen. The offset then
// takes the window from where it was last asked to go to where the grabbed point lies
// under the pointer.
QtObject {
    id: drag

    // The window to move (any QWindow): the one that shows the drag area.
    property QtObject window: null
    // The press point in window coordinates.
    property point grab: Qt.point(0, 0)
    // Where the window system last reported the window.
    property point confirmed: Qt.point(0, 0)

    onWindowChanged: if (window) confirmed = Qt.point(window.x, window.y)

    readonly property Connections confirmations: Connections {
        target: drag.window
        function onXChanged(arg) { drag.confirmed = Qt.point(arg, drag.confirmed.y) }
        function onYChanged(arg) { drag.confirmed = Qt.point(drag.confirmed.x, arg) }
    }

    // item, x, y: the event position in the drag area's coordinates.
    function press(item, x, y) {
        grab = item.mapToItem(null, x, y)
        // A window at rest stands where it was asked to go (not every way of placing a
        // window reports the move).
        confirmed = Qt.point(window.x, window.y)
    }

    // Returns the offset that puts the grabbed point under the pointer.
    function offset(item, x, y) {
        var inWindow = item.mapToItem(null, x, y)
        return Qt.point(Math.round(confirmed.x + inWindow.x - grab.x - window.x),
                        Math.round(confirmed.y + inWindow.y - grab.y - window.y))
    }
}
