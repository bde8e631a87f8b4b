# Portable sources of the skinned controls (no <windows.h>): added to the core.
target_sources(brisbolt_core PRIVATE
)
