import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The controller picture: its three states, the fade between the pictures, and which
// indicators, captions and dials each test mode drives.
Item {
    id: form

    // What the dials read from the view that holds them.
    readonly property real shockL: 0.0344827586206897
    property real shockButtonValL: 0
    property real shockButtonValR: 0
    property int testModeLb: 0
    property int testModeRb: 0

    width: 1280
    height: 800

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: controllerComponent
        Controller {
            anchors.centerIn: parent
        }
    }

    TestCase {
        name: "Controller"
        when: windowShown

        function make(properties) {
            var controller = createTemporaryObject(controllerComponent, form, properties || {})
            verify(controller !== null)
            return controller
        }

        function test_startsOnTheFrontWithEverything() {
            var controller = make()
            compare(controller.state, "found")
            verify(controller.handlePositive.visible)
            verify(!controller.handleBack.visible)
            verify(findChild(controller, "indicatorA").visible)
            verify(controller.stickLeft.visible)
            verify(controller.labelLB.visible)
            verify(!controller.backLabelLB.visible)
        }

        function test_states_data() {
            return [
                { tag: "unfound", front: true, frontOpacity: 0.51, back: false, indicators: false,
                  frontLabels: false, backLabels: false },
                { tag: "found", front: true, frontOpacity: 1, back: false, indicators: true,
                  frontLabels: true, backLabels: false },
                { tag: "foundBack", front: false, frontOpacity: 1, back: true, indicators: false,
                  frontLabels: false, backLabels: true }
            ]
        }

        function test_states(data) {
            var controller = make()
            // Reach each state from another one, so that the change itself is tested.
            controller.state = data.tag === "found" ? "foundBack" : "found"
            controller.state = data.tag
            compare(controller.handlePositive.visible, data.front)
            compare(controller.handleBack.visible, data.back)
            tryCompare(controller.handlePositive, "opacity", data.frontOpacity)
            tryCompare(controller.handleBack, "opacity", 1)
            var indicators = ["indicatorA", "indicatorB", "indicatorX", "indicatorY", "indicatorStart", "indicatorBack",
                              "indicatorUp", "indicatorDown", "indicatorLeft", "indicatorRight", "indicatorLeftUp",
                              "indicatorLeftDown", "indicatorRightUp", "indicatorRightDown", "indicatorRt", "indicatorLt",
                              "indicatorRb", "indicatorLb"]
            for (var i = 0; i < indicators.length; ++i)
                compare(findChild(controller, indicators[i]).visible, data.indicators, indicators[i])
            compare(controller.stickLeft.visible, data.indicators)
            compare(controller.stickRight.visible, data.indicators)
            var front = [controller.labelLB, controller.labelLT, controller.labelRB, controller.labelRT]
            var back = [controller.backLabelRT, controller.backLabelRB, controller.backLabelLB, controller.backLabelLT]
            for (var j = 0; j < 4; ++j) {
                compare(front[j].visible, data.frontLabels, front[j].objectName)
                compare(back[j].visible, data.backLabels, back[j].objectName)
            }
            // The back's eight indicators show with the back picture.
            compare(findChild(controller, "handleBack_buttonL2").visible, data.back)
        }

        // Every change of state fades the picture that shows up from half opacity.
        function test_switchingFadesThePictureIn() {
            var controller = make()
            var seen = []
            controller.handleBack.opacityChanged.connect(function() { seen.push(controller.handleBack.opacity) })
            controller.state = "foundBack"
            tryCompare(controller.handleBack, "opacity", 1)
            compare(seen[0], 0.5)
            verify(seen.length > 2, "passes through intermediate values")
            for (var i = 1; i < seen.length; ++i)
                verify(seen[i] >= seen[i - 1])
        }

        // A switch in the middle of a fade ends in the new state's look, not half-way.
        function test_interruptedSwitchEndsInTheLastState() {
            var controller = make()
            controller.state = "foundBack"
            controller.state = "found"
            controller.state = "unfound"
            tryCompare(controller.handlePositive, "opacity", 0.51)
            wait(0)
            controller.state = "found"
            tryCompare(controller.handlePositive, "opacity", 1)
            verify(!controller.handleBack.visible)
        }

        // For each test mode: the indicators it drives and the captions lit by it.
        function test_testModesReachTheirIndicators_data() {
            return [
                { tag: "A", mode: "testModeA", parts: ["indicatorA"], labels: [] },
                { tag: "B", mode: "testModeB", parts: ["indicatorB"], labels: [] },
                { tag: "X", mode: "testModeX", parts: ["indicatorX"], labels: [] },
                { tag: "Y", mode: "testModeY", parts: ["indicatorY"], labels: [] },
                { tag: "Start", mode: "testModeStart", parts: ["indicatorStart"], labels: [] },
                { tag: "Back", mode: "testModeBack", parts: ["indicatorBack"], labels: [] },
                { tag: "Up", mode: "testModeUp", parts: ["indicatorUp"], labels: [] },
                { tag: "Down", mode: "testModeDown", parts: ["indicatorDown"], labels: [] },
                { tag: "Left", mode: "testModeLeft", parts: ["indicatorLeft"], labels: [] },
                { tag: "Right", mode: "testModeRight", parts: ["indicatorRight"], labels: [] },
                { tag: "LeftUp", mode: "testModeLeftUp", parts: ["indicatorLeftUp"], labels: [] },
                { tag: "LeftDown", mode: "testModeLeftDown", parts: ["indicatorLeftDown"], labels: [] },
                { tag: "RightUp", mode: "testModeRightUp", parts: ["indicatorRightUp"], labels: [] },
                { tag: "RightDown", mode: "testModeRightDown", parts: ["indicatorRightDown"], labels: [] },
                { tag: "left bumper", mode: "testModeLt", parts: ["indicatorLt", "handleBack_buttonLt"],
                  labels: ["labelLB", "backLabelLB"] },
                { tag: "right bumper", mode: "testModeRt", parts: ["indicatorRt", "handleBack_buttonRt"],
                  labels: ["labelRB", "backLabelRB"] },
                { tag: "left trigger", mode: "testModeLb",
                  parts: ["indicatorLb", "handleBack_buttonLb", "handleBack_buttonL1", "handleBack_buttonL2"],
                  labels: ["labelLT", "backLabelLT"], dials: ["shockLeft", "shockLeftBack"] },
                { tag: "right trigger", mode: "testModeRb",
                  parts: ["indicatorRb", "handleBack_buttonRb", "handleBack_buttonR1", "handleBack_buttonR2"],
                  labels: ["labelRT", "backLabelRT"], dials: ["shockRight", "shockRightBack"] }
            ]
        }

        function test_testModesReachTheirIndicators(data) {
            var controller = make()
            var looks = [{ state: "untest", opacity: 0 }, { state: "tested", opacity: 0.29 }, { state: "testing", opacity: 1 }]
            var all = ["indicatorA", "indicatorLt", "indicatorRb", "handleBack_buttonL2", "handleBack_buttonRt"]
            var steps = [2, 1, 0]
            for (var s = 0; s < steps.length; ++s) {
                var mode = steps[s]
                controller[data.mode] = mode
                for (var i = 0; i < data.parts.length; ++i)
                    compare(findChild(controller, data.parts[i]).state, looks[mode].state, data.parts[i] + " at " + mode)
                for (var j = 0; j < data.labels.length; ++j)
                    compare(findChild(controller, data.labels[j]).opacity, looks[mode].opacity, data.labels[j] + " at " + mode)
                var dials = data.dials || []
                for (var k = 0; k < dials.length; ++k)
                    compare(controller[dials[k]].state, looks[mode].state, dials[k] + " at " + mode)
                // Nothing else moves.
                for (var m = 0; m < all.length; ++m) {
                    if (data.parts.indexOf(all[m]) < 0)
                        compare(findChild(controller, all[m]).state, "untest", all[m] + " stays untested")
                }
            }
        }

        function test_sticksFollowTheAxesAndButtons() {
            var controller = make({ axisLeftX: 0.5, axisLeftY: -0.25, axisRightX: -1, axisRightY: 1 })
            compare(controller.stickLeft.xAxisValue, 0.5)
            compare(controller.stickLeft.yAxisValue, -0.25)
            compare(controller.stickRight.xAxisValue, -1)
            compare(controller.stickRight.yAxisValue, 1)
            controller.leftStickButton = 1
            compare(controller.stickLeft.button, 1)
            compare(controller.stickRight.button, 0)
            controller.rightStickButton = 1
            compare(controller.stickRight.button, 1)
            compare(controller.stickLeft.rOrl, 1)
            compare(controller.stickRight.rOrl, 0)
        }

        // Seen from behind, the right dial stands at the left edge and the left one at the right.
        function test_backDialsAreSwapped() {
            var controller = make()
            controller.state = "foundBack"
            var right = controller.shockRightBack.mapToItem(controller, 0, 0)
            var left = controller.shockLeftBack.mapToItem(controller, 0, 0)
            compare(right.x, 0)
            verify(left.x > controller.width / 2)
            verify(!controller.shockLeft.visible && !controller.shockRight.visible)
        }

        // The style colour set while the back is hidden shows in its glow once it is turned to.
        function test_hiddenBackTakesTheStyleColour() {
            var controller = make()
            controller.styleColor = "#FF0000"
            controller.state = "foundBack"
            // Left of the back body's outer edge, level with the right grip.
            var origin = controller.handleBack.mapToItem(form, 0, 0)
            tryVerify(function() {
                var image = grabImage(form)
                for (var x = -14; x < -4; ++x) {
                    var p = image.pixel(origin.x + x, origin.y + 300)
                    if (p.r > 0.15 && p.g < p.r * 0.4 && p.b < p.r * 0.4)
                        return true
                }
                return false
            }, 5000, "the back glows red")
        }
    }
}
