import QtQuick 2.15
import QtGamepad 1.15
import com.corvane.diagnostics 1.0
import "qrc:/"
import "qrc:/padhealth"

// What the benchmark compares, one at a time on the program's dark ground at 1280 x 800:
// nothing ("none", the baseline), the controller picture's two stick views at their size
// in the test view ("sticks"), the health view's two stick plots alone ("plots") and the
// whole pad health view ("health"), all bound to the same gamepad.
Rectangle {
    id: scene

    property string phase: "none"
    readonly property Item content: loader.item

    width: 1280
    height: 800
    color: "black"

    Gamepad {
        id: padGamepad
        objectName: "gamepad"
        deviceId: padDeviceId
    }

    PadHealthModel {
        id: padModel
        deviceId: padDeviceId
    }

    Component {
        id: sticks
        Item {
            StickView {
                x: 352
                y: 140
                width: 240
                height: 240
                rOrl: 1
                gamepadIndex: 0
                xAxisValue: padGamepad.axisLeftX
                yAxisValue: padGamepad.axisLeftY
            }
            StickView {
                x: 595
                y: 249
                width: 240
                height: 240
                gamepadIndex: 0
                xAxisValue: padGamepad.axisRightX
                yAxisValue: padGamepad.axisRightY
            }
        }
    }

    Component {
        id: plots
        Item {
            StickPlot {
                x: 40
                y: 140
                width: 264
                height: 264
                health: padModel.current ? padModel.current.leftStick : null
                liveX: padGamepad.axisLeftX
                liveY: padGamepad.axisLeftY
            }
            StickPlot {
                x: 610
                y: 140
                width: 264
                height: 264
                health: padModel.current ? padModel.current.rightStick : null
                liveX: padGamepad.axisRightX
                liveY: padGamepad.axisRightY
            }
        }
    }

    Component {
        id: health
        PadHealthView {
            pads: padModel
            gamepad: padGamepad
            progress: ({})
            unmappedPads: []
        }
    }

    Loader {
        id: loader
        anchors.fill: parent
        sourceComponent: scene.phase === "sticks" ? sticks : scene.phase === "plots" ? plots
                       : scene.phase === "health" ? health : null
    }
}
