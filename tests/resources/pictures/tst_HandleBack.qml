import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The back picture: each outline of a shoulder control or paddle runs along the edge of
// the lit shape that the controller lays over it, and every outline glows in the style colour.
Item {
    id: form

    // What the dials read from the view that holds them.
    readonly property real shockL: 0.0344827586206897
    property real shockButtonValL: 0
    property real shockButtonValR: 0
    property int testModeLb: 0
    property int testModeRb: 0

    width: 800
    height: 560

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    // The picture at (50, 60), so that the parts above its top edge are in the window.
    Item {
        id: frame
        x: 50
        y: 60
        width: 700
        height: 480

        HandleBack {
            id: picture
        }

        // The lit shapes, where the controller places them (boxes in the picture's frame).
        Repeater {
            id: litShapes
            model: [
                { name: "back_buttonRb", x: 161, y: -23, width: 86, height: 38 },
                { name: "back_buttonLb", x: 430, y: -23, width: 86, height: 38 },
                { name: "back_buttonRT", x: 93, y: -39, width: 85, height: 70 },
                { name: "back_buttonLT", x: 503, y: -39, width: 85, height: 70 },
                { name: "back_buttonR1", x: 192, y: 164, width: 90, height: 42 },
                { name: "back_buttonL1", x: 383, y: 164, width: 90, height: 42 },
                { name: "back_buttonR2", x: 201, y: 203, width: 81, height: 108 },
                { name: "back_buttonL2", x: 384, y: 203, width: 81, height: 108 }
            ]
            Image {
                x: modelData.x
                y: modelData.y
                width: modelData.width
                height: modelData.height
                sourceSize: Qt.size(width, height)
                fillMode: Image.Stretch
                source: "qrc:/images/" + modelData.name + ".svg"
                visible: false
            }
        }
    }

    TestCase {
        name: "HandleBack"
        when: windowShown

        function light(p) {
            return Math.min(p.r, p.g, p.b)
        }

        // Edges of the lit shape along one line through the middle of its box.
        function edges(image, box, horizontal) {
            var found = []
            var n = horizontal ? box.width : box.height
            var previous = false
            for (var i = 0; i < n; ++i) {
                var x = frame.x + box.x + (horizontal ? i : Math.floor(box.width / 2))
                var y = frame.y + box.y + (horizontal ? Math.floor(box.height / 2) : i)
                var lit = light(image.pixel(x, y)) > 0.5
                if (lit !== previous)
                    found.push(horizontal ? x : y)
                previous = lit
            }
            return found
        }

        function lineNear(image, x, y, horizontal) {
            for (var d = -2; d <= 2; ++d) {
                if (light(image.pixel(horizontal ? x + d : x, horizontal ? y : y + d)) > 0.8)
                    return true
            }
            return false
        }

        function test_outlinesFollowTheLitShapes_data() {
            var rows = []
            for (var i = 0; i < litShapes.count; ++i)
                rows.push({ tag: litShapes.model[i].name, index: i })
            return rows
        }

        function test_outlinesFollowTheLitShapes(data) {
            var box = litShapes.model[data.index]
            var shape = litShapes.itemAt(data.index)
            picture.shockLeft.visible = false
            picture.shockRight.visible = false
            // The lit shape alone, then the outlines alone.
            picture.visible = false
            shape.visible = true
            var lit
            tryVerify(function() { lit = grabImage(form); return edges(lit, box, true).length === 2 }, 3000,
                      "the lit shape crosses its middle row once")
            shape.visible = false
            picture.visible = true
            var drawn
            tryVerify(function() { drawn = grabImage(form); return light(drawn.pixel(frame.x + 340, frame.y + 16)) > 0.8 }, 3000)
            var across = edges(lit, box, true)
            var down = edges(lit, box, false)
            compare(down.length, 2, "the lit shape crosses its middle column once")
            var midY = frame.y + box.y + Math.floor(box.height / 2)
            var midX = frame.x + box.x + Math.floor(box.width / 2)
            for (var i = 0; i < 2; ++i) {
                verify(lineNear(drawn, across[i], midY, true), "outline at the lit edge x " + across[i])
                verify(lineNear(drawn, midX, down[i], false), "outline at the lit edge y " + down[i])
            }
            // Inside, the outline leaves the shape open for the lit colour.
            compare(light(drawn.pixel(midX, midY)) < 0.3, true)
        }

        function test_styleColourReachesEveryOutline() {
            picture.styleColor = "#FF0000"
            var outlines = []
            for (var i = 0; i < picture.children.length; ++i) {
                var child = picture.children[i]
                if (child.hasOwnProperty("transparentBorder"))
                    outlines.push(child)
            }
            compare(outlines.length, 11)
            for (var j = 0; j < outlines.length; ++j)
                verify(Qt.colorEqual(outlines[j].color, "#FF0000"), outlines[j].objectName)
            // Left of the body's outer edge, level with the right grip, the glow is red.
            tryVerify(function() {
                var image = grabImage(form)
                for (var x = -10; x < -4; ++x) {
                    var p = image.pixel(frame.x + x, frame.y + 300)
                    if (p.r > 0.15 && p.g < p.r * 0.4 && p.b < p.r * 0.4)
                        return true
                }
                return false
            }, 5000, "the body glows red")
            verify(Qt.colorEqual(picture.shockLeft.glowColor, "#FF0000"))
            picture.styleColor = "#FFFFFF"
        }
    }
}
