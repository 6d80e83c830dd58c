import QtQuick 2.15
import QtQuick.Dialogs 1.3

// The music file dialog for platforms without a native one (no platform theme that
// offers a file dialog): Qt Quick's own, drawn by the program, with the same filters.
FileDialog {
    selectExisting: true
    selectMultiple: false
    selectFolder: false
    nameFilters: ["Music files (*.wav *.mp3 *.ogg)", "All files (*.*)"]
}
