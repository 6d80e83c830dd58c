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

    ParallelAnimation {
        id: pressAnimation
        NumberAnimation {
            target: sector.glow
            property: "radius"
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
