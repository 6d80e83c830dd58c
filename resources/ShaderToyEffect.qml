import QtQuick 2.15
import QtMultimedia 5.15
import com.corvane.multimedia 1.0
import com.corvane.scene 1.0
import com.corvane.io 1.0
import nimbo4 1.0

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
    // `origin`, if given, names the scene in warnings. The whole scene is checked before the
    // running one is touched, so a malformed one never leaves the effect stopped without
    // channels; files it names are checked (FileGuard) before Qt Quick opens them.
    function play(conf, origin) {
        var where = typeof origin === "string" && origin.length > 0 ? origin : "the scene"
        var scene = checkedScene(conf)
        if (!scene)
            return
        var files = checkedFiles(scene, conf.fragmentShader, where)
        if (!files)
            return
        console.debug("conf.channels.length>>>>>", conf.channels.length)
        clock.stop()

        for (var i = 0; i < channels.length; ++i)
            channels[i].destroy()
        channels = []

        // Only video and image entries make channels; the first one made feeds iChannel0.
        // A channel whose file was refused stays in its place, empty.
        var created = []
        for (var j = 0; j < scene.entries.length; ++j) {
            var entry = scene.entries[j]
            var template = entry.type === "video" ? videoChannelTemplate
                         : entry.type === "image" ? imageChannelTemplate : null
            if (template)
                created.push(template.createObject(effect, { source: files.refused[j] ? "" : entry.source }))
        }
        channels = created

        audioChannel.source = scene.audio
        fragmentShader = files.shader
        clock.start()
        audioChannel.play()
    }

    // The files a scene names, checked: the shader's text (read here when it is a file, so
    // a pipe or an endless file never reaches the effect, and compiled to see that it does:
    // Qt Quick 5.15 tells no one when it does not) and which channel entries name a file
    // that cannot be used. Null, with one warning, when the shader cannot be read or does
    // not compile.
    function checkedFiles(scene, shader, where) {
        var result = { shader: shader, refused: [] }
        var shaderName = "its shader text"
        if (FileGuard.isShaderUrl(shader)) {
            var read = FileGuard.readShader(shader)
            if (read.error.length > 0) {
                console.warn("ShaderToyEffect: " + where + " refused, its shader cannot be used: " + read.error)
                return null
            }
            result.shader = read.text
            shaderName = shader
        }
        // The bundle's own shaders are compiled by its tests; a user's are tried here, once.
        var compileError = /^qrc:/i.test(shader) ? "" : FileGuard.shaderError(result.shader)
        if (compileError.length > 0) {
            console.warn("ShaderToyEffect: " + where + " refused, its shader (" + shaderName + ") does not compile:\n"
                         + compileError)
            return null
        }
        for (var i = 0; i < scene.entries.length; ++i) {
            var entry = scene.entries[i]
            var url = entry.source.length > 0 ? Qt.resolvedUrl(entry.source) : "" // as the channel resolves it
            var problem = url === "" ? ""
                        : entry.type === "image" ? FileGuard.checkImage(url)
                        : entry.type === "video" ? FileGuard.checkMedia(url) : ""
            result.refused.push(problem.length > 0)
            if (problem.length > 0)
                console.warn("ShaderToyEffect: " + where + ", channel " + scene.indices[i] + " left empty: " + problem)
        }
        return result
    }

    // JSON of a value for a warning, as deep as Serialization writes it.
    function describe(value) {
        var text
        try {
            text = Serialization.stringify(value)
        } catch (error) {
            return "(" + error.message + ")"
        }
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
        var indices = [] // of each entry kept, in the scene's channel list
        for (var i = 0; i < conf.channels.length; ++i) {
            var entry = conf.channels[i]
            if (isNull(entry) || typeof entry !== "object" || typeof entry.source !== "string") {
                console.warn("ShaderToyEffect: channel " + i + " skipped, it is not an object with a source URL: "
                             + describe(entry))
                continue
            }
            entries.push(entry)
            indices.push(i)
        }
        var audio = ""
        if (!isNull(conf.audio)) {
            if (typeof conf.audio === "string")
                audio = conf.audio
            else
                console.warn("ShaderToyEffect: audio skipped, it is not a URL: " + describe(conf.audio))
        }
        return { entries: entries, indices: indices, audio: audio }
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
