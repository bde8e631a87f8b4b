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

# Compiles resources/brisbolt.rc into the target, after the pictures are packed.
function(brisbolt_add_resources target)
    set(rc ${CMAKE_SOURCE_DIR}/resources/brisbolt.rc)
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY INCLUDE_DIRECTORIES ${BRISBOLT_PACKED_DIR} ${CMAKE_SOURCE_DIR}/resources)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${packed_pictures})
    add_dependencies(${target} brisbolt_packed_pictures)
endfunction()
