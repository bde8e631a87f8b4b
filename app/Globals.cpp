#include "app/Globals.h"

namespace brisbolt {

std::string CurrentConnection;
bool UpdatingControls = false;
std::int32_t CurrentMtu = 0;
bool LineGood = false;
bool LineChanged = false;
bool PreparationStopped = false;

bool ChangesPending = false;
bool RestartDeferred = false;
bool SystemAccelerated = false;

TfrmBrisbolt* frmBrisbolt = nullptr;
TForm* frmMakeRegistryChanges = nullptr;
TForm* frmBrisboltMain = nullptr;
TForm* frmAbout = nullptr;
TForm* frmAdvanced = nullptr;
TForm* frmAutomatic = nullptr;
std::vector<TForm*> OpenWindows;

void ForgetOpenWindows() {
    frmMakeRegistryChanges = frmBrisboltMain = frmAbout = frmAdvanced = frmAutomatic = nullptr;
    OpenWindows.clear();
}

ListedWindow::ListedWindow(TForm* window) : window_(window) { OpenWindows.push_back(window); }

ListedWindow::~ListedWindow() { std::erase(OpenWindows, window_); }

}  // namespace brisbolt
