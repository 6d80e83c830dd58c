import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The main screen's frame and its window signals, at the design size.
Item {
    id: root
    width: 1280
    height: 800

    Main {
        id: main
        anchors.fill: parent
    }

    SignalSpy { id: offsets; target: main; signalName: "windowOffsetChanged" }
    SignalSpy { id: closes; target: main; signalName: "windowCloseClicked" }
    SignalSpy { id: minimises; target: main; signalName: "windowMinimizeClicked" }
    SignalSpy { id: zooms; target: main; signalName: "windowZoomClicked" }

    TestCase {
        name: "WindowChrome"
        when: windowShown

        function findChild(item, name) {
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.objectName === name)
                    return child
                var inner = findChild(child, name)
                if (inner)
                    return inner
            }
            return null
        }

        function test_layoutFrame() {
            var bar = main.columnLayout.children[0]
            var middle = main.columnLayout.children[1]
            var bottom = main.columnLayout.children[2]
            compare(bar.y, 0)
            compare(bar.height, 50)
            compare(bottom.y, 480)
            compare(bottom.height, 300)
            compare(middle.y, 50)
            compare(middle.height, 430)
            compare(bottom.children[0].width, 48)
            compare(bottom.children[2].width, 48)
            compare(bottom.children[1].width, 1280 - 2 * 48 - 2 * 5)
            compare(main.styleColor, "#ffffff")
            compare(main.state, "test")
        }

        function test_dragStripGeometry() {
            var strip = main.windowBarMouseArea
            var topLeft = strip.mapToItem(root, 0, 0)
            compare(topLeft.x, 235)
            compare(topLeft.y, 0)
            compare(strip.width, 950)
            compare(strip.height, 50)
            compare(strip.parent.opacity, 0)
        }

        function test_buttonsStandMinimiseCloseZoom() {
            var minimise = main.windowMinimizeButton.mapToItem(root, 0, 0)
            var close = main.windowCloseButton.mapToItem(root, 0, 0)
            var zoom = main.windowZoomButton.mapToItem(root, 0, 0)
            verify(minimise.x < close.x && close.x < zoom.x)
            compare(zoom.x, 1280 - 20 - 12)
            compare(close.x, 1280 - 40 - 12)
            compare(minimise.x, 1280 - 60 - 12)
            compare(minimise.y, 39)
            compare(close.y, 34)
            compare(zoom.y, 34)
        }

        function test_buttonsEmitWindowSignals() {
            mouseClick(main.windowMinimizeButton)
            mouseClick(main.windowCloseButton)
            mouseClick(main.windowZoomButton)
            compare(minimises.count, 1)
            compare(closes.count, 1)
            compare(zooms.count, 1)
        }

        function test_dragReportsThePointerMovement() {
            offsets.clear()
            var strip = main.windowBarMouseArea
            mousePress(strip, 100, 20)
            mouseMove(strip, 130, 25)
            mouseMove(strip, 90, 10)
            mouseRelease(strip, 90, 10)
            compare(offsets.count, 2)
            compare(offsets.signalArguments[0][0], 30)
            compare(offsets.signalArguments[0][1], 5)
            compare(offsets.signalArguments[1][0], -10)
            compare(offsets.signalArguments[1][1], -10)
        }

        function test_titleDoesNotDrag() {
            offsets.clear()
            mousePress(root, 80, 35)
            mouseMove(root, 180, 60)
            mouseRelease(root, 180, 60)
            compare(offsets.count, 0)
        }
    }
}
