import QtQuick 2.15

// A picture that dims slightly under the pointer and reports clicks.
Image {
    id: imageButton

    signal buttonClicked()

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onEntered: imageButton.opacity = 0.8
        onExited: imageButton.opacity = 1
        onClicked: imageButton.buttonClicked()
    }
}
