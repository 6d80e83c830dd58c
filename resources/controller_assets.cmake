# The controller pictures of the test view (front, back, their parts, captions, switch icons
# and slot badges), bundled as qrc:/images/<name> (included by generated_assets.cmake, which
# provides ${generated} and ${JOYVANT_PYTHON}).
set(joyvant_controller_names
    positive_main.svg Icon_ellipse.svg DirectionButton.svg positive_r.svg triangle.svg
    Left_turn.svg Left_turnSmall.svg Left_trunLine.svg Left_collimation.svg Left_rectangle.svg
    Back_main.svg Back_t.svg Back_topLine.svg
    Back_topR.svg Back_RB.svg Back_middleR.svg Back_downR.svg
    Back_topL.svg Back_LB.svg Back_middleL.svg Back_downL.svg
    back_buttonRT.svg back_buttonRb.svg back_buttonR1.svg back_buttonR2.svg
    back_buttonLT.svg back_buttonLb.svg back_buttonL1.svg back_buttonL2.svg
    back_labelRT.svg back_labelRB.svg back_labelLB.svg back_labelLT.svg
    labelLB.png labelLT.png labelRB.png labelRT.png
    positive_handle.svg Icon_positiveTest.svg no_handle.svg Icon_backTest.svg
    health_handle.svg Icon_healthTest.svg
    LittleGamepad-Active.svg LittleGamepad-Deactive.svg)
set(joyvant_controller_files "")
foreach(picture IN LISTS joyvant_controller_names)
    list(APPEND joyvant_controller_files "${generated}/images/${picture}")
    list(APPEND JOYVANT_GENERATED_QRC_ENTRIES
        "<file alias=\"images/${picture}\">${generated}/images/${picture}</file>\n")
endforeach()
add_custom_command(
    OUTPUT ${joyvant_controller_files}
    COMMAND "${JOYVANT_PYTHON}" "${PROJECT_SOURCE_DIR}/tools/make_controller_art.py" --out "${generated}/images"
    DEPENDS "${PROJECT_SOURCE_DIR}/tools/make_controller_art.py"
    COMMENT "Drawing the controller pictures"
    VERBATIM)
