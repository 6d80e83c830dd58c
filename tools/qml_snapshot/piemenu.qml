import QtQuick 2.15
import QtQuick.Window 2.15
import "qrc:/"

// The six-sector pie menu open at its size in the bottom area (1174 x 300), for
// qml_snapshot:
//   build/tools/bin/qml_snapshot tools/qml_snapshot/piemenu.qml /tmp/piemenu.png
// Top: sector 4 (play) highlighted as the pointer or a stick does it, over a dark blue.
// Bottom: the muted icon set with sector 0 highlighted, over black.
Window {
    id: window

    readonly property var icons: ["qrc:/images/Volume-2-Mute_240px.png", "qrc:/images/Music-Doc_240px.png",
        "qrc:/images/Pause-Button_240px.png", "qrc:/images/Prev-Button_240px.png",
        "qrc:/images/Play--Button_240px.png", "qrc:/images/Next-Button_240px.png"]

    width: 1174
    height: 600
    visible: true
    color: "black"

    Rectangle {
        width: 1174
        height: 300
        color: "#203040"

        PieMenu {
            anchors.fill: parent
            state: "active"
            sectorCount: 6
            sectorIcons: window.icons
            Component.onCompleted: sectors[4].highlighted = true
        }
    }

    PieMenu {
        y: 300
        width: 1174
        height: 300
        state: "active"
        sectorCount: 6
        sectorIcons: ["qrc:/images/Volume-2-3_240px.png"].concat(window.icons.slice(1))
        Component.onCompleted: sectors[0].highlighted = true
    }
}
