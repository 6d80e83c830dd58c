import QtQuick 2.15
import QtQuick.Window 2.15
import "qrc:/"

// The two vibration dials in their looks, for qml_snapshot:
//   build/tools/bin/qml_snapshot tools/qml_snapshot/dials.qml /tmp/dials.png
// Left dials (top row), level 10 steps, ticks 1 to 20 lit: untested, tested, testing with
// the ripple. Right dials (bottom row), level 0.5 as a trigger sets it, no tick lit: the
// same three looks, the last glowing in another style colour.
Window {
    id: form

    property real shockL: 0.0344827586206897
    property real shockButtonValL: 10 * shockL
    property real shockButtonValR: 0.5
    property int testModeLb: 2
    property int testModeRb: 2
    property color styleColor: "#FFFFFF"

    width: 3 * 180
    height: 2 * 180
    visible: true
    color: "black"

    Grid {
        columns: 3
        spacing: 12
        padding: 6

        ShockLeft {
            id: litLeft
            Component.onCompleted: {
                for (var k = 1; k <= 20; ++k)
                    litLeft.ticks[k - 1].lit = true
            }
        }
        ShockLeft { testMode: 1 }
        ShockLeft { testMode: 2 }
        ShockRight { }
        ShockRight { testMode: 1 }
        ShockRight { testMode: 2; glowColor: "#FF3060" }
    }
}
