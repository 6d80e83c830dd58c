import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.15
import QtGamepad 1.15
import JoyvantTest 1.0
import "qrc:/"

// The six-sector pie menu of the bottom area (1174 x 300: centre (587, 150), outer
// radius 150, inner radius 37.5), driven by the mouse and by a real (virtual) gamepad.
Item {
    id: root
    width: 1174
    height: 300

    property var fired: []
    property int clicksBelow: 0
    readonly property var icons: ["qrc:/images/Volume-2-Mute_240px.png", "qrc:/images/Music-Doc_240px.png",
        "qrc:/images/Pause-Button_240px.png", "qrc:/images/Prev-Button_240px.png",
        "qrc:/images/Play--Button_240px.png", "qrc:/images/Next-Button_240px.png"]

    Rectangle {
        anchors.fill: parent
        color: "black"
    }
    // Stands for the media button beneath the menu.
    MouseArea {
        anchors.fill: parent
        onClicked: root.clicksBelow++
    }

    VirtualGamepad { id: virtualPad }
    Gamepad { id: pad; deviceId: virtualPad.deviceId }

    Action { id: action0; onTriggered: root.fired.push(0) }
    Action { id: action1; onTriggered: root.fired.push(1) }
    Action { id: action2; onTriggered: root.fired.push(2) }
    Action { id: action3; onTriggered: root.fired.push(3) }
    Action { id: action4; onTriggered: root.fired.push(4) }
    Action { id: action5; onTriggered: root.fired.push(5) }

    Component {
        id: menuComponent
        PieMenu {
            anchors.fill: parent
            sectorCount: 6
            sectorIcons: root.icons
            actions: [action0, action1, action2, action3, action4, action5]
        }
    }

    SignalSpy { id: innerSpy; signalName: "innerPressed" }
    SignalSpy { id: sectorSpy; signalName: "sectorPressed" }

    TestCase {
        name: "PieMenu"
        when: windowShown

        // A point in the middle of sector i (60 degrees each, clockwise from the right).
        function sectorPoint(i, radius) {
            var a = (60 * i + 30) * Math.PI / 180
            return Qt.point(587 + radius * Math.cos(a), 150 + radius * Math.sin(a))
        }

        // What the gamepad module reports for an SDL stick value.
        function stick(value) {
            return value < 0 ? value / 32768 : value / 32767
        }

        // The pointer enters the menu and moves onto the point.
        function hover(menu, p) {
            mouseMove(menu, p.x - 1, p.y)
            mouseMove(menu, p.x, p.y)
        }

        function highlighted(menu) {
            var result = []
            for (var i = 0; i < menu.sectors.length; ++i) {
                if (menu.sectors[i].state === "hovered" || menu.sectors[i].state === "pressed")
                    result.push(i)
            }
            return result
        }

        function createMenu(properties) {
            var menu = createTemporaryObject(menuComponent, root, properties || {})
            innerSpy.target = menu
            sectorSpy.target = menu
            innerSpy.clear()
            sectorSpy.clear()
            root.fired = []
            root.clicksBelow = 0
            // Let the first frame pass: it lets the menu know whether the pointer rests on it.
            waitForRendering(menu)
            return menu
        }

        function initTestCase() {
            verify(virtualPad.attach())
            tryCompare(pad, "connected", true, 5000)
        }

        function cleanupTestCase() {
            virtualPad.detach()
        }

        // Every test starts from a released, centred pad.
        function init() {
            var buttons = [VirtualGamepad.ButtonBack, VirtualGamepad.ButtonStart, VirtualGamepad.ButtonLeftShoulder,
                           VirtualGamepad.ButtonRightShoulder, VirtualGamepad.ButtonLeftStick,
                           VirtualGamepad.ButtonRightStick]
            for (var i = 0; i < buttons.length; ++i)
                virtualPad.setButton(buttons[i], false)
            for (var axis = VirtualGamepad.AxisLeftX; axis <= VirtualGamepad.AxisRightY; ++axis)
                virtualPad.setAxis(axis, 0)
            tryVerify(function() {
                return !pad.buttonSelect && !pad.buttonStart && !pad.buttonL1 && !pad.buttonR1 && !pad.buttonL3
                        && !pad.buttonR3 && pad.axisLeftX === 0 && pad.axisLeftY === 0 && pad.axisRightX === 0
                        && pad.axisRightY === 0
            }, 5000)
        }

        function test_clickTriggersItsSector_data() {
            return [0, 1, 2, 3, 4, 5].map(function(i) { return { tag: "sector " + i, index: i } })
        }

        function test_clickTriggersItsSector(data) {
            var menu = createMenu({ state: "active" })
            var p = sectorPoint(data.index, 100)
            hover(menu, p)
            mouseClick(menu, p.x, p.y)
            compare(root.fired, [data.index])
            compare(sectorSpy.count, 1)
            compare(sectorSpy.signalArguments[0][0], data.index)
            compare(innerSpy.count, 0)
            compare(root.clicksBelow, 0)
            // The press glow starts over and runs to its end.
            compare(menu.sectors[data.index].state, "pressed")
            verify(menu.sectors[data.index].glow.radius < 10)
            tryCompare(menu.sectors[data.index].glow, "radius", 10)
            tryCompare(menu.sectors[data.index], "state", "hovered")
        }

        function test_clicksAwayFromTheSectors_data() {
            return [
                { tag: "centre", x: 587, y: 150, opacity: 0.85, inner: 1, fired: [] },
                { tag: "inside the inner edge", x: 587 + 36, y: 150, opacity: 0.85, inner: 1, fired: [] },
                { tag: "centre while transparent", x: 587, y: 150, opacity: 0, inner: 1, fired: [] },
                { tag: "sector while transparent", x: 587, y: 250, opacity: 0, inner: 0, fired: [] },
                { tag: "corner outside the ring", x: 5, y: 5, opacity: 0.85, inner: 0, fired: [] },
                { tag: "just past the inner edge", x: 587, y: 150 + 39, opacity: 0.85, inner: 0, fired: [1] }
            ]
        }

        function test_clicksAwayFromTheSectors(data) {
            var menu = createMenu({ state: "active" })
            menu.opacity = data.opacity
            mouseClick(menu, data.x, data.y)
            compare(innerSpy.count, data.inner)
            compare(root.fired, data.fired)
            compare(sectorSpy.count, data.fired.length)
            // While open, the menu takes every click over its rectangle.
            compare(root.clicksBelow, 0)
        }

        function test_closedMenuTakesNoClicks() {
            var menu = createMenu()
            compare(menu.visible, false)
            mouseClick(root, 587, 150)
            mouseClick(root, 587, 250)
            compare(innerSpy.count, 0)
            compare(root.fired, [])
            compare(root.clicksBelow, 2)
        }

        function test_sectorWithoutActionStillSignals() {
            var menu = createMenu({ state: "active", actions: [action0, action1] })
            var p = sectorPoint(4, 100)
            mouseClick(menu, p.x, p.y)
            compare(root.fired, [])
            compare(sectorSpy.count, 1)
            compare(sectorSpy.signalArguments[0][0], 4)
        }

        function test_hoverHighlightsTheSectorUnderThePointer() {
            var menu = createMenu({ state: "active" })
            hover(menu, sectorPoint(2, 60))
            compare(highlighted(menu), [2])
            // The highlight gradient lights the hovered sector, the others stay dark.
            var lit = sectorPoint(2, 60)
            var dark = sectorPoint(3, 60)
            tryVerify(function() {
                var image = grabImage(root)
                return image.pixel(lit.x, lit.y).r > 0.15 && image.pixel(dark.x, dark.y).r < 0.05
            })
            mouseMove(menu, 5, 5)
            compare(highlighted(menu), [])
        }

        function test_sectorIconsFollowTheirList() {
            var menu = createMenu({ state: "active" })
            compare(String(menu.sectors[0].source), root.icons[0])
            var swapped = root.icons.slice().reverse().concat(["qrc:/images/Volume-2-3_240px.png"])
            menu.sectorIcons = swapped
            for (var i = 0; i < 6; ++i)
                compare(String(menu.sectors[i].source), swapped[i])
            tryCompare(findChild(menu.sectors[0], "sectorIcon"), "status", Image.Ready)
        }

        function test_sectorCount_data() {
            return [
                { tag: "three", count: 3, built: 3 },
                { tag: "six", count: 6, built: 6 },
                { tag: "two", count: 2, built: 0 },
                { tag: "zero", count: 0, built: 0 },
                { tag: "fraction", count: 4.5, built: 0 },
                { tag: "not a number", count: NaN, built: 0 },
                { tag: "endless", count: Infinity, built: 0 }
            ]
        }

        function test_sectorCount(data) {
            var menu = createMenu({ state: "active" })
            if (data.built === 0)
                ignoreWarning(new RegExp("no sectors for a sector count of " + data.count + "\\b"))
            menu.sectorCount = data.count
            compare(menu.sectors.length, data.built)
            for (var i = 0; i < menu.sectors.length; ++i) {
                compare(menu.sectors[i].startAngle, 360 / data.count * i)
                compare(menu.sectors[i].sweepAngle, 360 / data.count)
            }
        }

        function test_selectAndStartToggleOncePerPress() {
            var menu = createMenu({ gamepad: pad })
            // The pointer rests on the menu's rectangle, outside the ring.
            mouseMove(root, 5, 5)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 20000)
            virtualPad.setButton(VirtualGamepad.ButtonBack, true)
            tryVerify(function() { return pad.buttonSelect && pad.axisLeftY > 0.5 }, 5000)
            compare(menu.state, "")
            virtualPad.setButton(VirtualGamepad.ButtonStart, true)
            tryCompare(menu, "state", "active", 5000)
            // The stick's sector shows at once and stays when the menu appears under the pointer.
            compare(highlighted(menu), [1])
            waitForRendering(menu)
            compare(highlighted(menu), [1])
            // Further changes while both are held do not toggle again.
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, 8000)
            tryVerify(function() { return pad.axisLeftX > 0.2 }, 5000)
            compare(menu.state, "active")
            virtualPad.setButton(VirtualGamepad.ButtonLeftShoulder, true)
            tryCompare(pad, "buttonL1", true, 5000)
            compare(menu.state, "active")
            virtualPad.setButton(VirtualGamepad.ButtonStart, false)
            tryCompare(pad, "buttonStart", false, 5000)
            compare(menu.state, "active")
            // Start again with Select still held: the pair is complete again and closes.
            virtualPad.setButton(VirtualGamepad.ButtonStart, true)
            tryCompare(menu, "state", "", 5000)
            compare(menu.visible, false)
        }

        function test_stickSelects_data() {
            return [
                { tag: "down", lx: 0, ly: 32767, rx: 0, ry: 0, index: 1 },
                { tag: "up", lx: 0, ly: -32768, rx: 0, ry: 0, index: 4 },
                { tag: "left", lx: -32768, ly: 0, rx: 0, ry: 0, index: 3 },
                { tag: "right and up, axes cancel out", lx: 32767, ly: -32768, rx: 0, ry: 0, index: 5 },
                { tag: "exactly right", lx: 32767, ly: 0, rx: 0, ry: 0, index: -1 },
                { tag: "right stick wins", lx: 0, ly: 32767, rx: 0, ry: -32768, index: 4 },
                { tag: "right stick alone", lx: 0, ly: 0, rx: -32768, ry: 16384, index: 2 }
            ]
        }

        function test_stickSelects(data) {
            var menu = createMenu({ gamepad: pad, state: "active" })
            // Start from a highlighted sector, so that "nothing" is a change.
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, -20000)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, -20000)
            tryCompare(menu.sectors[3], "state", "hovered", 5000)
            virtualPad.setAxis(VirtualGamepad.AxisRightX, data.rx)
            virtualPad.setAxis(VirtualGamepad.AxisRightY, data.ry)
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, data.lx)
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, data.ly)
            tryVerify(function() {
                return pad.axisLeftX === stick(data.lx) && pad.axisLeftY === stick(data.ly)
                        && pad.axisRightX === stick(data.rx) && pad.axisRightY === stick(data.ry)
            }, 5000)
            compare(highlighted(menu), data.index < 0 ? [] : [data.index])
            // A centred stick clears the highlight.
            for (var axis = VirtualGamepad.AxisLeftX; axis <= VirtualGamepad.AxisRightY; ++axis)
                virtualPad.setAxis(axis, 0)
            tryVerify(function() { return highlighted(menu).length === 0 }, 5000)
        }

        function test_shoulderOrStickButtonTriggersOncePerPress_data() {
            return [
                { tag: "L1", button: VirtualGamepad.ButtonLeftShoulder, property: "buttonL1" },
                { tag: "R1", button: VirtualGamepad.ButtonRightShoulder, property: "buttonR1" },
                { tag: "L3", button: VirtualGamepad.ButtonLeftStick, property: "buttonL3" },
                { tag: "R3", button: VirtualGamepad.ButtonRightStick, property: "buttonR3" }
            ]
        }

        function test_shoulderOrStickButtonTriggersOncePerPress(data) {
            var menu = createMenu({ gamepad: pad, state: "active" })
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 32767)
            tryCompare(menu.sectors[1], "state", "hovered", 5000)
            virtualPad.setButton(data.button, true)
            tryCompare(root.fired, "length", 1, 5000)
            compare(root.fired, [1])
            // Moving the stick inside the sector while the button is held triggers nothing more.
            virtualPad.setAxis(VirtualGamepad.AxisLeftX, 8000)
            tryVerify(function() { return pad.axisLeftX > 0.2 }, 5000)
            virtualPad.setButton(data.button, false)
            tryCompare(pad, data.property, false, 5000)
            compare(root.fired, [1])
            virtualPad.setButton(data.button, true)
            tryCompare(root.fired, "length", 2, 5000)
            compare(root.fired, [1, 1])
        }

        function test_gamepadTriggersNothingWithoutAnAction() {
            var menu = createMenu({ gamepad: pad, state: "active", actions: [action0] })
            virtualPad.setAxis(VirtualGamepad.AxisLeftY, 32767)
            tryCompare(menu.sectors[1], "state", "hovered", 5000)
            virtualPad.setButton(VirtualGamepad.ButtonLeftShoulder, true)
            tryCompare(pad, "buttonL1", true, 5000)
            compare(root.fired, [])
            compare(menu.sectors[1].state, "hovered")
        }
    }
}
