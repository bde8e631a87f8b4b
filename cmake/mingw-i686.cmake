# 32-bit Windows: the program, for every processor that Windows 95, 98 and
# NT 4.0 run on, the 486 included. The code is compiled for the i486 and
# linked against a runtime built for it (scripts/i486-runtime.sh, once per
# machine, into a cache outside the build folder): Debian's own MinGW-w64
# runtime, zlib, libgcc and libstdc++ are built for the Pentium Pro and
# would put CMOVcc and FCOMI into every program.
#
# BRISBOLT_STOCK_RUNTIME=ON links Debian's runtime instead: a build only for
# running under Wine on this machine's processor, never to be handed out.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

set(CMAKE_C_FLAGS_INIT "-march=i486")
set(CMAKE_CXX_FLAGS_INIT "-march=i486")

# The toolchain file is read again for each of CMake's own test projects,
# which see only the environment: the folder found once is passed on there.
if(NOT DEFINED BRISBOLT_STOCK_RUNTIME AND DEFINED ENV{BRISBOLT_STOCK_RUNTIME})
    set(BRISBOLT_STOCK_RUNTIME $ENV{BRISBOLT_STOCK_RUNTIME})
endif()
if(NOT BRISBOLT_STOCK_RUNTIME)
    if(NOT BRISBOLT_I486_RUNTIME AND DEFINED ENV{BRISBOLT_I486_RUNTIME})
        set(BRISBOLT_I486_RUNTIME $ENV{BRISBOLT_I486_RUNTIME})
    endif()
    if(NOT BRISBOLT_I486_RUNTIME)
        message(STATUS "The i486 runtime (the first time on this machine: about 20 minutes)")
        execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/i486-runtime.sh
            OUTPUT_VARIABLE BRISBOLT_I486_RUNTIME OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE runtime_result)
        if(NOT runtime_result EQUAL 0)
            message(FATAL_ERROR "scripts/i486-runtime.sh could not build the i486 runtime")
        endif()
    endif()
    set(BRISBOLT_I486_RUNTIME ${BRISBOLT_I486_RUNTIME} CACHE PATH "The runtime built for the i486" FORCE)
    set(ENV{BRISBOLT_I486_RUNTIME} ${BRISBOLT_I486_RUNTIME})
    # Start files (crt2.o, crtbegin.o) and libraries from there first. The
    # build checks the link map of the program: nothing from Debian's.
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-B${BRISBOLT_I486_RUNTIME}/lib/ -L${BRISBOLT_I486_RUNTIME}/lib")
    set(CMAKE_SHARED_LINKER_FLAGS_INIT "-B${BRISBOLT_I486_RUNTIME}/lib/ -L${BRISBOLT_I486_RUNTIME}/lib")
else()
    set(ENV{BRISBOLT_STOCK_RUNTIME} ${BRISBOLT_STOCK_RUNTIME})
endif()
