# The class library the windows stand on (Windows only).
add_library(brisbolt_runtime STATIC
    runtime/Application.cpp
    runtime/Component.cpp
    runtime/Control.cpp
    runtime/ControlFocus.cpp
    runtime/ControlPaint.cpp
    runtime/Form.cpp
    runtime/GdiCache.cpp
    runtime/Graphics.cpp
    runtime/Gzip.cpp
    runtime/Hint.cpp
    runtime/KeyWindow.cpp
    runtime/Menu.cpp
    runtime/StdControls.cpp
    runtime/SystemFunctions.cpp
    runtime/Timer.cpp
    runtime/Window.cpp
)
target_link_libraries(brisbolt_runtime PUBLIC brisbolt_core gdi32 user32 comctl32 z)
