import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The colour picker: the wheel's pointer input and mapping, the sliders and the rules
// that keep both sides in step.
Item {
    id: root
    width: 300
    height: 150

    Component {
        id: pickerComponent
        ColorPicker {}
    }

    Component {
        id: wheelComponent
        ColorWheel {}
    }

    TestCase {
        name: "ColorPicker"
        when: windowShown

        function createPicker() {
            var picker = createTemporaryObject(pickerComponent, root)
            verify(picker)
            return picker
        }

        // A wheel on its own starts at the triangle's centre with red at the top, and its
        // handle shows that colour, not black.
        function test_wheelOnItsOwnStartsAtTheCentre() {
            var wheel = createTemporaryObject(wheelComponent, root)
            compare(wheel.hue, 0)
            compare(wheel.sat, 1 / 2)
            compare(wheel.val, 2 / 3)
            fuzzyCompare(wheel.selectionPoint.x, 0, 1e-9)
            fuzzyCompare(wheel.selectionPoint.y, 0, 1e-9)
            var handle = findChild(wheel, "selectionHandle")
            verify(fuzzyColour(handle.color, Qt.rgba(2 / 3, 1 / 3, 1 / 3, 1), 0.01), String(handle.color))
            waitForRendering(wheel)
            var centre = grabImage(wheel).pixel(wheel.width / 2, wheel.width / 2)
            verify(fuzzyColour(centre, Qt.rgba(2 / 3, 1 / 3, 1 / 3, 1), 0.03), String(centre))
        }

        // A point of the wheel at `turns` clockwise from 12 o'clock, `distance` from the centre.
        function wheelPoint(wheel, turns, distance) {
            var a = turns * 2 * Math.PI
            return Qt.point(wheel.width / 2 + distance * Math.sin(a), wheel.width / 2 - distance * Math.cos(a))
        }

        // A point of the triangle's frame in the wheel's coordinates.
        function fromTriangleFrame(wheel, p) {
            var a = wheel.hue * 2 * Math.PI
            return Qt.point(wheel.width / 2 + p.x * Math.cos(a) - p.y * Math.sin(a),
                            wheel.width / 2 + p.x * Math.sin(a) + p.y * Math.cos(a))
        }

        function fuzzyColour(actual, wanted, tolerance) {
            var expected = Qt.lighter(wanted, 1)    // a colour also from a string
            return Math.abs(actual.r - expected.r) <= tolerance && Math.abs(actual.g - expected.g) <= tolerance
                    && Math.abs(actual.b - expected.b) <= tolerance
        }

        function test_ringDragSetsTheHue_data() {
            return [
                { tag: "top", turns: 0, hue: 0 },
                { tag: "3 o'clock", turns: 0.25, hue: 0.25 },
                { tag: "6 o'clock", turns: 0.5, hue: 0.5 },
                { tag: "9 o'clock, beyond the outer edge", turns: 0.75, hue: 0.75, distance: 70 }
            ]
        }

        function test_ringDragSetsTheHue(data) {
            var picker = createPicker()
            var wheel = picker.wheel
            wheel.hue = 0.9
            var start = wheelPoint(wheel, 0.6, 44)
            mousePress(wheel, start.x, start.y)
            // A press on the ring alone changes nothing.
            compare(wheel.hue, 0.9)
            var target = wheelPoint(wheel, data.turns, data.distance || 44)
            mouseMove(wheel, target.x, target.y)
            mouseRelease(wheel, target.x, target.y)
            fuzzyCompare(wheel.hue, data.hue, 1e-6)
            fuzzyCompare(findChild(wheel, "triangle").rotation % 360, 360 * data.hue, 1e-4)

            // The pure-hue corner points at the hue handle and shows the hue.
            var expected = Qt.hsva(data.hue, 1, 1, 1)
            var corner = fromTriangleFrame(wheel, Qt.point(0, -0.8 * (wheel.width / 2 - wheel.circleWidth)))
            var onPicker = wheel.mapToItem(picker, corner.x, corner.y)
            tryVerify(function() {
                var image = grabImage(picker)
                return fuzzyColour(image.pixel(onPicker.x, onPicker.y), expected, 0.2)
            }, 5000, "the triangle's corner under the handle shows the hue")
        }

        function test_innerPointsOfARingDragAreIgnored() {
            var picker = createPicker()
            var wheel = picker.wheel
            var start = wheelPoint(wheel, 0.5, 44)
            mousePress(wheel, start.x, start.y)
            var inner = wheelPoint(wheel, 0.25, 30)
            mouseMove(wheel, inner.x, inner.y)
            mouseRelease(wheel, inner.x, inner.y)
            compare(wheel.hue, 0)
        }

        function test_slidersSetTheWheel_data() {
            return [
                { tag: "red", rgb: [255, 0, 0], hsv: [0, 1, 1] },
                { tag: "grey", rgb: [128, 128, 128], hsv: [0, 0, 128 / 255] },
                { tag: "black", rgb: [0, 0, 0], hsv: [0, 0, 0] },
                { tag: "teal", rgb: [18, 170, 194], hsv: [(4 - 152 / 176) / 6, 176 / 194, 194 / 255] },
                { tag: "magenta side", rgb: [200, 40, 120], hsv: [(5 + 1 - 80 / 160) / 6, 160 / 200, 200 / 255] }
            ]
        }

        function test_slidersSetTheWheel(data) {
            var picker = createPicker()
            picker.sliderR.value = 7
            picker.sliderR.value = data.rgb[0]
            picker.sliderG.value = data.rgb[1]
            picker.sliderB.value = data.rgb[2]
            fuzzyCompare(picker.wheel.hue, data.hsv[0], 1e-9)
            fuzzyCompare(picker.wheel.sat, data.hsv[1], 1e-9)
            fuzzyCompare(picker.wheel.val, data.hsv[2], 1e-9)
            compare(picker.colorSelected, Qt.rgba(data.rgb[0] / 255, data.rgb[1] / 255, data.rgb[2] / 255, 1))
            compare(picker.colorSelected.a, 1)
            // The sliders hold the colour converted there and back.
            fuzzyCompare(picker.sliderR.value, data.rgb[0], 1e-6)
            fuzzyCompare(picker.sliderG.value, data.rgb[1], 1e-6)
            fuzzyCompare(picker.sliderB.value, data.rgb[2], 1e-6)
            compare(findChild(picker.sliderR, "valueText").text, String(data.rgb[0]))
            // Each track shows what its slider alone reaches.
            compare([picker.sliderR.minG, picker.sliderR.maxG, picker.sliderR.minB, picker.sliderR.maxB].map(Math.round),
                    [data.rgb[1], data.rgb[1], data.rgb[2], data.rgb[2]])
            compare([picker.sliderG.minR, picker.sliderG.maxR, picker.sliderB.minG, picker.sliderB.maxG].map(Math.round),
                    [data.rgb[0], data.rgb[0], data.rgb[1], data.rgb[1]])
            compare([picker.sliderR.minR, picker.sliderR.maxR, picker.sliderG.minG, picker.sliderG.maxG],
                    [0, 255, 0, 255])
        }

        function test_redTracksShowWhatEachSliderReaches() {
            var picker = createPicker()
            picker.setColor(Qt.rgba(1, 0, 0, 1))
            // Left and right ends of each track: R black to red, G red to yellow, B red to magenta.
            var ends = [[picker.sliderR, "#000000", "#FF0000"], [picker.sliderG, "#FF0000", "#FFFF00"],
                        [picker.sliderB, "#FF0000", "#FF00FF"]]
            waitForRendering(picker)
            var image = grabImage(picker)
            for (var i = 0; i < ends.length; ++i) {
                var track = findChild(ends[i][0], "track")
                var left = track.mapToItem(picker, 1, track.height / 2 - 2)
                var right = track.mapToItem(picker, track.width - 2, track.height / 2 - 2)
                verify(fuzzyColour(image.pixel(left.x, left.y), ends[i][1], 0.05), "left end of track " + i)
                verify(fuzzyColour(image.pixel(right.x, right.y), ends[i][2], 0.05), "right end of track " + i)
            }
        }

        // Pointer positions are whole pixels: corners are pressed a pixel or two inside.
        function test_trianglePointsGiveTheirColour_data() {
            var R = 38
            var inside = 0.95
            return [
                { tag: "near the pure hue corner", point: [0, -R * inside], sat: 1, val: 0.95 + 0.05 / 3 * 2 },
                { tag: "near the white corner", point: [R * inside * Math.sqrt(3) / 2, R * inside / 2], sat: 0, val: 0.95 + 0.05 / 3 * 2 },
                { tag: "near the black corner", point: [-R * inside * Math.sqrt(3) / 2, R * inside / 2] },
                { tag: "centre", point: [0, 0], sat: 0.5, val: 2 / 3 }
            ]
        }

        // At the black corner every saturation is black; the formula divides 0 by 0 there.
        function test_blackCornerIsBlack_data() {
            var R = 38
            return [
                { tag: "corner", point: [-R * Math.sqrt(3) / 2, R / 2] },
                { tag: "rounded just outside", point: [-R * Math.sqrt(3) / 2 - 1e-12, R / 2 + 1e-12] },
                { tag: "a hair inside", point: [-R * Math.sqrt(3) / 2 + 1e-9, R / 2 - 1e-10] }
            ]
        }

        function test_blackCornerIsBlack(data) {
            var picker = createPicker()
            var colour = picker.wheel.pointToColor(data.point[0], data.point[1])
            verify(colour)
            verify(!isNaN(colour.sat) && colour.sat >= 0 && colour.sat <= 1)
            fuzzyCompare(colour.val, 0, 1e-6)
            picker.wheel.sat = colour.sat
            picker.wheel.val = colour.val
            compare(picker.colorSelected, Qt.rgba(0, 0, 0, 1))
            verify(!isNaN(picker.sliderR.value) && !isNaN(picker.sliderG.value) && !isNaN(picker.sliderB.value))
        }

        function test_trianglePointsGiveTheirColour(data) {
            var picker = createPicker()
            var wheel = picker.wheel
            wheel.hue = 0.3
            var p = fromTriangleFrame(wheel, Qt.point(data.point[0], data.point[1]))
            mousePress(wheel, p.x, p.y)
            mouseRelease(wheel, p.x, p.y)
            verify(!isNaN(wheel.sat) && !isNaN(wheel.val))
            verify(wheel.sat >= 0 && wheel.sat <= 1 && wheel.val >= 0 && wheel.val <= 1)
            if (data.sat !== undefined) {
                fuzzyCompare(wheel.sat, data.sat, 0.03)
                fuzzyCompare(wheel.val, data.val, 0.03)
            }
            for (var channel of ["r", "g", "b"])
                verify(!isNaN(picker.colorSelected[channel]))
            verify(!isNaN(picker.sliderR.value) && !isNaN(picker.sliderG.value) && !isNaN(picker.sliderB.value))
            // The selection handle sits where the colour maps back to.
            var handle = findChild(wheel, "selectionHandle")
            var back = wheel.colorToPoint(wheel.sat, wheel.val)
            fuzzyCompare(handle.x + handle.width / 2 - wheel.width / 2, back.x, 1e-6)
            fuzzyCompare(handle.y + handle.height / 2 - wheel.width / 2, back.y, 1e-6)
            fuzzyCompare(back.x, data.point[0], 1)
            fuzzyCompare(back.y, data.point[1], 1)
        }

        function test_dragOutOfTheTriangleKeepsTheLastPointInside() {
            var picker = createPicker()
            var wheel = picker.wheel
            var centre = fromTriangleFrame(wheel, Qt.point(0, 0))
            mousePress(wheel, centre.x, centre.y)
            var inside = fromTriangleFrame(wheel, Qt.point(5, 5))
            mouseMove(wheel, inside.x, inside.y)
            var sat = wheel.sat, val = wheel.val
            verify(sat !== 0.5)
            var outside = fromTriangleFrame(wheel, Qt.point(0, 30))
            mouseMove(wheel, outside.x, outside.y)
            mouseRelease(wheel, outside.x, outside.y)
            compare(wheel.sat, sat)
            compare(wheel.val, val)
            compare(wheel.hue, 0)
        }
    }
}
