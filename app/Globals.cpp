#include "app/Globals.h"

namespace brisbolt {

std::string CurrentConnection;
bool ChangesPending = false;
bool RestartDeferred = false;
bool SystemAccelerated = false;
bool UpdatingControls = false;

TForm* frmMakeRegistryChanges = nullptr;
TForm* frmBrisboltMain = nullptr;
TForm* frmAbout = nullptr;
TForm* frmAdvanced = nullptr;
TForm* frmAutomatic = nullptr;

}  // namespace brisbolt
