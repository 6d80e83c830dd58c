import QtQuick 2.15
import com.corvane.multimedia 1.0

// The glowing ring of the bottom area; its clicks open and close the pie menu.
ShaderToyEffect {
    fragmentShader: "qrc:/shaders/Ring.frag"
    hoverEnabled: true
    blending: true
    opacity: 1
}
