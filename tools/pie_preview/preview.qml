// The six-sector pie menu of the bottom area, open, at the size it has in a 1280 x 800
// window (1174 x 300).
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/pie_preview \
//       hover=4 press=4 background=#203040 grab=/tmp/pie.png
// hover=N highlights sector N as the pointer or a stick would, press=N plays its press
// glow, muted=1 shows the other volume icon; with grab=FILE it saves the window once the
// icons are loaded and the press glow has ended, then quits.
import QtQuick 2.15
import QtQuick.Window 2.15
import "qrc:/"

Window {
    id: window

    property var options: {
        var result = {}
        for (var i = 0; i < previewArguments.length; ++i) {
            var eq = previewArguments[i].indexOf("=")
            if (eq > 0)
                result[previewArguments[i].substring(0, eq)] = previewArguments[i].substring(eq + 1)
        }
        return result
    }
    readonly property int hovered: options.hover === undefined ? -1 : Number(options.hover)
    readonly property int pressed: options.press === undefined ? -1 : Number(options.press)
    readonly property bool ready: {
        for (var i = 0; i < menu.sectors.length; ++i) {
            if (menu.sectors[i].pressing || menu.sectors[i].iconImage.status !== Image.Ready)
                return false
        }
        return menu.sectors.length > 0
    }

    width: 1174
    height: 300
    visible: true

    // The picture is taken of this backdrop with the menu on it.
    Rectangle {
        id: stage
        anchors.fill: parent
        color: window.options.background || "#203040"
    }

    PieMenu {
        id: menu
        parent: stage
        anchors.fill: parent
        state: "active"
        sectorCount: 6
        sectorIcons: [window.options.muted === "1" ? "qrc:/images/Volume-2-3_240px.png"
                                                   : "qrc:/images/Volume-2-Mute_240px.png",
            "qrc:/images/Music-Doc_240px.png", "qrc:/images/Pause-Button_240px.png",
            "qrc:/images/Prev-Button_240px.png", "qrc:/images/Play--Button_240px.png",
            "qrc:/images/Next-Button_240px.png"]
        Component.onCompleted: {
            if (window.hovered >= 0 && window.hovered < sectors.length)
                sectors[window.hovered].highlighted = true
            if (window.pressed >= 0 && window.pressed < sectors.length)
                sectors[window.pressed].press()
        }
    }

    // Keeps frames coming while the tool waits for everything to settle.
    Item {
        NumberAnimation on rotation {
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
    }

    // Waits two frames after everything settled, so the glows have drawn their cache.
    property int settledFrames: 0
    onFrameSwapped: {
        if (!options.grab || !ready || ++settledFrames < 3)
            return
        settledFrames = -1000
        stage.grabToImage(function(result) {
            result.saveToFile(window.options.grab)
            console.log("saved", window.options.grab)
            Qt.quit()
        })
    }
}
