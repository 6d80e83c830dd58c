import QtQuick 2.15

// The colour picker's logic: wheel and sliders follow each other, and the chosen
// colour is published as colorSelected (always opaque).
//
// A slider change sets the wheel's hue, saturation and value; each of those changes
// writes the converted colour back into the sliders with blockSlider set, so that
// those writes do not come back as slider changes.
ColorPickerForm {
    id: colorPicker

    property color colorSelected
    property bool blockSlider: false

    // (h, s, v, a), each 0..1, to (r, g, b, a), each 0..1. Both are 4-vectors
    // ({x, y, z, w}, as Qt.vector4d gives); the result keeps double precision.
    function hsva2rgba(hsva) {
        var h = hsva.x, s = hsva.y, v = hsva.z
        var c = v * s
        var x = c * (1 - Math.abs((6 * h) % 2 - 1))
        var m = v - c
        var rgb
        if (h < 1 / 6)
            rgb = [c + m, x + m, m]
        else if (h < 1 / 3)
            rgb = [x + m, c + m, m]
        else if (h < 1 / 2)
            rgb = [m, c + m, x + m]
        else if (h < 2 / 3)
            rgb = [m, x + m, c + m]
        else if (h < 5 / 6)
            rgb = [x + m, m, c + m]
        else
            rgb = [c + m, m, x + m]
        return { x: rgb[0], y: rgb[1], z: rgb[2], w: hsva.w }
    }

    // (r, g, b, a) with r, g and b on 0..255 to (h, s, v, a) with h, s and v on 0..1.
    function rgba2hsva(rgba) {
        var r = rgba.x, g = rgba.y, b = rgba.z
        var max = Math.max(r, g, b)
        var min = Math.min(r, g, b)
        var d = max - min
        var s = max === 0 ? 0 : d / max
        var v = max / 255
        var h = 0
        if (max !== min) {
            if (r === max)
                h = (g - b) / d + (g < b ? 6 : 0)
            else if (g === max)
                h = (b - r) / d + 2
            else
                h = (r - g) / d + 4
            h /= 6
        }
        return { x: h, y: s, z: v, w: rgba.w }
    }

    // Each track shows the colours that moving its slider alone would give.
    function setAllSlider(r, g, b) {
        sliderR.minG = g; sliderR.maxG = g
        sliderR.minB = b; sliderR.maxB = b
        sliderG.minR = r; sliderG.maxR = r
        sliderG.minB = b; sliderG.maxB = b
        sliderB.minR = r; sliderB.maxR = r
        sliderB.minG = g; sliderB.maxG = g
    }

    function sliderRule() {
        if (blockSlider)
            return
        var r = sliderR.value, g = sliderG.value, b = sliderB.value
        setAllSlider(r, g, b)
        var hsva = rgba2hsva({ x: r, y: g, z: b, w: 1 })
        wheel.hue = hsva.x
        wheel.sat = hsva.y
        wheel.val = hsva.z
        colorSelected = Qt.rgba(r / 255, g / 255, b / 255, 1)
    }

    function wheelRule() {
        var rgba = hsva2rgba({ x: wheel.hue, y: wheel.sat, z: wheel.val, w: 1 })
        setAllSlider(rgba.x * 255, rgba.y * 255, rgba.z * 255)
        blockSlider = true
        sliderR.value = rgba.x * 255
        sliderG.value = rgba.y * 255
        sliderB.value = rgba.z * 255
        blockSlider = false
        colorSelected = Qt.rgba(rgba.x, rgba.y, rgba.z, 1)
    }

    // Shows the colour c (its alpha is dropped): sliders, wheel and colorSelected.
    function setColor(c) {
        blockSlider = true
        sliderR.value = Math.round(c.r * 255)
        sliderG.value = Math.round(c.g * 255)
        sliderB.value = Math.round(c.b * 255)
        blockSlider = false
        sliderRule()
    }

    wheel.onHueChanged: wheelRule()
    wheel.onSatChanged: wheelRule()
    wheel.onValChanged: wheelRule()
    sliderR.onValueChanged: sliderRule()
    sliderG.onValueChanged: sliderRule()
    sliderB.onValueChanged: sliderRule()

    // Start at black: the wheel's corner and the sliders' left ends agree, and every
    // track shows its own channel.
    Component.onCompleted: {
        wheel.hue = 0
        wheel.sat = 0
        wheel.val = 0
        wheelRule()
    }
}
