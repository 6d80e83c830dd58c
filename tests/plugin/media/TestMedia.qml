pragma Singleton
import QtQml 2.15

// Audio files written by the build next to this document, for the QML tests.
QtObject {
    // 1.5 s stereo, 44.1 kHz signed 16-bit: a 440 Hz tone at half scale.
    readonly property url tone: Qt.resolvedUrl("tone.wav")
}
