# The pie menu's icons, drawn by tools/make_pie_icons.py and bundled as qrc:/images/<name>.
set(joyvant_pie_icon_names
    Volume-2-3_240px.png Volume-2-Mute_240px.png Music-Doc_240px.png Pause-Button_240px.png
    Prev-Button_240px.png Play--Button_240px.png Next-Button_240px.png)
set(joyvant_pie_icon_files "")
foreach(icon IN LISTS joyvant_pie_icon_names)
    list(APPEND joyvant_pie_icon_files "${generated}/pie/${icon}")
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES "<file alias=\"images/${icon}\">${generated}/pie/${icon}</file>\n")
endforeach()
add_custom_command(
    OUTPUT ${joyvant_pie_icon_files}
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_pie_icons.py" --out "${generated}/pie"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_pie_icons.py"
    COMMENT "Drawing the pie menu icons"
    VERBATIM)
