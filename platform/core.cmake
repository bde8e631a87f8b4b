# Portable platform sources (no <windows.h>): added to the core.
target_sources(brisbolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/MtuSearch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NearbyHost.cpp
)
