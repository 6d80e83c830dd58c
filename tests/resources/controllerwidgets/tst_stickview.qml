import QtQuick 2.15
import QtQuick.Window 2.15
import QtTest 1.15
import JoyvantTest.Log 1.0
import "qrc:/"

// The stick view as it is painted: a 320 x 320 view (room for the numbers outside the
// circle) on an opaque grey ground, read back from the grabbed picture.
Rectangle {
    id: root

    readonly property color ground: "#404040"
    readonly property real r: 64
    readonly property var window: Window.window

    width: 400
    height: 400
    color: ground

    Component {
        id: stickComponent
        StickView {
            width: 320
            height: 320
        }
    }

    // Repaints the ground, so the window renders another frame.
    Rectangle {
        id: ticker
        x: 360
        width: 10
        height: 10
    }

    SignalSpy {
        id: paints
        signalName: "paint"
    }

    SignalSpy {
        id: frames
        signalName: "frameSwapped"
    }

    TestCase {
        name: "StickView"
        when: windowShown

        property var view

        function init() {
            view = createTemporaryObject(stickComponent, root, {gamepadIndex: 0})
            paints.target = view
            paints.clear()
            LogCapture.clear()
            settle()
        }

        // Waits until the view has painted what it was asked to.
        function settle() {
            view.requestPaint()
            paints.wait()
            paints.clear()
        }

        function moveTo(x, y) {
            if (view.xAxisValue === x && view.yAxisValue === y)
                view.requestPaint()
            view.xAxisValue = x
            view.yAxisValue = y
            paints.wait()
            paints.clear()
        }

        function channel(c) { return Math.round(c * 255) }

        // Colours "#AARRGGBB" painted in turn over the ground, as 0..255 channels.
        function over() {
            var g = root.ground
            var rgb = [g.r, g.g, g.b]
            for (var i = 0; i < arguments.length; ++i) {
                var c = Qt.lighter(arguments[i], 1)
                rgb = [c.r * c.a + rgb[0] * (1 - c.a), c.g * c.a + rgb[1] * (1 - c.a), c.b * c.a + rgb[2] * (1 - c.a)]
            }
            return rgb.map(channel)
        }

        function near(pixel, rgb) {
            return Math.abs(channel(pixel.r) - rgb[0]) <= 3 && Math.abs(channel(pixel.g) - rgb[1]) <= 3
                    && Math.abs(channel(pixel.b) - rgb[2]) <= 3
        }

        function comparePixel(image, x, y, rgb, what) {
            var p = image.pixel(x, y)
            verify(near(p, rgb), what + ": " + [channel(p.r), channel(p.g), channel(p.b)] + " is not " + rgb)
        }

        // The big cross, right of the centre, in `colour`, where it may lie under a covered area.
        function compareCross(image, colour) {
            var c = view.width / 2
            var p = image.pixel(c + 40, c)
            verify(near(p, over(colour)) || near(p, over(colour, "#3F12AAC2")),
                   "cross: " + [channel(p.r), channel(p.g), channel(p.b)] + " is not " + colour)
        }

        // Counts the samples on the test circle that have each of the given colours.
        function circleColours(image, colours) {
            var counts = colours.map(function() { return 0 })
            var c = view.width / 2
            for (var i = 0; i < 720; ++i) {
                var a = i * Math.PI / 360
                if (Math.abs(Math.sin(2 * a)) < 0.1) // leave out where the cross meets the circle
                    continue
                var p = image.pixel(Math.floor(c + root.r * Math.cos(a)), Math.floor(c + root.r * Math.sin(a)))
                for (var k = 0; k < colours.length; ++k) {
                    if (near(p, colours[k]))
                        ++counts[k]
                }
            }
            return counts
        }

        // Columns and rows of the pixels in a band that show the number colour.
        function inkBox(image, x0, y0, x1, y1) {
            var box = {left: 1e9, right: -1, top: 1e9, bottom: -1}
            for (var y = Math.max(0, y0); y <= Math.min(image.height - 1, y1); ++y) {
                for (var x = Math.max(0, x0); x <= Math.min(image.width - 1, x1); ++x) {
                    // Any trace of orange on the grey ground, thin segments included.
                    var p = image.pixel(x, y)
                    if (channel(p.r) - channel(p.b) > 40) {
                        box.left = Math.min(box.left, x)
                        box.right = Math.max(box.right, x)
                        box.top = Math.min(box.top, y)
                        box.bottom = Math.max(box.bottom, y)
                    }
                }
            }
            return box
        }

        function test_numbers_data() {
            return [
                { tag: "rest", x: 0, y: 0, xText: "0", yText: "0" },
                { tag: "full left", x: -1, y: 0, xText: "-32768", yText: "0" },
                { tag: "full right", x: 1, y: 0, xText: "32767", yText: "0" },
                { tag: "full up reads positive", x: 0, y: -1, xText: "0", yText: "32768" },
                { tag: "full down reads negative", x: 0, y: 1, xText: "0", yText: "-32767" },
                { tag: "halves round up", x: 0.5, y: 0.5, xText: "16384", yText: "-16383" },
                { tag: "negative halves round up", x: -2.5 / 32768, y: -2.5 / 32768, xText: "-2", yText: "3" },
                { tag: "tiny deflection", x: -0.4 / 32768, y: 0.4 / 32767, xText: "0", yText: "0" }
            ]
        }

        function test_numbers(data) {
            moveTo(data.x, data.y)
            compare(view.xValueText, data.xText)
            compare(view.yValueText, data.yText)
        }

        // Right stick: x number from 5 px right of the circle, y number centred below it;
        // left stick: x number ending 5 px left of the circle, y number centred above it.
        // Each row: the band searched (offsets from the centre) and where the ink must lie.
        function test_numberPlaces_data() {
            var r = root.r
            return [
                { tag: "right stick x", rOrl: 0, band: [r + 2, -20, 160, 2], left: [r + 5, r + 9], bottom: [-2, 0] },
                { tag: "right stick y", rOrl: 0, band: [-160, r + 2, 160, 160], middle: 0, bottom: [r + 10, r + 12] },
                { tag: "right stick, nothing left", rOrl: 0, band: [-160, -20, -r - 2, 2] },
                { tag: "left stick x", rOrl: 1, band: [-160, -20, -r - 2, 2], right: [-r - 9, -r - 5], bottom: [-2, 0] },
                { tag: "left stick y", rOrl: 1, band: [-160, -160, 160, -r - 2], middle: 0, bottom: [-r - 7, -r - 5] },
                { tag: "left stick, nothing right", rOrl: 1, band: [r + 2, -20, 160, 2] }
            ]
        }

        function test_numberPlaces(data) {
            view.rOrl = data.rOrl
            moveTo(-1, 0.5) // "-32768" and "-16383"
            var c = view.width / 2
            var box = inkBox(grabImage(view), c + data.band[0], c + data.band[1], c + data.band[2], c + data.band[3])
            function within(value, range, what) {
                verify(value >= c + range[0] && value <= c + range[1], what + " at " + (value - c) + " from the centre")
            }
            if (data.bottom === undefined) {
                compare(box.right, -1)
                return
            }
            within(box.bottom, data.bottom, "baseline")
            if (data.left)
                within(box.left, data.left, "start")
            if (data.right)
                within(box.right, data.right, "end")
            if (data.middle !== undefined)
                within((box.left + box.right) / 2, [-2, 2], "middle")
        }

        // Each quadrant keeps the corner of the box of the positions painted there; a
        // smaller deflection later leaves it as it was.
        function test_quadrantRecordsGrowAndStay_data() {
            return [
                { tag: "0 right-up", q: 0, sx: 1, sy: -1 },
                { tag: "1 left-up", q: 1, sx: -1, sy: -1 },
                { tag: "2 left-down", q: 2, sx: -1, sy: 1 },
                { tag: "3 right-down", q: 3, sx: 1, sy: 1 }
            ]
        }

        function test_quadrantRecordsGrowAndStay(data) {
            moveTo(data.sx * 0.5, data.sy * 0.25)
            moveTo(data.sx * 0.25, data.sy * 0.5)
            moveTo(data.sx * 0.1, data.sy * 0.1)
            compare(view.dx[0][data.q], data.sx * 32)
            compare(view.dy[0][data.q], data.sy * 32)
            for (var q = 0; q < 4; ++q) {
                if (q !== data.q) {
                    compare(view.dx[0][q], 0)
                    compare(view.dy[0][q], 0)
                }
            }
            moveTo(0, 0)
            var image = grabImage(view)
            var c = view.width / 2
            var area = over("#3F12AAC2")
            comparePixel(image, c + data.sx * 20, c + data.sy * 28, area, "inside the covered area")
            comparePixel(image, c + data.sx * 36, c + data.sy * 20, over(), "beyond the covered area")
            comparePixel(image, c - data.sx * 20, c + data.sy * 20, over(), "the neighbouring quadrant")
        }

        // Completed takes the full width above the centre line and the full height.
        function test_completion_data() {
            return [
                { tag: "full width only", path: [[1, -0.2], [-1, -0.2]], completed: false },
                { tag: "full height only", path: [[0.2, -1], [0.2, 1]], completed: false },
                { tag: "full width below the centre line", path: [[1, 0.2], [-1, 0.2], [0.2, -1], [0.2, 1]], completed: false },
                { tag: "almost round", path: [[1, -0.2], [-0.99, -0.2], [0.2, -1], [-0.2, 1]], completed: false },
                { tag: "round", path: [[1, -0.2], [0.2, -1], [-1, -0.2], [-0.2, 1]], completed: true },
                { tag: "width, then height later", path: [[1, -0.01], [-1, -0.01], [0, 0], [0.3, 1], [-0.3, -1]], completed: true }
            ]
        }

        function test_completion(data) {
            for (var i = 0; i < data.path.length; ++i) {
                compare(view.stickCircleCompleted[0], false)
                moveTo(data.path[i][0], data.path[i][1])
            }
            compare(view.stickCircleCompleted[0], data.completed)
            moveTo(0, 0)
            var image = grabImage(view)
            var counts = circleColours(image, [over("#FF12AAC2"), [255, 255, 255]])
            if (data.completed) {
                verify(counts[0] > 400, "solid teal circle: " + counts)
                compare(counts[1], 0)
                // The big cross turns faint.
                compareCross(image, "#40EBE9DD")
            } else {
                compare(counts[0], 0)
                verify(counts[1] > 50, "dotted white circle: " + counts)
                compareCross(image, "#FF000000")
            }
            // Completed stays while the stick moves on.
            moveTo(0.1, 0.1)
            compare(view.stickCircleCompleted[0], data.completed)
        }

        // The circle while the stick moves: orange dots at the rim, black dots inside.
        function test_circleWhileMoving_data() {
            return [
                { tag: "inside the rim", x: 0.5, y: 0.5, colour: [0, 0, 0] },
                { tag: "at the rim", x: 0, y: 1, colour: "#FFFF8A29" },
                { tag: "beyond the rim", x: 0.9, y: -0.9, colour: "#FFFF8A29" }
            ]
        }

        function test_circleWhileMoving(data) {
            moveTo(data.x, data.y)
            verify(view.stickTesting)
            var colour = typeof data.colour === "string" ? over(data.colour) : data.colour
            var counts = circleColours(grabImage(view), [colour, [255, 255, 255]])
            verify(counts[0] > 50, "dotted circle: " + counts)
            compare(counts[1], 0)
        }

        function test_liveRectangleAndSight() {
            moveTo(0.5, -0.5)
            var image = grabImage(view)
            var c = view.width / 2
            comparePixel(image, c + 16, c - 12, over("#3F12AAC2", "#99FF8A29"), "live rectangle over the covered area")
            comparePixel(image, c - 16, c - 12, over(), "outside the live rectangle")
            moveTo(0, 0)
            image = grabImage(view)
            verify(!view.stickTesting)
            comparePixel(image, c + 16, c - 12, over("#3F12AAC2"), "covered area after the stick returned")
        }

        function test_pushButtonDisc() {
            var c = view.width / 2
            comparePixel(grabImage(view), c + 12, c + 12, over(), "no disc before the first press")
            view.button = 1
            paints.wait()
            compare(view.buttonTestMode[0], 2)
            comparePixel(grabImage(view), c + 12, c + 12, over("#99FF8A29"), "held")
            comparePixel(grabImage(view), c + 20, c + 20, over(), "outside the disc")
            view.button = 0
            paints.wait()
            compare(view.buttonTestMode[0], 1)
            comparePixel(grabImage(view), c + 12, c + 12, over("#FF12AAC2"), "released")
        }

        // Each slot shows its own record; reset clears the one slot it names.
        function test_slotsAndReset() {
            var c = view.width / 2
            var area = over("#3F12AAC2")
            moveTo(1, -0.2); moveTo(0.2, -1); moveTo(-1, -0.2); moveTo(-0.2, 1); moveTo(0, 0)
            view.button = 1
            view.button = 0
            view.gamepadIndex = 1
            paints.wait()
            paints.clear()
            moveTo(-0.5, 0.5)
            moveTo(0, 0)
            compare(view.stickCircleCompleted[0], true)
            compare(view.stickCircleCompleted[1], false)

            var image = grabImage(view)
            comparePixel(image, c - 20, c + 20, area, "slot 1: its own area")
            comparePixel(image, c + 20, c - 20, over(), "slot 1: not slot 0's area")
            comparePixel(image, c + 12, c + 12, over(), "slot 1: no disc")

            view.reset(1)
            paints.wait()
            image = grabImage(view)
            comparePixel(image, c - 20, c + 20, over(), "slot 1 after its reset")
            compare(view.dx[1], [0, 0, 0, 0])

            view.gamepadIndex = 0
            paints.wait()
            image = grabImage(view)
            comparePixel(image, c + 20, c - 20, area, "slot 0 keeps its area")
            comparePixel(image, c + 12, c + 12, over("#FF12AAC2"), "slot 0 keeps its disc")
            verify(circleColours(image, [over("#FF12AAC2")])[0] > 400, "slot 0 stays completed")

            view.reset(0)
            paints.wait()
            image = grabImage(view)
            comparePixel(image, c + 20, c - 20, over(), "slot 0 after its reset: no area")
            comparePixel(image, c + 12, c + 12, over(), "slot 0 after its reset: no disc")
            compare(view.stickCircleCompleted[0], false)
            compare(view.buttonTestMode[0], 0)
            verify(circleColours(image, [[255, 255, 255]])[0] > 50, "dotted white circle again")
        }

        function test_noSlotDrawsNothing() {
            view.visible = false
            var blank = createTemporaryObject(stickComponent, root)
            paints.target = blank
            paints.clear()
            LogCapture.clear()
            blank.xAxisValue = 0.5
            blank.button = 1
            paints.wait()
            compare(blank.buttonTestMode, [0, 0, 0, 0])
            var lines = LogCapture.matching("[StickView]gamepadIndex<0,paint nothing")
            verify(lines.length >= 1)
            var image = grabImage(blank)
            for (var y = 0; y < blank.height; y += 4) {
                for (var x = 0; x < blank.width; x += 4)
                    comparePixel(image, x, y, over(), "pixel " + x + "," + y)
            }
        }

        // A hundred axis changes within one frame make one paint, of the last position.
        function test_onePaintPerFrameUnderABurst() {
            frames.target = root.window
            paints.clear()
            for (var i = 0; i < 100; ++i) {
                var a = i * 2 * Math.PI / 100 + 0.3
                view.xAxisValue = Math.cos(a)
                view.yAxisValue = Math.sin(a)
            }
            view.xAxisValue = 0.5
            view.yAxisValue = -0.5
            paints.wait()
            frames.clear()
            ticker.color = "red"
            frames.wait()
            ticker.color = "blue"
            frames.wait()
            compare(paints.count, 1)
            compare(view.dx[0], [32, 0, 0, 0])
            compare(view.dy[0], [-32, 0, 0, 0])
        }
    }
}
