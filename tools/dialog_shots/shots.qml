import QtQuick 2.15
import QtQuick.Window 2.15
import com.corvane.system 1.0
import "qrc:/"

// A grey stand-in for the main screen that owns styleColor and the two dialogs; the
// shots are taken once each dialog has drawn.
Window {
    id: stage

    // As on the main screen, the dialogs find styleColor on the document's root.
    property color styleColor: "#12AAC2"

    width: 600
    height: 360
    visible: true
    color: "#2E3440"

    Rectangle {
        id: screen

        anchors.fill: parent
        color: "#2E3440"

        Text {
            x: 12
            y: 12
            text: "main screen (styleColor " + stage.styleColor + ")"
            color: stage.styleColor
        }

        PrefDialog {
            id: prefDialog
            anchors.centerIn: parent
        }

        AboutDialog {
            id: aboutDialog
            x: stage.x + 40
            y: stage.y + 40
            model: SysInfo.model
        }
    }

    function saved(name) {
        return outputFolder + "/" + name
    }

    Timer {
        id: steps
        property int step: 0
        property bool settingsTaken: false
        interval: 300
        repeat: true
        running: true
        onTriggered: {
            if (step === 0) {
                prefDialog.open()
            } else if (step >= 2 && !settingsTaken && prefDialog.opened) {
                settingsTaken = true
                // The window's root item: the screen and the popup overlay above it. The
                // grab is drawn with the next frame; the dialog stays open until then.
                stage.contentItem.grabToImage(function(result) {
                    result.saveToFile(stage.saved("settings.png"))
                    console.log("saved", stage.saved("settings.png"))
                    prefDialog.close()
                    aboutDialog.showAbout()
                })
            } else if (settingsTaken && step > 3 && !SysInfo.scanning && aboutDialog.treeView.rowCount > 0) {
                running = false
                aboutDialog.contentItem.grabToImage(function(result) {
                    result.saveToFile(stage.saved("about.png"))
                    console.log("saved", stage.saved("about.png"))
                    Qt.quit()
                })
            }
            ++step
        }
    }
}
