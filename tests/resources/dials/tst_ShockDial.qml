import QtQuick 2.15
import QtTest 1.15
import "qrc:/"
import "qrc:/DialSteps.js" as DialSteps

// ShockLeft and ShockRight share one dial; each test runs for both. The root stands in for
// the test view (`form`) and the main screen (`styleColor`), which the dials reach by name.
Item {
    id: form

    property real shockL: 0.0344827586206897
    property real shockButtonValL: 0
    property real shockButtonValR: 0
    property int testModeLb: 0
    property int testModeRb: 0
    property color styleColor: "#FFFFFF"
    property real levelSeenOutside: -1

    width: 400
    height: 300

    Rectangle { anchors.fill: parent; color: "black" }

    Component { id: leftDial; ShockLeft { x: 20; y: 20 } }
    Component { id: rightDial; ShockRight { x: 20; y: 20 } }

    // A handler attached from outside, as the test view attaches one to send the level on.
    Connections {
        id: outsideHandler
        target: null
        function onPositionChanged(mouse) {
            form.levelSeenOutside = form.shockButtonValL + form.shockButtonValR
        }
    }

    TestCase {
        name: "ShockDial"
        when: windowShown

        // Expected pointer angle and read-out of each step 0..29, and an angle inside each
        // step's zone.
        readonly property var angles: [18, 35, 47, 58, 69, 82, 93, 105, 116.5, 128, 140, 151, 163.3, 175, 186.3, 199,
                                       209.7, 221.8, 233, 244.5, 256, 267, 279, 290, 301.6, 313.4, 325, 336, 348, 360]
        readonly property var readouts: [0, 9, 18, 26, 35, 44, 53, 62, 70, 79, 88, 97, 106, 114, 123, 132, 141, 149,
                                         158, 167, 176, 185, 193, 202, 211, 220, 229, 237, 246, 255]
        readonly property var inZone: [10, 27, 42, 53, 64, 80, 92, 100, 111, 123, 135, 146, 158, 169, 184, 193, 205,
                                       216, 228, 240, 251, 262, 275, 285, 296, 308, 320, 331, 343, 355]

        function init() {
            form.shockButtonValL = 0
            form.shockButtonValR = 0
            form.testModeLb = 0
            form.testModeRb = 0
            form.styleColor = "#FFFFFF"
        }

        function sides() {
            return [{ tag: "ShockLeft", component: leftDial, level: "shockButtonValL", mouse: "leftShockMouse",
                      held: "testModeLb", other: "testModeRb" },
                    { tag: "ShockRight", component: rightDial, level: "shockButtonValR", mouse: "rightShockMouse",
                      held: "testModeRb", other: "testModeLb" }]
        }

        function createDial(data) {
            var dial = createTemporaryObject(data.component, form)
            verify(dial)
            waitForRendering(dial)
            return dial
        }

        // Press the knob where it stands now; later moves are given in the ring's frame.
        function pressKnob(dial) {
            var knob = findChild(dial, "knob")
            var c = knob.mapToItem(dial, knob.width / 2, knob.height / 2)
            mousePress(dial, c.x, c.y)
        }
        function moveInRing(dial, x, y) { mouseMove(dial, 24 + x, 24 + y, -1, Qt.LeftButton) }
        function moveToAngle(dial, degrees) {
            var a = degrees * Math.PI / 180
            moveInRing(dial, Math.round(60 + 50 * Math.sin(a)), Math.round(60 - 50 * Math.cos(a)))
        }
        function dragSteps(dial, from, to) {
            pressKnob(dial)
            for (var k = from; from <= to ? k <= to : k >= to; k += from <= to ? 1 : -1)
                moveToAngle(dial, inZone[k])
        }

        // The colour of each tick as drawn: "O" orange, "T" teal, "?" under the knob.
        function tickColours(dial) {
            var image = grabImage(dial)
            var knobAngle = dial.shockButton.rotation - 12.4
            var colours = ""
            for (var k = 1; k <= 29; ++k) {
                var c = dial.ticks[k - 1].mapToItem(dial, 4, 6)
                var tickAngle = (Math.atan2(c.x - 84, 84 - c.y) * 180 / Math.PI + 360) % 360
                var apart = Math.abs((tickAngle - knobAngle + 540) % 360 - 180)
                var p = image.pixel(Math.round(c.x), Math.round(c.y))
                verify(Math.max(p.r, p.g, p.b) > 0.1, "tick " + k + " is drawn")
                colours += apart < 14 ? "?" : p.r > p.b ? "O" : "T"
            }
            return colours
        }
        function expectTicks(dial, orangeUpTo) {
            var colours = tickColours(dial)
            for (var k = 1; k <= 29; ++k) {
                if (colours[k - 1] !== "?")
                    compare(colours[k - 1], k <= orangeUpTo ? "O" : "T", "tick " + k + " in " + colours)
            }
        }

        // Which ends of the zones belong to them; -1 is a gap where the pointer just follows.
        function test_zoneEdges_data() {
            var rows = [[0.99, -1], [1, 0], [18, 0], [18.01, 1], [35, 1], [35.01, 2], [47.99, 2], [48, 3], [88.99, 5],
                        [89, -1], [89.99, -1], [90, 6], [175.49, 13], [175.5, -1], [181, -1], [181.01, 14],
                        [186.5, 15], [267.99, 21], [268, -1], [271, -1], [271.01, 22], [349, 29], [359.99, 29]]
            return rows.map(function(r) { return { tag: String(r[0]), angle: r[0], step: r[1] } })
        }
        function test_zoneEdges(data) {
            compare(DialSteps.stepAt(data.angle), data.step)
        }

        function test_dragThroughTheRing_data() { return sides() }
        function test_dragThroughTheRing(data) {
            var dial = createDial(data)
            pressKnob(dial)
            for (var k = 1; k <= 29; ++k) {
                moveToAngle(dial, inZone[k])
                compare(dial.shockButton.rotation, angles[k], "step " + k)
                compare(dial.shockText.text, String(readouts[k]), "step " + k)
                fuzzyCompare(form[data.level], k * form.shockL, 1e-9)
            }
            mouseRelease(dial)
            expectTicks(dial, 29)
        }

        function test_dragBack_data() {
            return [{ tag: "ShockLeft to rest", side: 0, back: 0, text: "0", litUpTo: 0 },
                    { tag: "ShockRight to step 10", side: 1, back: 10, text: "88", litUpTo: 20 }]
        }
        function test_dragBack(data) {
            var side = sides()[data.side]
            var dial = createDial(side)
            dragSteps(dial, 1, 20)
            moveToAngle(dial, inZone[data.back])
            mouseRelease(dial)
            compare(dial.shockButton.rotation, angles[data.back])
            compare(dial.shockText.text, data.text)
            fuzzyCompare(form[side.level], data.back * form.shockL, 1e-9)
            expectTicks(dial, data.litUpTo)
        }

        // Straight along an axis nothing changes; in the gaps between zones the pointer
        // follows the mouse and the level stays.
        function test_movesOutsideTheZones_data() {
            return [{ tag: "left of centre", x: 20, y: 60, rotation: 82 },
                    { tag: "right of centre", x: 100, y: 60, rotation: 82 },
                    { tag: "above centre", x: 60, y: 20, rotation: 82 },
                    { tag: "below centre", x: 60, y: 100, rotation: 82 },
                    { tag: "below 1 degree", x: 61, y: 0, rotation: 0.955 },
                    { tag: "89 to 90", x: 120, y: 59, rotation: 89.045 },
                    { tag: "175.5 to 181", x: 62, y: 110, rotation: 177.709 },
                    { tag: "268 to 271", x: 10, y: 61, rotation: 268.854 }]
        }
        function test_movesOutsideTheZones(data) {
            var dial = createDial(sides()[0])
            dragSteps(dial, 1, 5)
            moveInRing(dial, data.x, data.y)
            fuzzyCompare(dial.shockButton.rotation, data.rotation, 0.001)
            compare(dial.shockText.text, "44")
            fuzzyCompare(form.shockButtonValL, 5 * form.shockL, 1e-9)
            mouseRelease(dial)
            expectTicks(dial, 5)
        }

        function test_testStatesPaintOverTheTicks_data() {
            return [{ tag: "tested", testMode: 1 }, { tag: "testing", testMode: 2 }]
        }
        function test_testStatesPaintOverTheTicks(data) {
            var dial = createDial(sides()[1])
            dragSteps(dial, 1, 5)
            mouseRelease(dial)
            var disc = grabImage(dial).pixel(84, 104)
            verify(disc.b - disc.r < 0.1, "centre disc transparent while untested")
            dial.testMode = data.testMode
            compare(dial.state, ["untest", "tested", "testing"][data.testMode])
            expectTicks(dial, 29)
            disc = grabImage(dial).pixel(84, 104)
            verify(disc.b - disc.r > 0.25 && disc.g - disc.r > 0.25, "centre disc dark teal")
            compare(dial.shockText.color, "#ffffff")
            dial.testMode = 0
            expectTicks(dial, 5)
            compare(dial.shockText.color, "#12aac2")
        }

        function test_rippleReplaysOnEachNewHold_data() { return sides() }
        function test_rippleReplaysOnEachNewHold(data) {
            var dial = createDial(data)
            var ripple = findChild(dial, "ripple")
            var first = findChild(dial, "ripple1")
            var third = findChild(dial, "ripple3")
            form[data.other] = 2
            verify(!ripple.visible, "the other trigger does not ripple this dial")
            for (var press = 0; press < 2; ++press) {
                form[data.held] = 2
                verify(ripple.visible)
                verify(third.opacity < 0.6, "fades in afresh, press " + press)
                tryCompare(third, "opacity", 0.6)
                tryCompare(first, "opacity", 0.8)
                form[data.held] = 2
                compare(third.opacity, 0.6, "holding does not replay")
                form[data.held] = 1
                verify(!ripple.visible)
            }
        }

        // One property moves pointer and read-out: the test view's level, also after a drag.
        function test_levelTurnsPointerAndReadout_data() {
            return [{ tag: "rest", level: 0, rotation: 18, text: "0" },
                    { tag: "one step", level: 0.0344827586206897, rotation: 35, text: "9" },
                    { tag: "just above one step", level: 0.0345, rotation: 47, text: "9" },
                    { tag: "half", level: 0.5, rotation: 199, text: "128" },
                    { tag: "full", level: 1, rotation: 360, text: "255" }]
        }
        function test_levelTurnsPointerAndReadout(data) {
            for (var i = 0; i < 2; ++i) {
                var side = sides()[i]
                var dial = createDial(side)
                dragSteps(dial, 1, 3)
                mouseRelease(dial)
                form[side.level] = data.level
                compare(dial.strength, data.level)
                compare(dial.shockButton.rotation, data.rotation)
                compare(dial.shockText.text, data.text)
            }
        }

        // The front and back pictures each hold a dial of the same motor: a drag on one
        // turns the other's pointer and read-out (its ticks stay its own).
        function test_dialsOfOneMotorFollowEachOther_data() { return sides() }
        function test_dialsOfOneMotorFollowEachOther(data) {
            var dragged = createDial(data)
            var twin = createTemporaryObject(data.component, form, { x: 200 })
            dragSteps(dragged, 1, 7)
            mouseRelease(dragged)
            compare(twin.shockButton.rotation, 105)
            compare(twin.shockText.text, "62")
            verify(!twin.ticks[6].lit)
        }

        function test_ownHandlingRunsBeforeOutsideHandlers_data() { return sides() }
        function test_ownHandlingRunsBeforeOutsideHandlers(data) {
            var dial = createDial(data)
            outsideHandler.target = dial[data.mouse]
            dragSteps(dial, 1, 4)
            mouseRelease(dial)
            outsideHandler.target = null
            fuzzyCompare(form.levelSeenOutside, 4 * form.shockL, 1e-9)
        }

        function test_outlinesGlowInTheStyleColour() {
            var dial = createDial(sides()[0])
            var p = grabImage(dial).pixel(84, 21)
            verify(p.r > 0.1 && Math.abs(p.r - p.g) < 0.02, "white glow above the ring")
            form.styleColor = "#FF0000"
            tryVerify(function() { p = grabImage(dial).pixel(84, 21); return p.r > 0.1 && p.g < 0.02 },
                      1000, "red glow above the ring")
        }
    }
}
