# joyvant_add_qml_plugin(<target>
#     URI <dotted.module.uri>
#     QMLDIR <path of the qmldir file>
#     SOURCES <sources...>
#     [LIBS <libraries...>])
#
# Builds a QML extension plug-in as a shared library and lays it out as a QML module
# below the program's folder: build/bin/<uri with dots as slashes>/ holds the library
# and its qmldir, so an engine whose import path contains build/bin finds the module.
# The install target lays out the same tree below <prefix>/bin.
function(joyvant_add_qml_plugin target)
    cmake_parse_arguments(ARG "" "URI;QMLDIR" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_URI OR NOT ARG_QMLDIR)
        message(FATAL_ERROR "joyvant_add_qml_plugin(${target}): URI and QMLDIR are required")
    endif()
    string(REPLACE "." "/" module_path "${ARG_URI}")
    set(module_dir "${JOYVANT_OUTPUT_DIR}/${module_path}")

    add_library(${target} MODULE ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES
        AUTOMOC ON
        LIBRARY_OUTPUT_DIRECTORY "${module_dir}"
        RUNTIME_OUTPUT_DIRECTORY "${module_dir}"
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_link_libraries(${target} PRIVATE Qt5::Core Qt5::Qml Qt5::Quick ${ARG_LIBS})

    configure_file("${ARG_QMLDIR}" "${module_dir}/qmldir" COPYONLY)
    install(TARGETS ${target}
        LIBRARY DESTINATION "${JOYVANT_INSTALL_BINDIR}/${module_path}"
        RUNTIME DESTINATION "${JOYVANT_INSTALL_BINDIR}/${module_path}")
    install(FILES "${ARG_QMLDIR}" DESTINATION "${JOYVANT_INSTALL_BINDIR}/${module_path}")
endfunction()
