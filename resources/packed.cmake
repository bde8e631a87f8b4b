# The large pictures go into the program gzip-compressed (TBitmap unpacks them
# when loading): about 2 MB of 24-bit bitmaps become under 100 KB.
set(BRISBOLT_PACKED_DIR ${CMAKE_BINARY_DIR}/packed)
set(packed_pictures)
foreach(picture skins/Wizard.bmp skins/Automatic.bmp skins/Advanced.bmp skins/Apply.bmp skins/About.bmp Logo.bmp)
    set(source ${CMAKE_SOURCE_DIR}/resources/${picture})
    set(packed ${BRISBOLT_PACKED_DIR}/${picture}.gz)
    get_filename_component(packed_folder ${packed} DIRECTORY)
    add_custom_command(OUTPUT ${packed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${packed_folder}
        COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${source} ${packed}
        DEPENDS ${source} VERBATIM)
    list(APPEND packed_pictures ${packed})
endforeach()
add_custom_target(brisbolt_packed_pictures DEPENDS ${packed_pictures})

# The manifest names the processor it was built for, and the version that
# resources/Version.h gives (the installer reads the same lines).
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/Version.h version_line REGEX "define BRISBOLT_VERSION_TEXT ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" BRISBOLT_VERSION_TEXT "${version_line}")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(BRISBOLT_MANIFEST_ARCH amd64)
else()
    set(BRISBOLT_MANIFEST_ARCH x86)
endif()
set(BRISBOLT_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/brisbolt.manifest.in ${BRISBOLT_GENERATED_DIR}/brisbolt.manifest @ONLY)

# Compiles resources/brisbolt.rc into the target, after the pictures are packed.
function(brisbolt_add_resources target)
    set(rc ${CMAKE_SOURCE_DIR}/resources/brisbolt.rc)
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES
        ${BRISBOLT_PACKED_DIR} ${BRISBOLT_GENERATED_DIR} ${CMAKE_SOURCE_DIR}/resources)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
        ${packed_pictures} ${BRISBOLT_GENERATED_DIR}/brisbolt.manifest ${CMAKE_SOURCE_DIR}/resources/Version.h)
    add_dependencies(${target} brisbolt_packed_pictures)
endfunction()
