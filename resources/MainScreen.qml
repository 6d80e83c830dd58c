import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import QtGamepad 1.15
import com.corvane.multimedia 1.0
import com.corvane.io 1.0
import com.corvane.system 1.0
import com.corvane.scene 1.0
import Qt.labs.platform 1.1
import nimbo4 1.0

// Everything the window shows. Stacking follows declaration order: the scene list, the
// background layers, then the chrome (window bar, middle area, bottom area), then the
// dialogs. The actions are declared here; Main gives them their work.
Item {
    id: mainScreen

    property alias windowBarMouseArea: windowBarMouseArea
    property alias windowMinimizeButton: windowMinimize
    property alias windowZoomButton: windowZoom
    property alias windowCloseButton: windowClose
    property alias columnLayout: columnLayout
    property alias sceneEffect: sceneEffect
    property alias scenePicture: scenePicture
    property alias test: test
    property alias scenesFile: scenesFile
    property alias scenes: scenes
    property alias mediaButton: mediaButton
    property alias pieMenu: pieMenu
    property alias fullScreenButton: fullScreenButton
    property alias aboutButton: aboutButton
    property alias prefDialog: prefDialog
    property alias fileDialog: fileDialog
    property alias aboutDialog: aboutDialog

    property alias actionPlay: actionPlay
    property alias actionPrev: actionPrev
    property alias actionNext: actionNext
    property alias actionPause: actionPause
    property alias actionMuted: actionMuted
    property alias actionOpenMusic: actionOpenMusic
    property alias actionFullScreen: actionFullScreen
    property alias actionHelp: actionHelp

    // The colour in which the controller drawings and the vibration dials glow.
    property color styleColor: "#FFFFFF"
    // Where the list of background scenes is read from, once, at start-up.
    property url sceneListSource: "file:scenes.json"
    // The scene's picture as a share of the window's size: 0 lets it follow what the
    // renderer manages, a value up to 1 fixes it (the host's --scene-scale).
    property real sceneScale: 0
    // Taken from the window this screen is shown in, whichever window that is.
    readonly property bool fullScreen: Window.visibility === Window.FullScreen

    width: Constants.width
    height: Constants.height
    state: "test"

    FileIo {
        id: scenesFile
        source: mainScreen.sceneListSource
    }

    // One row per scene of the list, the whole scene object under the role "scene".
    ListModel {
        id: scenes
        property int currentIndex: 0
    }

    // The background scene; a stick of the gamepad on show steers it. It dims a little
    // while a controller is connected and the test view is drawn over it.
    ShaderToyEffect {
        id: sceneEffect
        objectName: "sceneEffect"
        anchors.fill: parent
        gamepad: test.gamepad
        opacity: GamepadManager.connectedGamepads.length > 0 && !mainScreen.fullScreen ? 0.90 : 1
        // The scene sees the size it is drawn at: its clock, pointer and stick inputs and
        // its pixels all count in the picture's pixels.
        resolution: Qt.size(Math.max(1, Math.round(width * SceneAdapter.scale)),
                            Math.max(1, Math.round(height * SceneAdapter.scale)))
    }

    // Where the renderer does not keep up, the scene is drawn into this texture at a
    // smaller size, only on the scene clock's ticks, and scaled up smoothly; otherwise the
    // scene draws itself in place and this item is off.
    ShaderEffectSource {
        id: scenePicture
        objectName: "scenePicture"
        anchors.fill: parent
        visible: SceneAdapter.layered
        sourceItem: visible ? sceneEffect : null
        hideSource: visible
        live: false
        smooth: true
        // Drawn the window's way up, so gl_FragCoord counts from the bottom left as it does
        // when the scene draws itself in place.
        textureMirroring: ShaderEffectSource.NoMirroring
        textureSize: sceneEffect.resolution
        opacity: sceneEffect.opacity
    }

    Connections {
        target: SceneAdapter
        function onTicked() {
            if (scenePicture.visible)
                scenePicture.scheduleUpdate()
        }
    }

    // The frames of this screen's window set the scene's size and rate.
    Binding {
        target: SceneAdapter
        property: "window"
        value: mainScreen.Window.window
    }

    Binding {
        target: SceneAdapter
        property: "fixedScale"
        value: mainScreen.sceneScale
    }

    // The controller test, over the scene and under the chrome.
    TestController {
        id: test
        objectName: "test"
        anchors.fill: parent
        styleColor: mainScreen.styleColor
    }

    ColumnLayout {
        id: columnLayout
        anchors.fill: parent
        spacing: 0

        Item {
            id: windowBar
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignTop
            Layout.preferredHeight: 50
            Layout.minimumHeight: 50
            Layout.maximumHeight: 50

            // Invisible drag strip, clear of the icon, the title and the buttons.
            Rectangle {
                id: windowControlBar
                width: 950
                height: 50
                anchors.top: parent.top
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.horizontalCenterOffset: 70
                opacity: 0

                MouseArea {
                    id: windowBarMouseArea
                    property int dx: 0
                    property int dy: 0
                    anchors.fill: parent
                }
            }

            ColoredImage {
                id: windowIcon
                x: 30
                y: 30
                width: 24
                height: 14
                source: "images/Icon_top.svg"
            }

            Text {
                id: windowTitle
                x: 66
                y: 30
                text: "Fennix 游戏手柄测试 1.0"
                color: "#fff"
                font.family: Constants.font.family
                font.pixelSize: 14
                font.weight: Font.Medium
            }

            ImageButton {
                id: windowMinimize
                width: 12
                height: 12
                y: 39
                anchors.right: parent.right
                anchors.rightMargin: 60
                source: "images/Icon_minimize.svg"
                fillMode: Image.PreserveAspectFit
                sourceSize: Qt.size(64, 64)
            }

            ImageButton {
                id: windowClose
                width: 12
                height: 12
                y: 34
                anchors.right: parent.right
                anchors.rightMargin: 40
                source: "images/Icon_ionic-md-close.svg"
                fillMode: Image.PreserveAspectFit
                sourceSize: Qt.size(64, 64)
            }

            ImageButton {
                id: windowZoom
                width: 12
                height: 12
                y: 34
                anchors.right: parent.right
                anchors.rightMargin: 20
                source: "images/Icon_zoom.svg"
                fillMode: Image.PreserveAspectFit
                sourceSize: Qt.size(64, 64)
            }
        }

        Item {
            id: middleArea
            Layout.fillWidth: true
            Layout.fillHeight: true
        }

        RowLayout {
            id: bottomArea
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignBottom
            Layout.preferredHeight: 300
            Layout.minimumHeight: 300
            Layout.maximumHeight: 300
            Layout.bottomMargin: 20

            Item {
                id: bottomAreaLeft
                Layout.alignment: Qt.AlignLeft
                Layout.preferredWidth: 48
                Layout.minimumWidth: 48
                Layout.maximumWidth: 48
                Layout.fillHeight: true
            }

            Item {
                id: mediaButtonArea
                Layout.fillWidth: true
                Layout.fillHeight: true

                MediaButton {
                    id: mediaButton
                    objectName: "mediaButton"
                    width: 300
                    height: 150
                    anchors.centerIn: parent
                }

                // Sector order: mute, open music, pause, previous, play, next, clockwise
                // from the right.
                PieMenu {
                    id: pieMenu
                    objectName: "pieMenu"
                    anchors.fill: parent
                    z: 100
                    sectorCount: 6
                    // While the mapping wizard asks for controls, the pad's presses are
                    // answers, not menu commands.
                    gamepad: test.mappingActive ? null : test.gamepad
                    sectorIcons: [
                        sceneEffect.muted ? "qrc:/images/Volume-2-3_240px.png" : "qrc:/images/Volume-2-Mute_240px.png",
                        "qrc:/images/Music-Doc_240px.png",
                        "qrc:/images/Pause-Button_240px.png",
                        "qrc:/images/Prev-Button_240px.png",
                        "qrc:/images/Play--Button_240px.png",
                        "qrc:/images/Next-Button_240px.png"
                    ]
                    actions: [actionMuted, actionOpenMusic, actionPause, actionPrev, actionPlay, actionNext]

                    Behavior on opacity {
                        NumberAnimation {
                            duration: 500
                            easing.type: Easing.OutInBounce
                        }
                    }
                }
            }

            ColumnLayout {
                id: bottomAreaRight
                Layout.alignment: Qt.AlignRight
                Layout.preferredWidth: 48
                Layout.minimumWidth: 48
                Layout.maximumWidth: 48
                Layout.fillHeight: true
                spacing: 8

                Item {
                    Layout.fillHeight: true
                }

                SvgIconButton {
                    id: fullScreenButton
                    objectName: "fullScreenButton"
                    Layout.preferredWidth: 20
                    Layout.preferredHeight: 20
                    Layout.alignment: Qt.AlignBottom | Qt.AlignLeft
                    icon: "qrc:/images/full-screen.svg"
                    action: actionFullScreen
                }

                SvgIconButton {
                    id: aboutButton
                    objectName: "aboutButton"
                    Layout.preferredWidth: 20
                    Layout.preferredHeight: 20
                    Layout.alignment: Qt.AlignBottom | Qt.AlignLeft
                    icon: "qrc:/images/aboutme.svg"
                    action: actionHelp
                }

                Item {
                    Layout.preferredHeight: 20
                    Layout.minimumHeight: 20
                    Layout.maximumHeight: 20
                }
            }
        }
    }

    PrefDialog {
        id: prefDialog
        objectName: "prefDialog"
        anchors.centerIn: parent
    }

    FileDialog {
        id: fileDialog
        objectName: "fileDialog"
        fileMode: FileDialog.OpenFile
        nameFilters: ["Music files (*.wav *.mp3 *.ogg)", "All files (*.*)"]
        defaultSuffix: "mp3"
    }

    AboutDialog {
        id: aboutDialog
        objectName: "aboutDialog"
        model: SysInfo.model
    }

    Action {
        id: actionPlay
    }
    Action {
        id: actionPrev
    }
    Action {
        id: actionNext
    }
    Action {
        id: actionPause
    }
    Action {
        id: actionMuted
        checkable: true
        checked: sceneEffect.muted
    }
    Action {
        id: actionOpenMusic
    }
    Action {
        id: actionFullScreen
    }
    Action {
        id: actionHelp
    }

    states: [
        State {
            name: "test"

            // Full screen shows the scene and the chrome alone. Both follow the window,
            // however it got into or out of full screen.
            PropertyChanges {
                target: test
                visible: !mainScreen.fullScreen
            }
            PropertyChanges {
                target: fullScreenButton
                icon: mainScreen.fullScreen ? "qrc:/images/full-screen-cancel.svg" : "qrc:/images/full-screen.svg"
            }
        }
    ]
}
