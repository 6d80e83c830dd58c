import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import QtGamepad 1.15
import JoyvantTest 1.0
import JoyvantTest.Log 1.0
import com.corvane.system 1.0
import "qrc:/"

// The controller test view with its slot logic, driven by SDL virtual game controllers
// through the real gamepad module.
Item {
    id: root
    width: 1280
    height: 800

    // The dark ground the program draws the view on.
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

    // Watches one virtual pad through a gamepad object of its own, whether or not the
    // view shows it.
    Component {
        id: probeComponent
        Gamepad {}
    }

    // Keeps frames coming, so that a stalled GUI thread shows as missing frames.
    Rectangle {
        id: spinner
        width: 10
        height: 10
        color: "grey"
        RotationAnimation on rotation {
            id: spin
            running: false
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
    }

    TestCase {
        id: testCase
        name: "TestController"
        when: windowShown

        property var view: null
        property var pads: []

        // Gamepad property of each virtual button.
        readonly property var buttonProperty: ({
            "ButtonA": "buttonA", "ButtonB": "buttonB", "ButtonX": "buttonX", "ButtonY": "buttonY",
            "ButtonBack": "buttonSelect", "ButtonStart": "buttonStart",
            "ButtonDpadUp": "buttonUp", "ButtonDpadDown": "buttonDown",
            "ButtonDpadLeft": "buttonLeft", "ButtonDpadRight": "buttonRight",
            "ButtonLeftShoulder": "buttonL1", "ButtonRightShoulder": "buttonR1"
        })

        function init() {
            LogCapture.clear()
            view = createTemporaryObject(viewComponent, root)
            verify(view)
            pads = []
        }

        function cleanup() {
            for (var i = 0; i < pads.length; ++i) {
                if (pads[i].attached)
                    unplug(pads[i])
            }
            pads = []
            spin.running = false
        }

        function plug(name) {
            var pad = createTemporaryObject(padComponent, root, name === undefined ? {} : { name: name })
            verify(pad.attach(), "virtual pad attached")
            var id = pad.deviceId
            tryVerify(function () { return GamepadManager.connectedGamepads.indexOf(id) > -1 }, 5000)
            pads.push(pad)
            return pad
        }

        function unplug(pad) {
            var id = pad.deviceId
            pad.detach()
            tryVerify(function () { return GamepadManager.connectedGamepads.indexOf(id) < 0 }, 5000)
        }

        function probe(pad) {
            var gamepad = createTemporaryObject(probeComponent, root, { deviceId: pad.deviceId })
            tryCompare(gamepad, "connected", true)
            return gamepad
        }

        // Sets a button of a pad and waits until the gamepad module has seen it.
        function setButton(pad, watcher, button, down) {
            pad.setButton(VirtualGamepad[button], down)
            tryCompare(watcher, buttonProperty[button], down)
        }

        function badgeStates() {
            return [view.gamepadButton1.state, view.gamepadButton2.state,
                    view.gamepadButton3.state, view.gamepadButton4.state]
        }

        function waitForPulseEnd(timeout) {
            tryCompare(view.gamepad, "leftMotorSpeed", 0, timeout || 3000)
            tryCompare(view.gamepad, "rightMotorSpeed", 0, timeout || 3000)
        }

        function clickBadge(number) {
            mouseClick(view["gamepadButton" + number].mouseArea)
        }

        function test_slotsFillInOrderAndAFifthIsRefused() {
            var four = []
            for (var i = 0; i < 4; ++i) {
                var pad = plug()
                four.push(pad)
                compare(view.gamepadDeviceId[i], pad.deviceId)
                compare(view.currentDeviceId, pad.deviceId)
                compare(view.gamepad.deviceId, pad.deviceId)
            }
            compare(badgeStates(), ["plugin", "plugin", "plugin", "current"])
            compare(view.state, "found")

            var slots = view.gamepadDeviceId.slice()
            var fifth = plug()
            compare(LogCapture.matching("All four location full, connecting reject.").length, 1)
            compare(view.gamepadDeviceId, slots)
            compare(view.currentDeviceId, four[3].deviceId)
            compare(badgeStates(), ["plugin", "plugin", "plugin", "current"])

            // The refused pad holds no slot: its leaving clears none.
            unplug(fifth)
            compare(view.gamepadDeviceId, slots)

            unplug(four[1])
            compare(view.gamepadDeviceId, [slots[0], -1, slots[2], slots[3]])
            compare(badgeStates(), ["plugin", "unplugin", "plugin", "current"])
            var another = plug()
            compare(view.gamepadDeviceId, [slots[0], another.deviceId, slots[2], slots[3]])
            compare(badgeStates(), ["plugin", "current", "plugin", "plugin"])
        }

        function test_connectAndDisconnectAreLogged() {
            var pad = plug()
            var id = pad.deviceId
            var total = GamepadManager.connectedGamepads.length
            compare(LogCapture.matching("Device Connected, deviceId= " + id + " ,total: " + total).length, 1)
            unplug(pad)
            compare(LogCapture.matching("Device Disconnected, deviceId= " + id + " ,total: " + (total - 1)).length, 1)
        }

        function test_losingTheCurrentPadFallsBackToTheLowestSlot() {
            var first = plug()
            var firstProbe = probe(first)
            setButton(first, firstProbe, "ButtonA", true)
            setButton(first, firstProbe, "ButtonA", false)
            compare(view.testModeA, 1)

            var second = plug()
            var secondProbe = probe(second)
            setButton(second, secondProbe, "ButtonB", true)
            setButton(second, secondProbe, "ButtonB", false)
            // Up and right: the stick view records quadrant 0 of slot 1 at its next paint.
            second.setAxis(VirtualGamepad.AxisLeftX, 32767)
            second.setAxis(VirtualGamepad.AxisLeftY, -20000)
            tryVerify(function () { return view.controller.stickLeft.dx[1][0] > 0 }, 3000)
            second.setAxis(VirtualGamepad.AxisLeftX, 0)
            second.setAxis(VirtualGamepad.AxisLeftY, 0)
            second.setButton(VirtualGamepad.ButtonLeftStick, true)
            tryCompare(view.controller.stickLeft.buttonTestMode, 1, 2)
            second.setButton(VirtualGamepad.ButtonLeftStick, false)
            tryCompare(view.controller.stickLeft.buttonTestMode, 1, 1)
            compare(view.testModeA, 0)
            compare(view.testModeB, 1)

            var third = plug()
            compare(view.testModeB, 0)
            compare(view.modeB[1], 1)
            clickBadge(2)
            compare(view.currentDeviceId, second.deviceId)
            compare(view.testModeB, 1)

            unplug(second)
            compare(view.currentDeviceId, first.deviceId)
            compare(badgeStates(), ["current", "unplugin", "plugin", "unplugin"])
            compare(view.testModeA, 1)
            compare(view.testModeB, 0)
            compare(view.modeB[1], 0)
            compare(view.controller.stickLeft.buttonTestMode[1], 0)
            compare(view.controller.stickLeft.dx[1], [0, 0, 0, 0])
            compare(view.controller.stickLeft.dy[1], [0, 0, 0, 0])
            compare(view.controller.stickLeft.gamepadIndex, 0)

            unplug(first)
            compare(view.currentDeviceId, third.deviceId)
            unplug(third)
            compare(view.currentDeviceId, -1)
            compare(view.state, "unfound")
            compare(view.controller.state, "unfound")
            compare(badgeStates(), ["unplugin", "unplugin", "unplugin", "unplugin"])
            for (var i = 0; i < view.inputs.length; ++i)
                compare(view["mode" + view.inputs[i][0]], [0, 0, 0, 0], view.inputs[i][0])
        }

        function test_removingAnotherPadStopsTheMotorsOfTheCurrentOne() {
            var first = plug()
            var second = plug()
            waitForPulseEnd()
            second.setAxis(VirtualGamepad.AxisTriggerRight, 16384)
            tryVerify(function () { return view.shockButtonValR > 0.5 })
            unplug(first)
            compare(view.currentDeviceId, second.deviceId)
            compare(view.shockButtonValR, 0)
            compare(view.gamepad.rightMotorSpeed, 0)
            compare(view.shockRight.shockText.text, "0")
            // The trigger is still held on the current pad.
            compare(view.testModeRb, 2)
            second.setAxis(VirtualGamepad.AxisTriggerRight, 0)
            tryCompare(view, "testModeRb", 1)
        }

        function test_progressIsKeptPerSlot() {
            var first = plug()
            var firstProbe = probe(first)
            var second = plug()
            var secondProbe = probe(second)
            clickBadge(1)
            compare(view.currentDeviceId, first.deviceId)

            setButton(first, firstProbe, "ButtonA", true)
            setButton(first, firstProbe, "ButtonA", false)
            clickBadge(2)
            compare(view.testModeA, 0)
            clickBadge(1)
            compare(view.testModeA, 1)

            // Held while its slot is left, released while away: tested, not testing.
            setButton(first, firstProbe, "ButtonX", true)
            compare(view.testModeX, 2)
            clickBadge(2)
            compare(view.testModeX, 0)
            setButton(first, firstProbe, "ButtonX", false)
            clickBadge(1)
            compare(view.testModeX, 1)

            // Still held on return: testing.
            setButton(first, firstProbe, "ButtonY", true)
            clickBadge(2)
            clickBadge(1)
            compare(view.testModeY, 2)
            setButton(first, firstProbe, "ButtonY", false)
            tryCompare(view, "testModeY", 1)

            // Held on the pad that becomes current: testing there, and nothing on the
            // pad left behind.
            setButton(second, secondProbe, "ButtonB", true)
            clickBadge(2)
            compare(view.testModeB, 2)
            setButton(second, secondProbe, "ButtonB", false)
            tryCompare(view, "testModeB", 1)
            clickBadge(1)
            compare(view.testModeB, 0)
            compare(view.modeB[0], 0)
        }

        function test_clicksOnAnEmptyOrTheCurrentBadgeChangeNothing_data() {
            return [ { tag: "current", badge: 2 }, { tag: "empty", badge: 3 } ]
        }

        function test_clicksOnAnEmptyOrTheCurrentBadgeChangeNothing(data) {
            var first = plug()
            var firstProbe = probe(first)
            var second = plug()
            waitForPulseEnd()
            setButton(second, probe(second), "ButtonA", true)
            var before = badgeStates()
            clickBadge(data.badge)
            compare(view.currentDeviceId, second.deviceId)
            compare(badgeStates(), before)
            compare(view.testModeA, 2)
            compare(view.gamepad.leftMotorSpeed, 0)
            compare(view.gamepad.rightMotorSpeed, 0)
        }

        function test_pulseDoesNotStallTheProgram() {
            var first = plug()
            waitForPulseEnd()
            tryCompare(first, "lowFrequencyRumble", 0)

            var changes = []
            view.gamepad.leftMotorSpeedChanged.connect(function (value) { changes.push([Date.now(), value]) })
            var frames = 0
            var countFrame = function () { ++frames }
            root.Window.window.frameSwapped.connect(countFrame)
            spin.running = true

            var second = plug()
            // The pad just bound vibrates at full strength; the one left stops.
            tryCompare(second, "lowFrequencyRumble", 65535)
            compare(second.highFrequencyRumble, 65535)
            tryCompare(first, "lowFrequencyRumble", 0)
            var framesAtStart = frames
            tryCompare(second, "lowFrequencyRumble", 0, 3000)
            root.Window.window.frameSwapped.disconnect(countFrame)

            compare(changes.length, 2)
            compare(changes[0][1], 100)
            compare(changes[1][1], 0)
            var duration = changes[1][0] - changes[0][0]
            verify(duration >= 490 && duration < 1200, "pulse lasted " + duration + " ms")
            verify(frames - framesAtStart >= 3, (frames - framesAtStart) + " frames during the pulse")
        }

        function test_anotherPadLeavingDoesNotCutThePulse() {
            var first = plug()
            // Long enough to outlast the unplugging on a busy machine.
            view.pulseDuration = 3000
            var second = plug()
            compare(view.gamepad.leftMotorSpeed, 100)
            unplug(first)
            compare(view.currentDeviceId, second.deviceId)
            compare(view.gamepad.leftMotorSpeed, 100)
            compare(view.gamepad.rightMotorSpeed, 100)
            waitForPulseEnd(8000)
            tryCompare(second, "lowFrequencyRumble", 0)
        }

        function test_triggerTurnsBothDialsAndDrivesItsMotor_data() {
            return [
                { tag: "right half", axis: VirtualGamepad.AxisTriggerRight, level: 16384, side: "Right",
                  angle: 199, text: "128", rumble: "highFrequencyRumble", strength: 32769 },
                { tag: "right full", axis: VirtualGamepad.AxisTriggerRight, level: 32767, side: "Right",
                  angle: 360, text: "255", rumble: "highFrequencyRumble", strength: 65535 },
                { tag: "left half", axis: VirtualGamepad.AxisTriggerLeft, level: 16384, side: "Left",
                  angle: 199, text: "128", rumble: "lowFrequencyRumble", strength: 32769 },
                { tag: "left slight", axis: VirtualGamepad.AxisTriggerLeft, level: 800, side: "Left",
                  angle: 35, text: "6", rumble: "lowFrequencyRumble", strength: 1600 }
            ]
        }

        function test_triggerTurnsBothDialsAndDrivesItsMotor(data) {
            var pad = plug()
            waitForPulseEnd()
            tryCompare(pad, data.rumble, 0)
            var front = view["shock" + data.side]
            var back = view["shock" + data.side + "Back"]
            var mode = data.side === "Right" ? "testModeRb" : "testModeLb"

            pad.setAxis(data.axis, data.level)
            tryCompare(front.shockButton, "rotation", data.angle)
            compare(back.shockButton.rotation, data.angle)
            compare(front.shockText.text, data.text)
            compare(back.shockText.text, data.text)
            compare(view[mode], 2)
            tryVerify(function () { return Math.abs(pad[data.rumble] - data.strength) <= 1 },
                      3000, "motor at " + data.strength)

            pad.setAxis(data.axis, 0)
            tryCompare(front.shockButton, "rotation", 18)
            compare(back.shockButton.rotation, 18)
            compare(front.shockText.text, "0")
            compare(back.shockText.text, "0")
            compare(view[mode], 1)
            tryCompare(pad, data.rumble, 0)
        }

        // Mouse position on a dial's ring at `angle` degrees clockwise from 12 o'clock,
        // in the knob mouse area's frame.
        function ringPoint(dial, mouseArea, angle) {
            var radians = angle * Math.PI / 180
            return mouseArea.mapFromItem(dial, 84 + 50 * Math.sin(radians), 84 - 50 * Math.cos(radians))
        }

        function test_dialDragDrivesTheMotorAndItsTwin() {
            var pad = plug()
            waitForPulseEnd()
            var knob = view.shockRight.rightShockMouse
            mousePress(knob)
            var point = ringPoint(view.shockRight, knob, 195)
            mouseMove(knob, point.x, point.y)
            compare(view.shockRight.shockButton.rotation, 199)
            compare(view.shockButtonValR, 15 * view.shockL)
            compare(view.gamepad.rightMotorSpeed, view.shockButtonValR)
            compare(view.shockRightBack.shockButton.rotation, 199)
            compare(view.shockRightBack.shockText.text, "132")
            compare(view.shockRight.shockText.text, "132")
            // Each dial keeps the ticks its own drags lit.
            verify(view.shockRight.ticks[14].lit)
            verify(!view.shockRightBack.ticks[14].lit)
            mouseRelease(knob)
            tryVerify(function () { return Math.abs(pad.highFrequencyRumble - 33897) <= 1 })

            // Leaving the slot sets the strengths, the pointers and the read-outs back.
            plug()
            compare(view.shockButtonValR, 0)
            for (var name of ["shockRight", "shockRightBack"]) {
                compare(view[name].shockButton.rotation, 18, name)
                compare(view[name].shockText.text, "0", name)
            }
        }

        function test_eachInputIsTestingWhileHeldAndTestedAfter_data() {
            return [
                { tag: "A", buttons: ["ButtonA"], mode: "testModeA", indicator: "indicatorA" },
                { tag: "B", buttons: ["ButtonB"], mode: "testModeB", indicator: "indicatorB" },
                { tag: "X", buttons: ["ButtonX"], mode: "testModeX", indicator: "indicatorX" },
                { tag: "Y", buttons: ["ButtonY"], mode: "testModeY", indicator: "indicatorY" },
                { tag: "Start", buttons: ["ButtonStart"], mode: "testModeStart", indicator: "indicatorStart" },
                { tag: "Back", buttons: ["ButtonBack"], mode: "testModeBack", indicator: "indicatorBack" },
                { tag: "Up", buttons: ["ButtonDpadUp"], mode: "testModeUp", indicator: "indicatorUp" },
                { tag: "Down", buttons: ["ButtonDpadDown"], mode: "testModeDown", indicator: "indicatorDown" },
                { tag: "Left", buttons: ["ButtonDpadLeft"], mode: "testModeLeft", indicator: "indicatorLeft" },
                { tag: "Right", buttons: ["ButtonDpadRight"], mode: "testModeRight", indicator: "indicatorRight" },
                { tag: "left-up", buttons: ["ButtonDpadUp", "ButtonDpadLeft"], mode: "testModeLeftUp",
                  indicator: "indicatorLeftUp" },
                { tag: "left-down", buttons: ["ButtonDpadDown", "ButtonDpadLeft"], mode: "testModeLeftDown",
                  indicator: "indicatorLeftDown" },
                { tag: "right-up", buttons: ["ButtonDpadUp", "ButtonDpadRight"], mode: "testModeRightUp",
                  indicator: "indicatorRightUp" },
                { tag: "right-down", buttons: ["ButtonDpadDown", "ButtonDpadRight"], mode: "testModeRightDown",
                  indicator: "indicatorRightDown" },
                { tag: "LB", buttons: ["ButtonLeftShoulder"], mode: "testModeLt", indicator: "indicatorLt" },
                { tag: "RB", buttons: ["ButtonRightShoulder"], mode: "testModeRt", indicator: "indicatorRt" }
            ]
        }

        function test_eachInputIsTestingWhileHeldAndTestedAfter(data) {
            var pad = plug()
            var indicator = findChild(view.controller, data.indicator)
            verify(indicator, data.indicator)
            compare(indicator.state, "untest")
            for (var i = 0; i < data.buttons.length; ++i)
                setButton(pad, view.gamepad, data.buttons[i], true)
            compare(view[data.mode], 2)
            compare(indicator.state, "testing")
            for (var j = 0; j < data.buttons.length; ++j)
                setButton(pad, view.gamepad, data.buttons[j], false)
            compare(view[data.mode], 1)
            compare(indicator.state, "tested")
            // A single direction lights no diagonal.
            if (data.buttons.length === 1) {
                for (var name of ["testModeLeftUp", "testModeLeftDown", "testModeRightUp", "testModeRightDown"])
                    compare(view[name], 0, name)
            }
        }

        function test_leftTriggerLightsItsControlsOnBothPictures() {
            var pad = plug()
            var lit = ["indicatorLb", "handleBack_buttonLb", "handleBack_buttonL1", "handleBack_buttonL2"]
            pad.setAxis(VirtualGamepad.AxisTriggerLeft, 1200)
            tryCompare(view, "testModeLb", 2)
            for (var i = 0; i < lit.length; ++i)
                compare(findChild(view.controller, lit[i]).state, "testing", lit[i])
            compare(view.shockLeft.state, "testing")
            compare(view.shockLeftBack.state, "testing")
            compare(view.controller.labelLT.opacity, 1)
            compare(view.controller.backLabelLT.opacity, 1)
            // The other side stays untouched.
            compare(findChild(view.controller, "indicatorRb").state, "untest")
            compare(view.shockRight.state, "untest")
            compare(view.controller.labelRT.opacity, 0)

            pad.setAxis(VirtualGamepad.AxisTriggerLeft, 0)
            tryCompare(view, "testModeLb", 1)
            for (var j = 0; j < lit.length; ++j)
                compare(findChild(view.controller, lit[j]).state, "tested", lit[j])
            compare(view.shockLeft.state, "tested")
            compare(view.controller.labelLT.opacity, 0.29)
        }

        function labelsShown() {
            var names = ["labelLB", "labelLT", "labelRB", "labelRT",
                         "backLabelRT", "backLabelRB", "backLabelLB", "backLabelLT"]
            var shown = []
            for (var i = 0; i < names.length; ++i) {
                if (view.controller[names[i]].visible)
                    shown.push(names[i])
            }
            return shown
        }

        function test_viewSwitch() {
            var front = ["labelLB", "labelLT", "labelRB", "labelRT"]
            var back = ["backLabelRT", "backLabelRB", "backLabelLB", "backLabelLT"]
            mouseClick(view.backSwitch)
            compare(view.controller.state, "unfound")
            compare(labelsShown(), [])
            compare(view.backSwitch.opacity, 0.51)

            var first = plug()
            compare(view.controller.state, "found")
            compare(labelsShown(), front)
            verify(String(view.frontSwitch.source).endsWith("images/Icon_positiveTest.svg"))
            verify(String(view.backSwitch.source).endsWith("images/no_handle.svg"))

            mouseClick(view.backSwitch)
            compare(view.controller.state, "foundBack")
            compare(labelsShown(), back)
            verify(view.controller.handleBack.visible)
            verify(!view.controller.handlePositive.visible)
            verify(String(view.frontSwitch.source).endsWith("images/positive_handle.svg"))
            verify(String(view.backSwitch.source).endsWith("images/Icon_backTest.svg"))

            // Another pad keeps the user's choice.
            var second = plug()
            compare(view.controller.state, "foundBack")

            unplug(first)
            unplug(second)
            compare(view.controller.state, "unfound")
            compare(labelsShown(), [])
            mouseClick(view.frontSwitch)
            mouseClick(view.backSwitch)
            compare(view.controller.state, "unfound")

            // The next pad after none starts on the front.
            plug()
            compare(view.controller.state, "found")
            compare(labelsShown(), front)
            mouseClick(view.backSwitch)
            mouseClick(view.frontSwitch)
            compare(view.controller.state, "found")
            compare(labelsShown(), front)
        }

        // Every glowing outline under `item`, hidden or not.
        function glows(item, found) {
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.spread !== undefined && child.samples !== undefined && child.color !== undefined)
                    found.push(child)
                glows(child, found)
            }
            return found
        }

        function redPixels(image) {
            var count = 0
            for (var y = 0; y < image.height; y += 2) {
                for (var x = 0; x < image.width; x += 2) {
                    var c = image.pixel(x, y)
                    if (c.r > 0.2 && c.r > 3 * c.g && c.r > 3 * c.b)
                        ++count
                }
            }
            return count
        }

        function test_styleColourReachesEveryOutline() {
            plug()
            waitForRendering(view)
            // A few pixels of the animated logo may be red at any time.
            verify(redPixels(grabImage(view)) < 50)
            view.styleColor = "red"
            var all = glows(view.controller, [])
            // Front and back drawings and the four dials with three outlines each.
            verify(all.length >= 30, all.length + " glowing outlines")
            for (var i = 0; i < all.length; ++i)
                verify(Qt.colorEqual(all[i].color, "red"), "outline " + i + " glows in " + all[i].color)
            // Glows are built in idle time once their outline shows: wait for them.
            tryVerify(function() { return redPixels(grabImage(view)) > 500 }, 5000, "the front glows red")
            mouseClick(view.backSwitch)
            tryCompare(view.controller.handleBack, "opacity", 1)
            tryVerify(function() { return redPixels(grabImage(view)) > 500 }, 5000, "the back glows red")
        }

        function test_badgesNameTheirSlotsGamepads() {
            compare(view.gamepadButton1.textValue, "暂无")
            var alpha = plug("Alpha Test Pad")
            var beta = plug("Beta Test Pad")
            tryCompare(view.gamepadButton1, "textValue", "Alpha Test Pad")
            compare(view.gamepadButton2.textValue, "Beta Test Pad")
            compare(view.gamepadButton3.textValue, "暂无")
            compare(view.gamepadButton4.textValue, "暂无")
            unplug(alpha)
            tryCompare(view.gamepadButton1, "textValue", "暂无")
            compare(view.gamepadButton2.textValue, "Beta Test Pad")
            plug("Gamma Test Pad")
            tryCompare(view.gamepadButton1, "textValue", "Gamma Test Pad")
            compare(view.gamepadButton2.textValue, "Beta Test Pad")
        }
    }
}
