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

# The line measurement end to end: brisbolt.exe /FINDMTU in network
# namespaces with a known MTU (root and `ip` needed; skipped with the reason
# where they are missing). The helper reads the exit code through
# GetExitCodeProcess and answers the message box.
add_executable(brisbolt_exit_code platform/ExitCodeHelper.cpp)
add_test(NAME wine_mtu_road
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/platform/mtu-road.sh $<TARGET_FILE:brisbolt> $<TARGET_FILE:brisbolt_exit_code>
            ${CMAKE_BINARY_DIR}/mtu-road ${CMAKE_BINARY_DIR}/snapshots)
set_tests_properties(wine_mtu_road PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT "${WINE_ENV}" TIMEOUT 420 SKIP_RETURN_CODE 77)
