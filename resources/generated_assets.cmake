# Assets drawn or synthesised at build time (included by resources/CMakeLists.txt, which
# provides ${generated}, ${JOYVANT_PYTHON} and the JOYVANT_GENERATED_QRC_ENTRIES list).

# The channel pictures for scenes, bundled as qrc:/2DTextures/<name>.
set(joyvant_texture_names 1.png 2.png 3.png 4.png 5.jpg 6.png)
set(joyvant_texture_files "")
foreach(texture IN LISTS joyvant_texture_names)
    list(APPEND joyvant_texture_files "${generated}/2DTextures/${texture}")
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
        "<file alias=\"2DTextures/${texture}\">${generated}/2DTextures/${texture}</file>\n")
endforeach()
add_custom_command(
    OUTPUT ${joyvant_texture_files}
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_textures.py" --out "${generated}/2DTextures"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_textures.py"
    COMMENT "Drawing the scene channel pictures"
    VERBATIM)

# The scene music loop: bundled as qrc:/music/afterglow.ogg and also placed next to the
# program as music/afterglow.ogg, so a scene list can name either.
find_program(JOYVANT_SOX sox REQUIRED)
set(joyvant_music_name afterglow.ogg)
set(joyvant_music_file "${generated}/music/${joyvant_music_name}")
set(joyvant_music_copy "${JOYVANT_OUTPUT_DIR}/music/${joyvant_music_name}")
add_custom_command(
    OUTPUT "${joyvant_music_file}"
    COMMAND sh "${PROJECT_SOURCE_DIR}/tools/make_music.sh" "${joyvant_music_file}"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_music.sh"
    COMMENT "Synthesising the scene music loop"
    VERBATIM)
add_custom_command(
    OUTPUT "${joyvant_music_copy}"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${JOYVANT_OUTPUT_DIR}/music"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${joyvant_music_file}" "${joyvant_music_copy}"
    DEPENDS "${joyvant_music_file}"
    COMMENT "Placing the music loop next to the program"
    VERBATIM)
add_custom_target(joyvant_music ALL DEPENDS "${joyvant_music_copy}")
list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
    "<file alias=\"music/${joyvant_music_name}\">${joyvant_music_file}</file>\n")
install(FILES "${joyvant_music_file}" DESTINATION "${JOYVANT_INSTALL_BINDIR}/music")

# The pictures of the vibration dials.
include("${CMAKE_CURRENT_LIST_DIR}/dial_assets.cmake")
# The button indicator shapes of the controller picture.
include("${CMAKE_CURRENT_LIST_DIR}/indicator_assets.cmake")
# The controller pictures of the test view.
include("${CMAKE_CURRENT_LIST_DIR}/controller_assets.cmake")
# The icons of the pie menu.
include("${CMAKE_CURRENT_LIST_DIR}/pie_assets.cmake")
include(picker_assets.cmake)
