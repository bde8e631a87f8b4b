// Program-wide state shared by the windows, all false, zero or empty at
// start: every one-per-program value lives here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brisbolt {

class TForm;
class TfrmBrisbolt;

// --- The settings being chosen

// The connection type code in use.
extern std::string CurrentConnection;
// A window is setting its own controls from stored values: its choice
// handlers store nothing meanwhile (see UpdatingControlsScope).
extern bool UpdatingControls;
// The MTU of the Advanced window's receive-window arithmetic; MSS = CurrentMtu - 40.
extern std::int32_t CurrentMtu;
// The line condition last stored in the Advanced window (true = Good).
extern bool LineGood;
// Set while a change of the line condition becomes a new receive window.
extern bool LineChanged;
// The automatic window's preparation is to end at the start of its next item.
extern bool PreparationStopped;

// --- Restart and apply

// A restart is wanted now.
extern bool ChangesPending;
// A restart is wanted later; the tray menu offers it.
extern bool RestartDeferred;
// An apply run has completed since start.
extern bool SystemAccelerated;

// --- Windows

// The program's own dispatcher, while it exists.
extern TfrmBrisbolt* frmBrisbolt;
// One reference per window that is opened modally, set from its making
// until the messages its closing left behind are handled, so that no
// window is opened twice.
extern TForm* frmMakeRegistryChanges;
extern TForm* frmBrisboltMain;
extern TForm* frmAbout;
extern TForm* frmAdvanced;
extern TForm* frmAutomatic;
// The modal windows alive now, in the order they were opened: the
// innermost last. A window leaves the list before it is destroyed.
extern std::vector<TForm*> OpenWindows;
// Empties every window reference and the list (a new dispatcher starts).
void ForgetOpenWindows();
// Keeps a window in OpenWindows while it lives: made after the window,
// so that it goes first.
class ListedWindow {
public:
    explicit ListedWindow(TForm* window);
    ~ListedWindow();
    ListedWindow(const ListedWindow&) = delete;
    ListedWindow& operator=(const ListedWindow&) = delete;

private:
    TForm* window_;
};

// Sets UpdatingControls for its lifetime and puts back what was there.
class UpdatingControlsScope {
public:
    UpdatingControlsScope() : was_(UpdatingControls) { UpdatingControls = true; }
    ~UpdatingControlsScope() { UpdatingControls = was_; }
    UpdatingControlsScope(const UpdatingControlsScope&) = delete;
    UpdatingControlsScope& operator=(const UpdatingControlsScope&) = delete;

private:
    bool was_;
};

}  // namespace brisbolt
