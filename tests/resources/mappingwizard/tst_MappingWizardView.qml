import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import JoyvantTest 1.0
import com.corvane.diagnostics 1.0
import com.corvane.io 1.0
import "qrc:/"

// The mapping wizard in the controller test view, on SDL virtual joysticks through the
// real gamepad module: started from the pad health view, answered with the pad's raw
// inputs and the panel's buttons, the control asked for lit on the picture, and what
// Apply, Save, Copy, Cancel and Escape leave behind. Each test's joystick has a name of
// its own: a mapping applied stays in SDL for the rest of the run, and the name makes the
// GUID.
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
        name: "MappingWizardView"
        when: windowShown

        readonly property int low: -32768
        readonly property int high: 32767
        // The user's mapping file of this run (XDG_CONFIG_HOME is set by CMakeLists.txt,
        // which also puts a file with other lines there before the run).
        readonly property string userFile: "file://" + joyvantTestDataDir
                                           + "/mappingwizard-config/joyvant/gamecontrollerdb.txt"

        property var view: null
        property var pads: []

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

        // A joystick laid out unlike any standard pad: 14 buttons, 6 axes of which 4 and
        // 5 (the triggers) rest at -32768, one hat.
        function plugOdd(name) {
            var pad = createTemporaryObject(padComponent, root, { name: name, gameController: false })
            pad.setRawLayout(14, 6, 1)
            pad.setRawAxisRest(4, low)
            pad.setRawAxisRest(5, low)
            verify(pad.attach(), "virtual joystick attached")
            pads.push(pad)
            var id = pad.deviceId
            tryVerify(function () { return unmappedEntry(id) !== null }, 5000, "listed as needing a mapping")
            return pad
        }

        function unmappedEntry(id) {
            var list = view.unmappedPads
            for (var i = 0; i < list.length; ++i) {
                if (list[i].instanceId === id)
                    return list[i]
            }
            return null
        }

        function health() {
            tryVerify(function () { return view.healthView.status === Loader.Ready && view.healthView.item !== null })
            return view.healthView.item
        }

        function panel() {
            tryVerify(function () { return view.mappingPanel.status === Loader.Ready })
            return view.mappingPanel.item
        }

        function click(name) {
            var button = findChild(panel(), name)
            verify(button && button.visible && button.enabled, name + " can be clicked")
            mouseClick(button)
        }

        // "Map…" beside the joystick in the pad health view; the wizard then asks for A.
        function mapFromHealthView(pad) {
            view.healthChosen = true
            var entry = null
            tryVerify(function () { entry = findChild(health(), "unmapped_" + pad.deviceId); return entry !== null })
            mouseClick(findChild(entry, "mapButton"))
            tryCompare(view.mappingWizard, "phase", MappingWizard.Asking, 5000)
            compare(view.mappingWizard.deviceId, pad.deviceId)
            compare(view.mappingWizard.control, "a")
            return panel()
        }

        // One use of a raw input, seen through to the next step.
        function answer(pad, row) {
            var wizard = view.mappingWizard
            var next = wizard.stepIndex + 1
            if (row.button !== undefined) {
                pad.setRawButton(row.button, true)
                tryCompare(wizard, "heldInput", "b" + row.button)
                pad.setRawButton(row.button, false)
            } else if (row.hat !== undefined) {
                pad.setHat(0, row.hat)
                tryCompare(wizard, "heldInput", "h0." + row.hat)
                pad.setHat(0, 0)
            } else if (row.axis !== undefined) {
                pad.setRawAxis(row.axis, row.to)
            } else {
                click("skipButton")
            }
            tryCompare(wizard, "stepIndex", next, 5000)
            if (row.axis !== undefined)
                pad.setRawAxis(row.axis, row.rest)
        }

        function isOrange(image, x, y) {
            return image.red(x, y) > 200 && image.green(x, y) > 100 && image.green(x, y) < 170 && image.blue(x, y) < 90
        }

        function readUserFile() {
            var file = createTemporaryObject(fileComponent, root, { source: userFile })
            tryVerify(function () { return file.text.length > 0 || file.error !== "" })
            return file.text
        }

        function test_oddPadIsMappedAppliedAndLightsA() {
            var pad = plugOdd("Joyvant Odd Pad, Mk II")
            var id = pad.deviceId
            var guid = unmappedEntry(id).guid
            var shown = mapFromHealthView(pad)
            var wizard = view.mappingWizard
            verify(!wizard.remapping)
            verify(view.controller.visible, "the picture shows while the wizard asks")
            compare(view.healthView.item, null)
            // The way to the pad health view stays shut meanwhile.
            mouseClick(findChild(view.mappingNotice, "noticeMouse"))
            mouseClick(view.healthSwitchMouse)
            verify(view.controller.visible)
            compare(view.healthView.item, null)
            compare(findChild(shown, "padName").text, "Joyvant Odd Pad Mk II")
            compare(findChild(shown, "keepButton").visible, false)

            var answers = [
                { control: "a", button: 3 }, { control: "b", button: 1 }, { control: "x", button: 0 },
                { control: "y", button: 2 },
                { control: "dpup", hat: 1 }, { control: "dpdown", hat: 4 }, { control: "dpleft", hat: 8 },
                { control: "dpright", hat: 2 },
                { control: "leftshoulder", button: 4 }, { control: "rightshoulder", button: 5 },
                { control: "lefttrigger", axis: 4, to: high, rest: low },
                { control: "righttrigger", axis: 5, to: high, rest: low },
                { control: "leftstick", button: 8 }, { control: "rightstick", button: 9 },
                { control: "back", button: 6 }, { control: "guide" }, { control: "start", button: 7 },
                { control: "leftx", axis: 0, to: low, rest: 0 },
                // This pad's up is positive: stored inverted.
                { control: "lefty", axis: 1, to: high, rest: 0 },
                { control: "rightx", axis: 2, to: low, rest: 0 }, { control: "righty", axis: 3, to: low, rest: 0 },
                { control: "misc1", button: 12 }
            ]
            for (var i = 0; i < answers.length; ++i) {
                compare(wizard.control, answers[i].control)
                answer(pad, answers[i])
                if (answers[i].control === "a") {
                    // Raw button 3 was no press of the view's A: the joystick is no
                    // game controller yet, so it holds no slot.
                    compare(view.testModeA, 0)
                    compare(view.gamepadDeviceId.indexOf(id), -1)
                    // Used again for B: refused, named, and the step stays.
                    pad.setRawButton(3, true)
                    tryCompare(wizard, "heldInput", "b3")
                    pad.setRawButton(3, false)
                    tryCompare(findChild(shown, "message"), "text", "This input is already mapped to A.")
                    verify(findChild(shown, "message").visible)
                    compare(wizard.control, "b")
                    // Back frees it for A again.
                    click("backButton")
                    compare(wizard.control, "a")
                    answer(pad, answers[i])
                    compare(findChild(shown, "message").visible, false)
                }
            }
            // The paddles and the touchpad: this pad has none.
            while (wizard.phase === MappingWizard.Asking)
                answer(pad, {})
            verify(wizard.finished)
            verify(!view.mappingActive)
            verify(!view.mappingHighlight.visible)

            var platform = { "linux": "Linux", "windows": "Windows", "osx": "Mac OS X" }[Qt.platform.os]
            var expected = guid + ",Joyvant Odd Pad Mk II,a:b3,b:b1,x:b0,y:b2,dpup:h0.1,dpdown:h0.4,dpleft:h0.8,"
                + "dpright:h0.2,leftshoulder:b4,rightshoulder:b5,lefttrigger:a4,righttrigger:a5,"
                + "leftstick:b8,rightstick:b9,back:b6,start:b7,leftx:a0,lefty:a1~,rightx:a2,righty:a3,"
                + "misc1:b12,platform:" + platform + ","
            var line = findChild(shown, "mappingLine")
            verify(line.visible)
            compare(line.text, expected)

            // Apply: a game controller now, in a slot, current.
            click("applyButton")
            tryVerify(function () { return view.gamepadDeviceId.indexOf(id) > -1 }, 5000, "the pad took a slot")
            tryCompare(view, "currentDeviceId", id)
            verify(findChild(shown, "message").text.indexOf("Applied") === 0, findChild(shown, "message").text)
            compare(view.controller.state, "found")
            // Its raw button 3 is its A now.
            pad.setRawButton(3, true)
            tryCompare(view, "testModeA", 2)
            compare(view.testModeB, 0)
            pad.setRawButton(3, false)
            tryCompare(view, "testModeA", 1)

            // Save: the line joins the file's other lines. Copy: the same line to paste.
            click("saveButton")
            verify(findChild(shown, "message").text.indexOf("Saved to") === 0, findChild(shown, "message").text)
            var saved = readUserFile().split("\n")
            verify(saved.indexOf(expected) > -1, "saved: " + saved.join(" | "))
            verify(saved[1].indexOf("Joyvant Other Pad") > 0, "the other line kept: " + saved[1])
            click("copyButton")
            pasteBoard.text = ""
            pasteBoard.paste()
            compare(pasteBoard.text, expected)

            click("closeButton")
            compare(view.mappingOpen, false)
            compare(wizard.phase, MappingWizard.Idle)
            compare(view.healthChosen, true)
        }

        function test_cancelLeavesNothing_data() {
            return [
                { tag: "cancel button", escape: false, name: "Joyvant Cancelled Pad" },
                { tag: "escape", escape: true, name: "Joyvant Escaped Pad" }
            ]
        }

        function test_cancelLeavesNothing(data) {
            var before = readUserFile()
            verify(before.indexOf("# Mappings of this test run") === 0, before.slice(0, 60))
            var pad = plugOdd(data.name)
            mapFromHealthView(pad)
            var wizard = view.mappingWizard
            answer(pad, { button: 3 })
            answer(pad, { button: 1 })
            verify(wizard.mappingLine !== "")
            if (data.escape) {
                // Escape goes to the window with the keyboard focus.
                root.Window.window.requestActivate()
                tryCompare(root.Window.window, "active", true)
                keyClick(Qt.Key_Escape)
            }
            else
                click("cancelButton")
            compare(view.mappingOpen, false)
            compare(wizard.phase, MappingWizard.Idle)
            compare(wizard.mappingLine, "")
            compare(view.mappingPanel.item, null)
            // Back where it started from, the joystick still listed.
            compare(view.healthChosen, true)
            verify(findChild(health(), "unmapped_" + pad.deviceId))
            // No mapping was added: started again, the wizard finds none to start from.
            verify(wizard.start())
            verify(!wizard.remapping)
            wizard.cancel()
            compare(readUserFile(), before)
        }

        // The joystick pulled out mid-way: the wizard stops, the panel says why, and
        // Cancel closes it.
        function test_padLeavingEndsTheWizard() {
            var pad = plugOdd("Joyvant Leaving Pad")
            var shown = mapFromHealthView(pad)
            answer(pad, { button: 3 })
            pad.detach()
            tryCompare(view.mappingWizard, "phase", MappingWizard.Idle, 5000)
            verify(!view.mappingActive)
            verify(!view.mappingHighlight.visible)
            compare(findChild(shown, "message").text, "The pad was disconnected.")
            compare(findChild(shown, "skipButton").enabled, false)
            click("cancelButton")
            compare(view.mappingOpen, false)
        }

        function test_highlightFollowsTheStep_data() {
            // The indicator or drawing the control's ring must sit on.
            return [
                { tag: "a", picture: "found", over: "indicatorA" },
                { tag: "y", picture: "found", over: "indicatorY" },
                { tag: "dpup", picture: "found", over: "indicatorUp" },
                { tag: "dpleft", picture: "found", over: "indicatorLeft" },
                { tag: "dpright", picture: "found", over: "indicatorRight" },
                { tag: "leftshoulder", picture: "foundBack", over: "handleBack_buttonLt" },
                { tag: "rightshoulder", picture: "foundBack", over: "handleBack_buttonRt" },
                { tag: "lefttrigger", picture: "foundBack", over: "handleBack_buttonLb" },
                { tag: "righttrigger", picture: "foundBack", over: "handleBack_buttonRb" },
                { tag: "rightstick", picture: "found", over: "stickRight" },
                { tag: "back", picture: "found", over: "indicatorBack" },
                { tag: "start", picture: "found", over: "indicatorStart" },
                { tag: "lefty", picture: "found", over: "stickLeft" },
                { tag: "paddle1", picture: "foundBack", over: "handleBack_buttonR1" },
                { tag: "paddle4", picture: "foundBack", over: "handleBack_buttonL2" }
            ]
        }

        function test_highlightFollowsTheStep(data) {
            var pad = plugOdd("Joyvant Stepping Pad")
            mapFromHealthView(pad)
            var wizard = view.mappingWizard
            while (wizard.control !== data.tag)
                answer(pad, {})
            compare(view.controller.state, data.picture)
            var ring = view.mappingHighlight
            verify(ring.visible)
            var target = findChild(view.controller, data.over)
            verify(target && target.visible, data.over + " shows")
            var centre = ring.mapToItem(root, ring.width / 2, ring.height / 2)
            var box = target.mapToItem(root, 0, 0, target.width, target.height)
            verify(centre.x > box.x && centre.x < box.x + box.width && centre.y > box.y && centre.y < box.y + box.height,
                   "ring at " + centre.x + ", " + centre.y + " over " + data.over + " " + JSON.stringify(box))
            // What the user sees: the ring's orange on the picture, at the top of the ring.
            waitForRendering(view)
            var image = grabImage(root)
            var top = ring.mapToItem(root, ring.width / 2, 1)
            verify(isOrange(image, Math.round(top.x), Math.round(top.y)), "ring drawn at " + top.x + ", " + top.y)
        }

        // A recognised pad whose A and B come out swapped: "Remap…" starts from its
        // mapping, Keep holds a binding that is still free, and Apply fixes the pad in its
        // slot, at once.
        function test_remapSwapsTheFaceButtons() {
            var pad = createTemporaryObject(padComponent, root, { name: "Joyvant Remapped Pad" })
            verify(pad.attach())
            pads.push(pad)
            var id = pad.deviceId
            tryVerify(function () { return view.currentDeviceId === id }, 5000)
            view.healthChosen = true
            var remap = findChild(health(), "remapButton")
            verify(remap.enabled)
            mouseClick(remap)
            var wizard = view.mappingWizard
            tryCompare(wizard, "phase", MappingWizard.Asking, 5000)
            verify(wizard.remapping)
            compare(wizard.deviceId, id)
            var shown = panel()
            verify(findChild(shown, "keepButton").visible)
            compare(findChild(shown, "currentText").text, "Now: b0")

            // A is the pad's second button, so B's binding is taken: Keep is refused.
            pad.setButton(VirtualGamepad.ButtonB, true)
            tryCompare(wizard, "heldInput", "b1")
            pad.setButton(VirtualGamepad.ButtonB, false)
            tryCompare(wizard, "control", "b")
            compare(findChild(shown, "currentText").text, "Now: b1")
            click("keepButton")
            compare(findChild(shown, "message").text, "This input is already mapped to A.")
            compare(wizard.control, "b")
            pad.setButton(VirtualGamepad.ButtonA, true)
            tryCompare(wizard, "heldInput", "b0")
            pad.setButton(VirtualGamepad.ButtonA, false)
            tryCompare(wizard, "control", "x")
            // The rest as they were.
            while (wizard.phase === MappingWizard.Asking)
                click(wizard.currentSource !== "" ? "keepButton" : "skipButton")
            var line = findChild(shown, "mappingLine").text
            verify(line.indexOf(",Joyvant Remapped Pad,a:b1,b:b0,x:b2,y:b3,") > 0, line)

            click("applyButton")
            verify(findChild(shown, "message").text.indexOf("Applied") === 0, findChild(shown, "message").text)
            compare(view.currentDeviceId, id)
            compare(view.gamepadDeviceId.indexOf(id), 0)
            click("closeButton")
            view.healthChosen = false
            // The pad's second button is its A now.
            var before = view.testModeB
            pad.setButton(VirtualGamepad.ButtonB, true)
            tryCompare(view, "testModeA", 2)
            compare(view.testModeB, before)
            pad.setButton(VirtualGamepad.ButtonB, false)
            tryCompare(view, "testModeA", 1)
        }
    }
}
