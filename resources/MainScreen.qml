import QtQuick 2.15
import QtQuick.Layouts 1.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import QtGamepad 1.15
import com.corvane.multimedia 1.0
import com.corvane.io 1.0
import com.corvane.system 1.0
import Qt.labs.platform 1.1
import nimbo4 1.0

// Everything the window shows. Stacking follows declaration order: background layers
// first, then the chrome (window bar, middle area, bottom area), then the dialogs.
Item {
    id: mainScreen

    property alias windowBarMouseArea: windowBarMouseArea
    property alias windowMinimizeButton: windowMinimize
    property alias windowZoomButton: windowZoom
    property alias windowCloseButton: windowClose
    property alias columnLayout: columnLayout
    property alias sceneEffect: sceneEffect
    property alias test: test

    // The colour in which the controller drawings and the vibration dials glow.
    property color styleColor: "#FFFFFF"

    width: Constants.width
    height: Constants.height
    state: "test"

    // The background scene; a stick of the gamepad on show steers it.
    ShaderToyEffect {
        id: sceneEffect
        objectName: "sceneEffect"
        anchors.fill: parent
        gamepad: test.gamepad
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
            }

            ColumnLayout {
                id: bottomAreaRight
                Layout.alignment: Qt.AlignRight
                Layout.preferredWidth: 48
                Layout.minimumWidth: 48
                Layout.maximumWidth: 48
                Layout.fillHeight: true
                spacing: 8
            }
        }
    }

    states: [
        State {
            name: "test"

            PropertyChanges {
                target: test
                visible: true
            }
        }
    ]
}
