import QtQuick 2.15
import Qt.labs.platform 1.1 as Platform

// The pad health view: the figures of the pad that `pads.deviceId` picks, live values
// from `gamepad`, the pads without a mapping, and the report's actions. The figures live
// in the model, so this view can come and go without losing them.
PadHealthViewForm {
    id: view

    // The PadHealthModel of the test view.
    required property QtObject pads
    // The gamepad object bound to the pad on show.
    required property QtObject gamepad
    // The test progress of the pad's slot, carried by the report.
    required property var progress

    // Qt Quick's own save dialog, made the first time the platform had none to offer.
    property QtObject fallbackSaveDialog: null
    property bool platformSaveDialogMissing: false

    readonly property var reportFilters: [qsTr("Markdown (*.md)"), qsTr("JSON (*.json)")]

    function showStatus(message, isError) {
        status = message
        statusIsError = isError
    }

    // Writes the report of the pad on show: Markdown for a .md name, JSON otherwise.
    function saveReport(url) {
        if (!pad)
            return false
        pad.report.progress = progress
        if (pad.report.save(url)) {
            showStatus(qsTr("Report saved to %1").arg(decodeURIComponent(String(url).replace(/^file:\/\//, ""))), false)
            return true
        }
        showStatus(qsTr("The report was not saved: %1").arg(pad.report.errorString), true)
        return false
    }

    function copyReport() {
        if (!pad)
            return
        pad.report.progress = progress
        pads.copyToClipboard(pad.report.markdown())
        showStatus(qsTr("Report copied as Markdown"), false)
    }

    function copyMapping(mapping) {
        pads.copyToClipboard(mapping)
        showStatus(qsTr("Mapping copied"), false)
    }

    // The platform's save dialog where it has one, Qt Quick's own where it has none (the
    // same way the music is opened).
    function openSaveDialog() {
        if (!platformSaveDialogMissing) {
            saveDialog.open()
            if (saveDialog.visible)
                return
            platformSaveDialogMissing = true
        }
        if (!fallbackSaveDialog) {
            var component = Qt.createComponent("qrc:/FallbackFileDialog.qml")
            if (component.status !== Component.Ready) {
                showStatus(qsTr("No file dialog is available"), true)
                return
            }
            fallbackSaveDialog = component.createObject(view, {
                "selectExisting": false,
                "nameFilters": reportFilters,
                "title": qsTr("Save report")
            })
            fallbackSaveDialog.accepted.connect(function() { view.saveReport(view.fallbackSaveDialog.fileUrl) })
        }
        fallbackSaveDialog.open()
    }

    pad: pads.current
    leftX: gamepad.axisLeftX
    leftY: gamepad.axisLeftY
    rightX: gamepad.axisRightX
    rightY: gamepad.axisRightY
    leftTriggerValue: gamepad.buttonL2
    rightTriggerValue: gamepad.buttonR2

    benchChosen: pads.benchChosen
    benchShown: pads.benchShown
    viewChoice.onChosen: pads.benchChosen = bench

    saveButton.onClicked: openSaveDialog()
    copyButton.onClicked: copyReport()
    padInfo.onCopyMapping: copyMapping(mapping)
    remapButton.onClicked: mapRequested(pad.deviceId)
    // A message belongs to the pad it was about.
    onPadChanged: showStatus("", false)

    Platform.FileDialog {
        id: saveDialog
        objectName: "saveDialog"
        title: qsTr("Save report")
        fileMode: Platform.FileDialog.SaveFile
        nameFilters: view.reportFilters
        defaultSuffix: "md"
        onAccepted: view.saveReport(file)
    }
}
