# Portable sources of the skinned controls (no <windows.h>): added to the core.
target_sources(brisbolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/SystemColorTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MaskData.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RoundedButtonMath.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GradientFill.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinFrame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/GlyphLevels.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HintPlacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HintBubble.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Font3D.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextureLayout.cpp
)
