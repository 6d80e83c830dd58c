import QtQuick 2.15

// The animated logo on the guide button: a scene host that always runs the logo shader.
// The shader writes alpha 0, so with blending its light adds onto the picture beneath.
ShaderToyEffect {
    fragmentShader: "qrc:/shaders/XBoxLogo.frag"
    blending: true
}
