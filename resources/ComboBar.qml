import QtQuick 2.15
import QtQuick.Controls 2.15

// A plain black-on-grey restyling of the combo box.
ComboBox {
    id: comboBar

    width: 150
    height: 32

    delegate: ItemDelegate {
        width: comboBar.width
        highlighted: comboBar.highlightedIndex === index
        contentItem: Text {
            text: modelData
            color: "black"
            font: comboBar.font
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
    }

    indicator: Canvas {
        id: indicatorCanvas
        x: comboBar.width - width - comboBar.rightPadding
        y: comboBar.topPadding + (comboBar.availableHeight - height) / 2
        width: 12
        height: 8
        contextType: "2d"

        Connections {
            target: comboBar
            function onPressedChanged() { indicatorCanvas.requestPaint() }
        }

        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            ctx.moveTo(0, 0)
            ctx.lineTo(width, 0)
            ctx.lineTo(width / 2, height)
            ctx.closePath()
            ctx.fillStyle = "black"
            ctx.fill()
        }
    }

    contentItem: Text {
        leftPadding: 10
        rightPadding: comboBar.indicator.width + comboBar.spacing
        text: comboBar.displayText
        font: comboBar.font
        color: "black"
        verticalAlignment: Text.AlignVCenter
        clip: true
    }

    background: Rectangle {
        implicitWidth: 150
        implicitHeight: 25
        border.color: "black"
        border.width: comboBar.visualFocus ? 2 : 1
    }

    popup: Popup {
        y: comboBar.height - 1
        width: comboBar.width
        padding: 1

        contentItem: ListView {
            clip: true
            implicitHeight: 100
            model: comboBar.popup.visible ? comboBar.delegateModel : null
            currentIndex: comboBar.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }

        background: Rectangle {
            color: "#CDCDCD"
        }
    }
}
