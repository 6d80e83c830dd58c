# The interface's translations: each committed Qt Linguist file in translations/ is
# compiled by lrelease at build time and bundled as qrc:/i18n/<name>.qm, where the host's
# translator looks for the system language's file (included by CMakeLists.txt, which
# collects ${JOYVANT_GENERATED_QRC_ENTRIES}).
find_package(Qt5 5.15 REQUIRED COMPONENTS LinguistTools)
file(GLOB joyvant_translation_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/translations/*.ts")
set_source_files_properties(${joyvant_translation_sources} PROPERTIES OUTPUT_LOCATION "${generated}/i18n")
qt5_add_translation(joyvant_translation_files ${joyvant_translation_sources})
foreach(qm IN LISTS joyvant_translation_files)
    get_filename_component(qm_name "${qm}" NAME)
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES "<file alias=\"i18n/${qm_name}\">${qm}</file>\n")
endforeach()
