import QtQuick 2.15

// One tick of a vibration dial's ring: teal until the knob has passed it (`lit`), orange
// after that, and orange whatever it was while the dial's test state paints every tick.
ColoredImage {
    property bool lit: false
    property bool painted: false

    width: 8
    height: 12
    source: "images/shockRight_jingdu.svg"
    overlayColor: lit || painted ? "#FF8A29" : "#12AAC2"
}
