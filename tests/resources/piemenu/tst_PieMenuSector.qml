import QtQuick 2.15
import QtTest 1.15
import "qrc:/"

// One sector from 0 to 60 degrees (right and below), as the six-sector menu of the
// bottom area builds it: centre (587, 150), radii 37.5 and 150.
Item {
    id: root
    width: 1174
    height: 300

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    Component {
        id: sectorComponent
        PieMenuSector {
            innerRadius: 37.5
            outerRadius: 150
            startAngle: 0
            sweepAngle: 60
            strokeColor: "transparent"
            source: "qrc:/images/Play--Button_240px.png"
        }
    }

    TestCase {
        name: "PieMenuSector"
        when: windowShown

        function polar(radius, degrees) {
            var a = degrees * Math.PI / 180
            return Qt.point(587 + radius * Math.cos(a), 150 + radius * Math.sin(a))
        }

        function test_outlineIsTheHitArea_data() {
            return [
                { tag: "middle", radius: 100, angle: 30, inside: true },
                { tag: "inside the inner circle", radius: 36, angle: 30, inside: false },
                { tag: "just past the inner arc", radius: 39, angle: 30, inside: true },
                { tag: "just inside the outer arc", radius: 149, angle: 30, inside: true },
                { tag: "past the outer arc", radius: 151, angle: 30, inside: false },
                { tag: "past the start edge", radius: 100, angle: -1, inside: false },
                { tag: "inside the end edge", radius: 100, angle: 59, inside: true },
                { tag: "past the end edge", radius: 100, angle: 61, inside: false },
                { tag: "opposite side", radius: 100, angle: 210, inside: false }
            ]
        }

        function test_outlineIsTheHitArea(data) {
            var sector = createTemporaryObject(sectorComponent, root)
            compare(sector.contains(polar(data.radius, data.angle)), data.inside)
        }

        function test_iconGlowsOnItsPoint() {
            var sector = createTemporaryObject(sectorComponent, root)
            var icon = findChild(sector, "sectorIcon")
            tryCompare(icon, "status", Image.Ready)
            var centre = polar(112.5, 30)
            compare(icon.x + icon.width / 2, centre.x)
            compare(icon.y + icon.height / 2, centre.y)
            // The icon's ring (radius 20 of 24) lights up through the glow; beside the
            // icon the sector stays dark.
            tryVerify(function() {
                var image = grabImage(root)
                return image.pixel(centre.x - 20, centre.y).r > 0.6 && image.pixel(centre.x + 20, centre.y).r > 0.6
                        && image.pixel(centre.x, centre.y - 40).r < 0.05
            })
        }

        // The press glow runs to its end whatever the highlight does meanwhile, also when
        // a second press comes while the first one runs.
        function test_pressGlowRunsToItsEnd_data() {
            return [{ tag: "one press", presses: 1 }, { tag: "two presses", presses: 2 }]
        }

        function test_pressGlowRunsToItsEnd(data) {
            var sector = createTemporaryObject(sectorComponent, root)
            var glow = findChild(sector, "sectorGlow")
            for (var i = 0; i < data.presses; ++i) {
                sector.highlighted = true
                sector.press()
                sector.highlighted = false
            }
            compare(sector.state, "pressed")
            verify(glow.radius < 10)
            tryCompare(sector, "state", "")
            compare(glow.radius, 10)
            compare(glow.opacity, 1)
        }

        // The glow's radius is part of its shader's code, and every shader Qt Quick compiles
        // stays: through a press the radius takes whole values only (at most eleven shaders
        // however many presses), so pressing the menu again and again holds memory flat.
        function test_pressGlowTakesWholeRadii() {
            var sector = createTemporaryObject(sectorComponent, root)
            var glow = findChild(sector, "sectorGlow")
            var seen = {}
            var record = function() { seen[glow.radius] = true }
            glow.radiusChanged.connect(record)
            for (var i = 0; i < 3; ++i) {
                sector.press()
                tryCompare(sector, "pressing", false)
            }
            glow.radiusChanged.disconnect(record)
            var radii = Object.keys(seen).map(Number)
            verify(radii.length > 1, "the glow grows: " + radii)
            verify(radii.length <= 11, String(radii))
            for (var j = 0; j < radii.length; ++j)
                compare(radii[j], Math.round(radii[j]))
        }
    }
}
