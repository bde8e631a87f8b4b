// What the Advanced window's tests share: the machines, the settings record,
// a click as the user makes it, and the fixture that opens the window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "runtime/Timer.h"
#include "runtime/Win32Handles.h"
#include "settings/MemoryRegistry.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "app/Services.h"
#include "tests/skin_wine/KeySupport.h"
#include "tests/skin_wine/SkinWineSupport.h"
#include "tuning/frmAdvanced.h"
#include "tuning/frmFindMtu.h"

namespace brisbolt::advancedtest {

using skintest::At;

inline std::optional<SystemVersion> Windows2000() { return SystemVersion{5, 0, 2}; }
inline std::optional<SystemVersion> WindowsXp() { return SystemVersion{5, 1, 2}; }

inline void LoadFixture(const char* name) {
    std::string path = SOURCE_DIR "/tests/fixtures/";
    path += name;
    LoadRegFile(ActiveRegistry(), path);
}

inline std::string Record() { return DumpKeyTree(ActiveRegistry(), RootKey::CurrentUser, ProgramKey); }
inline std::string RecordText(const char* name) { return GetRegistryString(RootKey::CurrentUser, ProgramKey, name); }

// A click as the user makes it: the button's own message road.
inline void Click(TRadioButton* radio) {
    SendMessageA(radio->Handle(), BM_CLICK, 0, 0);
    Application->ProcessMessages();
}

class AdvancedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedVersion_ = WindowsVersion;
        savedSource_ = SetVersionSource(Windows2000);
        savedDialogs_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            dialogs.push_back(text);
            return kind == DialogKind::Question ? AnswerNo : AnswerOk;
        });
        savedOpener_ = SetHelpOpener([this](HWND parent, const std::string& file, const std::string& folder) {
            helpOpened.push_back({parent, file, folder});
        });
        ChangesPending = SystemAccelerated = UpdatingControls = false;
        CurrentConnection = std::string(1, 'M');  // dial-up
        LoadFixture("clean.reg");
        // The display's own mouse stays off the window.
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        window.reset();
        SetHelpOpener(savedOpener_);
        SetDialogHandler(savedDialogs_);
        SetVersionSource(savedSource_);
        WindowsVersion = savedVersion_;
        ChangesPending = SystemAccelerated = UpdatingControls = false;
        CurrentConnection.clear();
        LoadFixture("clean.reg");
    }
    // A Windows 2000 or XP machine as the fixture describes it, as the wizard leaves it.
    void Machine(VersionSource version) {
        SetVersionSource(version);
        GetWindowsVersion();
        LoadFixture("win2k.reg");
        SetConnect(CurrentConnection);
    }
    TfrmAdvanced& Open() {
        window.reset(CreateForm<TfrmAdvanced>(nullptr));
        window->Show();
        Application->ProcessMessages();
        return *window;
    }
    // Shows the window modally; `act` runs once inside its loop.
    int RunModal(std::function<void(TfrmAdvanced&)> act) {
        TTimer once(nullptr);
        once.SetInterval(20);
        once.OnTimer = [&](TComponent*) {
            once.SetEnabled(false);
            act(*window);
        };
        once.SetEnabled(true);
        return window->ShowModal();
    }

    std::unique_ptr<TfrmAdvanced> window;
    std::vector<std::string> dialogs;
    struct HelpCall {
        HWND parent;
        std::string file, folder;
    };
    std::vector<HelpCall> helpOpened;

private:
    std::uint8_t savedVersion_ = 0;
    VersionSource savedSource_ = nullptr;
    DialogHandler savedDialogs_;
    HelpOpener savedOpener_;
};

}  // namespace brisbolt::advancedtest
