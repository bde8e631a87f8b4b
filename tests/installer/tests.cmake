# The product around the program: its manifest and version resource, the
# installer, and the install and uninstall roads under Wine.
find_program(PYTHON3 python3 REQUIRED)
set(resource_check ${CMAKE_CURRENT_LIST_DIR}/check_resources.py)
add_test(NAME resources COMMAND ${PYTHON3} ${resource_check} program $<TARGET_FILE:brisbolt> ${BRISBOLT_VERSION_TEXT})
add_test(NAME installer_contents
    COMMAND ${PYTHON3} ${resource_check} installer ${BRISBOLT_INSTALLER} ${BRISBOLT_VERSION_TEXT}
        $<IF:$<EQUAL:${CMAKE_SIZEOF_VOID_P},8>,amd64-unicode,x86-ansi>)
set_tests_properties(resources installer_contents PROPERTIES LABELS static)

add_executable(brisbolt_uninstall_road ${CMAKE_CURRENT_LIST_DIR}/UninstallRoad.cpp)
target_include_directories(brisbolt_uninstall_road PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(brisbolt_uninstall_road PRIVATE brisbolt_ansi_imports brisbolt_regtools)
add_test(NAME wine_install_road
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/install-road.sh ${BRISBOLT_INSTALLER} $<TARGET_FILE:brisbolt_uninstall_road>
        ${CMAKE_SOURCE_DIR}/tests/fixtures ${CMAKE_BINARY_DIR}/install-road)
set_tests_properties(wine_install_road PROPERTIES
    FIXTURES_REQUIRED wine RESOURCE_LOCK registry ENVIRONMENT "${WINE_ENV}" TIMEOUT 900)
