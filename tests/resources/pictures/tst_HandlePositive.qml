import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The front picture: every control of the drawing stands where the test view lays its
// indicator, and the glow of every outline takes the style colour.
Item {
    id: form

    // What the dials read from the view that holds them.
    readonly property real shockL: 0.0344827586206897
    property real shockButtonValL: 0
    property real shockButtonValR: 0
    property int testModeLb: 0
    property int testModeRb: 0

    width: 1280
    height: 800

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: pictureComponent
        HandlePositive {}
    }

    // One picture for the checks that only read the drawing.
    HandlePositive {
        id: shared
    }

    TestCase {
        name: "HandlePositive"
        when: windowShown

        // The picture's own glowing drawings (the dials inside glow by themselves).
        function growImages(item) {
            var found = []
            for (var i = 0; i < item.children.length; ++i) {
                var child = item.children[i]
                if (child.hasOwnProperty("transparentBorder") && child.hasOwnProperty("samples"))
                    found.push(child)
            }
            return found
        }

        property var sharedImage: null

        function drawing() {
            if (sharedImage === null) {
                // The outlines are rasterised on a worker thread and glow once the window has
                // drawn: wait until every one of them is built.
                tryVerify(function() {
                    return growImages(shared).every(function(image) { return image.drawn })
                }, 5000, "every outline is built")
                tryVerify(function() {
                    sharedImage = grabImage(shared)
                    return brightest(sharedImage, 811 + 25, 288, 1) > 0.9
                }, 5000, "the drawing has been rendered")
            }
            return sharedImage
        }

        function brightest(image, x, y, reach) {
            var best = 0
            for (var dx = -reach; dx <= reach; ++dx) {
                for (var dy = -reach; dy <= reach; ++dy) {
                    var p = image.pixel(x + dx, y + dy)
                    best = Math.max(best, Math.min(p.r, p.g, p.b))
                }
            }
            return best
        }

        // Points (in the window's frame) where the layout's indicators expect a line of the
        // drawing: on the rim of each button, stick ring and arm of the cross pad.
        function test_controlsStandUnderTheirIndicators_data() {
            return [
                { tag: "A ring", x: 811 + 25, y: 288 }, { tag: "B ring", x: 859, y: 257 - 25 },
                { tag: "X ring", x: 763 - 25, y: 253 }, { tag: "Y ring", x: 811, y: 219 - 25 },
                { tag: "Back ring", x: 593.5 - 17, y: 264.5 }, { tag: "Start ring", x: 686.5 + 17, y: 264.5 },
                { tag: "left stick ring", x: 470.5, y: 260.5 - 63.5 }, { tag: "left stick ring side", x: 470.5 + 63.5, y: 260.5 },
                { tag: "right stick ring", x: 713.5, y: 368.5 + 63.5 }, { tag: "right stick ring side", x: 713.5 - 63.5, y: 368.5 },
                { tag: "left stick cap", x: 471 - 19.5, y: 260 }, { tag: "right stick cap", x: 714, y: 369 - 19.5 },
                { tag: "cross pad top", x: 559.5, y: 368.5 - 47.5 }, { tag: "cross pad left", x: 559.5 - 46.5, y: 368.5 },
                { tag: "cross pad right", x: 559.5 + 46.5, y: 368.5 }, { tag: "cross pad bottom", x: 559.5, y: 368.5 + 47.5 },
                { tag: "guide ring", x: 639.5, y: 195.5 - 21.5 },
                // The bumpers' flat undersides and outer ends, as the bumper indicators are drawn.
                { tag: "left bumper underside", x: 472, y: 184.9 }, { tag: "right bumper underside", x: 810, y: 184.3 },
                { tag: "left bumper outer end", x: 396.9, y: 170 }, { tag: "right bumper outer end", x: 885.2, y: 170 }
            ]
        }

        function test_controlsStandUnderTheirIndicators(data) {
            var image = drawing()
            verify(brightest(image, Math.round(data.x), Math.round(data.y), 1) > 0.9,
                   data.tag + ": a line at (" + data.x + ", " + data.y + ")")
        }

        // Inside each face button's ring and each stick's well there is no stray line.
        function test_ringsAreOpenInside_data() {
            return [
                { tag: "A", x: 811, y: 288 }, { tag: "B", x: 859, y: 257 }, { tag: "X", x: 763, y: 253 },
                { tag: "Y", x: 811, y: 219 }, { tag: "between frame and ring", x: 514, y: 285 }
            ]
        }

        function test_ringsAreOpenInside(data) {
            var image = drawing()
            verify(brightest(image, data.x, data.y, 2) < 0.5, data.tag)
        }

        // A red pixel of glow in the item's box, with every other part of the picture hidden.
        function glowsRed(picture, outline) {
            for (var i = 0; i < picture.children.length; ++i)
                picture.children[i].visible = picture.children[i] === outline
            var found = false
            tryVerify(function() {
                var image = grabImage(form)
                var x0 = Math.max(0, Math.floor(outline.x)), y0 = Math.max(0, Math.floor(outline.y))
                var x1 = Math.min(image.width, outline.x + outline.width), y1 = Math.min(image.height, outline.y + outline.height)
                for (var x = x0; x < x1 && !found; x += 2) {
                    for (var y = y0; y < y1 && !found; y += 2) {
                        var p = image.pixel(x, y)
                        found = p.r > 0.25 && p.g < p.r * 0.4 && p.b < p.r * 0.4
                    }
                }
                return found
            }, 5000, outline.objectName + " glows red")
        }

        function test_styleColourReachesEveryOutline() {
            shared.visible = false
            var picture = createTemporaryObject(pictureComponent, form, { styleColor: "#FFFFFF" })
            var outlines = growImages(picture)
            compare(outlines.length, 27)
            picture.styleColor = "#FF0000"
            for (var i = 0; i < outlines.length; ++i)
                glowsRed(picture, outlines[i])
            verify(Qt.colorEqual(picture.shockLeft.glowColor, "#FF0000"), "left dial glows red")
            verify(Qt.colorEqual(picture.shockRight.glowColor, "#FF0000"), "right dial glows red")
            shared.visible = true
        }

        function test_whiteStyleLeavesNoColouredGlow() {
            var image = drawing()
            // Just outside the A ring the glow is white light, not a colour.
            var p = image.pixel(811 + 25 + 4, 288)
            verify(p.r > 0.05, "glow present")
            verify(Math.abs(p.r - p.g) < 0.02 && Math.abs(p.r - p.b) < 0.02, "glow is grey: " + p)
        }

        function test_dialsFollowTheTriggers() {
            var picture = createTemporaryObject(pictureComponent, form)
            picture.testModeLb = 2
            picture.testModeRb = 1
            compare(picture.shockLeft.state, "testing")
            compare(picture.shockRight.state, "tested")
        }

        function test_logoSitsOnTheGuideRing() {
            var picture = createTemporaryObject(pictureComponent, form)
            var ring = findChild(picture, "guideRing")
            compare(picture.xboxLogo.x + picture.xboxLogo.width / 2, ring.x + ring.width / 2)
            verify(Math.abs(picture.xboxLogo.y + picture.xboxLogo.height / 2 - (ring.y + ring.height / 2)) <= 1)
        }
    }
}
