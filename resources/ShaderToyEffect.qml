import QtQuick 2.15
import QtMultimedia 5.15
import com.corvane.multimedia 1.0
import com.corvane.scene 1.0

// Runs one fragment shader over the whole item with a shader-toy style set of inputs:
// size, a clock counting from creation, the pointer or a stick as iMouse (pixels, origin
// bottom left), up to four picture/video channels and the audio spectrum.
ShaderToyEffectForm {
    id: effect

    signal clicked()

    function isNull(obj) {
        return obj === undefined || obj === null
    }

    // Starts a scene object: {"channels": [{type, source}...], "audio": url, "fragmentShader": text or url}.
    // The whole scene is checked before the running one is touched, so a malformed one
    // never leaves the effect stopped without channels.
    function play(conf) {
        var scene = checkedScene(conf)
        if (!scene)
            return
        console.debug("conf.channels.length>>>>>", conf.channels.length)
        clock.stop()

        for (var i = 0; i < channels.length; ++i)
            channels[i].destroy()
        channels = []

        // Only video and image entries make channels; the first one made feeds iChannel0.
        var created = []
        for (var j = 0; j < scene.entries.length; ++j) {
            var entry = scene.entries[j]
            var template = entry.type === "video" ? videoChannelTemplate
                         : entry.type === "image" ? imageChannelTemplate : null
            if (template)
                created.push(template.createObject(effect, { source: entry.source }))
        }
        channels = created

        audioChannel.source = scene.audio
        fragmentShader = conf.fragmentShader
        clock.start()
        audioChannel.play()
    }

    function describe(value) {
        var text = JSON.stringify(value)
        return text === undefined ? String(value) : text
    }

    // The channel entries and audio URL of a scene that can be played, or null for one
    // that cannot (no channel list, no shader text or URL). Entries that are not
    // objects with a string source, and an audio that is not a string, are left out
    // with a warning.
    function checkedScene(conf) {
        if (isNull(conf) || isNull(conf.channels) || typeof conf.channels !== "object"
                || typeof conf.channels.length !== "number") {
            console.warn("ShaderToyEffect: a scene without a channels list is refused")
            return null
        }
        if (typeof conf.fragmentShader !== "string") {
            console.warn("ShaderToyEffect: a scene whose fragmentShader is not a text or URL is refused: "
                         + describe(conf.fragmentShader))
            return null
        }
        var entries = []
        for (var i = 0; i < conf.channels.length; ++i) {
            var entry = conf.channels[i]
            if (isNull(entry) || typeof entry !== "object" || typeof entry.source !== "string") {
                console.warn("ShaderToyEffect: channel " + i + " skipped, it is not an object with a source URL: "
                             + describe(entry))
                continue
            }
            entries.push(entry)
        }
        var audio = ""
        if (!isNull(conf.audio)) {
            if (typeof conf.audio === "string")
                audio = conf.audio
            else
                console.warn("ShaderToyEffect: audio skipped, it is not a URL: " + describe(conf.audio))
        }
        return { entries: entries, audio: audio }
    }

    function pause() {
        clock.stop()
        audioChannel.stop()
    }

    function enumName(names, value) {
        return names.hasOwnProperty(value) ? names[value] : String(value)
    }

    function printGraphicsInfo(gi) {
        console.debug("api:" + enumName(["Unknown", "Software", "OpenGL", "Direct3D12", "OpenVG", "OpenGLRhi",
                                          "Direct3D11Rhi", "VulkanRhi", "MetalRhi", "NullRhi"], gi.api))
        console.debug("profile:" + enumName(["OpenGLNoProfile", "OpenGLCoreProfile", "OpenGLCompatibilityProfile"],
                                            gi.profile))
        console.debug("renderableType:" + enumName(["SurfaceFormatUnspecified", "SurfaceFormatOpenGL",
                                                    "SurfaceFormatOpenGLES"], gi.renderableType))
        console.debug("shaderCompilationType:" + enumName({ 1: "RuntimeCompilation", 2: "OfflineCompilation" },
                                                          gi.shaderCompilationType))
        var sources = ""
        if (gi.shaderSourceType & GraphicsInfo.ShaderSourceString)
            sources += "ShaderSourceString "
        if (gi.shaderSourceType & GraphicsInfo.ShaderSourceFile)
            sources += "ShaderSourceFile "
        if (gi.shaderSourceType & GraphicsInfo.ShaderByteCode)
            sources += "ShaderByteCode "
        console.debug("ShaderSourceString:" + sources + "[" + gi.shaderSourceType + "]")
        console.debug("shaderType:" + enumName(["UnknownShadingLanguage", "GLSL ", "HLSL", "RhiShader"], gi.shaderType))
    }

    function mouseFromPointer(x, y) {
        var px = resolution.width * x / width
        var py = resolution.height * (height - y) / height
        return Qt.vector4d(px, py, px, py)
    }

    // A stick's -1..1 axes span the item; a centred stick points at its centre.
    function mouseFromStick(axisX, axisY) {
        var px = resolution.width * (axisX + 1) / 2
        var py = resolution.height * (axisY + 1) / 2
        return Qt.vector4d(px, py, px, py)
    }

    function logChannel(slot) {
        console.log(">>>>>>>>>>>>iChannel" + slot + ":", slot < channels.length ? channels[slot].source : "null")
    }

    onLogChanged: if (log.length > 0) console.debug(log)

    Connections {
        target: effect.pointerArea
        function onClicked(mouse) {
            effect.iMouse = effect.mouseFromPointer(mouse.x, mouse.y)
            effect.clicked()
        }
        function onPositionChanged(mouse) {
            effect.iMouse = effect.mouseFromPointer(mouse.x, mouse.y)
        }
        // Without hover tracking the area also "exits" on every release; only a pointer
        // that really left the item (hover on) clears the position, so a click stays.
        function onExited() {
            if (effect.hoverEnabled)
                effect.iMouse = Qt.vector4d(0, 0, 0, 0)
        }
    }

    Connections {
        target: effect.gamepad === undefined ? null : effect.gamepad
        ignoreUnknownSignals: true
        function onAxisLeftXChanged() { effect.iMouse = effect.mouseFromStick(effect.gamepad.axisLeftX, effect.gamepad.axisLeftY) }
        function onAxisLeftYChanged() { effect.iMouse = effect.mouseFromStick(effect.gamepad.axisLeftX, effect.gamepad.axisLeftY) }
        function onAxisRightXChanged() { effect.iMouse = effect.mouseFromStick(effect.gamepad.axisRightX, effect.gamepad.axisRightY) }
        function onAxisRightYChanged() { effect.iMouse = effect.mouseFromStick(effect.gamepad.axisRightX, effect.gamepad.axisRightY) }
    }

    Connections { target: effect.iChannel0; function onSourceItemChanged() { effect.logChannel(0) } }
    Connections { target: effect.iChannel1; function onSourceItemChanged() { effect.logChannel(1) } }
    Connections { target: effect.iChannel2; function onSourceItemChanged() { effect.logChannel(2) } }
    Connections { target: effect.iChannel3; function onSourceItemChanged() { effect.logChannel(3) } }

    // Seconds since the item was created; stopping freezes iTime, starting jumps it on.
    // The time moves on with the shared scene clock, whose rate follows what the renderer
    // manages and which stops while the window is not drawn; every scene steps together,
    // so a tick costs one frame however many scenes show.
    QtObject {
        id: clock
        readonly property double createdAt: Date.now()
        property bool running: true
        function start() { running = true }
        function stop() { running = false }
    }

    Connections {
        target: clock.running ? SceneAdapter : null
        function onTicked() { effect.iTime = (Date.now() - clock.createdAt) / 1000 }
    }

    Component {
        id: videoChannelTemplate
        VideoChannel {}
    }

    Component {
        id: imageChannelTemplate
        ImageChannel {}
    }

    // The graphics set-up is known once the item's window has started its scene graph,
    // usually after the item completes (api first, the shader language right after):
    // report it then, once, instead of a page of "Unknown".
    property bool graphicsReported: false
    function reportGraphicsOnce() {
        if (graphicsReported || GraphicsInfo.api === GraphicsInfo.Unknown)
            return
        var shaderless = GraphicsInfo.api === GraphicsInfo.Software || GraphicsInfo.api === GraphicsInfo.OpenVG
        if (!shaderless && GraphicsInfo.shaderSourceType === 0) // the last value Qt fills in
            return
        graphicsReported = true
        printGraphicsInfo(GraphicsInfo)
    }
    GraphicsInfo.onApiChanged: reportGraphicsOnce()
    GraphicsInfo.onShaderSourceTypeChanged: reportGraphicsOnce()
    Component.onCompleted: reportGraphicsOnce()
}
