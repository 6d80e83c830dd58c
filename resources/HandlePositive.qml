import QtQuick 2.15
import nimbo4 1.0

// The front of the controller as glowing line art in a frame of the window's design size:
// body, sticks, cross pad, guide button with its animated logo and the two vibration
// dials. The test view lays its indicators over it in the same frame.
Item {
    id: handlePositive

    // Colour of the glow around every outline.
    property color styleColor: "#FFFFFF"
    // Test modes of the triggers, which the dials show.
    property int testModeLb: 0
    property int testModeRb: 0
    property alias shockLeft: shockLeft
    property alias shockRight: shockRight
    property alias xboxLogo: xboxLogo

    width: Constants.width
    height: Constants.height
    anchors.centerIn: parent

    GrowImage {
        objectName: "body"
        x: 241
        y: -50
        width: 800
        height: 800
        source: "images/positive_main.svg"
        color: handlePositive.styleColor
    }

    ShockLeft {
        id: shockLeft
        objectName: "shockLeft"
        x: 296
        y: 396
        testMode: handlePositive.testModeLb
    }

    ShockRight {
        id: shockRight
        objectName: "shockRight"
        x: 823
        y: 396
        testMode: handlePositive.testModeRb
    }

    GrowImage {
        objectName: "guideRing"
        x: 617
        y: 173
        width: 45
        height: 45
        source: "images/Icon_ellipse.svg"
        color: handlePositive.styleColor
    }

    // Centred on the 35 x 35 square of the guide button at (622, 179).
    XboxLogo {
        id: xboxLogo
        objectName: "xboxLogo"
        x: 622 + 35 / 2 - width / 2
        y: 179 + 35 / 2 - height / 2
        width: 100
        height: 100
    }

    // The two sticks: ring, cap, four ticks, centre mark and sight frame each.
    Repeater {
        model: [Qt.point(405, 195), Qt.point(648, 303)]
        GrowImage {
            objectName: "stickRing" + index
            x: modelData.x
            y: modelData.y
            width: 131
            height: 131
            source: "images/Left_turn.svg"
            color: handlePositive.styleColor
        }
    }

    Repeater {
        model: [Qt.point(450, 239), Qt.point(693, 348)]
        GrowImage {
            objectName: "stickCap" + index
            x: modelData.x
            y: modelData.y
            width: 42
            height: 42
            source: "images/Left_turnSmall.svg"
            color: handlePositive.styleColor
        }
    }

    Repeater {
        model: [Qt.vector3d(464, 201, 0), Qt.vector3d(496, 235, 90), Qt.vector3d(463, 269, 180), Qt.vector3d(429, 235, 270),
                Qt.vector3d(706, 309, 0), Qt.vector3d(739, 344, 90), Qt.vector3d(706, 376, 180), Qt.vector3d(674, 344, 270)]
        GrowImage {
            objectName: "stickTick" + index
            x: modelData.x
            y: modelData.y
            width: 16
            height: 51
            rotation: modelData.z
            source: "images/Left_trunLine.svg"
            color: handlePositive.styleColor
        }
    }

    Repeater {
        model: [Qt.point(465, 254), Qt.point(708, 363)]
        GrowImage {
            objectName: "stickMark" + index
            x: modelData.x
            y: modelData.y
            width: 12
            height: 12
            source: "images/Left_collimation.svg"
            color: handlePositive.styleColor
        }
    }

    Repeater {
        model: [Qt.point(430, 216), Qt.point(674, 325)]
        GrowImage {
            objectName: "stickFrame" + index
            x: modelData.x
            y: modelData.y
            width: 81
            height: 89
            opacity: 0.5
            source: "images/Left_rectangle.svg"
            color: handlePositive.styleColor
        }
    }

    GrowImage {
        objectName: "crossPad"
        x: 511
        y: 319
        width: 97
        height: 99
        source: "images/DirectionButton.svg"
        color: handlePositive.styleColor
    }

    // Arrows of up, down, left and right; the picture points right at rotation 0.
    Repeater {
        model: [Qt.vector3d(550, 319, 270), Qt.vector3d(550, 390, 90), Qt.vector3d(515, 356, 180), Qt.vector3d(583, 356, 0)]
        GrowImage {
            objectName: "crossArrow" + index
            x: modelData.x
            y: modelData.y
            width: 20
            height: 28
            rotation: modelData.z
            source: "images/positive_r.svg"
            color: handlePositive.styleColor
        }
    }

    // Marks of the four diagonals in the corners between the arms.
    Repeater {
        model: [Qt.vector3d(517, 318, 45), Qt.vector3d(586, 318, 135), Qt.vector3d(585, 386, 225), Qt.vector3d(517, 387, 315)]
        GrowImage {
            objectName: "crossCorner" + index
            x: modelData.x
            y: modelData.y
            width: 16
            height: 33
            rotation: modelData.z
            source: "images/triangle.svg"
            color: handlePositive.styleColor
        }
    }
}
