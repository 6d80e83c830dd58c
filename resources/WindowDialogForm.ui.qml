import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Layouts 1.15
import nimbo4 1.0

// A frameless dialog window with its own title bar and close box. Whatever is
// declared inside it lands in the content area under the bar.
Window {
    id: windowDialog

    default property alias items: content.data
    property alias title: titleText.text
    property alias titleBar: titleBar
    property alias dragArea: dragArea
    property alias closeBox: closeBox
    property alias closeArea: closeArea
    property alias content: content

    width: 500
    height: 600
    flags: Qt.FramelessWindowHint | Qt.Dialog | Qt.WindowStaysOnTopHint
    modality: Qt.ApplicationModal

    Rectangle {
        id: background
        anchors.fill: parent
        color: "#44494F"
        border.color: "#32363F"

        ColumnLayout {
            anchors.fill: parent
            spacing: 0

            Rectangle {
                id: titleBar
                objectName: "titleBar"
                Layout.fillWidth: true
                Layout.preferredHeight: 30
                Layout.alignment: Qt.AlignTop
                color: "#40444D"
                border.color: "#32363F"

                Text {
                    id: titleText
                    anchors.left: parent.left
                    anchors.leftMargin: 5
                    anchors.verticalCenter: parent.verticalCenter
                    color: "#FFFFFF"
                    font: Constants.font
                }

                MouseArea {
                    id: dragArea
                    objectName: "dragArea"
                    anchors.fill: parent
                }

                Rectangle {
                    id: closeBox
                    objectName: "closeBox"
                    width: 40
                    height: 30
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    color: "transparent"
                    border.color: "transparent"

                    Rectangle {
                        width: 1
                        height: 15
                        anchors.centerIn: parent
                        rotation: 45
                        color: "#FFFFFF"
                    }
                    Rectangle {
                        width: 1
                        height: 15
                        anchors.centerIn: parent
                        rotation: -45
                        color: "#FFFFFF"
                    }

                    MouseArea {
                        id: closeArea
                        objectName: "closeArea"
                        anchors.fill: parent
                        hoverEnabled: true
                    }
                }
            }

            Item {
                id: content
                objectName: "content"
                Layout.fillWidth: true
                Layout.fillHeight: true
            }
        }
    }
}
