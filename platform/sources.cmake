# Platform services components (Windows only).
add_library(brisbolt_platform STATIC
)
target_link_libraries(brisbolt_platform PUBLIC brisbolt_runtime shell32 winmm advapi32)
