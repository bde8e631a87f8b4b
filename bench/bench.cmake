# The start-up benchmark's programs (not part of the product): the timer,
# and the two bare programs the start is measured against.
add_executable(brisbolt_start_timer ${CMAKE_CURRENT_LIST_DIR}/StartTimer.cpp)
add_executable(brisbolt_bare_tray WIN32 ${CMAKE_CURRENT_LIST_DIR}/BareTray.cpp)
target_link_libraries(brisbolt_bare_tray PRIVATE shell32)
add_executable(brisbolt_bare_wizard WIN32 ${CMAKE_CURRENT_LIST_DIR}/BareWizard.cpp)
