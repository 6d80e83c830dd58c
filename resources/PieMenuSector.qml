import QtQuick 2.15

// One sector of the pie menu. An angle of 0 degrees points right and angles grow
// clockwise on screen. press() plays the icon's press glow from its start; nothing but
// the next press() stops it, so it runs to its end whatever the highlight does.
PieMenuSectorForm {
    id: sector

    function pointAt(radius, degrees) {
        var a = degrees * Math.PI / 180
        return Qt.point(centerX + radius * Math.cos(a), centerY + radius * Math.sin(a))
    }

    function press() {
        pressAnimation.restart()
    }

    innerA: pointAt(innerRadius, startAngle)
    innerB: pointAt(innerRadius, startAngle + sweepAngle)
    outerA: pointAt(outerRadius, startAngle)
    outerB: pointAt(outerRadius, startAngle + sweepAngle)
    iconPoint: pointAt(iconRadius, startAngle + sweepAngle / 2)
    pressing: pressAnimation.running

    // The press glow grows in whole pixels. Qt's glow writes its radius into the code of its
    // shader, and Qt Quick keeps every shader program it ever compiled: a radius animated
    // through fractions compiled a new program (and, on a software renderer, its machine
    // code) at every frame of every press, 1 to 2 MB a press for good. Whole pixels make
    // eleven programs, compiled once.
    property real pressRadius: 10
    Binding {
        target: sector.glow
        property: "radius"
        value: Math.round(sector.pressRadius)
    }

    ParallelAnimation {
        id: pressAnimation
        NumberAnimation {
            target: sector
            property: "pressRadius"
            from: 0
            to: 10
            duration: 500
            easing.type: Easing.InOutCubic
        }
        NumberAnimation {
            target: sector.glow
            property: "opacity"
            from: 0.6
            to: 1
            duration: 300
            easing.type: Easing.InOutSine
        }
    }
}
