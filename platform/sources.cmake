# Platform services components (Windows only).
add_library(brisbolt_platform STATIC
    platform/ExternalWave.cpp
    platform/HostAddress.cpp
    platform/IcmpEcho.cpp
    platform/InternalWave.cpp
    platform/MtuProbe.cpp
    platform/SingleInstance.cpp
    platform/TrayIcon.cpp
    platform/WaveHolder.cpp
    platform/WaveSound.cpp
    platform/WinReboot.cpp
    platform/WinSock.cpp
)
target_link_libraries(brisbolt_platform PUBLIC brisbolt_runtime shell32 winmm advapi32)
