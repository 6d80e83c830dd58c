import QtQuick 2.15
import QtGamepad 1.15
import com.corvane.system 1.0
import nimbo4 1.0

// The controller test with its slot logic: up to four gamepads in four slots, one of
// them current (bound to the gamepad object), each slot with its own test progress;
// the triggers and the dials drive the current gamepad's motors.
TestControllerForm {
    id: form

    // Device id of the gamepad in each slot, -1 while the slot is empty. Replaced as a
    // whole on every change, so that the badge names and the found state follow it.
    property var gamepadDeviceId: [-1, -1, -1, -1]

    // Test progress of each slot as it was when the slot was last left: entry i of
    // modeX is testModeX of slot i.
    property var modeA: [0, 0, 0, 0]
    property var modeB: [0, 0, 0, 0]
    property var modeX: [0, 0, 0, 0]
    property var modeY: [0, 0, 0, 0]
    property var modeStart: [0, 0, 0, 0]
    property var modeBack: [0, 0, 0, 0]
    property var modeUp: [0, 0, 0, 0]
    property var modeDown: [0, 0, 0, 0]
    property var modeLeft: [0, 0, 0, 0]
    property var modeRight: [0, 0, 0, 0]
    property var modeLeftUp: [0, 0, 0, 0]
    property var modeLeftDown: [0, 0, 0, 0]
    property var modeRightUp: [0, 0, 0, 0]
    property var modeRightDown: [0, 0, 0, 0]
    property var modeLt: [0, 0, 0, 0]
    property var modeRt: [0, 0, 0, 0]
    property var modeLb: [0, 0, 0, 0]
    property var modeRb: [0, 0, 0, 0]

    // Each input with a test mode: the name after "testMode"/"mode" and the gamepad
    // property that presses it (the triggers press when above 0).
    readonly property var inputs: [
        ["A", "buttonA"], ["B", "buttonB"], ["X", "buttonX"], ["Y", "buttonY"],
        ["Start", "buttonStart"], ["Back", "buttonSelect"],
        ["Up", "buttonUp"], ["Down", "buttonDown"], ["Left", "buttonLeft"], ["Right", "buttonRight"],
        ["LeftUp", "buttonLeftUp"], ["LeftDown", "buttonLeftDown"],
        ["RightUp", "buttonRightUp"], ["RightDown", "buttonRightDown"],
        ["Lt", "buttonL1"], ["Rt", "buttonR1"], ["Lb", "buttonL2"], ["Rb", "buttonR2"]
    ]

    // Knob angle of a dial at strength 0 and in each of the 29 bands of width shockL:
    // the dial's own tick positions.
    readonly property var shockAngles: [18, 35, 47, 58, 69, 82, 93, 105, 116.5, 128, 140, 151, 163.3, 175, 186.3,
        199, 209.7, 221.8, 233, 244.5, 256, 267, 279, 290, 301.6, 313.4, 325, 336, 348, 360]

    // True while the gamepad object moves to another device: the value changes that
    // this brings are the new device's state, not presses.
    property bool rebinding: false
    // Length of the vibration pulse on every change of the bound device.
    property int pulseDuration: 500

    function findFirstUnconnectedButton() {
        return gamepadDeviceId.indexOf(-1)
    }

    function findFirstConnectedButton() {
        for (var i = 0; i < 4; ++i) {
            if (isGamepadConnected(i))
                return i
        }
        return -1
    }

    function findButtonByIndex(index) {
        return [gamepadButton1, gamepadButton2, gamepadButton3, gamepadButton4][index]
    }

    function findButtonByDeviceId(deviceId) {
        return gamepadDeviceId.indexOf(deviceId)
    }

    function isGamepadConnected(index) {
        return gamepadDeviceId[index] > -1
    }

    function setSlot(index, deviceId) {
        var slots = gamepadDeviceId.slice()
        slots[index] = deviceId
        gamepadDeviceId = slots
    }

    // An input still held when its slot is left was pressed on that gamepad: it is kept
    // as tested, and shows as held again only if it is still held on return.
    function saveTestMode(index) {
        for (var i = 0; i < inputs.length; ++i) {
            var mode = form["testMode" + inputs[i][0]]
            form["mode" + inputs[i][0]][index] = mode === 2 ? 1 : mode
        }
    }

    function restoreTestMode(index) {
        for (var i = 0; i < inputs.length; ++i)
            form["testMode" + inputs[i][0]] = form["mode" + inputs[i][0]][index]
        controller.stickLeft.gamepadIndex = index
        controller.stickRight.gamepadIndex = index
    }

    function resetTestMode(index) {
        for (var i = 0; i < inputs.length; ++i)
            form["mode" + inputs[i][0]][index] = 0
        controller.stickLeft.reset(index)
        controller.stickRight.reset(index)
    }

    // Inputs held on the bound gamepad right now show as held.
    function showHeldInputs() {
        if (!gamepad.connected)
            return
        for (var i = 0; i < inputs.length; ++i) {
            if (gamepad[inputs[i][1]] > 0)
                form["testMode" + inputs[i][0]] = 2
        }
    }

    function shockvalChange(value, dial) {
        var band = 0
        while (band < 29 && value > (band * shockL))
            ++band
        dial.shockButton.rotation = shockAngles[band]
    }

    // Read-out of a strength: 0..255, halves rounded up.
    function shockReadout(value) {
        return String(Math.floor(value * 255 + 0.5))
    }

    function showStrength(value, front, back) {
        shockvalChange(value, front)
        shockvalChange(value, back)
        front.shockText.text = shockReadout(value)
        back.shockText.text = shockReadout(value)
    }

    // Leaves the current slot: its motors stop and its progress is saved.
    function leaveCurrentSlot() {
        for (var i = 0; i < 4; ++i) {
            if (findButtonByIndex(i).state !== "current")
                continue
            shockButtonValL = 0
            shockButtonValR = 0
            // A running pulse ends at 0 by itself; stopping it here would cut it short.
            if (!pulse.running) {
                gamepad.leftMotorSpeed = 0
                gamepad.rightMotorSpeed = 0
            }
            saveTestMode(i)
            return
        }
    }

    // Badge states from the slot table; the current slot's progress comes back, an
    // empty slot's progress and stick records go.
    function showSlots() {
        for (var i = 0; i < 4; ++i) {
            var badge = findButtonByIndex(i)
            if (!isGamepadConnected(i)) {
                badge.state = "unplugin"
                resetTestMode(i)
            } else if (gamepadDeviceId[i] === currentDeviceId) {
                badge.state = "current"
                restoreTestMode(i)
            } else {
                badge.state = "plugin"
            }
        }
        showHeldInputs()
    }

    function updateCurrentDevice() {
        leaveCurrentSlot()
        showSlots()
    }

    // The only way the current device changes: the old slot is left while the gamepad
    // object is still bound to its device, so that device's motors stop.
    function setCurrentDevice(deviceId) {
        if (deviceId === currentDeviceId)
            return
        leaveCurrentSlot()
        rebinding = true
        currentDeviceId = deviceId
        showSlots()
        rebinding = false
    }

    function press(name, held) {
        if (!rebinding)
            form["testMode" + name] = held ? 2 : 1
    }

    function pullTrigger(value, left) {
        if (rebinding)
            return
        if (left) {
            gamepad.leftMotorSpeed = value
            testModeLb = value > 0 ? 2 : 1
            shockButtonValL = value
            showStrength(value, shockLeft, shockLeftBack)
        } else {
            gamepad.rightMotorSpeed = value
            testModeRb = value > 0 ? 2 : 1
            shockButtonValR = value
            showStrength(value, shockRight, shockRightBack)
        }
    }

    // Opens the mapping wizard on a pad (its joystick instance id): one without a
    // mapping, or the pad on show, whose mapping it starts from.
    function startMapping(deviceId) {
        mappingWizard.deviceId = deviceId
        mappingOpen = true
        mappingWizard.start()
    }

    function selectSlot(index) {
        if (isGamepadConnected(index))
            setCurrentDevice(gamepadDeviceId[index])
    }

    // Name of the gamepad in slot `index`, from the system's list of gamepads.
    function extractGamepadName(gamepads, index) {
        var deviceId = gamepadDeviceId[index]
        if (deviceId === undefined || deviceId < 0 || !gamepads)
            return "暂无"
        for (var i = 0; i < gamepads.length; ++i) {
            var entry = gamepads[i]
            if (entry !== undefined && entry !== null && entry.instanceId === deviceId)
                return entry.deviceName
        }
        return "暂无"
    }

    gamepadPresent: gamepadDeviceId.some(function (deviceId) { return deviceId > -1 })
    unmappedPads: SysInfo.gamepads.filter(function (entry) { return entry && entry.mappingNeeded === true })
    // Each input's test state on the pad on show, by the gamepad property that drives it.
    slotProgress: {
        var progress = {}
        for (var i = 0; i < inputs.length; ++i)
            progress[inputs[i][1]] = Constants.testState[form["testMode" + inputs[i][0]]]
        return progress
    }

    gamepadButton1.textValue: extractGamepadName(SysInfo.gamepads, 0)
    gamepadButton2.textValue: extractGamepadName(SysInfo.gamepads, 1)
    gamepadButton3.textValue: extractGamepadName(SysInfo.gamepads, 2)
    gamepadButton4.textValue: extractGamepadName(SysInfo.gamepads, 3)

    // While the gamepad object moves to another device the stick buttons read as
    // released, so the slot being left records a held button as tested and the new
    // slot records one that is held on its gamepad.
    controller.leftStickButton: rebinding ? 0 : (gamepad.buttonL3 ? 1 : 0)
    controller.rightStickButton: rebinding ? 0 : (gamepad.buttonR3 ? 1 : 0)

    gamepadButton1.mouseArea.onClicked: selectSlot(0)
    gamepadButton2.mouseArea.onClicked: selectSlot(1)
    gamepadButton3.mouseArea.onClicked: selectSlot(2)
    gamepadButton4.mouseArea.onClicked: selectSlot(3)

    frontSwitchMouse.onClicked: {
        backChosen = false
        healthChosen = false
    }
    backSwitchMouse.onClicked: {
        backChosen = true
        healthChosen = false
    }
    healthSwitchMouse.onClicked: healthChosen = true
    mappingNotice.onClicked: healthChosen = true
    // A joystick without a mapping arrives or leaves without a gamepad signal.
    padHealth.onJoysticksChanged: SysInfo.scanGamepad()

    // The pointers and read-outs of both dials of a side follow every change of its strength.
    onShockButtonValLChanged: showStrength(shockButtonValL, shockLeft, shockLeftBack)
    onShockButtonValRChanged: showStrength(shockButtonValR, shockRight, shockRightBack)
    // The next gamepad after none starts on the front.
    onGamepadPresentChanged: {
        if (gamepadPresent)
            return
        backChosen = false
        if (unmappedPads.length === 0)
            healthChosen = false
    }

    Connections {
        target: GamepadManager

        function onGamepadConnected(deviceId) {
            console.info("Device Connected, deviceId=", deviceId, ",total:",
                         GamepadManager.connectedGamepads.length)
            SysInfo.scanGamepad()
            if (form.findButtonByDeviceId(deviceId) > -1)
                return
            var slot = form.findFirstUnconnectedButton()
            if (slot < 0) {
                console.info("All four location full, connecting reject.")
                return
            }
            form.setSlot(slot, deviceId)
            form.setCurrentDevice(deviceId)
        }

        function onGamepadDisconnected(deviceId) {
            console.info("Device Disconnected, deviceId=", deviceId, ",total:",
                         GamepadManager.connectedGamepads.length)
            SysInfo.scanGamepad()
            var slot = form.findButtonByDeviceId(deviceId)
            if (slot > -1)
                form.setSlot(slot, -1)
            if (deviceId === form.currentDeviceId) {
                var first = form.findFirstConnectedButton()
                form.setCurrentDevice(first > -1 ? form.gamepadDeviceId[first] : -1)
            } else {
                form.updateCurrentDevice()
            }
        }
    }

    Connections {
        target: form.gamepad

        function onButtonAChanged(value) { form.press("A", value) }
        function onButtonBChanged(value) { form.press("B", value) }
        function onButtonXChanged(value) { form.press("X", value) }
        function onButtonYChanged(value) { form.press("Y", value) }
        function onButtonStartChanged(value) { form.press("Start", value) }
        function onButtonSelectChanged(value) { form.press("Back", value) }
        function onButtonUpChanged(value) { form.press("Up", value) }
        function onButtonDownChanged(value) { form.press("Down", value) }
        function onButtonLeftChanged(value) { form.press("Left", value) }
        function onButtonRightChanged(value) { form.press("Right", value) }
        function onButtonLeftUpChanged(value) { form.press("LeftUp", value) }
        function onButtonLeftDownChanged(value) { form.press("LeftDown", value) }
        function onButtonRightUpChanged(value) { form.press("RightUp", value) }
        function onButtonRightDownChanged(value) { form.press("RightDown", value) }
        function onButtonL1Changed(value) { form.press("Lt", value) }
        function onButtonR1Changed(value) { form.press("Rt", value) }
        function onButtonL2Changed(value) { form.pullTrigger(value, true) }
        function onButtonR2Changed(value) { form.pullTrigger(value, false) }

        // Both motors at full strength for a moment tell which gamepad is now on show.
        function onDeviceIdChanged() {
            form.gamepad.leftMotorSpeed = 100
            form.gamepad.rightMotorSpeed = 100
            pulse.endsAt = Date.now() + form.pulseDuration
            pulse.interval = form.pulseDuration
            pulse.restart()
        }
    }

    // "Map…" and "Remap…" of the pad health view. The view goes away when the wizard
    // starts, so the wizard starts after the click that asked for it has been handled.
    Connections {
        target: form.healthView.item

        function onMapRequested(instanceId) { Qt.callLater(form.startMapping, instanceId) }
    }

    Connections {
        target: form.mappingPanel.item

        function onCloseRequested() { form.mappingOpen = false }
    }

    // Escape leaves the wizard, as Cancel does: nothing is changed.
    Shortcut {
        sequence: StandardKey.Cancel
        enabled: form.mappingOpen && form.mappingPanel.status === Loader.Ready
        onActivated: form.mappingPanel.item.cancel()
    }

    // A dial's own handler has set its strength by the time these run.
    Connections {
        target: form.shockLeft.leftShockMouse
        function onPositionChanged() { form.gamepad.leftMotorSpeed = form.shockButtonValL }
    }

    Connections {
        target: form.shockLeftBack.leftShockMouse
        function onPositionChanged() { form.gamepad.leftMotorSpeed = form.shockButtonValL }
    }

    Connections {
        target: form.shockRight.rightShockMouse
        function onPositionChanged() { form.gamepad.rightMotorSpeed = form.shockButtonValR }
    }

    Connections {
        target: form.shockRightBack.rightShockMouse
        function onPositionChanged() { form.gamepad.rightMotorSpeed = form.shockButtonValR }
    }

    // QML timers run on the animation clock, which can run ahead of the wall clock
    // while frames come faster than the display's rate: the pulse waits out its full
    // length by the wall clock.
    Timer {
        id: pulse

        property double endsAt: 0

        onTriggered: {
            var left = endsAt - Date.now()
            if (left > 0) {
                interval = left
                restart()
                return
            }
            form.gamepad.leftMotorSpeed = 0
            form.gamepad.rightMotorSpeed = 0
        }
    }
}
