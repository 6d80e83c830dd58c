import QtQuick 2.15
import com.corvane.diagnostics 1.0

// The mapping wizard's panel over a MappingWizard, which holds every step and binding:
// this shows the step and hands the buttons to the wizard. Cancel and Close ask the
// owner to close the panel (`closeRequested`); Cancel also leaves the wizard, so nothing
// is changed.
MappingWizardPanelForm {
    id: panel

    required property MappingWizard wizard

    // Whether the last of Apply, Save and Copy failed; its message says why.
    property bool lastActionFailed: false

    signal closeRequested()

    function cancel() {
        wizard.cancel()
        closeRequested()
    }

    title: wizard.remapping ? qsTr("Remap the pad") : qsTr("Map the pad")
    padName: wizard.padName
    stepText: wizard.finished ? "" : qsTr("Step %1 of %2").arg(Math.min(wizard.stepIndex + 1, wizard.stepCount))
                                                     .arg(wizard.stepCount)
    controlName: wizard.controlName
    prompt: wizard.phase === MappingWizard.Starting ? qsTr("Leave the pad alone for a moment…") : wizard.prompt
    optional: wizard.optional
    heldText: wizard.heldInput !== "" ? qsTr("Held: %1").arg(wizard.heldInput) : ""
    currentText: wizard.remapping && wizard.currentSource !== "" ? qsTr("Now: %1").arg(wizard.currentSource) : ""
    message: wizard.message
    // While asking, a message is a refusal; once finished, what an action did.
    messageIsError: !wizard.finished || lastActionFailed
    mappingLine: wizard.mappingLine
    asking: wizard.phase === MappingWizard.Asking
    finished: wizard.finished
    remapping: wizard.remapping
    canGoBack: wizard.stepIndex > 0
    canKeep: wizard.currentSource !== ""

    skipButton.onClicked: wizard.skip()
    backButton.onClicked: wizard.back()
    keepButton.onClicked: wizard.keep()
    cancelButton.onClicked: cancel()
    applyButton.onClicked: lastActionFailed = !wizard.apply()
    saveButton.onClicked: lastActionFailed = !wizard.save()
    copyButton.onClicked: lastActionFailed = !wizard.copy()
    finishBackButton.onClicked: wizard.back()
    // The pad keeps what Apply and Save did; leaving only lets the pad go.
    closeButton.onClicked: cancel()

    Connections {
        target: panel.wizard

        function onPhaseChanged() { panel.lastActionFailed = false }
    }
}
