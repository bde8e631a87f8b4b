# The skinned controls' window code (Windows only).
add_library(brisbolt_skin STATIC
    ${CMAKE_CURRENT_LIST_DIR}/SkinDraw.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextEffects.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextureFill.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinBackground.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinGlyph.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShapedRegion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShapedForm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RoundedButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinLabel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinRoundButton.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinPanel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinCheckBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinHint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlAtPoint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinHintWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowParts.cpp
)
target_link_libraries(brisbolt_skin PUBLIC brisbolt_runtime)
