// The settings record: defaults, conversions, stored forms, and the
// uninstall clean-up.
#include <gtest/gtest.h>

#include <functional>

#include "settings/ProgramSettings.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {
namespace {

constexpr RootKey U = RootKey::CurrentUser;
constexpr RootKey M = RootKey::LocalMachine;

class ProgramSettingsTest : public RegistryTest {};

TEST_F(ProgramSettingsTest, GettersGiveTheirDefaultsOnAnEmptyRecord) {
    for (auto version : RunnableVersions(AllVersions)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        const bool family9x = version >= 2 && version <= 4;
        EXPECT_EQ(GetConnect(), "");
        EXPECT_EQ(GetPMTUDiscover(), 1);
        EXPECT_EQ(GetPMTUBlackHoleDetect(), 0);
        EXPECT_FALSE(GetLine());
        EXPECT_EQ(GetMtu(), -1);
        EXPECT_EQ(GetNdi(), -1);
        EXPECT_EQ(GetRwin(), -1);
        EXPECT_EQ(GetSka(), 3600000);
        EXPECT_EQ(GetTtl(), family9x ? 32 : 128);
    }
}

TEST_F(ProgramSettingsTest, SettersStoreTextNumbersAndDwordSwitches) {
    for (auto version : RunnableVersions({3, 6})) {
        Fresh(version);
        const bool family9x = version == 3;
        const struct {
            std::function<bool()> set;
            const char* name;
            std::string text;
        } texts[] = {
            {[] { return SetConnect("D2"); }, "connect", "D2"},
            {[] { return SetMtu(true, 1500); }, "mtu", "576"},
            {[] { return SetMtu(false, 1492); }, "mtu", "1492"},
            {[] { return SetNdi(true, "32"); }, "ndi", "6666"},
            {[] { return SetNdi(false, "32"); }, "ndi", "32"},
            {[] { return SetRwin(64240); }, "rwin", "64240"},
            {[] { return SetRwinDefault(); }, "rwin", family9x ? "8192" : "8760"},
            {[] { return SetSka(-3); }, "ska", "-3"},
            {[] { return SetTtl(64); }, "ttl", "64"},
            {[] { return SetTtlDefault(); }, "ttl", family9x ? "32" : "128"},
            {[] { return SetInit(); }, "init", "1"},
        };
        for (const auto& c : texts) {
            EXPECT_TRUE(c.set()) << c.name;
            EXPECT_EQ(Text(U, ProgramKey, c.name), c.text) << c.name;
        }
        EXPECT_TRUE(SetPMTUDiscover(0));
        EXPECT_EQ(Number(U, ProgramKey, "PMTUDiscover"), 0);
        EXPECT_TRUE(SetPMTUDiscoverDefault());
        EXPECT_EQ(Number(U, ProgramKey, "PMTUDiscover"), 1);
        EXPECT_TRUE(SetPMTUBlackHoleDetect(1));
        EXPECT_EQ(Number(U, ProgramKey, "PMTUBlackHoleDetect"), 1);
        EXPECT_TRUE(SetPMTUBlackHoleDetectDefault());
        EXPECT_EQ(Number(U, ProgramKey, "PMTUBlackHoleDetect"), 0);
        EXPECT_TRUE(SetLine(true));
        EXPECT_EQ(Number(U, ProgramKey, "line"), 1);
        EXPECT_TRUE(GetLine());
    }
}

TEST_F(ProgramSettingsTest, GettersConvertWhatIsStored) {
    Fresh(6);
    const struct {
        const char* name;
        std::function<void()> store;
        std::function<std::int32_t()> get;
        std::int32_t expected;
    } cases[] = {
        {"mtu abc", [&] { PutText(U, ProgramKey, "mtu", "abc"); }, GetMtu, -1},
        {"mtu empty", [&] { PutText(U, ProgramKey, "mtu", ""); }, GetMtu, -1},
        {"mtu dword", [&] { PutNumber(U, ProgramKey, "mtu", 1500); }, GetMtu, -1},
        {"mtu zero", [] { SetMtu(false, 0); }, GetMtu, 0},
        {"ndi default", [] { SetNdi(true, "32"); }, GetNdi, 6666},
        {"ska text", [&] { PutText(U, ProgramKey, "ska", "x"); }, GetSka, 3600000},
        {"ttl dword", [&] { PutNumber(U, ProgramKey, "ttl", 64); }, GetTtl, 128},
        {"discover -1", [&] { PutNumber(U, ProgramKey, "PMTUDiscover", 0xFFFFFFFF); }, GetPMTUDiscover, 1},
        {"discover text", [&] { PutText(U, ProgramKey, "PMTUDiscover", "0"); }, GetPMTUDiscover, 1},
        {"black hole -1", [&] { PutNumber(U, ProgramKey, "PMTUBlackHoleDetect", 0xFFFFFFFF); }, GetPMTUBlackHoleDetect,
         0},
        {"black hole 5", [&] { PutNumber(U, ProgramKey, "PMTUBlackHoleDetect", 5); }, GetPMTUBlackHoleDetect, 5},
    };
    for (const auto& c : cases) {
        c.store();
        EXPECT_EQ(c.get(), c.expected) << c.name;
    }
    for (const auto& [stored, read] : {std::pair{"Modem", "-2"}, {"modem", "modem"}, {"N", "N"}, {"", ""}}) {
        PutText(U, ProgramKey, "connect", stored);
        EXPECT_EQ(GetConnect(), read) << stored;
    }
    PutNumber(U, ProgramKey, "line", 7);
    EXPECT_TRUE(GetLine());
}

TEST_F(ProgramSettingsTest, SetLineNeverCreatesTheProgramKey) {
    Fresh(6);
    EXPECT_FALSE(SetLine(true));
    EXPECT_FALSE(RegistryKeyExists(U, ProgramKey));
    EXPECT_FALSE(GetLine());
    SetConnect("C");
    EXPECT_TRUE(SetLine(false));
    EXPECT_EQ(Number(U, ProgramKey, "line"), 0);
}

TEST_F(ProgramSettingsTest, ClearProgramSettingsWorksOnTheMachineKeyOnly) {
    Fresh(6);
    SetConnect("D1");
    SetMtu(false, 1500);
    const std::string record = RecordSnapshot();

    // Nothing there yet: the deletions fail, the key is made for "connect".
    EXPECT_FALSE(ClearProgramSettings());
    EXPECT_EQ(Text(M, ProgramKey, "connect"), "Modem");
    EXPECT_EQ(RecordSnapshot(), record);

    PutText(M, AutostartKey, "brisbolt", "C:\\Brisbolt\\brisbolt.exe");
    PutText(M, AutostartKey, "other", "x");
    for (const char* name : {"line", "mtu", "ndi", "rwin", "ska", "ttl"}) PutText(M, ProgramKey, name, "1");
    PutNumber(M, ProgramKey, "PMTUDiscover", 1);
    PutText(M, ProgramKey, "installdir", "C:\\Brisbolt");
    PutText(M, ProgramKey, "connect", "N");
    EXPECT_TRUE(ClearProgramSettings());
    EXPECT_FALSE(Has(M, AutostartKey, "brisbolt"));
    EXPECT_TRUE(Has(M, AutostartKey, "other"));
    for (const char* name : {"line", "mtu", "ndi", "rwin", "ska", "ttl", "PMTUDiscover"})
        EXPECT_FALSE(Has(M, ProgramKey, name)) << name;
    EXPECT_EQ(Text(M, ProgramKey, "connect"), "Modem");
    EXPECT_EQ(Text(M, ProgramKey, "installdir"), "C:\\Brisbolt");
    EXPECT_EQ(RecordSnapshot(), record);
}

}  // namespace
}  // namespace brisbolt::test
