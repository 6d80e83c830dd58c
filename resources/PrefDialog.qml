import QtQuick 2.15
import QtQuick.Controls 2.15

// The settings dialog. It writes the main screen's styleColor, which it reaches by
// name through the scope of the main screen that creates it.
//
// The picker opens at the current styleColor, and OK and Apply write only a colour
// that differs from the one the dialog opened with: a picker left alone changes
// nothing.
PrefDialogForm {
    id: prefDialog

    // The picker's colour when the dialog opened (or when Apply last wrote it).
    property color shownColor

    function writeChosenColor() {
        if (Qt.colorEqual(picker.colorSelected, shownColor))
            return
        styleColor = picker.colorSelected
        shownColor = picker.colorSelected
    }

    onAboutToShow: {
        picker.setColor(styleColor)
        shownColor = picker.colorSelected
    }
    onAccepted: writeChosenColor()
    onApplied: writeChosenColor()
}
