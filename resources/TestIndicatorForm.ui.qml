import QtQuick 2.15
import nimbo4 1.0

// The look that every button indicator shares: a picture whose opaque pixels all take
// the colour of the input's test state. Invisible until the input has been used, dark
// teal once it has been, orange while it is held; no transitions.
ColoredImage {
    id: indicator

    property int testMode: 0
    // Opacity of the "tested" look (face buttons show it fully opaque).
    property real testedOpacity: 0.6

    opacity: 0
    overlayColor: "#0B606E"
    fillMode: Image.PreserveAspectFit
    // An unknown test mode shows nothing, like an untested input.
    state: Constants.testState[testMode] || ""

    states: [
        State {
            name: "untest"
            PropertyChanges { target: indicator; opacity: 0 }
        },
        State {
            name: "tested"
            PropertyChanges { target: indicator; opacity: indicator.testedOpacity }
        },
        State {
            name: "testing"
            PropertyChanges { target: indicator; opacity: 1; overlayColor: "#FF8A29" }
        }
    ]
}
