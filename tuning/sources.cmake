# The tuning windows (Windows only): part of the shell library, whose
# dispatcher opens them and whose program-wide state they share.
target_sources(brisbolt_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmAdvanced.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAdvancedLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmAutomatic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmMakeRegistryChanges.cpp
)
