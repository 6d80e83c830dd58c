import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import com.corvane.system 1.0
import JoyvantTest 1.0
import JoyvantTest.Log 1.0
import SonoluxTestMedia 1.0
import "qrc:/"

// The whole main screen on the real bundle: the scene list from a file, the playback
// actions through the pie menu, music from the file dialog, full screen and the About
// button, with virtual pads and real playback.
Item {
    id: root
    width: 1280
    height: 800

    readonly property string dataDir: "file://" + joyvantSourceDir + "/tests/resources/mainscreen/data/"
    property int scansStarted: 0

    // The program's window is black behind the scene.
    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: mainComponent
        Main {
            width: 1280
            height: 800
        }
    }

    Component {
        id: padComponent
        VirtualGamepad {}
    }

    // Samples the same texture as the scene's iAudio and shows its red channel.
    ShaderEffect {
        id: audioProbe
        property Item iAudio: null
        width: 512
        height: 8
        z: 1000
        visible: iAudio !== null
        fragmentShader: "#version 330\n"
            + "in highp vec2 qt_TexCoord0;\nout vec4 fragColor;\nuniform float qt_Opacity;\n"
            + "uniform sampler2D iAudio;\n"
            + "void main() { fragColor = vec4(texture(iAudio, qt_TexCoord0).r, 0.0, 0.0, 1.0) * qt_Opacity; }\n"
    }

    Connections {
        target: SysInfo
        function onScanningChanged() {
            if (SysInfo.scanning)
                ++root.scansStarted
        }
    }

    TestCase {
        id: testCase
        name: "MainScreen"
        when: windowShown

        function cleanup() {
            audioProbe.iAudio = null
            var window = root.Window.window
            if (window.visibility === Window.FullScreen)
                window.showNormal()
        }

        function fixture(name) {
            var request = new XMLHttpRequest()
            request.open("GET", root.dataDir + name, false)
            request.send()
            return JSON.parse(request.responseText).scenes
        }

        function createMain(name) {
            var main = createTemporaryObject(mainComponent, root, { sceneListSource: root.dataDir + name })
            verify(main)
            return main
        }

        function attachPad() {
            var pad = createTemporaryObject(padComponent, root)
            verify(pad.attach())
            return pad
        }

        function player(main) {
            var items = main.sceneEffect.audioChannel.children
            for (var i = 0; i < items.length; ++i) {
                if (items[i].playStatus !== undefined)
                    return items[i]
            }
            return null
        }

        function brightestAudio() {
            var image = grabImage(audioProbe)
            var best = 0
            for (var x = 0; x < audioProbe.width; x += 4)
                best = Math.max(best, image.pixel(x, 4).r)
            return best
        }

        // Point of a sector of the open pie menu, halfway out of the ring.
        function sectorPoint(menu, sector) {
            var angle = (sector * 60 + 30) * Math.PI / 180
            var radius = (menu.innerRadius + menu.outerRadius) / 2
            return Qt.point(menu.centerX + radius * Math.cos(angle), menu.centerY + radius * Math.sin(angle))
        }

        function clickSector(menu, sector) {
            var point = sectorPoint(menu, sector)
            mouseClick(menu, point.x, point.y)
        }

        function openMenu(main) {
            mouseClick(main.mediaButton)
            compare(main.pieMenu.state, "active")
            tryCompare(main.pieMenu, "opacity", 0.85)
        }

        function test_stepsWrapAndRestart_data() {
            return [
                { tag: "next from the last", file: "three.json", from: 2, action: "actionNext", to: 0 },
                { tag: "previous from the first", file: "three.json", from: 0, action: "actionPrev", to: 2 },
                { tag: "next in the middle", file: "three.json", from: 0, action: "actionNext", to: 1 },
                { tag: "play again", file: "three.json", from: 1, action: "actionPlay", to: 1 },
                { tag: "one scene, next", file: "one.json", from: 0, action: "actionNext", to: 0 },
                { tag: "one scene, previous", file: "one.json", from: 0, action: "actionPrev", to: 0 }
            ]
        }

        function test_stepsWrapAndRestart(data) {
            var scenes = fixture(data.file)
            var main = createMain(data.file)
            compare(main.scenes.count, scenes.length)
            compare(main.scenes.currentIndex, 0)
            compare(main.sceneEffect.fragmentShader, scenes[0].fragmentShader)

            main.scenes.currentIndex = data.from
            var before = main.sceneEffect.channels[0]
            LogCapture.clear()
            main[data.action].trigger()
            compare(main.scenes.currentIndex, data.to)
            compare(main.sceneEffect.fragmentShader, scenes[data.to].fragmentShader)
            verify(main.sceneEffect.channels[0] !== before, "the scene started afresh")
            compare(LogCapture.matching("currentIndex=").length, 1)
            compare(LogCapture.matching("currentIndex=" + data.to).length, 1)
            var config = LogCapture.matching("currentConfig=")
            compare(config.length, 1)
            compare(JSON.parse(config[0].slice(config[0].indexOf("=") + 1)), scenes[data.to].channels)
        }

        function test_muteFromThePieMenu() {
            var main = createMain("music.json")
            main.actionNext.trigger() // the scene with music
            tryCompare(player(main), "playStatus", 1, 20000)
            openMenu(main)
            var sector = main.pieMenu.sectors[0]
            compare(String(sector.source), "qrc:/images/Volume-2-Mute_240px.png")

            clickSector(main.pieMenu, 0)
            verify(player(main).muted)
            verify(main.sceneEffect.muted)
            verify(main.actionMuted.checked)
            compare(String(sector.source), "qrc:/images/Volume-2-3_240px.png")

            clickSector(main.pieMenu, 0)
            verify(!player(main).muted)
            verify(!main.actionMuted.checked)
            compare(String(sector.source), "qrc:/images/Volume-2-Mute_240px.png")
            compare(player(main).playStatus, 1)
        }

        function test_chosenMusicPlaysThroughTheScene_data() {
            return [
                { tag: "scene running", paused: false },
                { tag: "scene paused", paused: true }
            ]
        }

        function test_chosenMusicPlaysThroughTheScene(data) {
            var scenes = fixture("music.json")
            var main = createMain("music.json")
            audioProbe.iAudio = main.sceneEffect.iAudio
            compare(brightestAudio(), 0) // the first scene has no music
            if (data.paused)
                main.actionPause.trigger()
            var time = main.sceneEffect.iTime
            var shader = main.sceneEffect.fragmentShader

            main.fileDialog.file = TestMedia.tone
            main.fileDialog.accepted()
            compare(main.sceneEffect.audioChannel.source, TestMedia.tone)
            tryVerify(function() { return brightestAudio() > 0.2 }, 20000, "the chosen music reaches iAudio")
            compare(main.sceneEffect.fragmentShader, shader)
            compare(main.scenes.currentIndex, 0)
            if (data.paused)
                compare(main.sceneEffect.iTime, time)
            else
                tryVerify(function() { return main.sceneEffect.iTime > time })

            main.actionNext.trigger()
            compare(String(main.sceneEffect.audioChannel.source), scenes[1].audio)
            tryCompare(player(main), "playStatus", 1, 20000)
            tryVerify(function() { return main.sceneEffect.iTime > time })
        }

        function test_sceneDimsWhileAPadIsConnected_data() {
            return [
                { tag: "full screen", pads: 1, fullScreen: true },
                { tag: "the last pad leaves", pads: 2, fullScreen: false }
            ]
        }

        function test_sceneDimsWhileAPadIsConnected(data) {
            var main = createMain("one.json")
            compare(main.sceneEffect.opacity, 1)
            var pads = []
            for (var i = 0; i < data.pads; ++i) {
                pads.push(attachPad())
                tryCompare(main.sceneEffect, "opacity", 0.9)
            }
            if (data.fullScreen) {
                main.actionFullScreen.trigger()
                tryCompare(main.sceneEffect, "opacity", 1)
                main.actionFullScreen.trigger()
                tryCompare(main.sceneEffect, "opacity", 0.9)
            }
            for (var j = 0; j < pads.length - 1; ++j) {
                pads[j].detach()
                wait(0)
                compare(main.sceneEffect.opacity, 0.9)
            }
            pads[pads.length - 1].detach()
            tryCompare(main.sceneEffect, "opacity", 1)
        }

        function test_mediaButtonOpensAndClosesTheMenu() {
            var main = createMain("one.json")
            var menu = main.pieMenu
            verify(!menu.visible)
            // At the design size the menu is centred on the button.
            compare(menu.outerRadius, 150)
            compare(menu.innerRadius, 37.5)
            var centre = menu.mapToItem(main, menu.centerX, menu.centerY)
            compare(centre, main.mediaButton.mapToItem(main, 150, 75))
            LogCapture.clear()
            openMenu(main)
            compare(LogCapture.matching("Mediabutton clicked").length, 1)
            verify(menu.visible)

            // The open menu lies over the button and takes its clicks.
            mouseClick(main.mediaButton, 20, 75)
            compare(LogCapture.matching("Mediabutton clicked").length, 1)
            compare(menu.state, "active")

            main.mediaButton.clicked()
            compare(LogCapture.matching("Mediabutton clicked").length, 2)
            compare(menu.state, "")
            tryCompare(menu, "visible", false)
        }

        // A click on the centre and Escape close the open menu as Select and Start do:
        // hidden, no longer in the way of the media button, and it opens again as the
        // first time.
        function test_centreAndEscapeCloseTheMenu_data() {
            return [
                { tag: "centre click", close: "centre" },
                { tag: "Escape", close: "escape" }
            ]
        }

        function test_centreAndEscapeCloseTheMenu(data) {
            var main = createMain("three.json")
            var menu = main.pieMenu
            // Escape goes to the window with the keyboard focus.
            main.Window.window.requestActivate()
            tryCompare(main.Window.window, "active", true)
            for (var round = 0; round < 2; ++round) {
                LogCapture.clear()
                openMenu(main)
                if (data.close === "centre")
                    mouseClick(menu, menu.centerX, menu.centerY)
                else
                    keyClick(Qt.Key_Escape)
                compare(menu.state, "")
                tryCompare(menu, "visible", false)

                // The sectors take no clicks: the scene stays, and the click at the
                // media button's edge reaches the button beneath.
                clickSector(menu, 5)
                compare(main.scenes.currentIndex, 0)
                compare(LogCapture.matching("currentIndex=").length, 0)
                compare(LogCapture.matching("Mediabutton clicked").length, 2)
                compare(menu.state, "active")
                tryCompare(menu, "opacity", 0.85)
                main.mediaButton.clicked()
                compare(menu.state, "")
                tryCompare(menu, "opacity", 0)
            }
            // Escape does nothing to a closed menu.
            keyClick(Qt.Key_Escape)
            compare(menu.state, "")
        }

        // While the mapping wizard asks for controls (here remapping the pad on show), the
        // pad's Select and Start and its bumpers are answers: the menu, closed as the wizard
        // starts, neither opens nor triggers, and Escape leaves the wizard. Once it is left,
        // Select and Start open the menu again.
        function test_padAnswersTheWizardNotTheMenu() {
            var main = createMain("one.json")
            var pad = attachPad()
            var view = main.test
            tryCompare(view, "currentDeviceId", pad.deviceId, 5000)
            openMenu(main)
            view.startMapping(pad.deviceId)
            tryVerify(function () { return view.mappingActive && view.mappingWizard.remapping }, 5000)
            compare(main.pieMenu.state, "")
            LogCapture.clear()
            pad.setButton(VirtualGamepad.ButtonBack, true)
            pad.setButton(VirtualGamepad.ButtonStart, true)
            tryVerify(function () { return view.gamepad.buttonSelect && view.gamepad.buttonStart })
            pad.setButton(VirtualGamepad.ButtonRightShoulder, true)
            tryVerify(function () { return view.gamepad.buttonR1 })
            compare(main.pieMenu.state, "")
            pad.setButton(VirtualGamepad.ButtonRightShoulder, false)
            pad.setButton(VirtualGamepad.ButtonBack, false)
            pad.setButton(VirtualGamepad.ButtonStart, false)
            tryVerify(function () { return !view.gamepad.buttonSelect && !view.gamepad.buttonStart })
            compare(LogCapture.matching("currentIndex=").length, 0)

            main.Window.window.requestActivate()
            tryCompare(main.Window.window, "active", true)
            keyClick(Qt.Key_Escape)
            verify(!view.mappingOpen)
            verify(!view.mappingActive)
            pad.setButton(VirtualGamepad.ButtonBack, true)
            pad.setButton(VirtualGamepad.ButtonStart, true)
            tryCompare(main.pieMenu, "state", "active")
            // Gone before the next test counts the connected pads.
            pad.detach()
            tryCompare(view, "currentDeviceId", -1, 5000)
        }

        function test_fullScreenHidesTheTestView() {
            var main = createMain("one.json")
            var button = main.fullScreenButton
            verify(main.test.visible)
            compare(String(button.icon), "qrc:/images/full-screen.svg")

            mouseClick(button)
            tryCompare(main, "fullScreen", true)
            verify(!main.test.visible)
            compare(String(button.icon), "qrc:/images/full-screen-cancel.svg")
            verify(main.pieMenu.parent.visible && main.mediaButton.visible && button.visible)

            // However the window leaves full screen, the test view comes back.
            main.Window.window.showNormal()
            tryCompare(main, "fullScreen", false)
            verify(main.test.visible)
            compare(String(button.icon), "qrc:/images/full-screen.svg")

            mouseClick(button)
            tryCompare(main.test, "visible", false)
            mouseClick(button)
            tryCompare(main.test, "visible", true)
            compare(main.Window.window.visibility, Window.Windowed)
        }

        function test_zoomClickLeavesFullScreenWithTheTestView() {
            var window = Qt.createComponent("qrc:/nimbo4.qml").createObject(null)
            verify(window)
            tryCompare(window, "visible", true)
            var main = null
            for (var i = 0; i < window.contentItem.children.length; ++i) {
                if (window.contentItem.children[i].actionFullScreen !== undefined)
                    main = window.contentItem.children[i]
            }
            verify(main)
            main.actionFullScreen.trigger()
            tryCompare(window, "visibility", Window.FullScreen)
            verify(!main.test.visible)
            main.windowZoomClicked()
            tryCompare(window, "visibility", Window.Maximized)
            verify(main.test.visible)
            compare(String(main.fullScreenButton.icon), "qrc:/images/full-screen.svg")
            window.destroy()
        }

        function test_aboutButtonScansOnEveryOpening() {
            tryCompare(SysInfo, "scanning", false, 30000)
            var main = createMain("one.json")
            var before = scansStarted
            for (var i = 1; i <= 2; ++i) {
                mouseClick(main.aboutButton)
                tryCompare(main.aboutDialog, "visible", true)
                compare(scansStarted, before + i)
                tryCompare(SysInfo, "scanning", false, 30000)
                main.aboutDialog.close()
                tryCompare(main.aboutDialog, "visible", false)
            }
        }

        function test_openMusicUsesADialogThatCanOpen() {
            var main = createMain("one.json")
            LogCapture.clear()
            main.actionOpenMusic.trigger()
            if (main.fileDialog.visible) {
                compare(LogCapture.matching("Music file dialog: the platform's own").length, 1)
                main.fileDialog.close()
                return
            }
            compare(LogCapture.matching("Music file dialog: the platform offers none").length, 1)
            var dialog = main.fallbackFileDialog
            verify(dialog)
            tryCompare(dialog, "visible", true)
            compare(dialog.nameFilters, ["Music files (*.wav *.mp3 *.ogg)", "All files (*.*)"])
            dialog.close()
            tryCompare(dialog, "visible", false)
            // The next time goes straight to the dialog that opened.
            main.actionOpenMusic.trigger()
            tryCompare(dialog, "visible", true)
            compare(LogCapture.matching("Music file dialog: the platform offers none").length, 2)
            dialog.close()
        }

        function test_badSceneListsLeaveABlackScreenThatWorks_data() {
            return [
                { tag: "missing", file: "nosuch.json", warning: "not read, no scenes", rows: 0 },
                { tag: "empty", file: "empty.json", warning: "is not JSON", rows: 0 },
                { tag: "not JSON", file: "notjson.json", warning: "is not JSON", rows: 0 },
                { tag: "no scenes", file: "noscenes.json", warning: "has no \"scenes\" list", rows: 0 },
                { tag: "scenes not a list", file: "scenesobject.json", warning: "has no \"scenes\" list", rows: 0 },
                { tag: "a list at the top", file: "toplist.json", warning: "has no \"scenes\" list", rows: 0 },
                { tag: "null", file: "null.json", warning: "has no \"scenes\" list", rows: 0 },
                { tag: "empty list", file: "emptylist.json", warning: "holds no scene to play", rows: 0 },
                { tag: "entries of the wrong type", file: "wrongtypes.json", warning: "scene 11 skipped", rows: 1 }
            ]
        }

        function test_badSceneListsLeaveABlackScreenThatWorks(data) {
            LogCapture.clear()
            var main = createMain(data.file)
            var warnings = LogCapture.matching(data.warning)
            compare(warnings.length, 1)
            verify(warnings[0].indexOf(data.file) >= 0, warnings[0])
            compare(main.scenes.count, data.rows)
            for (var i = 0; i < main.scenes.count; ++i)
                verify(main.scenes.get(i).scene.fragmentShader.length > 0)
            if (data.file === "wrongtypes.json") {
                for (var entry = 0; entry < 12; ++entry)
                    compare(LogCapture.matching("scene " + entry + " skipped").length, 1, "entry " + entry)
            }

            for (var action of ["actionPlay", "actionNext", "actionPrev", "actionPlay"])
                main[action].trigger()
            compare(main.scenes.currentIndex, 0)
            compare(LogCapture.matching("currentIndex=").length, data.rows === 0 ? 0 : 5)
            compare(LogCapture.matching("currentIndex=-").length, 0)
            compare(LogCapture.matching("qrc:/Main").length, 0, "no error in the main screen's code")
            compare(LogCapture.matching("qrc:/ShaderToyEffect").length, 0, "no error in the scene host")

            if (data.rows === 0) {
                waitForRendering(main)
                var image = grabImage(main)
                var ground = image.pixel(5, 300)
                verify(ground.r < 0.02 && ground.g < 0.02 && ground.b < 0.02, String(ground))
            }

            var pad = attachPad()
            tryCompare(main.test, "currentDeviceId", pad.deviceId)
            pad.setButton(VirtualGamepad.ButtonA, true)
            tryCompare(main.test, "testModeA", 2)
            pad.setButton(VirtualGamepad.ButtonA, false)
            tryCompare(main.test, "testModeA", 1)
            pad.detach()
        }

        // A list that does not parse says where, by line and column.
        function test_unparsableListSaysWhere() {
            LogCapture.clear()
            createMain("notjson.json")
            var warnings = LogCapture.matching("is not JSON")
            compare(warnings.length, 1)
            verify(/is not JSON \(line 2, column 1: [a-z ]+\), no scenes to play$/.test(warnings[0]), warnings[0])
        }

        // Warnings a user can act on name the scene entry and the file.
        function test_warningsNameTheSceneAndTheFile() {
            LogCapture.clear()
            var main = createMain("missingfiles.json")
            var list = root.dataDir + "missingfiles.json"
            compare(LogCapture.matching("ShaderToyEffect:"), ["ShaderToyEffect: scene 0 \"Missing shader\" of " + list
                    + " refused, its shader cannot be used: Cannot read \"/nonexistent/joyvant.frag\": the file does not exist"])

            LogCapture.clear()
            main.actionNext.trigger()
            compare(LogCapture.matching("ShaderToyEffect:"), ["ShaderToyEffect: scene 1 \"Missing picture\" of " + list
                    + ", channel 0 left empty: Cannot read \"/nonexistent/joyvant.png\": the file does not exist"])
            compare(main.sceneEffect.channels.length, 1)

            LogCapture.clear()
            main.actionNext.trigger()
            var warnings = LogCapture.matching("ShaderToyEffect:")
            compare(warnings.length, 1)
            verify(warnings[0].indexOf("ShaderToyEffect: scene 2 \"Broken shader\" of " + list
                                       + " refused, its shader (its shader text) does not compile:\n") === 0, warnings[0])
        }
    }
}
