import QtQuick 2.15

// The back of the controller as glowing line art: body, centre piece, bumpers, triggers,
// the four paddles and the two vibration dials. Seen from behind, the controller's right
// side is on the left of the picture.
Item {
    id: handleBack

    // Colour of the glow around every outline.
    property color styleColor: "#FFFFFF"
    // Test modes of the triggers, which the dials show.
    property int testModeLb: 0
    property int testModeRb: 0
    property alias shockLeft: shockLeft
    property alias shockRight: shockRight

    width: 700
    height: 480

    Repeater {
        objectName: "outlines"
        model: [
            { name: "Back_main", x: -11, y: -9, width: 702, height: 454 },
            { name: "Back_t", x: 253, y: 23, width: 169, height: 113 },
            { name: "Back_topR", x: 89, y: -41, width: 93, height: 77 },
            { name: "Back_RB", x: 160, y: -25, width: 88, height: 45 },
            { name: "Back_middleR", x: 191, y: 162, width: 93, height: 47 },
            { name: "Back_downR", x: 199, y: 201, width: 85, height: 112 },
            { name: "Back_LB", x: 429, y: -25, width: 88, height: 45 },
            { name: "Back_topL", x: 499, y: -42, width: 93, height: 77 },
            { name: "Back_middleL", x: 382, y: 162, width: 93, height: 47 },
            { name: "Back_downL", x: 382, y: 201, width: 85, height: 112 },
            { name: "Back_topLine", x: 244, y: -12, width: 185, height: 4 }
        ]
        GrowImage {
            objectName: modelData.name
            x: modelData.x
            y: modelData.y
            width: modelData.width
            height: modelData.height
            source: "images/" + modelData.name + ".svg"
            color: handleBack.styleColor
        }
    }

    ShockLeft {
        id: shockLeft
        objectName: "shockLeft"
        x: 518
        y: 242
        testMode: handleBack.testModeLb
    }

    ShockRight {
        id: shockRight
        objectName: "shockRight"
        x: 0
        y: 228
        testMode: handleBack.testModeRb
    }
}
