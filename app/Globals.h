// Program-wide state shared by the windows, all false or empty at start.
#pragma once

#include <string>

namespace brisbolt {

class TForm;

// The connection type code in use.
extern std::string CurrentConnection;
// A restart is wanted now.
extern bool ChangesPending;
// A restart is wanted later; the tray menu offers it.
extern bool RestartDeferred;
// An apply run has completed since start.
extern bool SystemAccelerated;
// A window is setting its own controls from stored values.
extern bool UpdatingControls;

// One reference per window that is opened modally, set only while it is
// open, so that no window is opened twice.
extern TForm* frmMakeRegistryChanges;
extern TForm* frmBrisboltMain;
extern TForm* frmAbout;
extern TForm* frmAdvanced;
extern TForm* frmAutomatic;

}  // namespace brisbolt
