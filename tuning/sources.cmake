# The tuning windows (Windows only): above the shared state and services,
# below the dispatcher that opens them.
add_library(brisbolt_tuning STATIC
    ${CMAKE_CURRENT_LIST_DIR}/frmAdvanced.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAdvancedLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAutomatic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmFindMtu.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmMakeRegistryChanges.cpp
)
target_link_libraries(brisbolt_tuning PUBLIC brisbolt_platform brisbolt_skin brisbolt_app)
