import QtQuick 2.15
import nimbo4 1.0
import "qrc:/"

// The controller widgets in their states, for a screenshot: three stick views (at rest,
// moving with its push button held, completed) and the indicator family untested,
// tested and held.
Rectangle {
    width: 1020
    height: 600
    color: "#1E2226"

    Row {
        x: 20
        y: 30
        spacing: 80

        StickView {
            id: resting
            width: 240
            height: 240
            rOrl: 1
            Component.onCompleted: gamepadIndex = 0
        }
        StickView {
            id: moving
            width: 240
            height: 240
            Component.onCompleted: {
                gamepadIndex = 2
                dx[2] = [40, -52, 0, 0]
                dy[2] = [-30, -44, 0, 0]
                xAxisValue = 0.55
                yAxisValue = -0.35
                button = 1
            }
        }
        StickView {
            id: completed
            width: 240
            height: 240
            rOrl: 1
            Component.onCompleted: {
                gamepadIndex = 1
                dx[1] = [64, -64, -58, 60]
                dy[1] = [-62, -64, 64, 59]
                stickCircleCompleted[1] = true
                button = 1
                button = 0
            }
        }
    }

    Column {
        x: 20
        y: 330
        spacing: 24

        Repeater {
            model: [0, 1, 2]

            Row {
                spacing: 30

                Text {
                    width: 80
                    anchors.verticalCenter: parent.verticalCenter
                    text: Constants.testState[modelData]
                    color: "white"
                    font: Constants.font
                }
                CircleButton { testMode: modelData; textValue: "A"; width: 46; height: 46 }
                CircleButton { testMode: modelData; width: 31; height: 31; anchors.verticalCenter: parent.verticalCenter }
                CrossButton { testMode: modelData; anchors.verticalCenter: parent.verticalCenter }
                CrossButton { testMode: modelData; rotation: 90; anchors.verticalCenter: parent.verticalCenter }
                DuplexCrossButtonForm { testMode: modelData; anchors.verticalCenter: parent.verticalCenter }
                RtLtButton { testMode: modelData; rl: 1; width: 155; height: 53 }
                RtLtButton { testMode: modelData; width: 154; height: 52 }
                RbLbButton { testMode: modelData; rl: 1; width: 73; height: 33; fillMode: Image.Stretch }
                RbLbButton { testMode: modelData; width: 75; height: 34; fillMode: Image.Stretch }
            }
        }
    }
}
