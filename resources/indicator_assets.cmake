# The shapes of the button indicators, bundled as qrc:/images/<name> (included by
# generated_assets.cmake, which provides ${generated} and ${JOYVANT_PYTHON}).
set(joyvant_indicator_names
    circle.svg cross_button.svg duplex_cross.png lt_button.svg rt_button.svg lb_button.svg rb_button.svg)
set(joyvant_indicator_files "")
foreach(picture IN LISTS joyvant_indicator_names)
    list(APPEND joyvant_indicator_files "${generated}/images/${picture}")
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
        "<file alias=\"images/${picture}\">${generated}/images/${picture}</file>\n")
endforeach()
add_custom_command(
    OUTPUT ${joyvant_indicator_files}
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_indicator_art.py" --out "${generated}/images"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_indicator_art.py"
    COMMENT "Drawing the button indicator shapes"
    VERBATIM)
