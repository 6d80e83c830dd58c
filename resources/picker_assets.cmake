# The colour picker's slider arrow, bundled as qrc:/images/color-slider-arrow.png.
set(joyvant_picker_arrow "${generated}/images/color-slider-arrow.png")
add_custom_command(
    OUTPUT "${joyvant_picker_arrow}"
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_picker_art.py" --out "${generated}/images"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_picker_art.py"
    COMMENT "Drawing the colour picker's slider arrow"
    VERBATIM)
list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
    "<file alias=\"images/color-slider-arrow.png\">${joyvant_picker_arrow}</file>\n")
