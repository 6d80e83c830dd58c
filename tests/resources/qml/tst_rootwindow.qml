import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import JoyvantTest.Log 1.0

// The program's root document: the frameless window and how it answers its main
// screen's window signals.
TestCase {
    name: "RootWindow"

    function mainScreenOf(window) {
        var children = window.contentItem.children
        for (var i = 0; i < children.length; ++i) {
            if (children[i].windowBarMouseArea !== undefined)
                return children[i]
        }
        return null
    }

    function test_windowAndItsHandlers() {
        var component = Qt.createComponent("qrc:/nimbo4.qml")
        compare(component.status, Component.Ready, component.errorString())
        var window = component.createObject(null)
        verify(window)
        tryCompare(window, "visible", true)
        compare(window.width, 1280)
        compare(window.height, 800)
        verify(window.flags & Qt.FramelessWindowHint)
        verify(window.flags & Qt.Window)
        compare(String(window.color), "#000000")
        tryCompare(window, "active", true)

        var main = mainScreenOf(window)
        verify(main)
        compare(main.width, 1280)

        // Drag offsets move the window by exactly that much.
        var x = window.x, y = window.y
        main.windowOffsetChanged(15, -7)
        compare(window.x, x + 15)
        compare(window.y, y - 7)

        // Closing logs first, then closes the window.
        LogCapture.clear()
        main.windowCloseClicked()
        compare(LogCapture.matching("Application closed").length, 1)
        tryCompare(window, "visible", false)
        window.destroy()
    }

    // Zoom toggles from what the window is: after maximise, full screen and back to
    // normal, the next click maximises again instead of restoring a normal window.
    function test_zoomFollowsTheWindow() {
        var window = Qt.createComponent("qrc:/nimbo4.qml").createObject(null)
        tryCompare(window, "visibility", Window.Windowed)
        var main = mainScreenOf(window)
        verify(window.boolValue)
        main.windowZoomClicked()
        tryCompare(window, "visibility", Window.Maximized)
        verify(!window.boolValue)
        main.windowZoomClicked()
        tryCompare(window, "visibility", Window.Windowed)
        verify(window.boolValue)

        main.windowZoomClicked()
        tryCompare(window, "visibility", Window.Maximized)
        main.actionFullScreen.trigger()
        tryCompare(window, "visibility", Window.FullScreen)
        main.actionFullScreen.trigger()
        tryCompare(window, "visibility", Window.Windowed)
        verify(window.boolValue)
        main.windowZoomClicked()
        tryCompare(window, "visibility", Window.Maximized)
        main.windowZoomClicked()
        tryCompare(window, "visibility", Window.Windowed)
        window.destroy()
    }

    function findObject(item, name) {
        var list = item.data
        if (!list)
            return null
        for (var i = 0; i < list.length; ++i) {
            if (list[i].objectName === name)
                return list[i]
        }
        return null
    }

    // The pointer's way across the drag strip in screen steps. The window system
    // measures each event against where it last placed the window; with "wait"
    // false the steps come before the window has followed the previous one.
    function test_stripDragKeepsThePressedPointUnderThePointer_data() {
        return [
            { tag: "settled steps", steps: [[25, 10], [-40, 30]], wait: true },
            { tag: "burst", steps: [[12, 4], [12, 4], [12, 4], [-6, 18]], wait: false }
        ]
    }

    function test_stripDragKeepsThePressedPointUnderThePointer(data) {
        var component = Qt.createComponent("qrc:/nimbo4.qml")
        var window = component.createObject(null)
        tryCompare(window, "visible", true)
        var main = mainScreenOf(window)
        var drag = findObject(main, "stripDrag")
        verify(drag)
        var strip = main.windowBarMouseArea
        function settled() {
            return drag.confirmed.x === window.x && drag.confirmed.y === window.y
        }
        window.x = 100
        window.y = 80
        tryVerify(settled)
        var grab = strip.mapToItem(null, 300, 20)
        var pointer = Qt.point(window.x + grab.x, window.y + grab.y)
        mousePress(strip, 300, 20)
        for (var i = 0; i < data.steps.length; ++i) {
            pointer = Qt.point(pointer.x + data.steps[i][0], pointer.y + data.steps[i][1])
            var local = strip.mapFromItem(null, pointer.x - drag.confirmed.x, pointer.y - drag.confirmed.y)
            mouseMove(strip, local.x, local.y)
            if (data.wait)
                tryVerify(settled)
        }
        mouseRelease(strip, local.x, local.y)
        tryVerify(settled)
        compare(pointer.x - window.x, grab.x)
        compare(pointer.y - window.y, grab.y)
        window.destroy()
    }
}
