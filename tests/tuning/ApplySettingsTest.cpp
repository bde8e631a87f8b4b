// The apply run's writes on either registry: the stored values reach the
// system, "6666" gives the adapters their own MTU back, and a run that may
// write nothing says so and writes nothing.
#include <memory>

#include "settings/ProgramSettings.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"
#include "tests/support/NoMachineWrites.h"
#include "tuning/ApplySettings.h"

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

}  // namespace
}  // namespace brisbolt::test
