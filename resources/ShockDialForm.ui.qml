import QtQuick 2.15
import nimbo4 1.0

// Layout of a vibration dial: 29 ticks round a 120 x 120 ring, three glowing outlines, the
// read-out in the middle, the pointer knob that turns about the ring's centre and the
// ripple circles round the whole dial. Angles are clockwise from 12 o'clock.
Item {
    id: dial

    // Test mode of the shoulder control the dial belongs to; it picks the state.
    property int testMode: 0
    // The level the dial shows, 0 to 1.
    property real strength: 0
    // Glow colour of the outlines.
    property color glowColor: "white"
    // Whether the ripple round the dial shows (its trigger is held).
    property bool rippleShown: false
    // Set by the test states: every tick in the colour of use.
    property bool ticksPainted: false
    // Tick k of the ring is ticks[k - 1].
    readonly property var ticks: [
        progress1, progress2, progress3, progress4, progress5, progress6, progress7, progress8, progress9,
        progress10, progress11, progress12, progress13, progress14, progress15, progress16, progress17,
        progress18, progress19, progress20, progress21, progress22, progress23, progress24, progress25,
        progress26, progress27, progress28, progress29
    ]
    property alias ring: ring
    property alias shockButton: shockButton
    property alias shockText: shockText
    property alias knobMouse: knobMouse

    width: 168
    height: 168
    state: Constants.testState[testMode]

    Item {
        id: ring
        objectName: "ring"
        width: 120
        height: 120
        anchors.centerIn: parent

        Item {
            id: tickFrame
            x: 1
            y: 1
            width: 120
            height: 120

            DialTick { id: progress1; x: 76; y: 6; rotation: -328; opacity: 0.30; painted: dial.ticksPainted }
            DialTick { id: progress2; x: 85; y: 11; rotation: -320; opacity: 0.32; painted: dial.ticksPainted }
            DialTick { id: progress3; x: 93; y: 18; rotation: -300; opacity: 0.35; painted: dial.ticksPainted }
            DialTick { id: progress4; x: 99; y: 26; rotation: -294; opacity: 0.37; painted: dial.ticksPainted }
            DialTick { id: progress5; x: 104; y: 36; rotation: -276; opacity: 0.39; painted: dial.ticksPainted }
            DialTick { id: progress6; x: 106; y: 46; rotation: -269; opacity: 0.42; painted: dial.ticksPainted }
            DialTick { id: progress7; x: 107; y: 57; rotation: -261; opacity: 0.44; painted: dial.ticksPainted }
            DialTick { id: progress8; x: 106; y: 67; rotation: -250; opacity: 0.46; painted: dial.ticksPainted }
            DialTick { id: progress9; x: 102; y: 77; rotation: -234; opacity: 0.49; painted: dial.ticksPainted }
            DialTick { id: progress10; x: 96; y: 86; rotation: -220; opacity: 0.51; painted: dial.ticksPainted }
            DialTick { id: progress11; x: 89; y: 93; rotation: -210; opacity: 0.54; painted: dial.ticksPainted }
            DialTick { id: progress12; x: 80; y: 99; rotation: -192; opacity: 0.56; painted: dial.ticksPainted }
            DialTick { id: progress13; x: 70; y: 103; rotation: -184; opacity: 0.61; painted: dial.ticksPainted }
            DialTick { id: progress14; x: 60; y: 105; rotation: -174; opacity: 0.59; painted: dial.ticksPainted }
            DialTick { id: progress15; x: 49; y: 105; rotation: -164; opacity: 0.61; painted: dial.ticksPainted }
            DialTick { id: progress16; x: 39; y: 103; rotation: -150; opacity: 0.62; painted: dial.ticksPainted }
            DialTick { id: progress17; x: 29; y: 99; rotation: -138; opacity: 0.67; painted: dial.ticksPainted }
            DialTick { id: progress18; x: 21; y: 93; rotation: -132; opacity: 0.71; painted: dial.ticksPainted }
            DialTick { id: progress19; x: 14; y: 85; rotation: -120; opacity: 0.74; painted: dial.ticksPainted }
            DialTick { id: progress20; x: 8; y: 77; rotation: -108; opacity: 0.76; painted: dial.ticksPainted }
            DialTick { id: progress21; x: 4; y: 67; rotation: -90; opacity: 0.78; painted: dial.ticksPainted }
            DialTick { id: progress22; x: 3; y: 56; rotation: -84; opacity: 0.81; painted: dial.ticksPainted }
            DialTick { id: progress23; x: 4; y: 46; rotation: -74; opacity: 0.83; painted: dial.ticksPainted }
            DialTick { id: progress24; x: 6; y: 36; rotation: -62; opacity: 0.86; painted: dial.ticksPainted }
            DialTick { id: progress25; x: 10; y: 26; rotation: -53; opacity: 0.89; painted: dial.ticksPainted }
            DialTick { id: progress26; x: 17; y: 18; rotation: -36; opacity: 0.92; painted: dial.ticksPainted }
            DialTick { id: progress27; x: 25; y: 11; rotation: -20; opacity: 0.94; painted: dial.ticksPainted }
            DialTick { id: progress28; x: 34; y: 6; rotation: -12; opacity: 0.97; painted: dial.ticksPainted }
            DialTick { id: progress29; x: 44; y: 2; rotation: 0; opacity: 1; painted: dial.ticksPainted }
        }

        GrowImage {
            id: outerOutline
            anchors.fill: parent
            source: "images/shockBack.svg"
            color: dial.glowColor
            transparentBorder: true
        }

        GrowImage {
            id: middleOutline
            width: 80
            height: 80
            anchors.centerIn: parent
            source: "images/shockBack2.svg"
            color: dial.glowColor
            transparentBorder: true
        }

        GrowImage {
            id: innerOutline
            width: 58
            height: 58
            anchors.centerIn: parent
            source: "images/shockBack1.svg"
            color: dial.glowColor
            transparentBorder: true
        }

        Rectangle {
            id: shockBackground
            objectName: "shockBackground"
            width: 55
            height: 55
            radius: 27.5
            anchors.centerIn: parent
            color: "transparent"
        }

        Text {
            id: shockText
            objectName: "shockText"
            anchors.centerIn: parent
            font.family: Constants.ledFont.name
            font.pixelSize: 24
            color: "#12AAC2"
            text: Math.round(dial.strength * 255)
        }

        Item {
            id: shockButton
            objectName: "shockButton"
            anchors.fill: parent
            rotation: 18

            Image {
                id: knob
                objectName: "knob"
                x: 39
                y: 0
                source: "images/shockButton.svg"
            }

            MouseArea {
                id: knobMouse
                objectName: "knobMouse"
                anchors.fill: knob
            }
        }
    }

    Item {
        id: ripple
        objectName: "ripple"
        anchors.fill: parent
        visible: false

        DialRipple { id: ripple1; objectName: "ripple1"; diameter: 132 }
        DialRipple { id: ripple2; objectName: "ripple2"; diameter: 138 }
        DialRipple { id: ripple3; objectName: "ripple3"; diameter: 138 }
        DialRipple { id: ripple4; objectName: "ripple4"; diameter: 144 }
        DialRipple { id: ripple5; objectName: "ripple5"; diameter: 150 }
        DialRipple { id: ripple6; objectName: "ripple6"; diameter: 156 }
        DialRipple { id: ripple7; objectName: "ripple7"; diameter: 162 }
        DialRipple { id: ripple8; objectName: "ripple8"; diameter: 168 }

        states: State {
            name: "shown"
            when: dial.rippleShown
            PropertyChanges { target: ripple; visible: true }
            PropertyChanges { target: ripple1; opacity: 0.8 }
            PropertyChanges { target: ripple2; opacity: 0.7 }
            PropertyChanges { target: ripple3; opacity: 0.6 }
            PropertyChanges { target: ripple4; opacity: 0.5 }
            PropertyChanges { target: ripple5; opacity: 0.4 }
            PropertyChanges { target: ripple6; opacity: 0.3 }
            PropertyChanges { target: ripple7; opacity: 0.2 }
            PropertyChanges { target: ripple8; opacity: 0.1 }
        }

        // Each time the ripple appears it fades in afresh (linearly); while it stays, nothing replays.
        transitions: Transition {
            to: "shown"
            ParallelAnimation {
                NumberAnimation { target: ripple1; property: "opacity"; from: 0.6; duration: 500 }
                NumberAnimation { target: ripple2; property: "opacity"; from: 0.05; duration: 500 }
                NumberAnimation { target: ripple3; property: "opacity"; from: 0; duration: 500 }
                NumberAnimation { target: ripple4; property: "opacity"; from: 0; duration: 500 }
                NumberAnimation { target: ripple5; property: "opacity"; from: 0; duration: 500 }
                NumberAnimation { target: ripple6; property: "opacity"; from: 0; duration: 500 }
                NumberAnimation { target: ripple7; property: "opacity"; from: 0; duration: 500 }
                NumberAnimation { target: ripple8; property: "opacity"; from: 0; duration: 500 }
            }
        }
    }

    states: [
        State {
            name: "untest"
        },
        State {
            name: "tested"
            PropertyChanges { target: dial; ticksPainted: true }
            PropertyChanges { target: shockBackground; color: "#0B606E" }
            PropertyChanges { target: shockText; color: "#FFFFFF" }
        },
        State {
            name: "testing"
            extend: "tested"
        }
    ]
}
