import QtQuick 2.15

// A colour picker channel; the form has all it needs.
ColorSliderForm {
}
