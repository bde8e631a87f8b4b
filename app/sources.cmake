# What the windows share, below both the dispatcher and the tuning windows
# (Windows only): the program-wide state, the services the dispatcher offers
# every window, the help page.
add_library(brisbolt_app STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Globals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HelpPage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Services.cpp
)
target_link_libraries(brisbolt_app PUBLIC brisbolt_runtime brisbolt_core shell32)
