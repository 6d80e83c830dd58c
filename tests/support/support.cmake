# Test-only support code. Nothing here is linked into the program.

# Virtual game controllers on SDL (see virtualgamepad.h), for C++ tests and tools:
# link `joyvant_test_gamepad`.
find_package(SDL2 REQUIRED CONFIG)
add_library(joyvant_test_gamepad STATIC
    "${CMAKE_CURRENT_LIST_DIR}/virtualgamepad.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/virtualgamepad.h")
set_target_properties(joyvant_test_gamepad PROPERTIES AUTOMOC ON POSITION_INDEPENDENT_CODE ON)
target_include_directories(joyvant_test_gamepad PUBLIC "${CMAKE_CURRENT_LIST_DIR}")
target_compile_definitions(joyvant_test_gamepad PUBLIC SDL_MAIN_HANDLED)
target_link_libraries(joyvant_test_gamepad PUBLIC Qt5::Core SDL2::SDL2)

# The same for QML tests: `import JoyvantTest 1.0` gives the type `VirtualGamepad`.
# It lands in the test-only module folder that the QML test runner imports from.
set(joyvant_test_module_dir "${JOYVANT_TEST_QML_DIR}/JoyvantTest")
add_library(joyvant_test_qml MODULE "${CMAKE_CURRENT_LIST_DIR}/joyvanttestplugin.cpp")
set_target_properties(joyvant_test_qml PROPERTIES
    AUTOMOC ON
    LIBRARY_OUTPUT_DIRECTORY "${joyvant_test_module_dir}"
    RUNTIME_OUTPUT_DIRECTORY "${joyvant_test_module_dir}")
target_link_libraries(joyvant_test_qml PRIVATE joyvant_test_gamepad Qt5::Qml)
configure_file("${CMAKE_CURRENT_LIST_DIR}/JoyvantTest/qmldir" "${joyvant_test_module_dir}/qmldir" COPYONLY)
# QML tests load the module at run time; build it whenever the runner is built.
add_dependencies(joyvant_qmltest joyvant_test_qml)
