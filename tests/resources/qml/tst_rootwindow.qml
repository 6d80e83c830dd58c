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

        // Zoom alternates on boolValue alone.
        verify(window.boolValue)
        main.windowZoomClicked()
        verify(!window.boolValue)
        main.windowZoomClicked()
        verify(window.boolValue)

        // Closing logs first, then closes the window.
        LogCapture.clear()
        main.windowCloseClicked()
        compare(LogCapture.matching("Application closed").length, 1)
        tryCompare(window, "visible", false)
        window.destroy()
    }
}
