import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.15
import "qrc:/"

// The settings dialog writes the glow colour of the screen that creates it: this
// test's root plays that screen and owns styleColor.
Item {
    id: root
    width: 600
    height: 400

    property color styleColor: "#FFFFFF"
    property int styleWrites: 0

    onStyleColorChanged: ++styleWrites

    Component {
        id: prefComponent
        PrefDialog {
            anchors.centerIn: parent
        }
    }

    TestCase {
        name: "PrefDialog"
        when: windowShown

        function openDialog(start) {
            root.styleColor = start
            var dialog = createTemporaryObject(prefComponent, root)
            verify(dialog)
            verify(!dialog.visible)
            dialog.open()
            tryCompare(dialog, "opened", true)
            root.styleWrites = 0
            return dialog
        }

        function press(dialog, button) {
            var item = dialog.standardButton(button)
            verify(item)
            mouseClick(item)
        }

        function test_untouchedPickerWritesNothing_data() {
            return [
                { tag: "OK, white", start: "#FFFFFF", button: Dialog.Ok, closes: true },
                { tag: "Apply, white", start: "#FFFFFF", button: Dialog.Apply, closes: false },
                { tag: "OK, teal", start: "#12AAC2", button: Dialog.Ok, closes: true },
                { tag: "Apply, dark teal", start: "#0B606E", button: Dialog.Apply, closes: false },
                { tag: "OK, translucent orange", start: "#80FF8A29", button: Dialog.Ok, closes: true },
                { tag: "Cancel, teal", start: "#12AAC2", button: Dialog.Cancel, closes: true }
            ]
        }

        function test_untouchedPickerWritesNothing(data) {
            var dialog = openDialog(data.start)
            // The picker opens at the current colour.
            var picker = dialog.picker
            verify(Qt.colorEqual(picker.colorSelected, Qt.rgba(root.styleColor.r, root.styleColor.g,
                                                               root.styleColor.b, 1)))
            press(dialog, data.button)
            verify(Qt.colorEqual(root.styleColor, data.start))
            compare(root.styleWrites, 0)
            if (data.closes)
                tryCompare(dialog, "visible", false)
            else
                verify(dialog.opened)
        }

        function test_applyWritesTheChosenColour() {
            var dialog = openDialog("#FFFFFF")
            var picker = dialog.picker
            picker.sliderR.value = 255
            picker.sliderG.value = 138
            picker.sliderB.value = 41
            press(dialog, Dialog.Apply)
            compare(root.styleColor, "#ff8a29")
            verify(dialog.opened)

            // Cancel drops a later choice and closes.
            picker.sliderB.value = 255
            press(dialog, Dialog.Cancel)
            tryCompare(dialog, "visible", false)
            compare(root.styleColor, "#ff8a29")

            // Reopened, the picker shows the colour in use, and OK writes a new choice.
            dialog.open()
            tryCompare(dialog, "opened", true)
            compare(Math.round(picker.sliderB.value), 41)
            picker.wheel.hue = 0.5
            picker.wheel.sat = 1
            picker.wheel.val = 1
            press(dialog, Dialog.Ok)
            tryCompare(dialog, "visible", false)
            compare(root.styleColor, "#00ffff")
        }

        function test_outsideClicksAndEscapeDoNotClose() {
            var dialog = openDialog("#FFFFFF")
            mouseClick(root, 5, 5)
            keyClick(Qt.Key_Escape)
            verify(dialog.opened)
            compare(dialog.opacity, 0.5)
        }
    }
}
