import QtQuick 2.15

// One tick of a vibration dial's ring: teal until the knob has passed it (`lit`), orange
// after that, and orange whatever it was while the dial's test state paints every tick.
// The two colours are two pictures, so the ring's ticks need no colour effect.
Image {
    property bool lit: false
    property bool painted: false

    width: 8
    height: 12
    sourceSize: Qt.size(width, height)
    antialiasing: true
    source: lit || painted ? "images/shockTick_orange.svg" : "images/shockTick_teal.svg"
}
