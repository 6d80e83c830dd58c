import QtQuick 2.15
import QtTest 1.15
import nimbo4 1.0

TestCase {
    name: "Constants"


    function test_designSizeAndColours() {
        compare(Constants.width, 1280)
        compare(Constants.height, 800)
        compare(String(Constants.backgroundColor), "#c2c2c2")
    }

    function test_testStateVocabulary() {
        compare(Constants.testState.length, 3)
        compare(Constants.testState[0], "untest")
        compare(Constants.testState[1], "tested")
        compare(Constants.testState[2], "testing")
        compare(Constants.testOpacity.length, 3)
        compare(Constants.testOpacity[0], 0)
        compare(Constants.testOpacity[1], 0.29)
        compare(Constants.testOpacity[2], 1)
    }

    function test_bundledFontsLoad() {
        tryCompare(Constants.mySystemFont, "status", FontLoader.Ready)
        tryCompare(Constants.ledFont, "status", FontLoader.Ready)
        tryCompare(Constants.ledLetterFont, "status", FontLoader.Ready)
        compare(Constants.mySystemFont.name, "Joyvant Sans CJK")
        compare(Constants.ledFont.name, "DSEG7 Classic")
        compare(Constants.ledLetterFont.name, "DSEG14 Classic")
        compare(Constants.font.family, Constants.mySystemFont.name)
        compare(Constants.largeFont.family, Constants.mySystemFont.name)
        compare(Constants.smallFont.family, Constants.mySystemFont.name)
    }

    // The three sizes follow the application font; the scaled ones are whole pixels.
    function test_fontPixelSizes_data() {
        return [
            { tag: "font", font: "font", factor: 1 },
            { tag: "largeFont", font: "largeFont", factor: 1.6 },
            { tag: "smallFont", font: "smallFont", factor: 0.618 }
        ]
    }

    function test_fontPixelSizes(data) {
        var base = Qt.application.font.pixelSize
        verify(base > 0)
        var expected = Math.round(base * data.factor)
        compare(Constants[data.font].pixelSize, expected)
        if (data.factor !== 1)
            verify(expected !== base, "the scaled size differs from the application font's")
    }


    // The folder loader lists the bundle's font folder: the three fonts, not fonts.txt.
    function test_bundleFolderListsOnlyFonts() {
        var model = Constants.directoryFontLoader.folderModel
        tryVerify(function() { return model.count === 3 }, 5000, "count " + model.count + " status " + model.status)
        var names = [0, 1, 2].map(function(i) { return model.get(i, "fileName") }).sort()
        compare(names, ["DSEG14Classic-Bold.ttf", "SourceHanSansCN-Bold.otf", "advanced_led_board-7.ttf"])
    }
}
