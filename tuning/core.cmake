# Portable sources of the tuning windows (no <windows.h>): added to the core.
target_sources(brisbolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AdvancedChoices.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ApplySteps.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ApplySettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutomaticPresets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReceiveWindow.cpp
)
