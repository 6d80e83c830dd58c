pragma Singleton
import QtQuick 2.15
import nimbo4 1.0

// Colours and sizes of the pad health view: the test view's palette (teal for what is
// healthy, orange for what needs attention) and the few text sizes the view uses.
QtObject {
    readonly property color healthy: "#12AAC2"
    readonly property color attention: "#FF8A29"
    readonly property color base: "#0B606E"
    readonly property color text: "#FFFFFF"
    readonly property color dimText: "#9FB3B8"
    readonly property color panel: "#0A1619"
    readonly property color grid: "#40FFFFFF"

    readonly property string fontFamily: Constants.font.family
    readonly property int titleSize: 18
    readonly property int headingSize: 15
    readonly property int valueSize: 13
    readonly property int labelSize: 11
}
