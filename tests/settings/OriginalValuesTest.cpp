// Saving the system's original values once and writing them back.
#include <gtest/gtest.h>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {
namespace {

constexpr RootKey U = RootKey::CurrentUser;
constexpr RootKey M = RootKey::LocalMachine;

class OriginalValuesTest : public RegistryTest {
protected:
    std::vector<std::string> Interfaces() {
        auto key = registry().OpenForReading(M, InterfacesKey);
        return key ? key->Subkeys().value() : std::vector<std::string>{};
    }
    // What an apply run does: every value changed.
    void ApplyNewValues() {
        SetSystemPMTUDiscovery(0);
        SetSystemPMTUBlackHoleDetect(1);
        SetSystemMTU(false, 1400);
        SetSystemNdiCacheSize(false, "64");
        SetSystemRcvWindow(32767);
        SetSystemKeepAlive(60000);
        SetSystemTTL(64);
    }
    bool AnySavedEntry() { return RecordSnapshot().find("Orig_") != std::string::npos; }
};

TEST_F(OriginalValuesTest, RoundTripOnWindows98) {
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture("win98.reg");
        // The switches are not saved; leave them as the apply run will not touch them here.
        const std::string original = SystemSnapshot();
        EXPECT_FALSE(HasSavedOriginals());
        SaveOriginalValues();
        EXPECT_TRUE(HasSavedOriginals());
        for (int slot = 0; slot < 10; ++slot) {
            EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu" + std::to_string(slot) + "_TF"), slot <= 3 ? 1 : 0);
            EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu" + std::to_string(slot) + "_Val"), 1500);
        }
        EXPECT_EQ(Number(U, ProgramKey, "Orig_ndi_Val"), 32);
        EXPECT_EQ(Number(U, ProgramKey, "Orig_ska_Val"), 7200000);

        SetSystemMTU(false, 1400);
        SetSystemNdiCacheSize(false, "64");
        SetSystemRcvWindow(32767);
        SetSystemKeepAlive(60000);
        SetSystemTTL(64);
        EXPECT_NE(SystemSnapshot(), original);
        RestoreOriginalValues();
        EXPECT_FALSE(HasSavedOriginals());
        // Every slot that existed gets the first TCP/IP binding's MTU in
        // "MaxMTU"; "IPMTU" keeps what the apply run wrote.
        for (int slot = 0; slot <= 3; ++slot) EXPECT_EQ(Text(M, NetTransKey(slot), "MaxMTU"), "1500") << slot;
        EXPECT_EQ(Text(M, NetTransKey(3), "IPMTU"), "1400");
        EXPECT_EQ(GetSystemNdiCacheSize(), 32);
        EXPECT_EQ(GetSystemRcvWindow(), 8192);
        EXPECT_EQ(GetSystemKeepAlive(), 7200000);
        EXPECT_EQ(GetSystemTTL(), 32);
        // Flags that read false keep their entries until the next saving.
        EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu4_TF"), 0);
        EXPECT_FALSE(Has(U, ProgramKey, "Orig_mtu0_TF"));
        EXPECT_FALSE(Has(U, ProgramKey, "Orig_ttl_Val"));
    }
}

TEST_F(OriginalValuesTest, RoundTripOnWindows2000WithTwelveInterfaces) {
    for (auto version : RunnableVersions({6})) {
        Fresh(version);
        LoadFixture("win2k.reg");
        const std::string original = SystemSnapshot();
        const auto names = Interfaces();
        ASSERT_EQ(names.size(), 12u);
        SaveOriginalValues();
        for (int i = 0; i < 12; ++i) {
            const std::string entry = "Orig_mtu" + std::to_string(i);
            EXPECT_EQ(Number(U, ProgramKey, entry + "_TF"), 1);
            EXPECT_EQ(Text(U, ProgramKey, entry + "_Name"), names[i]);
            EXPECT_EQ(Number(U, ProgramKey, entry + "_Val"), 1500 - 4 * i);
        }
        ApplyNewValues();
        SetSystemPMTUDiscovery(1);  // the switches are not part of the saved set
        SetSystemPMTUBlackHoleDetect(0);
        RestoreOriginalValues();
        EXPECT_EQ(SystemSnapshot(), original);
        EXPECT_FALSE(AnySavedEntry()) << RecordSnapshot();
    }
}

TEST_F(OriginalValuesTest, NtAdaptersAreSavedOnEveryNtVersion) {
    for (auto version : RunnableVersions({5, 7})) {
        Fresh(version);
        LoadFixture("win2k.reg");
        const std::string original = SystemSnapshot();
        SaveOriginalValues();
        EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu11_Val"), 1456);
        // This system's MTU writer leaves adapters alone; restoring writes back what was there.
        for (const auto& name : Interfaces()) PutNumber(M, InterfaceKey(name), "MaxMTU", 9000);
        RestoreOriginalValues();
        EXPECT_EQ(SystemSnapshot(), original);
        EXPECT_FALSE(AnySavedEntry()) << RecordSnapshot();
    }
}

TEST_F(OriginalValuesTest, NtAdapterWithoutMtuKeepsItsNameEntry) {
    for (auto version : RunnableVersions({6})) {
        Fresh(version);
        registry().OpenForWriting(M, InterfaceKeyPrefix + std::string("{A}"), true);
        PutNumber(M, InterfaceKeyPrefix + std::string("{B}"), "MaxMTU", 1500);
        SaveOriginalValues();
        EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu0_TF"), 0);
        EXPECT_EQ(Text(U, ProgramKey, "Orig_mtu0_Name"), "{A}");
        EXPECT_FALSE(Has(U, ProgramKey, "Orig_mtu0_Val"));
        SetSystemMTU(false, 1400);
        RestoreOriginalValues();
        EXPECT_FALSE(Has(U, ProgramKey, "Orig_mtu0_TF"));
        EXPECT_EQ(Text(U, ProgramKey, "Orig_mtu0_Name"), "{A}");
        EXPECT_EQ(Number(M, InterfaceKeyPrefix + std::string("{B}"), "MaxMTU"), 1500);
        // A value the program created where none was stays.
        EXPECT_EQ(Number(M, InterfaceKeyPrefix + std::string("{A}"), "MaxMTU"), 1400);
    }
}

TEST_F(OriginalValuesTest, InvalidSavedMtuGivesTheSystemDefaultBack) {
    for (auto version : RunnableVersions({3, 6})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        if (version == 3) {
            // No numeric MTU on any TCP/IP binding: the saved MTU is -1.
            for (int slot : {1, 3}) PutText(M, NetTransKey(slot), "MaxMTU", "");
            SaveOriginalValues();
            EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu1_Val"), -1);
            SetSystemMTU(false, 1400);
            RestoreOriginalValues();
            for (int slot : {1, 3}) {
                EXPECT_FALSE(Has(M, NetTransKey(slot), "MaxMTU"));
                EXPECT_FALSE(Has(M, NetTransKey(slot), "IPMTU"));
            }
            // The entries go as for a valid value; slots without a flag keep theirs.
            EXPECT_FALSE(Has(U, ProgramKey, "Orig_mtu1_TF"));
            EXPECT_FALSE(Has(U, ProgramKey, "Orig_mtu1_Val"));
        } else {
            const std::string first = InterfaceKey(Interfaces()[0]);
            PutNumber(M, first, "MaxMTU", 0);
            SaveOriginalValues();
            SetSystemMTU(false, 1400);
            RestoreOriginalValues();
            EXPECT_FALSE(Has(M, first, "MaxMTU"));
            EXPECT_EQ(Number(M, InterfaceKey(Interfaces()[1]), "MaxMTU"), 1496);
            EXPECT_FALSE(AnySavedEntry()) << RecordSnapshot();
        }
    }
}

TEST_F(OriginalValuesTest, RestoringWithoutASavedSetChangesNothing) {
    for (auto version : RunnableVersions({3, 6})) {
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        SetConnect("N");
        const std::string system = SystemSnapshot(), record = RecordSnapshot();
        RestoreOriginalValues();
        EXPECT_EQ(SystemSnapshot(), system);
        EXPECT_EQ(RecordSnapshot(), record);
    }
}

TEST_F(OriginalValuesTest, AValueThatWasMissingStaysAfterRestoring) {
    for (auto version : RunnableVersions({3, 6})) {
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        DeleteRegistryValue(M, version == 3 ? MstcpKey : TcpipParametersKey, "DefaultTTL");
        SaveOriginalValues();
        EXPECT_EQ(Number(U, ProgramKey, "Orig_ttl_TF"), 0);
        EXPECT_TRUE(HasSavedOriginals());  // a stored 0 still marks the set
        EXPECT_TRUE(SetSystemTTL(64));
        RestoreOriginalValues();
        EXPECT_EQ(GetSystemTTL(), 64);
        EXPECT_FALSE(HasSavedOriginals());
    }
}

TEST_F(OriginalValuesTest, ThreeProtocolSlotsOn9x) {
    for (auto version : RunnableVersions({2})) {
        Fresh(version);
        PutText(M, NetTransKey(0), "DriverDesc", "TCP/IP");
        PutText(M, NetTransKey(0), "MaxMTU", "1500");
        PutText(M, NetTransKey(1), "DriverDesc", "NetBEUI");
        PutText(M, NetTransKey(2), "DriverDesc", "IPX/SPX-compatible Protocol");
        SaveOriginalValues();
        for (int slot = 0; slot < 10; ++slot) {
            EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu" + std::to_string(slot) + "_TF"), slot < 3 ? 1 : 0);
            EXPECT_EQ(Number(U, ProgramKey, "Orig_mtu" + std::to_string(slot) + "_Val"), 1500);
        }
        RestoreOriginalValues();
        for (int slot = 0; slot < 3; ++slot) EXPECT_EQ(Text(M, NetTransKey(slot), "MaxMTU"), "1500");
        EXPECT_FALSE(RegistryKeyExists(M, NetTransKey(3)));
    }
}

}  // namespace
}  // namespace brisbolt::test
