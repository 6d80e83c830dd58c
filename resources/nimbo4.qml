import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import QtQuick.Layouts 1.15
import nimbo4 1.0

// The program's one window: frameless, drawn entirely by the main screen.
ApplicationWindow {
    id: applicationWindow

    // True: the next zoom click maximises; false: it restores. Read from the window
    // itself, so that full screen and back, or any other change, cannot put it out of step.
    readonly property bool boolValue: visibility !== Window.Maximized

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
            if (applicationWindow.boolValue)
                applicationWindow.showMaximized()
            else
                applicationWindow.showNormal()
        }
        onWindowMinimizeClicked: applicationWindow.showMinimized()
    }

    Component.onCompleted: {
        showNormal()
        requestActivate()
    }
}
