import QtQuick 2.15
import Qt.labs.folderlistmodel 2.15

// Registers every .ttf and .otf file of a font folder with the application's font
// database, so a font dropped into the folder is usable by its family name.
QtObject {
    id: loader

    property string relativeFontDirectory: "fonts"
    property url fontDirectory: Qt.resolvedUrl("../../" + relativeFontDirectory)

    property FolderListModel folderModel: FolderListModel {
        folder: loader.fontDirectory
        nameFilters: ["*.ttf", "*.otf"]
        showDirs: false
        onStatusChanged: {
            if (status !== FolderListModel.Ready)
                return
            for (var i = 0; i < count; ++i)
                loader.loadFont(get(i, "fileURL"))
        }
    }

    function loadFont(url) {
        Qt.createQmlObject("import QtQuick 2.12; FontLoader { source: " + JSON.stringify(String(url)) + " }",
                           loader, "dynamicFontLoader")
    }
}
