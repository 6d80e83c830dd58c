import QtQuick 2.15
import QtTest 1.15
import QtGamepad 1.15
import JoyvantTest 1.0
import com.corvane.io 1.0
import com.corvane.system 1.0
import "qrc:/"

// The pad health view inside the controller test view, driven by SDL virtual pads through
// the real gamepad module and diagnostics: what it shows of a drifting, dented stick, where
// the plot draws the gate, figures kept per pad and across leaving the view, the pads
// without a mapping, and the report's actions.
Item {
    id: root
    width: 1280
    height: 800

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: viewComponent
        TestController {
            width: 1280
            height: 800
        }
    }

    Component {
        id: padComponent
        VirtualGamepad {}
    }

    Component {
        id: fileComponent
        FileIo {}
    }

    TextEdit {
        id: pasteBoard
    }

    TestCase {
        id: testCase
        name: "PadHealthView"
        when: windowShown

        property var view: null
        property var pads: []

        // The left stick's gate in the dented pad: short between 100 and 150 degrees.
        readonly property real dentFrom: 100
        readonly property real dentTo: 150
        readonly property real dentRadius: 0.8

        function init() {
            view = createTemporaryObject(viewComponent, root)
            verify(view)
            pads = []
        }

        function cleanup() {
            for (var i = 0; i < pads.length; ++i) {
                if (pads[i].attached)
                    pads[i].detach()
            }
            pads = []
        }

        function plug(name, gameController) {
            var pad = createTemporaryObject(padComponent, root, {
                name: name, gameController: gameController === undefined ? true : gameController
            })
            verify(pad.attach(), "virtual pad attached")
            pads.push(pad)
            if (pad.gameController) {
                var id = pad.deviceId
                tryVerify(function () { return view.currentDeviceId === id }, 5000)
            }
            return pad
        }

        function health() {
            tryVerify(function () { return view.healthView.status === Loader.Ready && view.healthView.item !== null })
            return view.healthView.item
        }

        function figure(stick, name) {
            var row = findChild(health()[stick], name)
            verify(row, name)
            return row
        }

        function stickTo(pad, x, y) {
            pad.setAxis(VirtualGamepad.AxisLeftX, Math.round(x * (x < 0 ? 32768 : 32767)))
            pad.setAxis(VirtualGamepad.AxisLeftY, Math.round(y * (y < 0 ? 32768 : 32767)))
            wait(6)
        }

        function gateRadius(degrees) {
            return degrees > dentFrom && degrees < dentTo ? dentRadius : 1
        }

        // Round the left stick's gate from `from` to `to` degrees (counter-clockwise as
        // the user sees it), in 2 degree steps.
        function sweep(pad, from, to, dented) {
            for (var degrees = from; degrees <= to; degrees += 2) {
                var r = dented ? gateRadius(degrees % 360) : 1
                var a = degrees * Math.PI / 180
                stickTo(pad, r * Math.cos(a), -r * Math.sin(a))
            }
        }

        // The drifting, dented stick: swept round, then left to rest off centre (6.3 %
        // at 18 degrees) until it counts as resting.
        function driftAndDent(pad) {
            sweep(pad, 0, 360, true)
            // SDL reports x before y: coming from straight up, the point between the two
            // reports lies far from the resting place and does not join the rest.
            stickTo(pad, 0, -0.6)
            tryVerify(function () { return Math.abs(view.gamepad.axisLeftY + 0.6) < 0.01 })
            stickTo(pad, 0.06, -0.02)
            // A stall of the test (a loaded machine) may let an earlier place count as
            // rest first: wait for this one.
            var stick = health().pad.leftStick
            tryVerify(function () { return stick.atRest && Math.abs(stick.centreOffset - 6.32) < 0.2 }, 5000)
            tryCompare(figure("leftStick", "centreOffset"), "healthy", false)
        }

        function isTeal(image, x, y) {
            return image.red(x, y) < 90 && image.green(x, y) > 120 && image.blue(x, y) > 140
        }

        // Whether a pixel of the gate's colour lies within `reach` pixels of (x, y).
        function tealNear(image, x, y, reach) {
            for (var dx = -reach; dx <= reach; ++dx) {
                for (var dy = -reach; dy <= reach; ++dy) {
                    if (isTeal(image, Math.round(x) + dx, Math.round(y) + dy))
                        return true
                }
            }
            return false
        }

        function test_driftingDentedStickShowsItsFiguresAndVerdicts() {
            var pad = plug("Joyvant Health Pad")
            view.healthChosen = true
            var panel = health().leftStick
            verify(findChild(panel, "coverageHint").visible, "the plot says what to do first")

            driftAndDent(pad)
            var offset = figure("leftStick", "centreOffset")
            verify(offset.value.indexOf("6.3 %") === 0, offset.value)
            compare(offset.verdict, "drifts")
            verify(Qt.colorEqual(findChild(offset, "verdict").color, "#FF8A29"))
            compare(figure("leftStick", "deadZone").value, "7 %")
            compare(figure("leftStick", "deadZone").verdict, "large")
            compare(figure("leftStick", "coverage").healthy, true)
            verify(!findChild(panel, "coverageHint").visible)
            var circularity = figure("leftStick", "circularity")
            compare(circularity.healthy, false)
            var worst = Number(circularity.verdict.replace(/[^0-9]/g, ""))
            verify(circularity.verdict.indexOf("short at") === 0, circularity.verdict)
            verify(worst > dentFrom && worst < dentTo, circularity.verdict)
            verify(Qt.colorEqual(findChild(circularity, "verdict").color, "#FF8A29"))
            var reach = figure("leftStick", "reach")
            compare(reach.healthy, true)
            compare(reach.verdict, "full")

            // The untouched right stick rests at the centre and asks to be rolled round.
            var right = health().rightStick
            verify(findChild(right, "coverageHint").visible)
            compare(figure("rightStick", "coverage").value, "0 %")
            tryCompare(figure("rightStick", "centreOffset"), "verdict", "centred", 5000)
            compare(figure("rightStick", "centreOffset").healthy, true)
            compare(figure("rightStick", "circularity").verdict, "needs 90 % coverage")

            // A reset starts the left stick afresh.
            mouseClick(findChild(panel, "resetButton"))
            tryCompare(figure("leftStick", "coverage"), "value", "0 %")
            verify(findChild(panel, "coverageHint").visible)
        }

        function test_plotDrawsTheGateAtTheMeasuredRadii_data() {
            // Sector centres: in the dent, and on the full part of the gate.
            return [
                { tag: "dented 117.5", degrees: 117.5, radius: 0.8, dented: true },
                { tag: "dented 132.5", degrees: 132.5, radius: 0.8, dented: true },
                { tag: "full 42.5", degrees: 42.5, radius: 1, dented: false },
                { tag: "full 222.5", degrees: 222.5, radius: 1, dented: false },
                { tag: "full 302.5", degrees: 302.5, radius: 1, dented: false }
            ]
        }

        function test_plotDrawsTheGateAtTheMeasuredRadii(data) {
            var pad = plug("Joyvant Plot Pad")
            view.healthChosen = true
            var plot = health().leftStick.plot
            sweep(pad, 0, 360, true)
            stickTo(pad, 0, 0)
            var sector = Math.floor(data.degrees / 5)
            var stickHealth = health().pad.leftStick
            tryVerify(function () { return stickHealth.sectorCoverage === 100 }, 5000)
            var measured = stickHealth.sectorRadii[sector]
            // SDL reports x and y apart: a point between two reports may reach a little
            // further than the gate.
            verify(Math.abs(measured - data.radius) < 0.05, "sector " + sector + " holds " + measured)
            waitForRendering(plot)
            // The whole window, probed where the plot puts the gate.
            var image = grabImage(root)
            var at = plot.mapToItem(root, plot.pointAt(measured, data.degrees))
            verify(tealNear(image, at.x, at.y, 2), "gate drawn at " + measured + " at " + data.degrees + " degrees")
            if (data.dented) {
                var rim = plot.mapToItem(root, plot.pointAt(1, data.degrees))
                verify(!tealNear(image, rim.x, rim.y, 1), "no gate on the unit circle in the dent")
            }
        }

        function test_eachPadKeepsItsFiguresAcrossSlotsAndLeavingTheView() {
            var first = plug("Joyvant Health Pad")
            view.healthChosen = true
            driftAndDent(first)
            var firstOffset = figure("leftStick", "centreOffset").value

            var second = plug("Joyvant Second Pad")
            compare(view.gamepadDeviceId[1], second.deviceId)
            tryCompare(figure("leftStick", "coverage"), "value", "0 %")
            sweep(second, 0, 90, false)
            stickTo(second, 0, 0)
            tryVerify(function () { return figure("leftStick", "coverage").value !== "0 %" })
            var secondCoverage = figure("leftStick", "coverage").value

            mouseClick(view.gamepadButton1.mouseArea)
            tryCompare(view, "currentDeviceId", first.deviceId)
            tryCompare(figure("leftStick", "centreOffset"), "value", firstOffset)
            compare(figure("leftStick", "coverage").value, "100 %")
            mouseClick(view.gamepadButton2.mouseArea)
            tryCompare(figure("leftStick", "coverage"), "value", secondCoverage)

            // Away to the picture and back: the figures are where they were, and the
            // measuring went on meanwhile.
            mouseClick(view.frontSwitchMouse)
            compare(view.healthChosen, false)
            verify(view.controller.visible)
            compare(view.healthView.item, null)
            sweep(second, 90, 180, false)
            stickTo(second, 0, 0)
            mouseClick(view.healthSwitchMouse)
            compare(view.healthChosen, true)
            verify(!view.controller.visible)
            tryVerify(function () {
                return parseInt(figure("leftStick", "coverage").value) > parseInt(secondCoverage)
            })
            mouseClick(view.gamepadButton1.mouseArea)
            tryCompare(figure("leftStick", "centreOffset"), "value", firstOffset)
        }

        function test_plainJoystickIsListedAsNeedingAMapping() {
            var pad = plug("Joyvant Health Pad")
            var stick = plug("Joyvant Plain Stick", false)
            tryVerify(function () { return view.unmappedPads.length === 1 }, 5000)
            compare(view.unmappedPads[0].deviceName, "Joyvant Plain Stick")
            verify(view.mappingNotice.visible)
            compare(findChild(view.mappingNotice, "noticeText").text, "1 pad needs a mapping")
            compare(view.healthChosen, false)

            mouseClick(findChild(view.mappingNotice, "noticeMouse"))
            compare(view.healthChosen, true)
            var entry = findChild(health(), "unmapped_" + stick.deviceId)
            verify(entry, "the plain joystick is listed")
            compare(findChild(entry, "name").text, "Joyvant Plain Stick")
            compare(findChild(entry, "guid").text.length, 32)
            verify(findChild(entry, "padActions"), "room for its actions")

            stick.detach()
            tryVerify(function () { return view.unmappedPads.length === 0 }, 5000)
            verify(!view.mappingNotice.visible)
        }

        function test_reportIsSavedAndCopied_data() {
            return [ { tag: "markdown", name: "padhealth-report.md" }, { tag: "json", name: "padhealth-report.json" } ]
        }

        function test_reportIsSavedAndCopied(data) {
            var pad = plug("Joyvant Report Pad")
            view.healthChosen = true
            var shown = health()
            var url = "file://" + joyvantTestDataDir + "/" + data.name
            verify(shown.saveReport(url))
            compare(shown.statusIsError, false)
            var file = createTemporaryObject(fileComponent, root, { source: url })
            tryVerify(function () { return file.text.length > 0 })
            if (data.tag === "json") {
                var report = JSON.parse(file.text)
                compare(report.identity.name, "Joyvant Report Pad")
                compare(report.progress.buttonA, "untest")
                verify(report.sticks.left.gate !== undefined)
            } else {
                verify(file.text.indexOf("# Pad report: Joyvant Report Pad") === 0, file.text.slice(0, 80))
            }

            mouseClick(findChild(shown, "copyButton"))
            pasteBoard.text = ""
            pasteBoard.paste()
            verify(pasteBoard.text.indexOf("# Pad report: Joyvant Report Pad") === 0, pasteBoard.text.slice(0, 80))
            verify(findChild(shown, "statusText").text.length > 0)
        }

        function test_failedSaveShowsItsErrorAndKeepsTheView() {
            var pad = plug("Joyvant Report Pad")
            view.healthChosen = true
            var shown = health()
            sweep(pad, 0, 90, false)
            stickTo(pad, 0, 0)
            tryVerify(function () { return figure("leftStick", "coverage").value !== "0 %" })
            var coverage = figure("leftStick", "coverage").value

            // Below a file, where no folder can be made, whoever runs the test.
            var blocker = "file://" + joyvantTestDataDir + "/padhealth-blocker.md"
            verify(shown.saveReport(blocker))
            verify(!shown.saveReport(blocker + "/report.md"))
            var status = findChild(shown, "statusText")
            verify(status.text.indexOf("padhealth-blocker.md") > 0, status.text)
            verify(Qt.colorEqual(status.color, "#FF8A29"))
            compare(view.healthChosen, true)
            compare(view.healthView.item, shown)
            compare(shown.pad.deviceId, pad.deviceId)
            compare(figure("leftStick", "coverage").value, coverage)
        }
    }
}
