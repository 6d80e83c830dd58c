import QtQuick 2.15
import QtQuick.Controls 2.15
import QtTest 1.15
import "qrc:/"

Item {
    id: root
    width: 400
    height: 300

    Action { id: enabledAction; text: "Full screen" }
    Action { id: disabledAction; enabled: false }
    Action { id: silentAction }

    Rectangle {
        width: 140
        height: 64
        color: "black"
    }
    ColoredImage {
        id: tinted
        width: 64
        height: 64
        source: "qrc:/images/Icon_minimize.svg"
        overlayColor: "#12AAC2"
    }
    ColoredImage {
        id: ownColours
        x: 70
        width: 64
        height: 64
        source: "qrc:/images/Icon_minimize.svg"
    }
    ImageButton {
        id: imageButton
        x: 140
        width: 32
        height: 32
        source: "qrc:/images/Icon_zoom.svg"
    }
    SvgIconButton { id: withAction; x: 0; y: 100; width: 40; height: 40; icon: "qrc:/images/aboutme.svg"; action: enabledAction }
    SvgIconButton { id: withDisabled; x: 50; y: 100; width: 40; height: 40; icon: "qrc:/images/aboutme.svg"; action: disabledAction }
    SvgIconButton { id: withoutAction; x: 100; y: 100; width: 40; height: 40; icon: "qrc:/images/aboutme.svg" }
    SvgIconButton { id: untitled; x: 150; y: 100; width: 40; height: 40; icon: "qrc:/images/aboutme.svg"; action: silentAction }
    ComboBar { id: combo; x: 200; y: 100; model: ["first", "second"] }

    SignalSpy { id: imageClicks; target: imageButton; signalName: "buttonClicked" }
    SignalSpy { id: triggeredSpy; target: withAction; signalName: "triggered" }
    SignalSpy { id: actionSpy; target: enabledAction; signalName: "triggered" }
    SignalSpy { id: noActionSpy; target: withoutAction; signalName: "triggered" }
    SignalSpy { id: disabledSpy; target: withDisabled; signalName: "triggered" }

    TestCase {
        name: "Widgets"
        when: windowShown

        function test_coloredImagePaintsItsOverlayColour() {
            var image
            tryVerify(function() { image = grabImage(tinted); return image.pixel(32, 32).g > 0 })
            // The bar of the picture, 8 px high across the middle, takes the overlay colour.
            var bar = image.pixel(32, 32)
            compare(Math.round(bar.r * 255), 0x12)
            compare(Math.round(bar.g * 255), 0xAA)
            compare(Math.round(bar.b * 255), 0xC2)
            // The picture's transparent parts stay transparent: the black beneath shows.
            compare(image.pixel(32, 5).r, 0)
            compare(image.pixel(32, 5).g, 0)
        }

        function test_coloredImageKeepsItsOwnColoursByDefault() {
            var image
            tryVerify(function() { image = grabImage(ownColours); return image.pixel(32, 32).r > 0 })
            var bar = image.pixel(32, 32)
            compare(Math.round(bar.r * 255), 255)
            compare(Math.round(bar.g * 255), 255)
            compare(Math.round(bar.b * 255), 255)
        }

        function test_coloredImageRendersVectorsAtItsSize() {
            compare(tinted.sourceSize.width, 64)
            compare(tinted.sourceSize.height, 64)
        }

        function test_imageButtonHoverAndClick() {
            compare(imageButton.opacity, 1)
            mouseMove(imageButton, 16, 16)
            compare(imageButton.opacity, 0.8)
            mouseClick(imageButton, 16, 16)
            compare(imageClicks.count, 1)
            mouseMove(root, 390, 290)
            compare(imageButton.opacity, 1)
        }

        function test_svgIconButtonOpacityFollowsItsAction() {
            compare(withAction.opacity, 1)
            verify(withAction.enabled)
            compare(withDisabled.opacity, 0.5)
            verify(!withDisabled.enabled)
            compare(withoutAction.opacity, 0.5)
            verify(withoutAction.enabled)
            disabledAction.enabled = true
            compare(withDisabled.opacity, 1)
            disabledAction.enabled = false
            compare(withDisabled.opacity, 0.5)
        }

        function test_svgIconButtonHoverStatesAndClicks() {
            compare(withAction.state, "normal")
            mouseMove(withAction, 20, 20)
            compare(withAction.state, "entered")
            tryCompare(withAction.toolTip, "visible", true)
            mouseClick(withAction, 20, 20)
            compare(triggeredSpy.count, 1)
            compare(actionSpy.count, 1)
            mouseMove(root, 390, 290)
            compare(withAction.state, "normal")
            tryCompare(withAction.toolTip, "visible", false)

            // A disabled action: no hover state, no click.
            mouseMove(withDisabled, 20, 20)
            compare(withDisabled.state, "normal")
            mouseClick(withDisabled, 20, 20)
            compare(disabledSpy.count, 0)

            // No action: the click is still reported.
            mouseClick(withoutAction, 20, 20)
            compare(noActionSpy.count, 1)

            // An action without text never shows a tool tip.
            mouseMove(untitled, 20, 20)
            compare(untitled.state, "entered")
            wait(50)
            verify(!untitled.toolTip.visible)
            mouseMove(root, 390, 290)
        }

        function test_comboBar() {
            compare(combo.width, 150)
            compare(combo.height, 32)
            compare(combo.displayText, "first")
            mouseClick(combo)
            tryCompare(combo.popup, "opened", true)
            compare(combo.popup.y, combo.height - 1)
            combo.popup.close()
            tryCompare(combo.popup, "visible", false)
        }
    }
}
