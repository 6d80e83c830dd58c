pragma Singleton
import QtQuick 2.15

// Values shared by every document: the design size, the interface's fonts and the
// names and label opacities of the three test states (indexed by a control's test mode:
// 0 untested, 1 tested, 2 being tested).
QtObject {
    readonly property int width: 1280
    readonly property int height: 800

    readonly property FontLoader mySystemFont: FontLoader {
        source: "../../fonts/SourceHanSansCN-Bold.otf"
    }
    // Seven segments for numbers; letters take fourteen segments in the same style,
    // since seven cannot draw every letter (X would read as "H").
    readonly property FontLoader ledFont: FontLoader {
        source: "../../fonts/advanced_led_board-7.ttf"
    }
    readonly property FontLoader ledLetterFont: FontLoader {
        source: "../../fonts/DSEG14Classic-Bold.ttf"
    }

    property alias fontDirectory: directoryFontLoader.fontDirectory
    property alias relativeFontDirectory: directoryFontLoader.relativeFontDirectory

    readonly property font font: Qt.font({
        family: mySystemFont.name,
        pixelSize: Qt.application.font.pixelSize
    })
    // Qt.font drops a pixel size that is not a whole number, so the scaled sizes are rounded.
    readonly property font largeFont: Qt.font({
        family: mySystemFont.name,
        pixelSize: Math.round(Qt.application.font.pixelSize * 1.6)
    })
    readonly property font smallFont: Qt.font({
        family: mySystemFont.name,
        pixelSize: Math.round(Qt.application.font.pixelSize * 0.618)
    })

    readonly property color backgroundColor: "#c2c2c2"

    property DirectoryFontLoader directoryFontLoader: DirectoryFontLoader {
        id: directoryFontLoader
    }

    readonly property var testState: ["untest", "tested", "testing"]
    readonly property var testOpacity: [0, 0.29, 1]
}
