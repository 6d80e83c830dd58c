import QtQuick 2.15
import QtTest 1.15
import com.corvane.treeview 1.0
import TreeViewTesting 1.0

Item {
    id: root
    width: 400
    height: 300

    readonly property var sample: [
        { text: "Application", children: [
            { text: "Name", value: "joyvant" },
            { text: "Version", value: "1.0" } ] },
        { text: "Memory", children: [
            { text: "Total", value: "16.00 GiB" } ] },
        { text: "Gamepads", children: [
            { text: "Gamepad 1", value: "Test Pad", children: [
                { text: "GUID", value: "03000000" } ] } ] }
    ]

    TestTreeModel { id: treeModel }

    TextMetrics { id: metrics; font: Qt.font({ family: "DejaVu Sans", pixelSize: 14 }) }

    Component {
        id: viewComponent
        TreeView {
            width: root.width
            height: root.height
            model: treeModel
            clip: true
            focus: true
            navigationMode: TreeView.Table
            styleHints {
                indicator: "white"
                font: Qt.font({ family: "DejaVu Sans", pixelSize: 14 })
                indent: 18
                columnPadding: 20
                foregroundOdd: "white"
                foregroundEven: "white"
                foregroundCurrent: "white"
                overlay: Qt.rgba(1, 1, 1, 1)
            }
        }
    }

    TestCase {
        id: testCase
        name: "TreeView"
        when: windowShown

        function findNamed(item, name) {
            if (item.objectName === name)
                return item
            for (let i = 0; i < item.children.length; ++i) {
                const found = findNamed(item.children[i], name)
                if (found)
                    return found
            }
            return null
        }

        function listOf(view) {
            return findNamed(view, "treeViewList")
        }

        // The rows the view has delegates for, in row order, each as its cells' texts
        // joined by "|".
        function rowItems(view) {
            const items = listOf(view).contentItem.children
            const rows = []
            for (let i = 0; i < items.length; ++i) {
                const row = items[i]
                if (row.objectName === "treeViewRow" && row.rowIndex >= 0 && row.visible)
                    rows.push(row)
            }
            rows.sort(function(a, b) { return a.rowIndex - b.rowIndex })
            return rows
        }

        function cellsOf(row) {
            const cells = []
            for (let i = 0; i < row.children.length; ++i) {
                if (row.children[i].objectName === "treeViewCell")
                    cells.push(row.children[i])
            }
            cells.sort(function(a, b) { return a.column - b.column })
            return cells
        }

        function rowTexts(view) {
            return rowItems(view).map(function(row) {
                return cellsOf(row).map(function(cell) { return cell.text }).join("|")
            })
        }

        function rowNamed(view, text) {
            const rows = rowItems(view)
            for (let i = 0; i < rows.length; ++i) {
                if (cellsOf(rows[i])[0].text === text)
                    return rows[i]
            }
            return null
        }

        function createView(properties) {
            treeModel.load(root.sample)
            const view = createTemporaryObject(viewComponent, root, properties || {})
            verify(view)
            view.forceActiveFocus()
            verify(view.activeFocus)
            // ListView may create some delegates over the next frames.
            tryVerify(function() { return rowItems(view).length === view.rowCount }, 5000)
            return view
        }

        function test_keyboardExpandsAndShowsRows() {
            const view = createView()
            compare(view.navigationMode, TreeView.Table)
            tryVerify(function() { return rowTexts(view).join(";") === "Application|;Memory|;Gamepads|" }, 5000,
                      rowTexts(view).join(";"))

            keyClick(Qt.Key_Down)
            compare(view.currentRow, 0)
            keyClick(Qt.Key_Right)
            compare(view.rowCount, 5)
            tryVerify(function() {
                return rowTexts(view).join(";") === "Application|;Name|joyvant;Version|1.0;Memory|;Gamepads|"
            }, 5000, rowTexts(view).join(";"))

            // Table navigation: Right on an open row moves to the next column, Left back.
            keyClick(Qt.Key_Right)
            compare(view.currentColumn, 1)
            keyClick(Qt.Key_Right)
            compare(view.currentColumn, 1)
            keyClick(Qt.Key_Left)
            compare(view.currentColumn, 0)

            // Down into the children, Left goes back to the parent, Left again closes it.
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Down)
            compare(view.currentRow, 2)
            compare(view.text(view.currentRow, 1), "1.0")
            keyClick(Qt.Key_Left)
            compare(view.currentRow, 0)
            keyClick(Qt.Key_Left)
            compare(view.rowCount, 3)
            tryVerify(function() { return rowTexts(view).join(";") === "Application|;Memory|;Gamepads|" }, 5000)

            // Two levels down with the keyboard.
            keyClick(Qt.Key_End)
            compare(view.currentRow, 2)
            keyClick(Qt.Key_Right)
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Right)
            tryVerify(function() {
                return rowTexts(view).join(";") === "Application|;Memory|;Gamepads|;Gamepad 1|Test Pad;GUID|03000000"
            }, 5000, rowTexts(view).join(";"))
            const guid = rowNamed(view, "GUID")
            const gamepads = rowNamed(view, "Gamepads")
            compare(cellsOf(guid)[0].x - cellsOf(gamepads)[0].x, 2 * 18)
            // Space closes and opens the current row.
            keyClick(Qt.Key_Space)
            compare(view.rowCount, 4)
            keyClick(Qt.Key_Space)
            compare(view.rowCount, 5)
        }

        function test_listNavigation() {
            const view = createView({ navigationMode: TreeView.List })
            keyClick(Qt.Key_Down)
            keyClick(Qt.Key_Right)
            compare(view.rowCount, 5)
            // In a list, Right on an open row goes to its first child.
            keyClick(Qt.Key_Right)
            compare(view.currentRow, 1)
            compare(view.currentColumn, 0)
            keyClick(Qt.Key_Left)
            compare(view.currentRow, 0)
        }

        function test_mouse() {
            const view = createView()
            const rowHeight = view.rowHeight
            verify(rowHeight > 0)
            // A click on a row's text selects it and its cell.
            mouseClick(view, view.columnPositions[1] + 2, rowHeight * 1.5)
            compare(view.currentRow, 1)
            compare(view.currentColumn, 1)
            compare(view.rowCount, 3)

            // A click on the indicator opens and closes.
            const indicatorX = 4 + view.indicatorSize / 2
            mouseClick(view, indicatorX, rowHeight * 0.5)
            compare(view.currentRow, 0)
            compare(view.rowCount, 5)
            mouseClick(view, indicatorX, rowHeight * 0.5)
            compare(view.rowCount, 3)

            // A double click on the text toggles once.
            mouseDoubleClickSequence(view, view.columnPositions[0] + view.indicatorSize + 10, rowHeight * 2.5)
            compare(view.currentRow, 2)
            compare(view.rowCount, 4)
            tryVerify(function() { return rowTexts(view).indexOf("Gamepad 1|Test Pad") === 3 }, 5000)
        }

        function test_wheelAndScrollBar() {
            const many = []
            for (let i = 0; i < 80; ++i)
                many.push({ text: "Row " + i, value: "" + i })
            const view = createView({ height: 200 })
            treeModel.load(many)
            const list = listOf(view)
            tryCompare(view, "rowCount", 80)
            compare(list.contentY, 0)
            verify(list.contentHeight > list.height)

            mouseWheel(view, 100, 100, 0, -240)
            tryVerify(function() { return list.contentY > 0 }, 5000)

            const bar = findNamed(view, "treeViewVerticalScrollBar")
            verify(bar)
            verify(bar.visible)
            verify(bar.contentItem.visible)
            verify(bar.size < 1)
            const before = list.contentY
            mouseDrag(bar, bar.width / 2, bar.position * bar.height + 5, 0, 60)
            tryVerify(function() { return list.contentY > before + 20 }, 5000)

            // The current row is kept in sight.
            keyClick(Qt.Key_End)
            compare(view.currentRow, 79)
            tryVerify(function() { return list.atYEnd }, 5000)
            keyClick(Qt.Key_Home)
            tryCompare(list, "contentY", list.originY, 5000)
        }

        function test_modelChangesWhileExpanded() {
            const view = createView()
            view.expand(0)
            view.expand(4)
            compare(view.rowCount, 6)
            view.currentRow = 5 // Gamepad 1
            tryVerify(function() { return rowTexts(view).length === 6 }, 5000)

            treeModel.insertAt([0], 1, "Build", "RelWithDebInfo")
            tryVerify(function() { return rowTexts(view).join(";") ===
                    "Application|;Name|joyvant;Build|RelWithDebInfo;Version|1.0;Memory|;Gamepads|;Gamepad 1|Test Pad" },
                    5000, rowTexts(view).join(";"))
            compare(view.currentRow, 6)

            treeModel.setValue([0, 0], "other")
            tryVerify(function() { return rowTexts(view)[1] === "Name|other" }, 5000)

            treeModel.removeAt([0, 1])
            treeModel.removeAt([1])
            tryVerify(function() { return rowTexts(view).join(";") ===
                    "Application|;Name|other;Version|1.0;Gamepads|;Gamepad 1|Test Pad" }, 5000, rowTexts(view).join(";"))
            compare(view.text(view.currentRow, 0), "Gamepad 1")

            // Removing the current row hands the mark to the row above.
            treeModel.removeAt([1, 0])
            compare(view.text(view.currentRow, 0), "Gamepads")

            // Gamepads lost its last child and closed. A refreshed model with the same
            // texts keeps the open rows and the current row.
            compare(view.isExpanded(view.currentRow), false)
            treeModel.load(root.sample)
            tryVerify(function() { return rowTexts(view).join(";") ===
                    "Application|;Name|joyvant;Version|1.0;Memory|;Gamepads|" }, 5000, rowTexts(view).join(";"))
            compare(view.text(view.currentRow, 0), "Gamepads")
            compare(view.currentRow, 4)

            // A different model replaces everything.
            treeModel.load([{ text: "Only", value: "one" }])
            tryVerify(function() { return rowTexts(view).join(";") === "Only|one" }, 5000)
            compare(view.currentRow, -1)
        }

        // The width a cell text takes in the view's columns.
        function widthOf(text) {
            metrics.text = text
            return Math.ceil(metrics.advanceWidth) + 1
        }

        function tryColumnWidth(view, column, width) {
            tryVerify(function() { return view.columnWidths[column] === width }, 5000,
                      "column " + column + " is " + view.columnWidths[column] + " wide, not " + width)
        }

        // Columns fit the widest text of the rows that show, through rows opened,
        // changed and closed again.
        function test_columnWidthsFollowShownRows() {
            const view = createView()
            const closed = view.columnWidths.slice()
            compare(closed[1], widthOf(""))

            view.expand(0)
            tryColumnWidth(view, 1, widthOf("joyvant"))
            const wide = "a much longer value than any other"
            treeModel.setValue([0, 1], wide)
            tryColumnWidth(view, 1, widthOf(wide))
            treeModel.setValue([0, 1], "2.0")
            tryColumnWidth(view, 1, widthOf("joyvant"))

            view.expand(4)
            view.expand(5) // Gamepad 1, two levels down: the first column grows
            tryColumnWidth(view, 0, Math.max(closed[0], widthOf("GUID") + 2 * 18 + view.indicatorSize))

            view.collapse(4)
            view.collapse(0)
            tryColumnWidth(view, 1, closed[1])
            compare(view.columnWidths[0], closed[0])
        }

        function test_styleHints() {
            const view = createView()
            view.styleHints.foregroundOdd = "red"
            view.styleHints.foregroundEven = "blue"
            view.styleHints.foregroundCurrent = "lime"
            view.currentRow = 2
            tryVerify(function() { return rowItems(view).length === 3 }, 5000)
            const rows = rowItems(view)
            compare(String(cellsOf(rows[0])[0].color), "#0000ff")
            compare(String(cellsOf(rows[1])[0].color), "#ff0000")
            compare(String(cellsOf(rows[2])[0].color), "#00ff00")
            compare(cellsOf(rows[0])[0].font.pixelSize, 14)

            // Columns are the padding apart; the second column's texts start together.
            compare(view.columnPositions[1] - view.columnPositions[0], view.columnWidths[0] + 20)
            view.expand(0)
            tryVerify(function() { return rowItems(view).length === 5 }, 5000)
            compare(cellsOf(rowItems(view)[1])[1].x, view.columnPositions[1])
            verify(cellsOf(rowItems(view)[1])[0].x + cellsOf(rowItems(view)[1])[0].width <= view.columnPositions[1])

            // The indicator shows on rows with children, in the indicator colour.
            const indicator = findNamed(rowItems(view)[0], "treeViewIndicator")
            verify(indicator.visible)
            verify(!findNamed(rowItems(view)[1], "treeViewIndicator").visible)

            // A wider padding moves the second column.
            const second = view.columnPositions[1]
            view.styleHints.columnPadding = 40
            tryVerify(function() { return view.columnPositions[1] === second + 20 }, 5000)
        }
    }
}
