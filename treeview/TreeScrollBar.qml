import QtQuick 2.15
import QtQuick.Controls 2.15

// A slim scroll bar in the indicator colour, shown while the content does not fit.
ScrollBar {
    id: bar

    property QtObject hints

    policy: ScrollBar.AsNeeded
    minimumSize: 0.05
    contentItem: Rectangle {
        implicitWidth: 6
        implicitHeight: 6
        radius: 3
        visible: bar.size < 1.0
        color: bar.hints ? bar.hints.indicator : "grey"
        opacity: bar.pressed ? 0.9 : bar.hovered || bar.active ? 0.7 : 0.4
    }
}
