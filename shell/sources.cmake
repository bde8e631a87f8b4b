# The dispatcher and the windows it opens (Windows only).
add_library(brisbolt_shell STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Globals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmBrisbolt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmBrisboltMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Services.cpp
)
target_link_libraries(brisbolt_shell PUBLIC brisbolt_platform brisbolt_skin wsock32)
