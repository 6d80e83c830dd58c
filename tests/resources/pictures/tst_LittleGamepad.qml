import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// The slot badge: its three looks, the fades between them and its name.
Item {
    id: root
    width: 200
    height: 60

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: badgeComponent
        LittleGamepad {
            x: 10
            y: 10
        }
    }

    TestCase {
        name: "LittleGamepad"
        when: windowShown

        // Records every opacity the badge passes through.
        function recorder(badge) {
            var record = { values: [] }
            badge.opacityChanged.connect(function() { record.values.push(badge.opacity) })
            return record
        }

        function colourAt(item, x, y) {
            var image = grabImage(root)
            return image.pixel(item.x + x, item.y + y)
        }

        function test_looks_data() {
            return [
                { tag: "current", image: "LittleGamepad-Active.svg", colour: "#FF8A29", opacity: 1 },
                { tag: "plugin", image: "LittleGamepad-Deactive.svg", colour: "#12AAC2", opacity: 1 },
                { tag: "unplugin", image: "LittleGamepad-Deactive.svg", colour: "#0B606E", opacity: 0.5 }
            ]
        }

        function test_looks(data) {
            var badge = createTemporaryObject(badgeComponent, root, { textValue: "Pad" })
            badge.state = data.tag
            compare(String(badge.source).split("/").pop(), data.image)
            verify(Qt.colorEqual(badge.overlayColor, data.colour))
            var name = findChild(badge, "name")
            verify(Qt.colorEqual(name.color, data.colour), "name in " + data.colour)
            tryCompare(badge, "opacity", data.opacity)
        }

        function test_baseLookBeforeTheFirstState() {
            var badge = createTemporaryObject(badgeComponent, root)
            compare(badge.state, "")
            compare(badge.opacity, 0.5)
            compare(String(badge.source).split("/").pop(), "LittleGamepad-Deactive.svg")
            verify(Qt.colorEqual(findChild(badge, "name").color, "#0B606E"))
        }

        // The active picture is a solid silhouette: its grip is painted in the overlay
        // colour; the inactive one is an outline, open inside.
        function test_activePictureIsSolidAndOrange() {
            var badge = createTemporaryObject(badgeComponent, root)
            badge.state = "current"
            var p
            tryVerify(function() { p = colourAt(badge, 4, 12); return p.r > 0.9 }, 3000, "grip painted")
            compare(Math.round(p.r * 255), 0xFF)
            compare(Math.round(p.g * 255), 0x8A)
            compare(Math.round(p.b * 255), 0x29)
            badge.state = "plugin"
            tryVerify(function() { p = colourAt(badge, 6, 9); return p.r < 0.05 && p.g < 0.05 }, 3000, "open inside")
        }

        function test_pluggingInFadesUp() {
            var badge = createTemporaryObject(badgeComponent, root)
            badge.state = "unplugin"
            tryCompare(badge, "opacity", 0.5)
            var record = recorder(badge)
            badge.state = "plugin"
            tryCompare(badge, "opacity", 1)
            verify(record.values[0] < 0.75, "starts from half opacity, first step " + record.values[0])
            verify(record.values.length > 2, "opacity passes through intermediate values")
            for (var i = 1; i < record.values.length; ++i)
                verify(record.values[i] >= record.values[i - 1], "rises steadily")
        }

        function test_unpluggingFadesDown() {
            var badge = createTemporaryObject(badgeComponent, root)
            badge.state = "plugin"
            tryCompare(badge, "opacity", 1)
            var record = recorder(badge)
            badge.state = "unplugin"
            verify(Qt.colorEqual(badge.overlayColor, "#0B606E"))
            tryCompare(badge, "opacity", 0.5)
            verify(record.values[0] > 0.75, "starts from full opacity, first step " + record.values[0])
            verify(record.values.length > 2, "opacity passes through intermediate values")
        }

        function test_becomingCurrentIsImmediate() {
            var badge = createTemporaryObject(badgeComponent, root)
            badge.state = "unplugin"
            tryCompare(badge, "opacity", 0.5)
            badge.state = "current"
            compare(badge.opacity, 1)
            compare(String(badge.source).split("/").pop(), "LittleGamepad-Active.svg")
        }

        function test_nameAndMouseArea() {
            var badge = createTemporaryObject(badgeComponent, root, { textValue: "Virtual pad" })
            var name = findChild(badge, "name")
            compare(name.text, "Virtual pad")
            compare(name.x, 31)
            compare(name.font.pixelSize, 14)
            verify(badge.mouseArea.hoverEnabled)
            var clicks = createTemporaryQmlObject("import QtTest 1.15; SignalSpy { signalName: \"clicked\" }", badge)
            clicks.target = badge.mouseArea
            mouseClick(badge, 12, 8)
            compare(clicks.count, 1)
        }
    }
}
