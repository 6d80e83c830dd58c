import QtQuick 2.15
import "../padhealth"

// Layout of the mapping wizard's panel, a narrow column beside the controller picture:
// while asking, the step, the control with its prompt, what is held and why an input was
// refused, with Skip, Back, Keep (remapping only) and Cancel; once every control is
// answered, the mapping line with Apply, Save, Copy and Close, and what the last of them
// did.
Item {
    id: form

    // Texts of the step on show, made by the logic document.
    property string title: ""
    property string padName: ""
    property string stepText: ""
    property string controlName: ""
    property string prompt: ""
    property string heldText: ""
    property string currentText: ""
    property string message: ""
    property bool messageIsError: true
    property string mappingLine: ""
    // Whether the control asked for may be left out (the extras).
    property bool optional: false
    // Whether the wizard waits for an input now (not while it takes the rest positions).
    property bool asking: false
    property bool finished: false
    property bool remapping: false
    property bool canGoBack: false
    property bool canKeep: false

    property alias skipButton: skipButton
    property alias backButton: backButton
    property alias keepButton: keepButton
    property alias cancelButton: cancelButton
    property alias applyButton: applyButton
    property alias saveButton: saveButton
    property alias copyButton: copyButton
    property alias closeButton: closeButton
    property alias finishBackButton: finishBackButton
    property alias lineText: lineText
    property alias messageText: messageText

    implicitWidth: 232
    implicitHeight: content.height + 20

    Rectangle {
        anchors.fill: parent
        radius: 6
        color: HealthStyle.panel
        border.width: 1
        border.color: HealthStyle.base
    }

    Column {
        id: content
        x: 10
        y: 10
        width: parent.width - 20
        spacing: 6

        Text {
            id: titleText
            objectName: "title"
            width: parent.width
            text: form.title
            color: HealthStyle.text
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.headingSize
        }

        Text {
            id: padNameText
            objectName: "padName"
            width: parent.width
            text: form.padName
            color: HealthStyle.attention
            elide: Text.ElideRight
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.valueSize
        }

        Text {
            id: stepLabel
            objectName: "stepText"
            width: parent.width
            text: form.stepText
            color: HealthStyle.dimText
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Text {
            id: controlText
            objectName: "controlName"
            width: parent.width
            text: form.controlName
            color: HealthStyle.attention
            wrapMode: Text.WordWrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.titleSize
        }

        Text {
            id: promptText
            objectName: "prompt"
            width: parent.width
            text: form.prompt
            color: HealthStyle.text
            wrapMode: Text.WordWrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.valueSize
        }

        Text {
            id: optionalText
            objectName: "optionalNote"
            width: parent.width
            visible: form.optional
            text: qsTr("Optional: skip it if the pad has none.")
            color: HealthStyle.dimText
            wrapMode: Text.WordWrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Text {
            id: currentLabel
            objectName: "currentText"
            width: parent.width
            visible: form.currentText !== ""
            text: form.currentText
            color: HealthStyle.dimText
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Text {
            id: heldLabel
            objectName: "heldText"
            width: parent.width
            visible: form.heldText !== ""
            text: form.heldText
            color: HealthStyle.healthy
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.valueSize
        }

        Flow {
            id: stepButtons
            objectName: "stepButtons"
            width: parent.width
            spacing: 6

            HealthButton {
                id: skipButton
                objectName: "skipButton"
                text: qsTr("Skip")
                enabled: form.asking
            }

            HealthButton {
                id: backButton
                objectName: "backButton"
                text: qsTr("Back")
                enabled: form.asking && form.canGoBack
            }

            HealthButton {
                id: keepButton
                objectName: "keepButton"
                text: qsTr("Keep")
                visible: form.remapping
                enabled: form.asking && form.canKeep
            }

            HealthButton {
                id: cancelButton
                objectName: "cancelButton"
                text: qsTr("Cancel")
            }
        }

        Text {
            id: lineCaption
            objectName: "lineCaption"
            width: parent.width
            visible: false
            text: qsTr("Mapping line")
            color: HealthStyle.dimText
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }

        Rectangle {
            id: lineFrame
            width: parent.width
            height: Math.min(lineText.contentHeight + 8, 150)
            visible: false
            radius: 3
            color: "transparent"
            border.width: 1
            border.color: HealthStyle.base
            clip: true

            // Selectable, in a fixed-width face, broken anywhere: a line has no spaces.
            TextEdit {
                id: lineText
                objectName: "mappingLine"
                x: 4
                y: 4
                width: parent.width - 8
                text: form.mappingLine
                readOnly: true
                selectByMouse: true
                wrapMode: TextEdit.WrapAnywhere
                color: HealthStyle.text
                selectionColor: HealthStyle.healthy
                font.family: "monospace"
                font.pixelSize: 10
            }
        }

        Flow {
            id: finishButtons
            objectName: "finishButtons"
            width: parent.width
            spacing: 6
            visible: false

            HealthButton {
                id: applyButton
                objectName: "applyButton"
                text: qsTr("Apply")
            }

            HealthButton {
                id: saveButton
                objectName: "saveButton"
                text: qsTr("Save")
            }

            HealthButton {
                id: copyButton
                objectName: "copyButton"
                text: qsTr("Copy")
            }

            HealthButton {
                id: finishBackButton
                objectName: "finishBackButton"
                text: qsTr("Back")
            }

            HealthButton {
                id: closeButton
                objectName: "closeButton"
                text: qsTr("Close")
            }
        }

        Text {
            id: messageText
            objectName: "message"
            width: parent.width
            visible: form.message !== ""
            text: form.message
            color: form.messageIsError ? HealthStyle.attention : HealthStyle.healthy
            wrapMode: Text.Wrap
            renderType: Text.NativeRendering
            font.family: HealthStyle.fontFamily
            font.pixelSize: HealthStyle.labelSize
        }
    }

    states: [
        State {
            name: "finished"
            when: form.finished

            PropertyChanges { target: stepLabel; visible: false }
            PropertyChanges { target: controlText; visible: false }
            PropertyChanges { target: promptText; visible: false }
            PropertyChanges { target: optionalText; visible: false }
            PropertyChanges { target: currentLabel; visible: false }
            PropertyChanges { target: heldLabel; visible: false }
            PropertyChanges { target: stepButtons; visible: false }
            PropertyChanges { target: lineCaption; visible: true }
            PropertyChanges { target: lineFrame; visible: true }
            PropertyChanges { target: finishButtons; visible: true }
        }
    ]
}
