import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import QtQuick.Layouts 1.15
import nimbo4 1.0

// The program's one window: frameless, drawn entirely by the main screen.
ApplicationWindow {
    id: applicationWindow

    // True: the next zoom click maximises; false: it restores.
    property bool boolValue: true

    visible: true
    width: Constants.width
    height: Constants.height
    flags: Qt.FramelessWindowHint | Qt.Window
    color: "black"

    Main {
        anchors.fill: parent
        // The host names the scene list to read: the working directory's, or else the
        // one installed with the program.
        sceneListSource: typeof joyvantSceneList !== "undefined" ? joyvantSceneList : "file:scenes.json"
        // The scene's picture size from the command line; 0 adapts it to the renderer.
        sceneScale: typeof joyvantSceneScale !== "undefined" ? joyvantSceneScale : 0

        onWindowOffsetChanged: {
            applicationWindow.x += dx
            applicationWindow.y += dy
        }
        onWindowCloseClicked: {
            console.info("Application closed")
            applicationWindow.close()
        }
        onWindowZoomClicked: {
            if (applicationWindow.boolValue) {
                applicationWindow.boolValue = false
                applicationWindow.showMaximized()
            } else {
                applicationWindow.boolValue = true
                applicationWindow.showNormal()
            }
        }
        onWindowMinimizeClicked: applicationWindow.showMinimized()
    }

    Component.onCompleted: {
        showNormal()
        requestActivate()
    }
}
