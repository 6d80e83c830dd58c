import QtQuick 2.15
import QtTest 1.15
import nimbo4 1.0
import "qrc:/"

// The button indicator family on a black ground, read back from the grabbed picture.
Rectangle {
    id: root

    width: 400
    height: 200
    color: "black"

    Component { id: circleButton; CircleButton {} }
    Component { id: crossButton; CrossButton {} }
    Component { id: duplexCrossButtonForm; DuplexCrossButtonForm {} }
    Component { id: duplexCrossButton; DuplexCrossButton {} }
    Component { id: rtLtButton; RtLtButton {} }
    Component { id: rbLbButton; RbLbButton {} }

    TestCase {
        name: "Indicators"
        when: windowShown

        // Each member: its default size and a point inside its shape.
        readonly property var members: [
            { name: "CircleButton", component: circleButton, size: [45, 45], inside: [8, 22], testedOpacity: 1 },
            { name: "CrossButton", component: crossButton, size: [24, 16], inside: [12, 11], testedOpacity: 0.6 },
            { name: "DuplexCrossButtonForm", component: duplexCrossButtonForm, size: [28, 28], inside: [9, 9], testedOpacity: 0.6 },
            { name: "DuplexCrossButton", component: duplexCrossButton, size: [28, 28], inside: [9, 9], testedOpacity: 0.6 },
            { name: "RtLtButton", component: rtLtButton, size: [168, 44], inside: [84, 32], testedOpacity: 0.6 },
            { name: "RbLbButton", component: rbLbButton, size: [36, 20], inside: [18, 12], testedOpacity: 0.6 }
        ]

        function channel(c) { return Math.round(c * 255) }

        function pixelAt(item, x, y) {
            var p = grabImage(item).pixel(x, y)
            return [channel(p.r), channel(p.g), channel(p.b)]
        }

        function near(rgb, expected) {
            for (var i = 0; i < 3; ++i) {
                if (Math.abs(rgb[i] - expected[i]) > 3)
                    return false
            }
            return true
        }

        // `colour` ("#RRGGBB") at `opacity` over the black ground.
        function shown(colour, opacity) {
            var c = Qt.lighter(colour, 1)
            return [channel(c.r * opacity), channel(c.g * opacity), channel(c.b * opacity)]
        }

        function test_states_data() {
            var rows = []
            var looks = [
                { state: "untest", colour: "#0B606E", opacity: function() { return 0 } },
                { state: "tested", colour: "#0B606E", opacity: function(m) { return m.testedOpacity } },
                { state: "testing", colour: "#FF8A29", opacity: function() { return 1 } }
            ]
            for (var i = 0; i < members.length; ++i) {
                for (var mode = 0; mode < 3; ++mode) {
                    var m = members[i]
                    rows.push({ tag: m.name + " " + looks[mode].state, member: m, testMode: mode,
                                state: looks[mode].state, colour: looks[mode].colour,
                                opacity: looks[mode].opacity(m) })
                }
            }
            return rows
        }

        // Every member: invisible untested (but in its place), dark teal once tested,
        // orange while held; the state is the test mode's name.
        function test_states(data) {
            var m = data.member
            var item = createTemporaryObject(m.component, root, { x: 20, y: 20 })
            compare(item.width, m.size[0])
            compare(item.height, m.size[1])
            compare(item.state, "untest")
            // Wait until the picture shows, so that every row reads a drawn shape.
            item.testMode = 2
            tryVerify(function() { return near(pixelAt(item, m.inside[0], m.inside[1]), shown("#FF8A29", 1)) },
                      5000, "the shape shows at " + m.inside)

            item.testMode = data.testMode
            compare(item.state, data.state)
            compare(item.state, Constants.testState[data.testMode])
            fuzzyCompare(item.opacity, data.opacity, 1e-6)
            var rgb = pixelAt(item, m.inside[0], m.inside[1])
            verify(near(rgb, shown(data.colour, data.opacity)),
                   rgb + " is not " + data.colour + " at opacity " + data.opacity)
            // The shape keeps its place and size in every state.
            compare(item.x, 20)
            compare(item.width, m.size[0])
        }

        // The letter of a face button: white LED letter, as visible as its circle.
        function test_letter_data() {
            return [
                { tag: "untest", testMode: 0, opacity: 0 },
                { tag: "tested", testMode: 1, opacity: 1 },
                { tag: "testing", testMode: 2, opacity: 1 }
            ]
        }

        function test_letter(data) {
            var item = createTemporaryObject(circleButton, root, { x: 20, y: 20, textValue: "A", testMode: data.testMode })
            var letter = findChild(item, "letter")
            verify(letter)
            compare(letter.text, "A")
            compare(letter.font.family, Constants.ledLetterFont.name)
            compare(letter.font.pixelSize, 24)
            // White pixels on the face only where the letter is drawn, and only while shown.
            var whites = 0
            var image = grabImage(item)
            for (var y = 12; y < 34; ++y) {
                for (var x = 12; x < 34; ++x) {
                    var p = image.pixel(x, y)
                    if (p.r > 0.95 && p.g > 0.95 && p.b > 0.95)
                        ++whites
                }
            }
            if (data.opacity === 0)
                compare(whites, 0)
            else
                verify(whites > 10, whites + " white pixels")
        }

        // How white each pixel of a tested face button is (the least of its three
        // channels: the letter is white, the teal face has almost no red). Each button
        // stands in its own place, so no other letter shows through.
        function letterInk(textValue, place) {
            var item = createTemporaryObject(circleButton, root,
                                             { x: 20 + 60 * place, y: 20, textValue: textValue, testMode: 1 })
            var ink = []
            tryVerify(function() {
                var image = grabImage(item)
                ink = []
                var total = 0
                for (var y = 0; y < item.height; ++y) {
                    for (var x = 0; x < item.width; ++x) {
                        var p = image.pixel(x, y)
                        ink.push(Math.min(p.r, p.g, p.b))
                        total += ink[ink.length - 1]
                    }
                }
                return total > 20
            }, 5000, textValue + " is drawn")
            return ink
        }

        function sum(values) {
            return values.reduce(function(a, b) { return a + b }, 0)
        }

        // A person testing an Xbox-style pad reads the right names: X, Y, A and B are four
        // different shapes, and X is not drawn as an H (as seven segments would draw it).
        function test_faceLettersAreTheirOwnShapes() {
            tryCompare(Constants.ledLetterFont, "status", FontLoader.Ready)
            var letters = ["X", "Y", "A", "B", "H"]
            // The letter alone: what it adds to a button without one.
            var blank = letterInk("", letters.length)
            var shapes = {}
            letters.forEach(function(letter, place) {
                shapes[letter] = letterInk(letter, place).map(function(v, k) { return Math.max(0, v - blank[k]) })
            })
            var pairs = [["X", "Y"], ["X", "A"], ["X", "B"], ["Y", "A"], ["Y", "B"], ["A", "B"], ["X", "H"]]
            pairs.forEach(function(pair) {
                var a = shapes[pair[0]], b = shapes[pair[1]]
                var difference = sum(a.map(function(v, k) { return Math.abs(v - b[k]) }))
                var smaller = Math.min(sum(a), sum(b))
                verify(smaller > 5, pair + ": both letters show")
                verify(difference > smaller / 2, pair + " differ by " + difference + " of " + smaller)
            })
        }

        // `rl` picks the side's picture; an explicit picture wins over it.
        function test_pictures_data() {
            return [
                { tag: "right bumper", component: rtLtButton, props: {}, source: "qrc:/images/rt_button.svg" },
                { tag: "left bumper", component: rtLtButton, props: { rl: 1 }, source: "qrc:/images/lt_button.svg" },
                { tag: "right trigger", component: rbLbButton, props: {}, source: "qrc:/images/rb_button.svg" },
                { tag: "left trigger", component: rbLbButton, props: { rl: 1 }, source: "qrc:/images/lb_button.svg" },
                { tag: "trigger with its own picture", component: rbLbButton,
                  props: { rl: 1, source: "qrc:/images/circle.svg" }, source: "qrc:/images/circle.svg" }
            ]
        }

        function test_pictures(data) {
            var item = createTemporaryObject(data.component, root, data.props)
            compare(String(item.source), data.source)
            item.rl = 1 - item.rl
            if (data.props.source !== undefined)
                compare(String(item.source), data.source)
            else
                verify(String(item.source) !== data.source)
        }
    }
}
