// Development preview of one scene shader outside the program.
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/tools/bin/shader_preview \
//       shader=resources/shaders/Fire.frag \
//       channel0=IMAGE channel1=IMAGE size=640x400 mouse=320,200 grab=2.5,5:/tmp/fire
// Feeds iResolution, iTime, iMouse (origin bottom left, zw = xy), iChannel0/1 (mirrored
// pictures, as the scene host does) and an empty iAudio; with grab=T1,T2,...:PREFIX it
// saves PREFIX-T.png at those seconds and quits after the last one.
import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    id: window
    visible: true
    color: "black"

    property var options: {
        var result = {}
        var args = previewArguments
        for (var i = 0; i < args.length; ++i) {
            var eq = args[i].indexOf("=")
            if (eq > 0)
                result[args[i].substring(0, eq)] = args[i].substring(eq + 1)
        }
        return result
    }
    function fileUrl(path) {
        return path ? (path.indexOf(":") >= 0 ? path : "file://" + path) : ""
    }
    property var size: (options.size || "640x400").split("x")
    width: Number(size[0])
    height: Number(size[1])

    Image { id: picture0; source: fileUrl(options.channel0); mirror: true; visible: false }
    Image { id: picture1; source: fileUrl(options.channel1); mirror: true; visible: false }
    Item { id: silence; width: 512; height: 2 }

    ShaderEffect {
        id: effect
        anchors.fill: parent
        property vector3d iResolution: Qt.vector3d(width, height, 0)
        property real iTime: 0
        property vector4d iMouse: {
            var m = (options.mouse || "0,0").split(",")
            return Qt.vector4d(Number(m[0]), Number(m[1]), Number(m[0]), Number(m[1]))
        }
        property var iChannel0: ShaderEffectSource { sourceItem: picture0; hideSource: true }
        property var iChannel1: ShaderEffectSource { sourceItem: picture1; hideSource: true }
        property var iAudio: ShaderEffectSource { sourceItem: silence; hideSource: true }
        property var iKeyboard: ShaderEffectSource { sourceItem: silence; hideSource: true }
        fragmentShader: fileUrl(options.shader)
        onLogChanged: if (log.length > 0) console.log("shader log:", log)
        onStatusChanged: console.log("shader status:", status === ShaderEffect.Error ? "error" : status === ShaderEffect.Compiled ? "compiled" : "uncompiled")
    }

    property real started: Date.now()
    Timer {
        interval: 10; running: true; repeat: true
        onTriggered: effect.iTime = (Date.now() - window.started) / 1000
    }

    property var grabTimes: options.grab ? options.grab.split(":")[0].split(",").map(Number) : []
    property string grabPrefix: options.grab ? options.grab.split(":")[1] : ""
    property int nextGrab: 0
    Timer {
        interval: 50; repeat: true; running: window.grabTimes.length > 0
        onTriggered: {
            if (effect.iTime < window.grabTimes[window.nextGrab])
                return
            var t = window.grabTimes[window.nextGrab]
            var last = ++window.nextGrab >= window.grabTimes.length
            effect.grabToImage(function(result) {
                result.saveToFile(window.grabPrefix + "-" + t + ".png")
                console.log("saved", window.grabPrefix + "-" + t + ".png")
                if (last)
                    Qt.quit()
            })
            if (last)
                running = false
        }
    }
}
