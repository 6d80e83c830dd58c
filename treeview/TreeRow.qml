import QtQuick 2.15

// One row of the tree: indentation, indicator and one text per column.
Item {
    id: row
    objectName: "treeViewRow"

    property QtObject view
    property QtObject hints
    readonly property int rowIndex: index
    readonly property var cellTexts: model.cells
    readonly property bool tableNavigation: view !== null && view.navigationMode === 1 // TreeView.Table
    readonly property bool current: view !== null && view.currentRow === index
    readonly property var positions: view ? view.columnPositions : []
    readonly property var widths: view ? view.columnWidths : []
    readonly property real indentation: hints ? model.depth * hints.indent : 0
    readonly property color foreground: !hints ? "black"
                                        : current ? hints.foregroundCurrent
                                        : index % 2 === 1 ? hints.foregroundOdd : hints.foregroundEven

    height: view ? view.rowHeight : 0

    // The current row's mark lies under the text, so text of any colour stays legible.
    Rectangle {
        anchors.fill: parent
        visible: row.current
        color: row.hints ? row.hints.overlay : "transparent"
        opacity: 0.25
    }
    Rectangle {
        visible: row.current && row.tableNavigation && column < row.positions.length
        readonly property int column: row.view ? row.view.currentColumn : 0
        x: column < row.positions.length ? row.positions[column] - 2 : 0
        width: column < row.widths.length ? row.widths[column] + 4 : 0
        height: parent.height
        color: "transparent"
        border.width: 1
        border.color: row.hints ? row.hints.overlay : "transparent"
    }

    // Expand/collapse indicator: a triangle that points right when closed and down
    // when open.
    Item {
        id: indicator
        objectName: "treeViewIndicator"
        x: (row.positions.length > 0 ? row.positions[0] : 0) + row.indentation
        width: row.view ? row.view.indicatorSize : 0
        height: parent.height
        visible: model.hasChildren

        Item {
            readonly property real size: Math.round(indicator.width * 0.5)
            anchors.centerIn: parent
            width: size
            height: size
            rotation: model.expanded ? 90 : 0

            Item {
                x: parent.size / 4
                width: parent.size / 2
                height: parent.size
                clip: true

                Rectangle {
                    readonly property real side: parent.height / Math.SQRT2
                    x: -side / 2
                    y: (parent.height - side) / 2
                    width: side
                    height: side
                    rotation: 45
                    antialiasing: true
                    color: row.hints ? row.hints.indicator : "black"
                }
            }
        }
    }

    Repeater {
        model: row.cellTexts
        Text {
            objectName: "treeViewCell"
            readonly property int column: index
            x: column === 0 ? indicator.x + indicator.width
                            : (column < row.positions.length ? row.positions[column] : 0)
            anchors.verticalCenter: parent.verticalCenter
            text: modelData
            color: row.foreground
            font: row.hints ? row.hints.font : Qt.application.font
            textFormat: Text.PlainText
        }
    }

    MouseArea {
        anchors.fill: parent
        onPressed: row.view.rowPressed(row.rowIndex, mouse.x)
        onClicked: row.view.rowClicked(row.rowIndex, mouse.x)
        onDoubleClicked: row.view.rowDoubleClicked(row.rowIndex, mouse.x)
    }
}
