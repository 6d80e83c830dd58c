import QtQuick 2.15
import QtQuick.Window 2.15
import com.corvane.io 1.0
import nimbo4 1.0

// The main screen with its behaviour: the bar's buttons and the drag strip become
// signals that the root window turns into window actions; the scene list, the actions,
// the media button and the pie menu are wired here.
MainScreen {
    id: main

    // Qt Quick's own file dialog, made the first time the platform had none to offer.
    property QtObject fallbackFileDialog: null
    property bool platformFileDialogMissing: false

    signal windowOffsetChanged(int dx, int dy)
    signal windowCloseClicked()
    signal windowMinimizeClicked()
    signal windowZoomClicked()

    // A short form of a rejected entry for the log; JSON up to Serialization's depth limit.
    function describe(value) {
        var text
        try {
            text = Serialization.stringify(value)
        } catch (error) {
            return "(" + error.message + ")"
        }
        if (text === undefined)
            text = String(value)
        return text.length > 120 ? text.slice(0, 117) + "..." : text
    }

    // The whole of a value as JSON, as far as Serialization writes it.
    function describeAll(value) {
        try {
            return Serialization.stringify(value)
        } catch (error) {
            return "(" + error.message + ")"
        }
    }

    function isObject(value) {
        return value !== null && typeof value === "object" && !Array.isArray(value)
    }

    // Why a scene object cannot be played, or "" when it can.
    function sceneProblem(scene) {
        if (!isObject(scene))
            return "it is not an object"
        if (!Array.isArray(scene.channels))
            return "\"channels\" is not a list"
        if (typeof scene.fragmentShader !== "string" || scene.fragmentShader.length === 0)
            return "\"fragmentShader\" is not a shader text or URL"
        if (scene.audio !== undefined && scene.audio !== null && typeof scene.audio !== "string")
            return "\"audio\" is not a URL"
        for (var i = 0; i < scene.channels.length; ++i) {
            var channel = scene.channels[i]
            if (!isObject(channel))
                return "channel " + i + " is not an object"
            if ((channel.type === "video" || channel.type === "image") && typeof channel.source !== "string")
                return "channel " + i + " has no \"source\" URL"
        }
        return ""
    }

    // Reads the scene list once and starts its first scene. Whatever is wrong with the
    // file leaves out what cannot be played, with a warning; with nothing left the
    // background stays black and the rest of the program works as usual.
    function loadScenes() {
        var name = String(scenesFile.source)
        scenes.clear()
        scenes.currentIndex = 0
        if (scenesFile.error.length > 0) {
            console.warn("Scene list " + name + " not read, no scenes to play")
            return
        }
        var document
        try {
            document = JSON.parse(scenesFile.text)
        } catch (error) {
            // The engine's parser does not say where; Qt's JSON parser does.
            var where = FileGuard.jsonError(scenesFile.text)
            console.warn("Scene list " + name + " is not JSON (" + (where.length > 0 ? where : error.message)
                         + "), no scenes to play")
            return
        }
        if (!isObject(document) || !Array.isArray(document.scenes)) {
            console.warn("Scene list " + name + " has no \"scenes\" list, no scenes to play")
            return
        }
        for (var i = 0; i < document.scenes.length; ++i) {
            var scene = document.scenes[i]
            var problem = sceneProblem(scene)
            if (problem.length > 0) {
                console.warn("Scene list " + name + ": scene " + i + " skipped, " + problem + ": " + describe(scene))
                continue
            }
            scenes.append({ "scene": scene, "entry": i })
        }
        if (scenes.count === 0) {
            console.warn("Scene list " + name + " holds no scene to play")
            return
        }
        actionPlay.trigger()
    }

    // How warnings name a scene: its entry in the file, its name if it has one, and the file.
    function sceneOrigin(entry, scene) {
        var named = typeof scene.name === "string" && scene.name.length > 0 ? " " + describe(scene.name) : ""
        return "scene " + entry + named + " of " + String(scenesFile.source)
    }

    function playCurrent() {
        if (scenes.count === 0)
            return
        if (scenes.currentIndex < 0 || scenes.currentIndex >= scenes.count)
            scenes.currentIndex = 0
        var row = scenes.get(scenes.currentIndex)
        var scene = row.scene
        console.log("currentIndex=" + scenes.currentIndex)
        console.log("currentConfig=" + describeAll(scene.channels))
        sceneEffect.play(scene, sceneOrigin(row.entry, scene))
    }

    // Moves by one scene, wrapping at both ends, and starts it.
    function stepScene(delta) {
        if (scenes.count === 0)
            return
        var index = scenes.currentIndex + delta
        if (index < 0)
            index = scenes.count - 1
        else if (index >= scenes.count)
            index = 0
        scenes.currentIndex = index
        actionPlay.trigger()
    }

    // The platform's file dialog where it has one, Qt Quick's own where it has none.
    function openMusic() {
        if (!platformFileDialogMissing) {
            fileDialog.open()
            if (fileDialog.visible) {
                console.info("Music file dialog: the platform's own")
                return
            }
            platformFileDialogMissing = true
        }
        if (!fallbackFileDialog) {
            var component = Qt.createComponent("FallbackFileDialog.qml")
            if (component.status !== Component.Ready) {
                console.warn("Music file dialog: none available (" + component.errorString() + ")")
                return
            }
            fallbackFileDialog = component.createObject(main)
            fallbackFileDialog.accepted.connect(function() { main.playMusic(main.fallbackFileDialog.fileUrl) })
        }
        console.info("Music file dialog: the platform offers none, Qt Quick's own instead")
        fallbackFileDialog.open()
    }

    // A chosen file takes the place of the scene's music; the scene itself runs on.
    function playMusic(url) {
        if (String(url).length === 0)
            return
        sceneEffect.audioChannel.source = url
        sceneEffect.audioChannel.play()
    }

    function toggleFullScreen() {
        var window = main.Window.window
        if (!window)
            return
        if (main.fullScreen)
            window.showNormal()
        else
            window.showFullScreen()
    }

    windowCloseButton.onButtonClicked: windowCloseClicked()
    windowMinimizeButton.onButtonClicked: windowMinimizeClicked()
    windowZoomButton.onButtonClicked: windowZoomClicked()

    // The strip moves with the window: each move is measured on the screen, so the
    // pressed point stays under the pointer however late the window follows.
    windowBarMouseArea.onPressed: {
        windowBarMouseArea.dx = mouse.x
        windowBarMouseArea.dy = mouse.y
        stripDrag.press(windowBarMouseArea, mouse.x, mouse.y)
    }
    windowBarMouseArea.onPositionChanged: {
        var offset = stripDrag.offset(windowBarMouseArea, mouse.x, mouse.y)
        windowOffsetChanged(offset.x, offset.y)
    }

    actionPlay.onTriggered: playCurrent()
    actionPrev.onTriggered: stepScene(-1)
    actionNext.onTriggered: stepScene(1)
    actionPause.onTriggered: sceneEffect.pause()
    actionMuted.onTriggered: sceneEffect.muted = !sceneEffect.muted
    actionOpenMusic.onTriggered: openMusic()
    actionFullScreen.onTriggered: toggleFullScreen()
    actionHelp.onTriggered: aboutDialog.showAbout()

    fileDialog.onAccepted: playMusic(fileDialog.file)

    mediaButton.onClicked: {
        console.log("Mediabutton clicked")
        pieMenu.state = pieMenu.state === "" ? "active" : ""
    }
    // The centre of the open menu closes it, as Select and Start do: a closed menu is
    // hidden and leaves the media button beneath it free.
    pieMenu.onInnerPressed: pieMenu.state = ""
    // The mapping wizard takes the pad and Escape while it asks: an open menu closes.
    test.onMappingActiveChanged: if (test.mappingActive) pieMenu.state = ""

    Component.onCompleted: loadScenes()

    WindowDrag {
        id: stripDrag
        objectName: "stripDrag"
        window: main.Window.window
    }
}
