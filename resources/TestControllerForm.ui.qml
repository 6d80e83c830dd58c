import QtQuick 2.15
import QtGamepad 1.15
import com.corvane.diagnostics 1.0
import nimbo4 1.0
import "padhealth"
import "mappingwizard"

// Layout of the controller test: the program's one gamepad object, the controller
// picture with its indicators, the four slot badges at the lower left and the
// front/back switch at the right edge.
Item {
    id: form

    // Device id of the gamepad on show, -1 for none; the gamepad object follows it.
    property var currentDeviceId: -1
    // Whether any slot holds a gamepad; the view shows the controller only then.
    property bool gamepadPresent: false
    // Whether the user chose the back of the controller.
    property bool backChosen: false
    // Whether the user chose the pad health view, shown in place of the picture.
    property bool healthChosen: false
    // SysInfo.gamepads entries of the joysticks SDL has no mapping for.
    property var unmappedPads: []
    // The current slot's test progress by input, as the pad report carries it.
    property var slotProgress: ({})
    // Colour in which the drawings and the dials glow.
    property color styleColor: "#FFFFFF"
    // Whether the mapping wizard's panel is open; while the wizard asks for controls the
    // picture shows the side of the one asked for, lit.
    property bool mappingOpen: false
    readonly property bool mappingActive: mappingOpen && (mappingWizard.phase === MappingWizard.Starting
                                                         || mappingWizard.phase === MappingWizard.Asking)

    // Vibration strengths as the dials show them, 0..1 in steps of shockL (one tick).
    readonly property real shockL: 0.0344827586206897
    property real shockButtonValL: 0
    property real shockButtonValR: 0

    property alias gamepad: gamepad
    property alias controller: controller
    property alias gamepadButton1: gamepadButton1
    property alias gamepadButton2: gamepadButton2
    property alias gamepadButton3: gamepadButton3
    property alias gamepadButton4: gamepadButton4
    property alias frontSwitch: frontSwitch
    property alias backSwitch: backSwitch
    property alias frontSwitchMouse: frontSwitchMouse
    property alias backSwitchMouse: backSwitchMouse
    property alias healthSwitch: healthSwitch
    property alias healthSwitchMouse: healthSwitchMouse
    property alias padHealth: padHealth
    property alias healthView: healthView
    property alias mappingNotice: mappingNotice
    property alias mappingWizard: mappingWizard
    property alias mappingPanel: mappingPanel
    property alias mappingHighlight: mappingHighlight

    property alias testModeA: controller.testModeA
    property alias testModeB: controller.testModeB
    property alias testModeX: controller.testModeX
    property alias testModeY: controller.testModeY
    property alias testModeStart: controller.testModeStart
    property alias testModeBack: controller.testModeBack
    property alias testModeUp: controller.testModeUp
    property alias testModeDown: controller.testModeDown
    property alias testModeLeft: controller.testModeLeft
    property alias testModeRight: controller.testModeRight
    property alias testModeLeftUp: controller.testModeLeftUp
    property alias testModeLeftDown: controller.testModeLeftDown
    property alias testModeRightUp: controller.testModeRightUp
    property alias testModeRightDown: controller.testModeRightDown
    property alias testModeRt: controller.testModeRt
    property alias testModeRb: controller.testModeRb
    property alias testModeLt: controller.testModeLt
    property alias testModeLb: controller.testModeLb

    property alias shockLeft: controller.shockLeft
    property alias shockRight: controller.shockRight
    property alias shockLeftBack: controller.shockLeftBack
    property alias shockRightBack: controller.shockRightBack

    width: Constants.width
    height: Constants.height

    Gamepad {
        id: gamepad
        deviceId: form.currentDeviceId
    }

    // The measurements of every connected pad, kept while it stays connected.
    PadHealthModel {
        id: padHealth
        objectName: "padHealth"
        deviceId: form.currentDeviceId
        shown: form.healthChosen
    }

    Controller {
        id: controller
        objectName: "controller"
        width: 700
        height: 480
        anchors.centerIn: parent
        visible: !form.healthChosen
        styleColor: form.styleColor
        axisLeftX: gamepad.axisLeftX
        axisLeftY: gamepad.axisLeftY
        axisRightX: gamepad.axisRightX
        axisRightY: gamepad.axisRightY
    }

    // Makes a mapping for the pad the pad health view names, one control at a time.
    MappingWizard {
        id: mappingWizard
        objectName: "mappingWizard"
    }

    // The control asked for, lit on the picture (the controller's 700 x 480 frame).
    Item {
        id: mappingLayer
        anchors.fill: controller
        visible: form.mappingActive

        ControlHighlight {
            id: mappingHighlight
            objectName: "mappingHighlight"
            control: mappingWizard.control
        }
    }

    // Beside the picture, clear of it, above the mapping notice (as tall as its
    // contents, at most some 330 px); made when opened.
    Loader {
        id: mappingPanel
        objectName: "mappingPanel"
        x: 16
        y: 178
        width: 232
        active: form.mappingOpen
        visible: form.mappingOpen
        sourceComponent: MappingWizardPanel {
            wizard: mappingWizard
        }
    }

    Item {
        id: badgeColumn
        x: 20
        width: 133
        height: 130
        anchors.top: parent.bottom
        anchors.topMargin: -160

        LittleGamepad {
            id: gamepadButton1
            objectName: "gamepadButton1"
            x: 0
            y: 0
        }

        LittleGamepad {
            id: gamepadButton2
            objectName: "gamepadButton2"
            x: 1
            y: 39
        }

        LittleGamepad {
            id: gamepadButton3
            objectName: "gamepadButton3"
            x: 0
            y: 76
        }

        LittleGamepad {
            id: gamepadButton4
            objectName: "gamepadButton4"
            x: 0
            y: 113
        }
    }

    Item {
        id: viewSwitch
        width: 66
        height: 126
        anchors.right: parent.right
        anchors.rightMargin: 40
        anchors.verticalCenter: parent.verticalCenter

        ColoredImage {
            id: frontSwitch
            objectName: "frontSwitch"
            x: 0
            y: 0
            width: 64
            height: 42
            source: controller.state === "found" && !form.healthChosen ? "images/Icon_positiveTest.svg"
                                                                        : "images/positive_handle.svg"

            MouseArea {
                id: frontSwitchMouse
                objectName: "frontSwitchMouse"
                anchors.fill: parent
                enabled: false
            }
        }

        ColoredImage {
            id: backSwitch
            objectName: "backSwitch"
            x: 0
            y: 82
            width: 64
            height: 42
            source: controller.state === "foundBack" && !form.healthChosen ? "images/Icon_backTest.svg"
                                                                            : "images/no_handle.svg"

            MouseArea {
                id: backSwitchMouse
                objectName: "backSwitchMouse"
                anchors.fill: parent
                enabled: false
            }
        }
    }

    ColoredImage {
        id: healthSwitch
        objectName: "healthSwitch"
        anchors.left: viewSwitch.left
        anchors.top: viewSwitch.bottom
        anchors.topMargin: 38
        width: 64
        height: 42
        source: form.healthChosen ? "images/Icon_healthTest.svg" : "images/health_handle.svg"
        opacity: form.gamepadPresent || form.unmappedPads.length > 0 ? 1 : 0.51

        MouseArea {
            id: healthSwitchMouse
            objectName: "healthSwitchMouse"
            anchors.fill: parent
            enabled: form.gamepadPresent || form.unmappedPads.length > 0
        }
    }

    // In place of the controller picture while chosen; made when shown (the figures
    // live in padHealth).
    Loader {
        id: healthView
        objectName: "healthView"
        anchors.fill: parent
        active: form.healthChosen
        visible: form.healthChosen
        z: -1
        sourceComponent: PadHealthView {
            pads: form.padHealth
            gamepad: form.gamepad
            progress: form.slotProgress
            unmappedPads: form.unmappedPads
        }
    }

    MappingNotice {
        id: mappingNotice
        objectName: "mappingNotice"
        x: badgeColumn.x
        anchors.bottom: badgeColumn.top
        anchors.bottomMargin: 10
        count: form.unmappedPads.length
    }

    states: [
        // The first state whose condition holds is taken. While the wizard's panel is open
        // the picture shows (the pad health view comes back after): while it asks, the side
        // of the control asked for; once it is done, the pad as it is now, so a mapping
        // just applied can be tried at once.
        State {
            name: "mapping"
            when: form.mappingOpen

            PropertyChanges {
                target: form
                healthChosen: false
            }

            PropertyChanges {
                target: controller
                state: form.mappingActive ? (mappingWizard.picture === "back" ? "foundBack" : "found")
                                          : (form.gamepadPresent ? (form.backChosen ? "foundBack" : "found")
                                                                 : "unfound")
                opacity: 1
            }

            PropertyChanges {
                target: frontSwitchMouse
                enabled: form.gamepadPresent && !form.mappingActive
            }

            PropertyChanges {
                target: backSwitchMouse
                enabled: form.gamepadPresent && !form.mappingActive
            }

            PropertyChanges {
                target: healthSwitchMouse
                enabled: false
            }

            PropertyChanges {
                target: mappingNotice
                enabled: false
            }
        },
        State {
            name: "unfound"
            when: !form.gamepadPresent

            PropertyChanges {
                target: controller
                state: "unfound"
            }

            PropertyChanges {
                target: frontSwitch
                opacity: 0.51
            }

            PropertyChanges {
                target: backSwitch
                opacity: 0.51
            }

            PropertyChanges {
                target: frontSwitchMouse
                enabled: form.healthChosen
            }

            PropertyChanges {
                target: backSwitchMouse
                enabled: form.healthChosen
            }
        },
        State {
            name: "found"
            when: form.gamepadPresent

            PropertyChanges {
                target: controller
                state: form.backChosen ? "foundBack" : "found"
                opacity: 1
            }

            PropertyChanges {
                target: frontSwitchMouse
                enabled: true
            }

            PropertyChanges {
                target: backSwitchMouse
                enabled: true
            }
        }
    ]
}
