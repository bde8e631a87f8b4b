# Portable sources of the class library (no <windows.h>): added to the core,
# with the system's side of the colours and dialogs or its stand-in.
target_sources(brisbolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Colors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
)
if(BRISBOLT_WIN32)
    target_sources(brisbolt_core PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/Colors_win32.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Dialogs_win32.cpp
    )
else()
    target_sources(brisbolt_core PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/Colors_native.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Dialogs_native.cpp
    )
endif()
