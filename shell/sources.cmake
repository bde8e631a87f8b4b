# The dispatcher and the windows it opens itself (Windows only), above the
# tuning windows.
add_library(brisbolt_shell STATIC
    ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmBrisbolt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmBrisboltMain.cpp
)
target_link_libraries(brisbolt_shell PUBLIC brisbolt_tuning brisbolt_platform brisbolt_skin brisbolt_app
    # Only the tests call WinSock directly; the program looks it up at run time.
    wsock32)
