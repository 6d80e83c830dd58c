import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import com.corvane.system 1.0
import JoyvantTest.Input 1.0
import "qrc:/"

// The About window on the real system information service: scans, the close box,
// modality and dragging by the title bar. The test's own window plays the main window.
Item {
    id: root
    width: 400
    height: 300

    property int scansStarted: 0
    property int mainClicks: 0
    property int mainKeys: 0

    Connections {
        target: SysInfo
        function onScanningChanged() {
            if (SysInfo.scanning)
                ++root.scansStarted
        }
    }

    MouseArea {
        id: mainArea
        anchors.fill: parent
        onClicked: ++root.mainClicks
    }

    Item {
        id: mainKeyTarget
        focus: true
        Keys.onPressed: ++root.mainKeys
    }

    Component {
        id: aboutComponent
        AboutDialog {
            x: 300
            y: 200
            model: SysInfo.model
        }
    }

    TestCase {
        name: "AboutDialog"
        when: windowShown

        function findChild(item, name) {
            var list = item.data !== undefined ? item.data : item.children
            if (!list)
                return null
            for (var i = 0; i < list.length; ++i) {
                if (list[i].objectName === name)
                    return list[i]
                var inner = findChild(list[i], name)
                if (inner)
                    return inner
            }
            return null
        }

        function openDialog() {
            var dialog = createTemporaryObject(aboutComponent, root)
            verify(dialog)
            dialog.showAbout()
            tryCompare(dialog, "visible", true)
            waitForRendering(dialog.contentItem)
            return dialog
        }

        function closeScan() {
            tryCompare(SysInfo, "scanning", false, 30000)
        }

        function settled(dialog, drag) {
            return drag.confirmed.x === dialog.x && drag.confirmed.y === dialog.y
        }

        function test_everyOpeningStartsAScan() {
            closeScan()
            var dialog = createTemporaryObject(aboutComponent, root)
            var before = scansStarted
            for (var i = 0; i < 2; ++i) {
                dialog.showAbout()
                verify(dialog.visible)
                verify(SysInfo.scanning)
                verify(findChild(dialog, "busyIndicator").running)
                closeScan()
                verify(!findChild(dialog, "busyIndicator").running)
                dialog.close()
                tryCompare(dialog, "visible", false)
            }
            compare(scansStarted, before + 2)
            verify(findChild(dialog, "treeView").rowCount > 0)
            compare(dialog.width, 800)
            compare(dialog.height, 400)
            compare(dialog.title, " me ")
        }

        function test_closeBoxLightsAndResets() {
            var dialog = openDialog()
            var box = findChild(dialog, "closeBox")
            var corner = box.mapToItem(null, 3, 3)
            mouseMove(box, 20, 15)
            compare(box.color, "#be1d1d")
            var image = grabImage(dialog.contentItem)
            verify(Qt.colorEqual(image.pixel(corner.x, corner.y), "#BE1D1D"))

            mouseClick(box, 20, 15)
            tryCompare(dialog, "visible", false)
            dialog.showAbout()
            tryCompare(dialog, "visible", true)
            waitForRendering(dialog.contentItem)
            compare(box.color, "#00000000")
            image = grabImage(dialog.contentItem)
            // The transparent box shows the title bar.
            verify(Qt.colorEqual(image.pixel(corner.x, corner.y), "#40444D"))
            closeScan()
        }

        function test_mainWindowTakesNoInputWhileShown() {
            mainClicks = 0
            mainKeys = 0
            var mainWindow = root.Window.window
            mainWindow.requestActivate()
            tryCompare(mainKeyTarget, "activeFocus", true)
            var dialog = openDialog()
            SystemInput.click(mainArea, 50, 50)
            SystemInput.keyClick(mainArea, Qt.Key_A)
            compare(mainClicks, 0)
            compare(mainKeys, 0)
            dialog.close()
            tryCompare(dialog, "visible", false)
            mainWindow.requestActivate()
            tryCompare(mainKeyTarget, "activeFocus", true)
            SystemInput.click(mainArea, 50, 50)
            SystemInput.keyClick(mainArea, Qt.Key_A)
            compare(mainClicks, 1)
            compare(mainKeys, 1)
            closeScan()
        }

        // The pointer's way in screen steps. The window system measures each event
        // against where it last placed the window; with "wait" false the steps come
        // before the window has followed the previous one.
        function test_titleDragFollowsThePointer_data() {
            return [
                { tag: "one step", steps: [[60, 40]], wait: true },
                { tag: "settled steps", steps: [[15, 5], [30, -20], [-70, 10]], wait: true },
                { tag: "burst", steps: [[10, 5], [10, 5], [10, 5], [-5, 20]], wait: false },
                { tag: "close box does not drag", steps: [[40, 40]], wait: true, onClose: true }
            ]
        }

        function test_titleDragFollowsThePointer(data) {
            var dialog = openDialog()
            var drag = findChild(dialog, "titleDrag")
            var area = findChild(dialog, "dragArea")
            tryVerify(function() { return settled(dialog, drag) })
            var start = Qt.point(dialog.x, dialog.y)
            var grab = data.onClose ? Qt.point(dialog.width - 20, 15) : Qt.point(200, 12)
            var pointer = Qt.point(start.x + grab.x, start.y + grab.y)
            mousePress(area, grab.x, grab.y)
            for (var i = 0; i < data.steps.length; ++i) {
                pointer = Qt.point(pointer.x + data.steps[i][0], pointer.y + data.steps[i][1])
                mouseMove(area, pointer.x - drag.confirmed.x, pointer.y - drag.confirmed.y)
                if (data.wait)
                    tryVerify(function() { return settled(dialog, drag) })
            }
            mouseRelease(area, pointer.x - drag.confirmed.x, pointer.y - drag.confirmed.y)
            tryVerify(function() { return settled(dialog, drag) })
            if (data.onClose) {
                compare(dialog.x, start.x)
                compare(dialog.y, start.y)
            } else {
                // The grabbed point is under the pointer.
                compare(pointer.x - dialog.x, grab.x)
                compare(pointer.y - dialog.y, grab.y)
            }
            closeScan()
        }
    }
}
