import QtQuick 2.15
import nimbo4 1.0

// The controller picture with every indicator: the front (sticks, buttons, cross pad,
// shoulders, dials) or the back (shoulders, paddles, dials), with the captions of the
// shoulder controls. The state chooses what shows: "unfound" (no gamepad: the front,
// dimmed, without indicators), "found" (the front) or "foundBack" (the back).
Item {
    id: controller

    // Test mode of each control: 0 untested, 1 tested, 2 held now.
    property int testModeA: 0
    property int testModeB: 0
    property int testModeX: 0
    property int testModeY: 0
    property int testModeStart: 0
    property int testModeBack: 0
    property int testModeUp: 0
    property int testModeDown: 0
    property int testModeLeft: 0
    property int testModeRight: 0
    property int testModeLeftUp: 0
    property int testModeLeftDown: 0
    property int testModeRightUp: 0
    property int testModeRightDown: 0
    property int testModeRt: 0
    property int testModeRb: 0
    property int testModeLt: 0
    property int testModeLb: 0

    property double axisLeftX: 0
    property double axisLeftY: 0
    property double axisRightX: 0
    property double axisRightY: 0
    property alias leftStickButton: stickLeft.button
    property alias rightStickButton: stickRight.button
    property alias stickLeft: stickLeft
    property alias stickRight: stickRight

    property alias shockLeft: handlePositive.shockLeft
    property alias shockRight: handlePositive.shockRight
    property alias shockLeftBack: handleBack.shockLeft
    property alias shockRightBack: handleBack.shockRight

    property alias handlePositive: handlePositive
    property alias handleBack: handleBack
    property alias labelLB: labelLB
    property alias labelLT: labelLT
    property alias labelRB: labelRB
    property alias labelRT: labelRT
    property alias backLabelRT: backLabelRT
    property alias backLabelRB: backLabelRB
    property alias backLabelLB: backLabelLB
    property alias backLabelLT: backLabelLT

    // Colour in which the drawings and the dials glow.
    property color styleColor: "#FFFFFF"

    width: 700
    height: 480
    opacity: 1
    state: "found"

    HandlePositive {
        id: handlePositive
        objectName: "handlePositive"
        styleColor: controller.styleColor
        testModeLb: controller.testModeLb
        testModeRb: controller.testModeRb

        // The indicators, in the picture's frame.
        Item {
            id: frontIndicators
            objectName: "frontIndicators"
            anchors.fill: parent

            CircleButton { objectName: "indicatorBack"; x: 578; y: 249; width: 31; height: 31; testMode: controller.testModeBack }
            CircleButton { objectName: "indicatorStart"; x: 671; y: 249; width: 31; height: 31; testMode: controller.testModeStart }
            CircleButton { objectName: "indicatorA"; x: 788; y: 265; width: 46; height: 46; textValue: "A"; testMode: controller.testModeA }
            CircleButton { objectName: "indicatorB"; x: 836; y: 234; width: 46; height: 46; textValue: "B"; testMode: controller.testModeB }
            CircleButton { objectName: "indicatorX"; x: 740; y: 230; width: 46; height: 46; textValue: "X"; testMode: controller.testModeX }
            CircleButton { objectName: "indicatorY"; x: 788; y: 196; width: 46; height: 46; textValue: "Y"; testMode: controller.testModeY }

            CrossButton { objectName: "indicatorUp"; x: 549; y: 326; rotation: 0; testMode: controller.testModeUp }
            CrossButton { objectName: "indicatorDown"; x: 547; y: 395; rotation: 180; testMode: controller.testModeDown }
            CrossButton { objectName: "indicatorRight"; x: 580; y: 363; rotation: 90; testMode: controller.testModeRight }
            CrossButton { objectName: "indicatorLeft"; x: 514; y: 361; rotation: 270; testMode: controller.testModeLeft }
            DuplexCrossButtonForm { objectName: "indicatorLeftDown"; x: 512; y: 389; rotation: 270; testMode: controller.testModeLeftDown }
            DuplexCrossButtonForm { objectName: "indicatorLeftUp"; x: 512; y: 320; rotation: 0; testMode: controller.testModeLeftUp }
            DuplexCrossButtonForm { objectName: "indicatorRightUp"; x: 579; y: 321; rotation: 90; testMode: controller.testModeRightUp }
            DuplexCrossButtonForm { objectName: "indicatorRightDown"; x: 578; y: 389; rotation: 180; testMode: controller.testModeRightDown }

            RtLtButton { objectName: "indicatorRt"; x: 733; y: 140; width: 154; height: 52; testMode: controller.testModeRt }
            RtLtButton { objectName: "indicatorLt"; x: 395; y: 140; width: 155; height: 53; rl: 1; testMode: controller.testModeLt }
            RbLbButton {
                objectName: "indicatorRb"
                x: 789
                y: 128
                width: 75
                height: 34
                fillMode: Image.Stretch
                testMode: controller.testModeRb
            }
            RbLbButton {
                objectName: "indicatorLb"
                x: 419
                y: 128
                width: 73
                height: 33
                rl: 1
                fillMode: Image.Stretch
                testMode: controller.testModeLb
            }

            // Centred on the stick drawings at (472, 260) and (715, 369).
            StickView {
                id: stickLeft
                objectName: "stickLeft"
                x: 352
                y: 140
                width: 240
                height: 240
                rOrl: 1
                xAxisValue: controller.axisLeftX
                yAxisValue: controller.axisLeftY
            }
            StickView {
                id: stickRight
                objectName: "stickRight"
                x: 595
                y: 249
                width: 240
                height: 240
                rOrl: 0
                xAxisValue: controller.axisRightX
                yAxisValue: controller.axisRightY
            }
        }
    }

    HandleBack {
        id: handleBack
        objectName: "handleBack"
        anchors.fill: parent
        anchors.topMargin: 1
        anchors.bottomMargin: -1
        visible: false
        styleColor: controller.styleColor
        testModeLb: controller.testModeLb
        testModeRb: controller.testModeRb

        // Seen from behind: the right shoulder is on the left. The paddles follow the
        // trigger of their side.
        RbLbButton { id: handleBack_buttonRt; objectName: "handleBack_buttonRt"; x: 161; y: -23; width: 86; height: 38; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonRb.svg"; testMode: controller.testModeRt }
        RbLbButton { id: handleBack_buttonLt; objectName: "handleBack_buttonLt"; x: 430; y: -23; width: 86; height: 38; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonLb.svg"; testMode: controller.testModeLt }
        RbLbButton { id: handleBack_buttonRb; objectName: "handleBack_buttonRb"; x: 93; y: -39; width: 85; height: 70; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonRT.svg"; testMode: controller.testModeRb }
        RbLbButton { id: handleBack_buttonLb; objectName: "handleBack_buttonLb"; x: 503; y: -39; width: 85; height: 70; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonLT.svg"; testMode: controller.testModeLb }
        RbLbButton { id: handleBack_buttonR1; objectName: "handleBack_buttonR1"; x: 192; y: 164; width: 90; height: 42; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonR1.svg"; testMode: controller.testModeRb }
        RbLbButton { id: handleBack_buttonL1; objectName: "handleBack_buttonL1"; x: 383; y: 164; width: 90; height: 42; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonL1.svg"; testMode: controller.testModeLb }
        RbLbButton { id: handleBack_buttonR2; objectName: "handleBack_buttonR2"; x: 201; y: 203; width: 81; height: 108; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonR2.svg"; testMode: controller.testModeRb }
        RbLbButton { id: handleBack_buttonL2; objectName: "handleBack_buttonL2"; x: 384; y: 203; width: 81; height: 108; rl: 1; fillMode: Image.Stretch; source: "images/back_buttonL2.svg"; testMode: controller.testModeLb }

        Repeater {
            model: [
                { text: "R", x: 123, y: -18 }, { text: "R", x: 201, y: 178 }, { text: "R", x: 206, y: 284 },
                { text: "L", x: 549, y: -18 }, { text: "L", x: 457, y: 178 }, { text: "L", x: 454, y: 289 }
            ]
            Text {
                objectName: "side" + index
                x: modelData.x
                y: modelData.y
                text: modelData.text
                color: "#FFFFFF"
                font.bold: true
            }
        }
    }

    // Captions of the shoulder controls, lit by their test modes.
    Image { id: labelLB; objectName: "labelLB"; x: -139; y: -16; width: 251; height: 25; fillMode: Image.PreserveAspectFit; source: "images/labelLB.png"; opacity: Constants.testOpacity[controller.testModeLt] }
    Image { id: labelLT; objectName: "labelLT"; x: -54; y: -48; width: 251; height: 25; fillMode: Image.PreserveAspectFit; source: "images/labelLT.png"; opacity: Constants.testOpacity[controller.testModeLb] }
    Image { id: labelRB; objectName: "labelRB"; x: 586; y: -16; width: 251; height: 25; fillMode: Image.PreserveAspectFit; source: "images/labelRB.png"; opacity: Constants.testOpacity[controller.testModeRt] }
    Image { id: labelRT; objectName: "labelRT"; x: 510; y: -48; width: 251; height: 25; fillMode: Image.PreserveAspectFit; source: "images/labelRT.png"; opacity: Constants.testOpacity[controller.testModeRb] }
    Image { id: backLabelRT; objectName: "backLabelRT"; x: -124; y: -19; visible: false; fillMode: Image.PreserveAspectFit; source: "images/back_labelRT.svg"; opacity: Constants.testOpacity[controller.testModeRb] }
    Image { id: backLabelRB; objectName: "backLabelRB"; x: -97; y: -64; visible: false; fillMode: Image.PreserveAspectFit; source: "images/back_labelRB.svg"; opacity: Constants.testOpacity[controller.testModeRt] }
    Image { id: backLabelLB; objectName: "backLabelLB"; x: 464; y: -62; visible: false; fillMode: Image.PreserveAspectFit; source: "images/back_labelLB.svg"; opacity: Constants.testOpacity[controller.testModeLt] }
    Image { id: backLabelLT; objectName: "backLabelLT"; x: 584; y: -16; visible: false; fillMode: Image.PreserveAspectFit; source: "images/back_labelLT.svg"; opacity: Constants.testOpacity[controller.testModeLb] }

    states: [
        State {
            name: "unfound"
            PropertyChanges { target: handlePositive; visible: true; opacity: 0.51 }
            PropertyChanges { target: handleBack; visible: false; opacity: 1 }
            PropertyChanges { target: frontIndicators; visible: false }
            PropertyChanges { target: labelLB; visible: false }
            PropertyChanges { target: labelLT; visible: false }
            PropertyChanges { target: labelRB; visible: false }
            PropertyChanges { target: labelRT; visible: false }
        },
        State {
            name: "found"
            PropertyChanges { target: handlePositive; visible: true; opacity: 1 }
            PropertyChanges { target: handleBack; visible: false; opacity: 1 }
            PropertyChanges { target: frontIndicators; visible: true }
        },
        State {
            name: "foundBack"
            PropertyChanges { target: handlePositive; visible: false; opacity: 1 }
            PropertyChanges { target: handleBack; visible: true; opacity: 1 }
            PropertyChanges { target: labelLB; visible: false }
            PropertyChanges { target: labelLT; visible: false }
            PropertyChanges { target: labelRB; visible: false }
            PropertyChanges { target: labelRT; visible: false }
            PropertyChanges { target: backLabelRT; visible: true }
            PropertyChanges { target: backLabelRB; visible: true }
            PropertyChanges { target: backLabelLB; visible: true }
            PropertyChanges { target: backLabelLT; visible: true }
        }
    ]

    // Whichever way the view turns, both pictures fade in from half opacity; without a
    // gamepad the front ends dimmed. Every state names both opacities, so a switch in the
    // middle of a fade never takes the half-way value for the picture's own.
    transitions: [
        Transition {
            to: "unfound"
            ParallelAnimation {
                alwaysRunToEnd: true
                NumberAnimation { target: handlePositive; property: "opacity"; from: 0.5; to: 0.51; duration: 300; easing.type: Easing.InOutQuad }
                NumberAnimation { target: handleBack; property: "opacity"; from: 0.5; to: 1; duration: 300; easing.type: Easing.InOutQuad }
            }
        },
        Transition {
            to: "found,foundBack"
            ParallelAnimation {
                alwaysRunToEnd: true
                NumberAnimation { target: handlePositive; property: "opacity"; from: 0.5; to: 1; duration: 300; easing.type: Easing.InOutQuad }
                NumberAnimation { target: handleBack; property: "opacity"; from: 0.5; to: 1; duration: 300; easing.type: Easing.InOutQuad }
            }
        }
    ]
}
