import QtQuick 2.15
import "qrc:/"

// The test view's picture at the window's design size: the controller centred, the slot
// badges at the lower left and the front/back icons at the right edge, as the view places
// them. Renders three states one after the other and quits.
Rectangle {
    id: form

    // What the dials read from the view that holds them.
    readonly property real shockL: 0.0344827586206897
    property real shockButtonValL: 0.3
    property real shockButtonValR: 0.6
    property alias testModeLb: controller.testModeLb
    property alias testModeRb: controller.testModeRb

    property var shots: [
        { file: "controller-unfound.png", state: "unfound" },
        { file: "controller-front.png", state: "found" },
        { file: "controller-back.png", state: "foundBack" }
    ]
    property int shot: 0

    function takeNext() {
        if (shot >= shots.length) {
            Qt.quit()
            return
        }
        controller.state = shots[shot].state
        settle.restart()
    }

    width: 1280
    height: 800
    color: "black"

    Controller {
        id: controller
        anchors.centerIn: parent
        styleColor: styleColour
        // A few controls tested (1) or held (2), so both looks show.
        testModeA: 2
        testModeB: 1
        testModeUp: 1
        testModeRightDown: 2
        testModeStart: 1
        testModeLt: 1
        testModeRt: 2
        testModeLb: 2
        testModeRb: 1
        axisLeftX: 0.6
        axisLeftY: -0.4
        Component.onCompleted: {
            stickLeft.gamepadIndex = 0
            stickRight.gamepadIndex = 0
        }
    }

    Column {
        x: 20
        y: form.height - 160
        spacing: 22
        LittleGamepad { state: "current"; textValue: "Virtual pad" }
        LittleGamepad { state: "plugin"; textValue: "Second pad" }
        LittleGamepad { state: "unplugin"; textValue: "暂无" }
        LittleGamepad { state: "unplugin"; textValue: "暂无" }
    }

    Column {
        anchors.right: parent.right
        anchors.rightMargin: 40
        anchors.verticalCenter: parent.verticalCenter
        spacing: 40
        Image {
            width: 64
            height: 42
            source: controller.state === "found" ? "qrc:/images/Icon_positiveTest.svg" : "qrc:/images/positive_handle.svg"
        }
        Image {
            width: 64
            height: 42
            source: controller.state === "foundBack" ? "qrc:/images/Icon_backTest.svg" : "qrc:/images/no_handle.svg"
        }
    }

    // Where the layout puts the indicators (front in the window's frame, back in the
    // back picture's frame), to lie over the drawings.
    Item {
        visible: showOverlay && controller.state !== "foundBack"
        anchors.fill: parent
        Repeater {
            model: [[578, 249, 31, 31, 0], [671, 249, 31, 31, 0], [788, 265, 46, 46, 0], [836, 234, 46, 46, 0],
                    [740, 230, 46, 46, 0], [788, 196, 46, 46, 0], [549, 326, 24, 16, 0], [547, 395, 24, 16, 180],
                    [580, 363, 24, 16, 90], [514, 361, 24, 16, 270], [512, 389, 28, 28, 270], [512, 320, 28, 28, 0],
                    [579, 321, 28, 28, 90], [578, 389, 28, 28, 180], [733, 140, 154, 52, 0], [395, 140, 155, 53, 0],
                    [789, 128, 75, 34, 0], [419, 128, 73, 33, 0]]
            Rectangle {
                x: modelData[0]; y: modelData[1]; width: modelData[2]; height: modelData[3]; rotation: modelData[4]
                radius: modelData[2] === modelData[3] && modelData[2] !== 28 ? width / 2 : 0
                color: "transparent"; border.color: "red"; border.width: 1
            }
        }
        // The stick views' circles (radius 64 about their centres) and the dial rings.
        Repeater {
            model: [[472, 260, 64, "lime"], [715, 369, 64, "lime"], [380, 480, 60, "cyan"], [907, 480, 60, "cyan"]]
            Rectangle {
                x: modelData[0] - modelData[2]; y: modelData[1] - modelData[2]
                width: 2 * modelData[2]; height: width; radius: modelData[2]
                color: "transparent"; border.color: modelData[3]; border.width: 1
            }
        }
    }
    Item {
        visible: showOverlay && controller.state === "foundBack"
        x: controller.x
        y: controller.y + 1
        Repeater {
            model: [[161, -23, 86, 38], [430, -23, 86, 38], [93, -39, 85, 70], [503, -39, 85, 70],
                    [192, 164, 90, 42], [383, 164, 90, 42], [201, 203, 81, 108], [384, 203, 81, 108]]
            Rectangle {
                x: modelData[0]; y: modelData[1]; width: modelData[2]; height: modelData[3]
                color: "transparent"; border.color: "red"; border.width: 1
            }
        }
        Repeater {
            model: [[602, 326], [84, 312]]
            Rectangle {
                x: modelData[0] - 60; y: modelData[1] - 60; width: 120; height: 120; radius: 60
                color: "transparent"; border.color: "cyan"; border.width: 1
            }
        }
    }

    // Time for the state's fade (300 ms), the pictures and the glows.
    Timer {
        id: settle
        interval: 800
        onTriggered: {
            var file = form.shots[form.shot].file
            form.grabToImage(function(result) {
                result.saveToFile(outputFolder + "/" + file)
                console.info("screenshot_controller: wrote", outputFolder + "/" + file)
                form.shot += 1
                form.takeNext()
            })
        }
    }

    Component.onCompleted: takeNext()
}
