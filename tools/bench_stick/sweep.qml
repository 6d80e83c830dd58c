import QtQuick 2.15
import QtGamepad 1.15
import "qrc:/"

// Two stick views at their default size, bound to the gamepad as the controller picture
// binds them; with `baselineRun` set, two canvases that paint only a cleared square and the
// live rectangle take their place.
Rectangle {
    id: scene

    property bool baselineRun: false
    readonly property var views: [left.item, right.item]

    width: 300
    height: 160
    color: "#202428"

    Gamepad {
        id: gamepad
        objectName: "gamepad"
        deviceId: padDeviceId
    }

    Component {
        id: stickViews
        StickView {
            gamepadIndex: 0
        }
    }

    Component {
        id: baselineCanvas
        Canvas {
            property real xAxisValue: 0
            property real yAxisValue: 0
            property int rOrl: 0
            implicitWidth: 131
            implicitHeight: 131
            onXAxisValueChanged: requestPaint()
            onYAxisValueChanged: requestPaint()
            onPaint: {
                var ctx = getContext("2d")
                ctx.clearRect(0, 0, width, height)
                ctx.fillStyle = "#99FF8A29"
                ctx.fillRect(width / 2, height / 2, xAxisValue * 64, yAxisValue * 64)
            }
        }
    }

    Loader {
        id: left
        x: 10
        y: 14
        sourceComponent: scene.baselineRun ? baselineCanvas : stickViews
        onLoaded: {
            item.rOrl = 1
            item.xAxisValue = Qt.binding(function() { return gamepad.axisLeftX })
            item.yAxisValue = Qt.binding(function() { return gamepad.axisLeftY })
        }
    }

    Loader {
        id: right
        x: 159
        y: 14
        sourceComponent: scene.baselineRun ? baselineCanvas : stickViews
        onLoaded: {
            item.xAxisValue = Qt.binding(function() { return gamepad.axisRightX })
            item.yAxisValue = Qt.binding(function() { return gamepad.axisRightY })
        }
    }
}
