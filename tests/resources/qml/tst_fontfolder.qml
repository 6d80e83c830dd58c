import QtQuick 2.15
import QtTest 1.15
import Qt.labs.folderlistmodel 2.15

TestCase {
    name: "DirectoryFontLoader"

    // A font dropped into a font folder becomes usable by its family name; the text
    // file beside it is skipped.
    function test_fontInFolderBecomesUsable() {
        verify(Qt.fontFamilies().indexOf("Joyvant Fixture") < 0, "the fixture font is not known yet")
        var component = Qt.createComponent("qrc:/imports/nimbo4/DirectoryFontLoader.qml")
        compare(component.status, Component.Ready, component.errorString())
        var loader = component.createObject(null, { fontDirectory: "file://" + joyvantTestDataDir + "/fontfolder" })
        verify(loader)
        tryCompare(loader.folderModel, "status", FolderListModel.Ready)
        compare(loader.folderModel.count, 1)
        compare(loader.folderModel.get(0, "fileName"), "JoyvantFixture.ttf")
        tryVerify(function() { return Qt.fontFamilies().indexOf("Joyvant Fixture") >= 0 })
        loader.destroy()
    }

    function test_defaultFolderIsTheBundleFontFolder() {
        var component = Qt.createComponent("qrc:/imports/nimbo4/DirectoryFontLoader.qml")
        var loader = component.createObject(null)
        compare(loader.relativeFontDirectory, "fonts")
        compare(String(loader.fontDirectory), "qrc:/fonts")
        loader.destroy()
    }
}
