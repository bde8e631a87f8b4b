# The Windows installer, made by NSIS's makensis from installer/brisbolt.nsi
# with the program just built and the help page. The 32-bit build makes the
# product, brisbolt-setup.exe (x86-ansi: Windows 95 and later); the 64-bit
# build makes the same script's amd64 installer of the 64-bit program, only
# for the tests under 64-bit Wine.
find_program(MAKENSIS makensis REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(BRISBOLT_INSTALLER ${CMAKE_BINARY_DIR}/brisbolt-setup-amd64-test.exe)
    set(installer_target amd64-unicode)
else()
    set(BRISBOLT_INSTALLER ${CMAKE_BINARY_DIR}/brisbolt-setup.exe)
    set(installer_target x86-ansi)
endif()
set(installer_script ${CMAKE_SOURCE_DIR}/installer/brisbolt.nsi)
# The product installer is made with NSIS's stubs and plug-ins built for the
# i486 (scripts/i486-runtime.sh), Debian's makensis otherwise: its own
# x86-ansi stubs and plug-ins are built for the Pentium Pro.
set(BRISBOLT_NSISDIR /usr/share/nsis)
if(BRISBOLT_I486_RUNTIME AND installer_target STREQUAL x86-ansi)
    set(BRISBOLT_NSISDIR ${BRISBOLT_I486_RUNTIME}/nsis)
endif()
set(help_page ${CMAKE_SOURCE_DIR}/resources/brbhelp.htm)
add_custom_command(OUTPUT ${BRISBOLT_INSTALLER}
    COMMAND ${CMAKE_COMMAND} -E env NSISDIR=${BRISBOLT_NSISDIR} ${MAKENSIS} -V2 -NOCD -WX -DTARGET=${installer_target} -DPROGRAM=$<TARGET_FILE:brisbolt>
        -DHELP_PAGE=${help_page} -DVERSION=${BRISBOLT_VERSION_TEXT} -DOUTFILE=${BRISBOLT_INSTALLER}
        ${installer_script}
    DEPENDS brisbolt ${installer_script} ${help_page} ${CMAKE_SOURCE_DIR}/resources/Version.h
    VERBATIM)
add_custom_target(brisbolt_installer ALL DEPENDS ${BRISBOLT_INSTALLER})
