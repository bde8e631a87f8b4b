// The help page opener, and the dispatcher's uninstall as the uninstall
// switch runs it: in a process that has never classified the system.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Application.h"
#include "runtime/Dialogs.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"
#include "app/Globals.h"
#include "app/HelpPage.h"
#include "shell/frmBrisbolt.h"
#include "tests/support/NoMachineWrites.h"
#include "tests/support/RefusingOneValue.h"

namespace brisbolt {
namespace {

constexpr RootKey Machine = RootKey::LocalMachine;

void LoadFixtureFile(const char* name) {
    LoadRegFile(ActiveRegistry(), std::string(SOURCE_DIR) + "/tests/fixtures/" + name);
}

TEST(HelpPage, OpensTheHelpPageFromTheFolderTheInstallerNoted) {
    const std::string kept = GetRegistryString(Machine, ProgramKey, "installdir");
    struct Call {
        HWND parent;
        std::string file, folder;
    };
    std::vector<Call> calls;
    const HelpOpener before = SetHelpOpener([&](HWND parent, const std::string& file, const std::string& folder) {
        calls.push_back({parent, file, folder});
    });
    const HWND parent = reinterpret_cast<HWND>(0x1234);
    const struct {
        std::optional<std::string> installdir;  // empty: no value at all
        std::string folder;
    } cases[] = {
        {"C:\\Program Files\\Brisbolt", "C:\\Program Files\\Brisbolt"},
        {"D:\\Tools\\Brisbolt 1.0", "D:\\Tools\\Brisbolt 1.0"},
        {std::nullopt, ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        calls.clear();
        DeleteRegistryValue(Machine, ProgramKey, "installdir");
        if (c.installdir) SetRegistryValue(Machine, ProgramKey, true, *c.installdir, "installdir", ValueKind::String);
        OpenHelpPage(parent);
        ASSERT_EQ(calls.size(), 1u) << c.folder;
        EXPECT_EQ(calls[0].parent, parent);
        EXPECT_EQ(calls[0].file, "brbhelp.htm");
        EXPECT_EQ(calls[0].folder, c.folder);
    }
    // A number where the folder should be is no folder.
    SetRegistryValue(Machine, ProgramKey, true, std::int32_t{7}, "installdir", ValueKind::Integer);
    calls.clear();
    OpenHelpPage(parent);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].folder, "");

    SetHelpOpener(before);
    DeleteRegistryValue(Machine, ProgramKey, "installdir");
    if (!kept.empty()) SetRegistryValue(Machine, ProgramKey, true, kept, "installdir", ValueKind::String);
}

TEST(UninstallSwitch, OnlyTheUninstallWordInAnyCase) {
    const struct {
        const char* argument;
        bool uninstall;
    } cases[] = {{"/UNINSTALL", true},  {"/uninstall", true}, {"/UnInstall", true},
                 {"/S", false},         {"", false},          {"UNINSTALL", false},
                 {"-uninstall", false}, {"/UNINSTAL", false}, {"/UNINSTALLS", false},
                 {"/UNINSTALL ", false}};
    for (const auto& c : cases) EXPECT_EQ(TfrmBrisbolt::IsUninstallSwitch(c.argument), c.uninstall) << c.argument;
}

std::optional<SystemVersion> Windows98() { return SystemVersion{4, 10, 1}; }

class UninstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application->ResetTerminated();
        savedDialogs_ = SetDialogHandler([this](DialogKind kind, const std::string& text) {
            dialogs.push_back(text);
            return kind == DialogKind::Question ? AnswerYes : AnswerOk;
        });
        savedSource_ = SetVersionSource(Windows98);
        savedVersion_ = WindowsVersion;
        // A Windows 98 machine whose originals were saved at the first start
        // and then changed by an apply run.
        LoadFixtureFile("clean.reg");
        LoadFixtureFile("win98.reg");
        WindowsVersion = 3;
        SaveOriginalValues();
        SetSystemTTL(64);
        SetSystemRcvWindow(149600);
        // As after a start with "/S" or with the uninstall switch.
        WindowsVersion = 0;
        form = CreateForm<TfrmBrisbolt>(nullptr);
    }
    void TearDown() override {
        delete form;
        LoadFixtureFile("clean.reg");
        WindowsVersion = savedVersion_;
        SetVersionSource(savedSource_);
        SetDialogHandler(savedDialogs_);
        Application->ResetTerminated();
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }

    TfrmBrisbolt* form = nullptr;
    std::vector<std::string> dialogs;

private:
    DialogHandler savedDialogs_;
    VersionSource savedSource_ = nullptr;
    std::uint8_t savedVersion_ = 0;
};

TEST_F(UninstallTest, AnUnclassifiedRunGivesWindows98ItsValuesBack) {
    form->Uninstall();
    EXPECT_EQ(WindowsVersion, 3);
    EXPECT_EQ(GetRegistryString(Machine, MstcpKey, "DefaultTTL"), "32");
    EXPECT_EQ(GetRegistryString(Machine, MstcpKey, "DefaultRcvWindow"), "8192");
    EXPECT_FALSE(HasSavedOriginals());
    EXPECT_EQ(GetRegistryString(Machine, ProgramKey, "connect"), "Modem");
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(UninstallTest, AUserWhoCannotWriteTheSystemKeepsTheOriginals) {
    NoMachineWrites standardUser(ActiveRegistry());
    RegistryBackend* real = SetActiveRegistry(&standardUser);
    form->Uninstall();
    SetActiveRegistry(real);
    // Nothing went back, so nothing saved may go: the uninstaller refuses
    // to remove Brisbolt while "Orig_ttl_TF" is there.
    EXPECT_TRUE(HasSavedOriginals());
    EXPECT_EQ(GetRegistryString(Machine, MstcpKey, "DefaultTTL"), "64");
    EXPECT_EQ(GetRegistryInteger(Machine, OriginalsKey, "Orig_ttl_Val"), 32);
    // Said plainly; no uninstaller, and the program goes on.
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[2], UninstallNotRestored);
    EXPECT_FALSE(Application->Terminated());
}

// The set is the machine's: whoever uninstalls gets it back, whatever that
// user's own record holds. An earlier Brisbolt kept it in the record of
// whoever first opened the wizard.
TEST_F(UninstallTest, WhoeverUninstallsGetsTheMachinesOriginalsBack) {
    constexpr RootKey User = RootKey::CurrentUser;
    const auto moveSetToRecord = [] {
        auto from = ActiveRegistry().OpenForReading(Machine, OriginalsKey);
        auto to = ActiveRegistry().OpenForWriting(User, ProgramKey, true);
        ASSERT_TRUE(from && to);
        const auto names = from->ValueNames().value();
        for (const auto& name : names) ASSERT_TRUE(to->Set(name, *from->Query(name)));
        ASSERT_TRUE(ActiveRegistry().DeleteKeyTree(Machine, OriginalsKey));
    };
    const struct {
        const char* user;
        std::function<void()> record;
    } cases[] = {
        {"a second user, who never opened the wizard", [] { ActiveRegistry().DeleteKeyTree(User, ProgramKey); }},
        {"a second user with a set of an earlier Brisbolt, saved over the changed values",
         [] {
             SetRegistryValue(User, ProgramKey, true, std::int32_t{64}, "Orig_ttl_Val", ValueKind::Integer);
             SetRegistryValue(User, ProgramKey, true, true, "Orig_ttl_TF", ValueKind::Boolean);
         }},
        {"the first user, whose earlier Brisbolt kept the set in the record", moveSetToRecord},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        if (c.record) c.record();
        Application->ResetTerminated();
        dialogs.clear();
        form->Uninstall();
        EXPECT_EQ(GetRegistryString(Machine, MstcpKey, "DefaultTTL"), "32");
        EXPECT_EQ(GetRegistryString(Machine, MstcpKey, "DefaultRcvWindow"), "8192");
        EXPECT_FALSE(HasSavedOriginals());
        EXPECT_EQ(GetRegistryInteger(User, ProgramKey, "Orig_ttl_TF"), -1);
        ASSERT_EQ(dialogs.size(), 2u);
        EXPECT_EQ(dialogs[0], UninstallNotice);
        EXPECT_TRUE(Application->Terminated());
        // The next case starts from the changed machine again, in a new run.
        SaveOriginalValues();
        SetSystemTTL(64);
        SetSystemRcvWindow(149600);
        WindowsVersion = 0;
        delete form;
        form = CreateForm<TfrmBrisbolt>(nullptr);
    }
}

// Rights are named only when rights were refused; any other failure names
// the value that stayed changed.
TEST_F(UninstallTest, AValueThatWouldNotBeWrittenBackIsNamed) {
    test::RefusingOneValue failing(ActiveRegistry(), "DefaultTTL", true);
    RegistryBackend* real = SetActiveRegistry(&failing);
    form->Uninstall();
    SetActiveRegistry(real);
    EXPECT_TRUE(HasSavedOriginals());
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_NE(dialogs[2].find("\"HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP\\DefaultTTL\""),
              std::string::npos)
        << dialogs[2];
    EXPECT_EQ(dialogs[2].find("administrator"), std::string::npos) << dialogs[2];
    EXPECT_FALSE(Application->Terminated());
}

// With nothing saved the notice promises nothing, and the uninstall goes on.
TEST_F(UninstallTest, NothingSavedPromisesNothing) {
    ASSERT_TRUE(RestoreOriginalValues());
    dialogs.clear();
    form->Uninstall();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0], UninstallNoticeNothingSaved);
    EXPECT_TRUE(Application->Terminated());
}

}  // namespace
}  // namespace brisbolt
