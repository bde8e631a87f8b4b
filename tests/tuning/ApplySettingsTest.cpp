// The apply run's writes on either registry: the stored values reach the
// system, "6666" gives the adapters their own MTU back, and a run that may
// write nothing says so and writes nothing.
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"
#include "tests/support/NoMachineWrites.h"
#include "tuning/ApplySettings.h"
#include "tuning/AutomaticPresets.h"

namespace brisbolt::test {
namespace {

class ApplySettingsTest : public RegistryTest {
protected:
    void Start(std::uint8_t version) {
        Fresh(version);
        LoadFixture(Is9xFamily() ? "win98.reg" : "win2k.reg");
        SetRwin(32767);
        SetSka(60000);
        SetTtl(64);
        SetPMTUDiscover(0);
    }
};

TEST_F(ApplySettingsTest, StoredValuesReachTheSystemAndAStored6666IsTheAdaptersOwnMtu) {
    for (auto version : RunnableVersions({3, 6})) {
        SCOPED_TRACE(int(version));
        Start(version);
        ASSERT_TRUE(SetMtu(false, 1400));
        const ApplyOutcome outcome = ApplySettingsToSystem();
        EXPECT_GT(outcome.written, 0);
        EXPECT_EQ(GetSystemRcvWindow(), 32767);
        EXPECT_EQ(GetSystemKeepAlive(), 60000);
        EXPECT_EQ(GetSystemTTL(), 64);
        EXPECT_EQ(GetSystemPMTUDiscovery(), 0);
        EXPECT_EQ(GetSystemMTU(), 1400);
        EXPECT_EQ(Text(RootKey::CurrentUser, ProgramKey, "init"), "1");

        // "6666" and no "mtu" at all leave the system in the same state.
        Start(version);
        PutText(RootKey::CurrentUser, ProgramKey, "mtu", "6666");
        ASSERT_EQ(GetMtu(), 6666);
        ApplySettingsToSystem();
        const std::string withMarker = SystemSnapshot();
        Start(version);
        ApplySettingsToSystem();
        EXPECT_EQ(SystemSnapshot(), withMarker);
        EXPECT_NE(GetSystemMTU(), 6666);
    }
}

TEST_F(ApplySettingsTest, OnWindows9xTheDefaultBranchesReachTheAdaptersAndTheNWLinkValue) {
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Start(version);
        PutText(RootKey::CurrentUser, ProgramKey, "ndi", "6666");
        ApplySettingsToSystem();
        EXPECT_EQ(Text(RootKey::LocalMachine, NdiCacheSizeKey, "default"), "6666");
        // No "mtu": the adapters lose theirs and the system default is marked.
        for (int slot : {1, 3}) {
            EXPECT_FALSE(Has(RootKey::LocalMachine, NetTransKey(slot), "MaxMTU")) << slot;
            EXPECT_FALSE(Has(RootKey::LocalMachine, NetTransKey(slot), "IPMTU")) << slot;
        }
        EXPECT_EQ(Text(RootKey::LocalMachine, ProgramKey, "mtu"), "6666");
    }
}

TEST_F(ApplySettingsTest, WithoutTheRightToWriteTheSystemNothingIsWrittenAndTheRunSaysSo) {
    for (auto version : RunnableVersions({3, 6, 7})) {
        SCOPED_TRACE(int(version));
        Start(version);
        ASSERT_TRUE(SetMtu(false, 1400));
        const std::string system = SystemSnapshot();
        NoMachineWrites refusing(registry());
        SetActiveRegistry(&refusing);
        const ApplyOutcome outcome = ApplySettingsToSystem();
        SetActiveRegistry(&registry());
        EXPECT_TRUE(outcome.NothingWritten());
        EXPECT_EQ(SystemSnapshot(), system);
        EXPECT_EQ(Text(RootKey::CurrentUser, ProgramKey, "init"), "1");
    }
}

std::optional<SystemVersion> answered;
std::optional<SystemVersion> Answered() { return answered; }

// Vista and later tune these values themselves: from a record of real
// choices the run writes nothing at all, not even "init", whether the
// system was classified before or the run has to ask it. Server 2003, the
// contrast, is written as XP is.
TEST_F(ApplySettingsTest, OnVistaAndLaterTheRunWritesNothingAtAll) {
    const struct {
        const char* name;
        std::uint8_t code;  // when the run starts
        std::optional<SystemVersion> system;
        bool writes;
    } cases[] = {
        {"classified before", LaterWindows, std::nullopt, false},
        {"Vista, not classified yet", 0, SystemVersion{6, 0, 2}, false},
        {"7", 0, SystemVersion{6, 1, 2}, false},
        {"10", 0, SystemVersion{10, 0, 2}, false},
        {"Server 2003", 0, SystemVersion{5, 2, 2}, true},
    };
    const VersionSource previous = SetVersionSource(Answered);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh(c.code);
        answered = c.system;
        LoadFixture("winxp.reg");
        SetConnect("C");
        StoreAutomaticPreset();
        ASSERT_TRUE(SetSka(600000));
        ASSERT_TRUE(SetMtu(false, 1400));
        const std::string before = ServicesSnapshot() + SystemSnapshot() + RecordSnapshot();
        const ApplyOutcome outcome = ApplySettingsToSystem();
        EXPECT_EQ(outcome.laterWindows, !c.writes);
        EXPECT_EQ(outcome.NothingWritten(), !c.writes);
        EXPECT_EQ(ServicesSnapshot() + SystemSnapshot() + RecordSnapshot() == before, !c.writes);
        EXPECT_EQ(WindowsVersion, c.writes ? 7 : LaterWindows);
        if (c.writes) {
            EXPECT_EQ(GetSystemMTU(), 1400);
        }
    }
    SetVersionSource(previous);
    WindowsVersion = 0;
}

// Each Windows, from a machine as it comes: after saving and an apply run
// of every connection type (with the keep-alive "10 mins"), the values hold
// what that Windows reads, by its own name, type and unit; the restore then
// gives the whole Services tree back as it was.
TEST_F(ApplySettingsTest, EachWindowsReadsWhatTheApplyRunWroteAndGetsItsMachineBack) {
    const struct {
        std::uint8_t version;
        const char* fixture;
        std::vector<std::string> mtuKeys;  // on NT filled from the machine
    } machines[] = {
        {2, "win95.reg", {NetTransKey(4), NetTransKey(5)}},
        {3, "win98-dialup.reg", {NetTransKey(0), NetTransKey(1)}},
        {4, "win98-dialup.reg", {NetTransKey(0), NetTransKey(1)}},
        {5, "nt40.reg", {AdapterTcpipKey("E100B1"), AdapterTcpipKey("NdisWan4")}},
        {6, "win2k-nomtu.reg", {}},
        {7, "winxp.reg", {}},
    };
    // Windows 95 as it came, without the Winsock 2 update.
    const auto probe = SetWinsock2Probe([] { return false; });
    for (const auto& machine : machines) {
        for (auto version : RunnableVersions({machine.version})) {
            for (const char* code : {"M", "D1", "D2", "D3", "C", "N"}) {
                SCOPED_TRACE(::testing::Message() << int(version) << " " << machine.fixture << " " << code);
                Fresh(version);
                LoadFixture(machine.fixture);
                const std::string before = ServicesSnapshot();
                SaveOriginalValues();
                SetConnect(code);
                StoreAutomaticPreset();
                ASSERT_TRUE(SetSka(600000));
                EXPECT_FALSE(ApplySettingsToSystem().NothingWritten());

                const AutomaticPreset& preset = PresetFor(code);
                const bool family9x = version <= 4;
                std::int32_t rwin = preset.rwin ? preset.rwin : family9x ? RwinDefault9x : RwinDefaultNT;
                if (version == 2 || version == 5) rwin = std::min(rwin, 65535);
                const std::int32_t ttl = preset.ttl ? preset.ttl : family9x ? TtlDefault9x : TtlDefaultNT;
                auto expect = [&](const std::string& key, const char* name, const RawValue& value) {
                    auto open = registry().OpenForReading(RootKey::LocalMachine, key);
                    ASSERT_TRUE(open) << key;
                    EXPECT_EQ(open->Query(name), value) << key << " " << name;
                };
                auto number = [&](std::int32_t n) {
                    return family9x ? StringValue(std::to_string(n)) : DwordValue(std::uint32_t(n));
                };
                const char* parameters = family9x ? MstcpKey : TcpipParametersKey;
                expect(parameters, family9x ? "PMTUDiscovery" : "EnablePMTUDiscovery", number(1));
                expect(parameters, family9x ? "PMTUBlackHoleDetect" : "EnablePMTUBHDetect", number(0));
                expect(parameters, family9x ? "DefaultRcvWindow" : "TCPWindowSize", number(rwin));
                expect(parameters, "DefaultTTL", number(ttl));
                // Seconds on 9x, milliseconds on NT.
                expect(family9x ? MstcpKey : NetbtParametersKey, "SessionKeepAlive", number(family9x ? 600 : 600000));
                if (family9x) expect(NdiCacheSizeKey, "default", StringValue(preset.ndi));
                std::vector<std::string> mtuKeys = machine.mtuKeys;
                if (version >= 6) {
                    const auto names =
                        registry().OpenForReading(RootKey::LocalMachine, InterfacesKey)->Subkeys().value();
                    for (const auto& name : names) mtuKeys.push_back(InterfaceKey(name));
                }
                ASSERT_EQ(mtuKeys.size(), 2u);
                for (const auto& key : mtuKeys) expect(key, family9x ? "MaxMTU" : "MTU", number(preset.mtu));

                EXPECT_TRUE(RestoreOriginalValues());
                EXPECT_EQ(ServicesSnapshot(), before);
            }
        }
    }
    SetWinsock2Probe(probe);
}

}  // namespace
}  // namespace brisbolt::test
