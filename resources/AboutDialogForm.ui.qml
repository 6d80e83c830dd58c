import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import com.corvane.system 1.0
import com.corvane.treeview 1.0
import nimbo4 1.0

// The About window: the system information tree beside the splash picture.
WindowDialog {
    id: aboutDialog

    property alias model: treeView.model
    property alias treeView: treeView
    property alias busyIndicator: busyIndicator
    property alias picture: picture

    width: 800
    height: 400
    title: " me "

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        anchors.bottomMargin: 6
        anchors.topMargin: 0

        Item {
            Layout.preferredWidth: 300
            Layout.fillHeight: true
            Layout.alignment: Qt.AlignLeft

            BusyIndicator {
                id: busyIndicator
                objectName: "busyIndicator"
                width: 64
                height: 64
                anchors.centerIn: parent
                running: SysInfo.scanning
            }

            TreeView {
                id: treeView
                objectName: "treeView"
                anchors.fill: parent
                clip: true
                focus: true
                navigationMode: TreeView.Table
                styleHints.indicator: "white"
                styleHints.font: Constants.smallFont
                styleHints.indent: 18
                styleHints.columnPadding: 20
                styleHints.foregroundOdd: "white"
                styleHints.foregroundEven: "white"
                styleHints.foregroundCurrent: "white"
                styleHints.overlay: "#FFFFFFFF"
            }
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: "black"

            Image {
                id: picture
                objectName: "picture"
                anchors.fill: parent
                source: "qrc:/images/about.jpg"
                mipmap: true
            }
        }
    }
}
