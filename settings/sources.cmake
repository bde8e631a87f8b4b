# The settings sources. The registry layer, the settings record, the system
# values and the originals are portable and go into the core, with the
# Windows side (real registry, version query) or its stand-in;
# the .reg reader and the registry listing go into the test and tool library.
target_sources(brisbolt_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MemoryRegistry.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryCalls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SystemSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EarlierEntries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OriginalCopies.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OriginalValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SavedSet.cpp
)
if(BRISBOLT_WIN32)
    target_sources(brisbolt_core PRIVATE
        ${CMAKE_CURRENT_LIST_DIR}/Win32Registry.cpp
        ${CMAKE_CURRENT_LIST_DIR}/Platform_win32.cpp
    )
else()
    target_sources(brisbolt_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Platform_native.cpp)
endif()

target_sources(brisbolt_regtools PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/RegFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RegistryDump.cpp
)
