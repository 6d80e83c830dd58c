import QtQuick 2.15
import QtTest 1.15
import JoyvantTest 1.0
import "qrc:/"

// The pad bench inside the pad health view of the controller test view, driven by SDL
// virtual pads that record every rumble, trigger rumble and LED call: patterns played
// from the bench reach the pad and end with every motor at 0, also when cut short by
// the user, the view, another slot or the pad leaving; what the pad lacks is disabled
// with the reason; the test view's trigger rumble waits while a pattern plays; presets
// and the picker reach the LED; the sensors run only while the bench shows.
Item {
    id: root
    width: 1280
    height: 800

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

    TestCase {
        id: testCase
        name: "PadBench"
        when: windowShown

        // A 2 s pattern on a loaded machine, with time to spare.
        readonly property int patternTimeout: 10000

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

        function plug(options) {
            var pad = createTemporaryObject(padComponent, root, options || {})
            verify(pad.attach(), "virtual pad attached")
            pads.push(pad)
            var id = pad.deviceId
            tryVerify(function () { return view.currentDeviceId === id }, 5000)
            return pad
        }

        function health() {
            tryVerify(function () { return view.healthView.status === Loader.Ready && view.healthView.item !== null })
            return view.healthView.item
        }

        // Opens the pad health view and its bench, as the user does.
        function openBench() {
            mouseClick(view.healthSwitchMouse)
            mouseClick(findChild(health(), "benchChoice"))
            var loader = health().padBench
            tryVerify(function () { return loader.status === Loader.Ready && loader.item !== null })
            // Laid out and drawn before anything in it is clicked.
            waitForRendering(loader.item)
            return loader.item
        }

        function patternButton(bench, name) {
            var row = findChild(bench.haptics, "pattern_" + name)
            verify(row, name)
            return findChild(row, "button")
        }

        function motorsOff(pad) {
            return pad.lowFrequencyRumble === 0 && pad.highFrequencyRumble === 0
                && pad.leftTriggerRumble === 0 && pad.rightTriggerRumble === 0
        }

        function lastRun(pad) {
            var played = view.padHealth.pad(pad.deviceId).haptics.summary.played
            return played.length ? played[played.length - 1] : null
        }

        // Each pattern from its button: the motor it drives reaches the pad at full, the
        // others stay off, and at its end every motor is at 0 with the run recorded as
        // completed. The levels are sampled as the wait polls (every few tens of ms), so
        // the ramp's highest level seen is taken as reached within 10 % of full.
        function test_patternReachesThePadAndEndsAtZero_data() {
            return [
                { tag: "low-frequency", pattern: "lowFrequency", motor: "lowFrequencyRumble", peak: 65535,
                  quiet: ["highFrequencyRumble", "leftTriggerRumble", "rightTriggerRumble"] },
                { tag: "high-frequency", pattern: "highFrequency", motor: "highFrequencyRumble", peak: 65535,
                  quiet: ["lowFrequencyRumble", "leftTriggerRumble", "rightTriggerRumble"] },
                { tag: "both", pattern: "bothMotors", motor: "highFrequencyRumble", peak: 65535,
                  quiet: ["leftTriggerRumble", "rightTriggerRumble"] },
                { tag: "ramp", pattern: "ramp", motor: "lowFrequencyRumble", peak: 58982,
                  quiet: ["leftTriggerRumble", "rightTriggerRumble"] },
                { tag: "pulse train", pattern: "pulseTrain", motor: "lowFrequencyRumble", peak: 65535,
                  quiet: ["leftTriggerRumble", "rightTriggerRumble"] },
                { tag: "left trigger", pattern: "leftTrigger", motor: "leftTriggerRumble", peak: 65535,
                  quiet: ["lowFrequencyRumble", "highFrequencyRumble", "rightTriggerRumble"] },
                { tag: "right trigger", pattern: "rightTrigger", motor: "rightTriggerRumble", peak: 65535,
                  quiet: ["lowFrequencyRumble", "highFrequencyRumble", "leftTriggerRumble"] }
            ]
        }

        function test_patternReachesThePadAndEndsAtZero(data) {
            var pad = plug({ name: "Joyvant Bench Pad", triggerRumble: true })
            var bench = openBench()
            var haptics = view.padHealth.current.haptics
            // The device-change pulse is over before the pattern starts.
            tryVerify(function () { return motorsOff(pad) }, 5000)
            var button = patternButton(bench, data.pattern)
            verify(button.enabled)
            mouseClick(button)
            verify(haptics.playing)
            compare(findChild(bench.haptics, "playing").text.indexOf("Playing: "), 0)
            // Its own pattern does not make the others unavailable: one may follow at once.
            var other = data.pattern === "bothMotors" ? "ramp" : "bothMotors"
            verify(patternButton(bench, other).enabled, other + " stays available")
            compare(findChild(findChild(bench.haptics, "pattern_" + other), "reason").text, "")
            var peak = 0
            tryVerify(function () {
                peak = Math.max(peak, pad[data.motor])
                for (var i = 0; i < data.quiet.length; ++i)
                    verify(pad[data.quiet[i]] === 0, data.quiet[i] + " stays off")
                return !haptics.playing
            }, patternTimeout)
            verify(peak >= data.peak, "peak " + peak)
            verify(motorsOff(pad), "every motor at 0 at the end")
            compare(lastRun(pad).pattern, data.pattern)
            compare(lastRun(pad).completed, true)
            compare(findChild(bench.haptics, "playing").text, "")
        }

        // The slider sets the engine's pulse rate within 1..20 Hz, and the pulse train
        // played next runs at it.
        function test_pulseRateFromTheSlider_data() {
            return [
                { tag: "down to 4 Hz", key: Qt.Key_Left, presses: 6, rate: 4 },
                { tag: "up to 20 Hz and no further", key: Qt.Key_Right, presses: 14, rate: 20 },
                { tag: "down to 1 Hz and no further", key: Qt.Key_Left, presses: 12, rate: 1 }
            ]
        }

        function test_pulseRateFromTheSlider(data) {
            var pad = plug({ name: "Joyvant Pulse Pad" })
            var bench = openBench()
            var haptics = view.padHealth.current.haptics
            compare(haptics.pulseRate, 10)
            var slider = findChild(bench.haptics, "pulseSlider")
            slider.forceActiveFocus()
            for (var i = 0; i < data.presses; ++i)
                keyClick(data.key)
            compare(haptics.pulseRate, data.rate)
            compare(findChild(bench.haptics, "pulseRate").text, data.rate + " Hz")
            mouseClick(patternButton(bench, "pulseTrain"))
            mouseClick(findChild(bench.haptics, "stopButton"))
            compare(lastRun(pad).pattern, "pulseTrain")
            compare(lastRun(pad).pulseRate, data.rate)
        }

        // A pattern cut short, in each way the user can: every motor at 0 at once, the
        // run recorded as cut short.
        function test_cutShortEndsAtZero_data() {
            return [
                { tag: "stop button", cut: "stop" },
                { tag: "figures chosen", cut: "figures" },
                { tag: "view left", cut: "leave" },
                { tag: "another slot chosen", cut: "slot" },
                { tag: "pad unplugged", cut: "unplug" }
            ]
        }

        function test_cutShortEndsAtZero(data) {
            var pad = plug({ name: "Joyvant Cut Pad", triggerRumble: true })
            var other = data.cut === "slot" ? plug({ name: "Joyvant Other Pad" }) : null
            if (other)
                mouseClick(view.gamepadButton1.mouseArea)
            tryCompare(view, "currentDeviceId", pad.deviceId)
            var bench = openBench()
            var haptics = view.padHealth.current.haptics
            tryVerify(function () { return motorsOff(pad) }, 5000)
            mouseClick(patternButton(bench, "ramp"))
            // Well into the ramp: the motors run.
            tryVerify(function () { return pad.lowFrequencyRumble > 2000 }, 5000)
            var deviceId = pad.deviceId
            if (data.cut === "stop")
                mouseClick(findChild(bench.haptics, "stopButton"))
            else if (data.cut === "figures")
                mouseClick(findChild(health(), "figuresChoice"))
            else if (data.cut === "leave")
                mouseClick(view.frontSwitchMouse)
            else if (data.cut === "slot")
                mouseClick(view.gamepadButton2.mouseArea)
            else
                pad.detach()
            if (data.cut === "unplug") {
                // The pad's measurements go with it (SDL stopped its motors when it closed
                // it); the pad back again finds nothing playing and its motors quiet.
                tryVerify(function () { return view.padHealth.pad(deviceId) === null }, 5000)
                var back = plug({ name: "Joyvant Cut Pad", triggerRumble: true })
                compare(view.padHealth.current.haptics.playing, false)
                tryVerify(function () { return motorsOff(back) }, 5000)
                return
            }
            // At once, long before the ramp's 2 s are over.
            verify(!haptics.playing)
            verify(motorsOff(pad), "every motor at 0 when cut")
            compare(lastRun(pad).pattern, "ramp")
            compare(lastRun(pad).completed, false)
        }

        // A pad without trigger motors: both trigger patterns disabled with the engine's
        // reason, the others playable; with them, all playable.
        function test_triggerPatternsNeedTriggerMotors_data() {
            return [
                { tag: "without trigger motors", triggerRumble: false },
                { tag: "with trigger motors", triggerRumble: true }
            ]
        }

        function test_triggerPatternsNeedTriggerMotors(data) {
            plug({ name: "Joyvant Trigger Pad", triggerRumble: data.triggerRumble })
            var bench = openBench()
            var names = ["leftTrigger", "rightTrigger"]
            for (var i = 0; i < names.length; ++i) {
                var row = findChild(bench.haptics, "pattern_" + names[i])
                compare(findChild(row, "button").enabled, data.triggerRumble, names[i])
                compare(findChild(row, "reason").text,
                        data.triggerRumble ? "" : "This pad has no trigger motors.", names[i])
            }
            verify(patternButton(bench, "bothMotors").enabled)
            compare(findChild(findChild(bench.haptics, "pattern_bothMotors"), "reason").text, "")
            // A click on a disabled pattern plays nothing.
            var before = view.padHealth.current.haptics.summary.played.length
            mouseClick(patternButton(bench, "leftTrigger"))
            compare(view.padHealth.current.haptics.playing, data.triggerRumble)
            view.padHealth.current.haptics.stop()
            compare(view.padHealth.current.haptics.summary.played.length, before + (data.triggerRumble ? 1 : 0))
        }

        // The right trigger drives the right (high-frequency) motor in the test view; while
        // the low-frequency pattern plays it does not reach the pad, and after it it does.
        function test_triggerRumbleHeldOffDuringAPattern() {
            var pad = plug({ name: "Joyvant Hold Pad" })
            var bench = openBench()
            var haptics = view.padHealth.current.haptics
            tryVerify(function () { return motorsOff(pad) }, 5000)
            pad.setAxis(VirtualGamepad.AxisTriggerRight, 32767)
            tryCompare(pad, "highFrequencyRumble", 65535, 5000)
            pad.setAxis(VirtualGamepad.AxisTriggerRight, 0)
            tryCompare(pad, "highFrequencyRumble", 0, 5000)

            mouseClick(patternButton(bench, "lowFrequency"))
            tryCompare(pad, "lowFrequencyRumble", 65535, 5000)
            pad.setAxis(VirtualGamepad.AxisTriggerRight, 32767)
            tryCompare(view, "shockButtonValR", 1, 5000)
            verify(haptics.playing, "the pattern still plays")
            compare(pad.highFrequencyRumble, 0)
            // When it ends, the level the trigger asks for comes through.
            tryVerify(function () { return !haptics.playing }, patternTimeout)
            compare(pad.lowFrequencyRumble, 0)
            tryCompare(pad, "highFrequencyRumble", 65535, 5000)
            pad.setAxis(VirtualGamepad.AxisTriggerRight, 0)
            tryCompare(pad, "highFrequencyRumble", 0, 5000)
        }

        // Presets reach the LED at once, the picker's colour when sent; a pad without an
        // LED shows why and takes nothing.
        function test_ledColourReachesThePad_data() {
            return [
                { tag: "red preset", led: true, preset: 0, colour: "#ff0000" },
                { tag: "teal preset", led: true, preset: 5, colour: "#12aac2" },
                { tag: "picker", led: true, picked: Qt.rgba(0x33 / 255, 0x66 / 255, 0x99 / 255, 1), colour: "#336699" },
                { tag: "no LED", led: false, preset: 0, colour: "" }
            ]
        }

        function test_ledColourReachesThePad(data) {
            var pad = plug({ name: "Joyvant Light Pad", led: data.led })
            var bench = openBench()
            var lights = bench.lights
            compare(findChild(lights, "reason").visible, !data.led)
            if (!data.led)
                compare(findChild(lights, "reason").text, "This pad has no light that SDL can set.")
            if (data.picked !== undefined) {
                findChild(lights, "picker").setColor(data.picked)
                mouseClick(findChild(lights, "setButton"))
            } else {
                mouseClick(findChild(findChild(lights, "preset_" + data.preset), "mouse"))
            }
            if (data.led) {
                tryCompare(pad, "ledColor", data.colour, 5000)
                tryCompare(findChild(lights, "sentText"), "text", "The pad shows " + data.colour.toUpperCase())
            } else {
                compare(pad.ledColor, "")
                compare(findChild(lights, "sentText").text, "")
            }
        }

        // The sensors (and the event device) run for the pad on show while the bench
        // shows, and for no other pad.
        function test_sensorsRunOnlyWhileTheBenchShows() {
            var first = plug({ name: "Joyvant First Pad" })
            var sensors = view.padHealth.current.sensors
            var rate = view.padHealth.current.reportRate
            var steps = [
                { act: function () { mouseClick(view.healthSwitchMouse) }, active: false, what: "figures" },
                { act: function () { mouseClick(findChild(health(), "benchChoice")) }, active: true, what: "bench" },
                { act: function () { mouseClick(findChild(health(), "figuresChoice")) }, active: false,
                  what: "figures again" },
                { act: function () { mouseClick(findChild(health(), "benchChoice")) }, active: true,
                  what: "bench again" },
                { act: function () { mouseClick(view.frontSwitchMouse) }, active: false, what: "view left" },
                // The choice of the bench stays while the view is away.
                { act: function () { mouseClick(view.healthSwitchMouse) }, active: true, what: "view again" }
            ]
            compare(sensors.active, false, "before the view")
            for (var i = 0; i < steps.length; ++i) {
                steps[i].act()
                compare(sensors.active, steps[i].active, steps[i].what)
                compare(rate.active, steps[i].active, steps[i].what)
                compare(view.padHealth.benchShown, steps[i].active, steps[i].what)
            }
            // Another pad arrives and is on show: its sensors run, the first pad's stop.
            var second = plug({ name: "Joyvant Second Pad" })
            compare(view.padHealth.current.deviceId, second.deviceId)
            compare(view.padHealth.current.sensors.active, true)
            compare(sensors.active, false)
            compare(view.padHealth.pad(first.deviceId).benchActive, false)
        }

        // A virtual pad has no event device: the report rate part says so in plain words,
        // and the rest of the bench works.
        function test_reportRateSaysWhyItCannotMeasure() {
            var pad = plug({ name: "Joyvant Rate Pad" })
            var bench = openBench()
            var part = bench.reportRate
            var reason = findChild(part, "reason")
            tryVerify(function () { return reason.visible })
            verify(reason.text.indexOf("This pad has no event device to read") === 0, reason.text)
            compare(findChild(part, "body").enabled, false)
            compare(findChild(part, "rate").visible, false)
            // The other parts still work.
            tryVerify(function () { return motorsOff(pad) }, 5000)
            mouseClick(patternButton(bench, "highFrequency"))
            tryCompare(pad, "highFrequencyRumble", 65535, 5000)
            mouseClick(findChild(bench.haptics, "stopButton"))
            compare(pad.highFrequencyRumble, 0)
        }
    }
}
