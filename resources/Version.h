// Brisbolt's version, for the version resource and the installer (which
// reads these lines): major.minor.patch.build.
#pragma once

#define BRISBOLT_VERSION_MAJOR 1
#define BRISBOLT_VERSION_MINOR 0
#define BRISBOLT_VERSION_PATCH 0
#define BRISBOLT_VERSION_BUILD 0
#define BRISBOLT_VERSION_TEXT "1.0.0.0"
