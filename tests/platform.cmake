# Wine tests of the platform components (sources relative to tests/).
set(PLATFORM_WINE_TESTS
    platform/HostAddressTest.cpp
    platform/SingleInstanceTest.cpp
    platform/TrayIconTest.cpp
    platform/WaveHolderTest.cpp
    platform/WinRebootTest.cpp
)

# The real restart, once, in a throwaway copy of the Wine prefix.
add_test(NAME wine_restart_proof
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform/restart-proof.sh
            $<TARGET_FILE:brisbolt_gui_tests> ${CMAKE_BINARY_DIR}/restart-proof)
set_tests_properties(wine_restart_proof PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_ENV}" TIMEOUT 120)
