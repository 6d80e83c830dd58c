import QtQuick 2.15
import QtQuick.Controls 2.15

// The rows of a TreeView: a ListView over the view's flattened rows. Every layout
// number (row height, column positions, indentation) comes from the view.
Item {
    id: content

    property QtObject view
    readonly property QtObject hints: view ? view.styleHints : null

    anchors.fill: parent

    ListView {
        id: list
        objectName: "treeViewList"

        anchors.fill: parent
        model: content.view ? content.view.rows : null
        contentWidth: content.view ? Math.max(width, content.view.contentWidth) : width
        flickableDirection: Flickable.AutoFlickIfNeeded
        boundsBehavior: Flickable.StopAtBounds
        currentIndex: content.view ? content.view.currentRow : -1
        highlightFollowsCurrentItem: false
        keyNavigationEnabled: false
        pixelAligned: true
        clip: true

        ScrollBar.vertical: TreeScrollBar { objectName: "treeViewVerticalScrollBar"; hints: content.hints }
        ScrollBar.horizontal: TreeScrollBar { objectName: "treeViewHorizontalScrollBar"; hints: content.hints }

        // The guards matter while the view is torn down and the ids go first.
        delegate: TreeRow {
            view: content ? content.view : null
            hints: content ? content.hints : null
            width: list ? list.contentWidth : 0
        }

        // Keeps the current cell in sight when the keyboard moves it.
        function showCurrent() {
            if (!content.view || content.view.currentRow < 0)
                return
            positionViewAtIndex(content.view.currentRow, ListView.Contain)
            const positions = content.view.columnPositions
            const widths = content.view.columnWidths
            const column = content.view.currentColumn
            if (column >= positions.length)
                return
            const left = column === 0 ? 0 : positions[column]
            const right = positions[column] + widths[column]
            if (left < contentX)
                contentX = left
            else if (right > contentX + width)
                contentX = Math.min(right - width, Math.max(0, contentWidth - width))
        }

        Connections {
            target: content.view
            function onCurrentRowChanged() { list.showCurrent() }
            function onCurrentColumnChanged() { list.showCurrent() }
        }
    }
}
