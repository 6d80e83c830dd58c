# The pictures of the vibration dials (outlines, tick, knob), bundled as qrc:/images/<name>
# (included by generated_assets.cmake, which provides ${generated} and ${JOYVANT_PYTHON}).
set(joyvant_dial_names shockBack.svg shockBack1.svg shockBack2.svg shockButton.svg shockRight_jingdu.svg)
set(joyvant_dial_files "")
foreach(picture IN LISTS joyvant_dial_names)
    list(APPEND joyvant_dial_files "${generated}/images/${picture}")
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
        "<file alias=\"images/${picture}\">${generated}/images/${picture}</file>\n")
endforeach()
add_custom_command(
    OUTPUT ${joyvant_dial_files}
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_dial_art.py" --out "${generated}/images"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_dial_art.py"
    COMMENT "Drawing the vibration dial pictures"
    VERBATIM)
