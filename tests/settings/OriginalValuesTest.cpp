// Saving the system's original values once and writing them back.
#include <gtest/gtest.h>

#include "tests/settings/OriginalValuesSupport.h"

namespace brisbolt::test {
namespace {

TEST_F(OriginalValuesTest, RoundTripOnWindows98) {
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture("win98.reg");
        const std::string original = ServicesSnapshot();
        EXPECT_FALSE(HasSavedOriginals());
        SaveOriginalValues();
        EXPECT_TRUE(HasSavedOriginals());
        // The entries the earlier program kept stay as they were.
        for (int slot = 0; slot < 10; ++slot) {
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu" + std::to_string(slot) + "_TF"), slot <= 3 ? 1 : 0);
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu" + std::to_string(slot) + "_Val"), 1500);
        }
        EXPECT_EQ(Number(M, OriginalsKey, "Orig_ndi_Val"), 32);
        EXPECT_EQ(Number(M, OriginalsKey, "Orig_ska_Val"), 7200);  // as found: seconds

        ApplyNewValues();
        EXPECT_NE(ServicesSnapshot(), original);
        EXPECT_TRUE(RestoreOriginalValues());
        EXPECT_FALSE(HasSavedOriginals());
        // Each binding its own MTU, the switches too.
        EXPECT_EQ(ServicesSnapshot(), original);
        EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
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
            EXPECT_EQ(Number(M, OriginalsKey, entry + "_TF"), 1);
            EXPECT_EQ(Text(M, OriginalsKey, entry + "_Name"), names[i]);
            EXPECT_EQ(Number(M, OriginalsKey, entry + "_Val"), 1500 - 4 * i);
        }
        ApplyNewValues();
        RestoreOriginalValues();
        EXPECT_EQ(SystemSnapshot(), original);
        EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
    }
}

TEST_F(OriginalValuesTest, NtAdaptersAreSavedOnEveryNtVersion) {
    for (auto version : RunnableVersions({5, 7})) {
        Fresh(version);
        LoadFixture("win2k.reg");
        const std::string original = SystemSnapshot();
        SaveOriginalValues();
        EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu11_Val"), 1456);
        ApplyNewValues();
        // A value no apply run writes here is none of the restore's business.
        PutNumber(M, InterfaceKey(Interfaces()[0]), "MaxMTU", 9000);
        EXPECT_TRUE(RestoreOriginalValues());
        EXPECT_EQ(Number(M, InterfaceKey(Interfaces()[0]), "MaxMTU"), 9000);
        PutNumber(M, InterfaceKey(Interfaces()[0]), "MaxMTU", 1500);
        EXPECT_EQ(SystemSnapshot(), original);
        EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
    }
}

TEST_F(OriginalValuesTest, NtAdapterWithoutMtuLeavesNoEntry) {
    for (auto version : RunnableVersions({6})) {
        Fresh(version);
        registry().OpenForWriting(M, InterfaceKeyPrefix + std::string("{A}"), true);
        PutNumber(M, InterfaceKeyPrefix + std::string("{B}"), "MaxMTU", 1500);
        SaveOriginalValues();
        EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu0_TF"), 0);
        EXPECT_EQ(Text(M, OriginalsKey, "Orig_mtu0_Name"), "{A}");
        EXPECT_FALSE(Has(M, OriginalsKey, "Orig_mtu0_Val"));
        SetSystemMTU(false, 1400);
        EXPECT_TRUE(RestoreOriginalValues());
        EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
        EXPECT_EQ(Number(M, InterfaceKeyPrefix + std::string("{B}"), "MaxMTU"), 1500);
        // What the apply run created where nothing was goes again.
        EXPECT_FALSE(Has(M, InterfaceKeyPrefix + std::string("{A}"), "MaxMTU"));
        for (const char* key : {"{A}", "{B}"})
            EXPECT_FALSE(Has(M, InterfaceKeyPrefix + std::string(key), "MTU")) << key;
    }
}

// A set saved by the earlier program, without copies.
TEST_F(OriginalValuesTest, InvalidSavedMtuGivesTheSystemDefaultBack) {
    for (auto version : RunnableVersions({3, 6})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        if (version == 3) {
            // No numeric MTU on any TCP/IP binding: the saved MTU is -1.
            for (int slot : {1, 3}) PutText(M, NetTransKey(slot), "MaxMTU", "");
            SaveAsTheEarlierProgramDid();
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu1_Val"), -1);
            SetSystemMTU(false, 1400);
            RestoreOriginalValues();
            for (int slot : {1, 3}) {
                EXPECT_FALSE(Has(M, NetTransKey(slot), "MaxMTU"));
                EXPECT_FALSE(Has(M, NetTransKey(slot), "IPMTU"));
            }
            // The entries go as for a valid value; slots without a flag keep theirs.
            EXPECT_FALSE(Has(M, OriginalsKey, "Orig_mtu1_TF"));
            EXPECT_FALSE(Has(M, OriginalsKey, "Orig_mtu1_Val"));
        } else {
            const std::string first = InterfaceKey(Interfaces()[0]);
            PutNumber(M, first, "MaxMTU", 0);
            SaveAsTheEarlierProgramDid();
            SetSystemMTU(false, 1400);
            RestoreOriginalValues();
            EXPECT_FALSE(Has(M, first, "MaxMTU"));
            EXPECT_EQ(Number(M, InterfaceKey(Interfaces()[1]), "MaxMTU"), 1496);
            EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
        }
    }
}

// Saving skips the number of an adapter key it cannot open, and adapters may
// be gone by the time of restoring: entries can stand after a gap.
TEST_F(OriginalValuesTest, NtEntriesAfterAGapAreRestoredToo) {
    const std::vector<std::vector<int>> cases = {{0, 11}, {12}, {0, 10, 14}, {9, 10, 12, 30}};
    for (auto version : RunnableVersions({5, 6, 7})) {
        for (const auto& indexes : cases) {
            SCOPED_TRACE(::testing::Message() << int(version) << " " << ::testing::PrintToString(indexes));
            Fresh(version);
            for (std::size_t i = 0; i < indexes.size(); ++i) {
                const std::string name = "{ADAPTER-" + std::to_string(i) + "}";
                const std::string entry = "Orig_mtu" + std::to_string(indexes[i]);
                PutNumber(M, InterfaceKey(name), "MaxMTU", 1400);
                PutNumber(M, OriginalsKey, entry + "_TF", 1);
                PutText(M, OriginalsKey, entry + "_Name", name);
                PutNumber(M, OriginalsKey, entry + "_Val", 1500 - std::uint32_t(i));
            }
            RestoreOriginalValues();
            for (std::size_t i = 0; i < indexes.size(); ++i)
                EXPECT_EQ(Number(M, InterfaceKey("{ADAPTER-" + std::to_string(i) + "}"), "MaxMTU"), 1500 - int(i));
            EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
        }
    }
}

// A saved entry (here of a set saved by the earlier program) the registry
// will not hand over is no proof that nothing was saved: that adapter keeps what it has and all its entries, the others
// are restored, and a later restore that can read the entry finishes the job.
TEST_F(OriginalValuesTest, AnAdapterWhoseEntryCannotBeReadIsLeftAlone) {
    const struct {
        bool family9x;
        const char* refused;
    } cases[] = {
        {true, "Orig_mtu1_Val"}, {true, "Orig_mtu1_TF"},    {false, "Orig_mtu1_Val"},
        {false, "Orig_mtu1_TF"}, {false, "Orig_mtu1_Name"},
    };
    for (const auto& c : cases) {
        const auto versions = c.family9x ? RunnableVersions(Versions9x) : RunnableVersions({5, 6, 7});
        for (auto version : versions) {
            SCOPED_TRACE(::testing::Message() << int(version) << " " << c.refused);
            const bool family9x = c.family9x;
            Fresh(version);
            LoadFixture(family9x ? "win98.reg" : "win2k.reg");
            SaveAsTheEarlierProgramDid();
            // Slots 1 and 3 are the TCP/IP bindings on 9x; on NT every adapter has an MTU.
            const std::string refusedKey = family9x ? NetTransKey(1) : InterfaceKey(Interfaces()[1]);
            const std::string otherKey = family9x ? NetTransKey(3) : InterfaceKey(Interfaces()[2]);
            if (family9x) {
                SetSystemMTU(false, 1400);
            } else {
                for (const auto& name : Interfaces()) PutNumber(M, InterfaceKey(name), "MaxMTU", 1400);
            }
            const std::string entries = EntriesOf(1);
            ASSERT_NE(entries, "");

            RefusingOneValue refusing(registry(), c.refused);
            SetActiveRegistry(&refusing);
            RestoreOriginalValues();
            SetActiveRegistry(&registry());
            if (family9x) {
                EXPECT_EQ(Text(M, refusedKey, "MaxMTU"), "1400");
                EXPECT_EQ(Text(M, refusedKey, "IPMTU"), "1400");
                EXPECT_EQ(Text(M, otherKey, "MaxMTU"), "1500");
            } else {
                EXPECT_EQ(Number(M, refusedKey, "MaxMTU"), 1400);
                EXPECT_EQ(Number(M, otherKey, "MaxMTU"), 1492);
            }
            EXPECT_EQ(EntriesOf(1), entries);
            EXPECT_EQ(EntriesOf(2), "");

            RestoreOriginalValues();
            if (family9x)
                EXPECT_EQ(Text(M, refusedKey, "MaxMTU"), "1500");
            else
                EXPECT_EQ(Number(M, refusedKey, "MaxMTU"), 1496);
            EXPECT_EQ(EntriesOf(1), "");
        }
    }
}

TEST_F(OriginalValuesTest, AnItemThatCannotBeGivenBackKeepsItsEntriesAndTheSavedMark) {
    // The system value that will not take its original, or the saved entry
    // that will not be read; what holds the original must outlive the
    // restore: its copy, or in a set of the earlier program its entries.
    const struct {
        bool family9x;
        const char* refused;
        bool write;
        bool earlierSet;
        const char* kept;  // the value whose copy is kept, or the entry
    } cases[] = {
        {false, "TCPWindowSize", true, false, "TCPWindowSize"},
        {false, "DefaultTTL", true, false, "DefaultTTL"},
        {false, "SessionKeepAlive", true, false, "SessionKeepAlive"},
        {false, "EnablePMTUBHDetect", true, false, "EnablePMTUBHDetect"},
        {true, "DefaultRcvWindow", true, false, "DefaultRcvWindow"},
        {true, "PMTUDiscovery", true, false, "PMTUDiscovery"},
        {true, "default", true, false, "default"},
        {true, "Orig_reg3_Data", false, false, "SessionKeepAlive"},
        {false, "Orig_reg2_TF", false, false, "TCPWindowSize"},
        {false, "TCPWindowSize", true, true, "Orig_rwin_TF"},
        {true, "Orig_ska_Val", false, true, "Orig_ska_TF"},
        {false, "Orig_rwin_TF", false, true, "Orig_rwin_TF"},
    };
    for (const auto& c : cases) {
        const auto versions = c.family9x ? RunnableVersions(Versions9x) : RunnableVersions({5, 6, 7});
        for (auto version : versions) {
            SCOPED_TRACE(::testing::Message() << int(version) << " " << c.refused);
            auto saveAndApply = [&] {
                Fresh(version);
                LoadFixture(c.family9x ? "win98.reg" : "win2k.reg");
                if (c.earlierSet)
                    SaveAsTheEarlierProgramDid();
                else
                    SaveOriginalValues();
                ApplyNewValues();
            };
            saveAndApply();
            RestoreOriginalValues();
            const std::string cleanSystem = SystemSnapshot(), cleanRecord = SavedSetSnapshot();

            saveAndApply();
            RefusingOneValue refusing(registry(), c.refused, c.write);
            SetActiveRegistry(&refusing);
            EXPECT_FALSE(RestoreOriginalValues());
            SetActiveRegistry(&registry());
            if (c.earlierSet)
                EXPECT_TRUE(Has(M, OriginalsKey, c.kept));
            else
                EXPECT_EQ(CopiesLeft(), std::set<std::string>{c.kept}) << SavedSetSnapshot();
            EXPECT_TRUE(HasSavedOriginals()) << "the next apply run must not save over what is kept";

            // Once the registry lets it, the next restore finishes the job.
            EXPECT_TRUE(RestoreOriginalValues());
            EXPECT_EQ(SystemSnapshot(), cleanSystem);
            EXPECT_EQ(SavedSetSnapshot(), cleanRecord);
        }
    }
}

TEST_F(OriginalValuesTest, RestoringWithoutASavedSetChangesNothing) {
    for (auto version : RunnableVersions({3, 6})) {
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        SetConnect("N");
        const std::string system = SystemSnapshot(), record = SavedSetSnapshot();
        RestoreOriginalValues();
        EXPECT_EQ(SystemSnapshot(), system);
        EXPECT_EQ(SavedSetSnapshot(), record);
    }
}

// A value the apply run created where none was goes again; a set of the
// earlier program cannot tell, and leaves it.
TEST_F(OriginalValuesTest, AValueThatWasMissingGoesAgainAfterRestoring) {
    for (auto version : RunnableVersions({3, 6})) {
        for (bool earlierSet : {false, true}) {
            SCOPED_TRACE(::testing::Message() << int(version) << (earlierSet ? " earlier set" : ""));
            Fresh(version);
            LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
            const char* key = version == 3 ? MstcpKey : TcpipParametersKey;
            DeleteRegistryValue(M, key, "DefaultTTL");
            if (earlierSet)
                SaveAsTheEarlierProgramDid();
            else
                SaveOriginalValues();
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_ttl_TF"), 0);
            EXPECT_TRUE(HasSavedOriginals());  // a stored 0 still marks the set
            EXPECT_TRUE(SetSystemTTL(64));
            RestoreOriginalValues();
            EXPECT_EQ(Has(M, key, "DefaultTTL"), earlierSet);
            EXPECT_FALSE(HasSavedOriginals());
        }
    }
}

// The earlier program saved the first binding's MTU for every slot; only a
// TCP/IP binding gets it back.
TEST_F(OriginalValuesTest, ThreeProtocolSlotsOn9x) {
    for (auto version : RunnableVersions({2})) {
        Fresh(version);
        PutText(M, NetTransKey(0), "DriverDesc", "TCP/IP");
        PutText(M, NetTransKey(0), "MaxMTU", "1500");
        PutText(M, NetTransKey(1), "DriverDesc", "NetBEUI");
        PutText(M, NetTransKey(2), "DriverDesc", "IPX/SPX-compatible Protocol");
        SaveAsTheEarlierProgramDid();
        for (int slot = 0; slot < 10; ++slot) {
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu" + std::to_string(slot) + "_TF"), slot < 3 ? 1 : 0);
            EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu" + std::to_string(slot) + "_Val"), 1500);
        }
        SetSystemMTU(false, 1400);
        EXPECT_TRUE(RestoreOriginalValues());
        EXPECT_EQ(Text(M, NetTransKey(0), "MaxMTU"), "1500");
        for (int slot : {1, 2}) EXPECT_FALSE(Has(M, NetTransKey(slot), "MaxMTU")) << slot;
        EXPECT_FALSE(RegistryKeyExists(M, NetTransKey(3)));
    }
}

// The registry under test, except that one key will not open for writing.
class RefusingToOpen final : public RegistryBackend {
public:
    RefusingToOpen(RegistryBackend& inner, std::string path) : inner_(inner), refused_(SplitKeyPath(path)) {}
    KeyHandle OpenForReading(RootKey root, std::string_view path) override { return inner_.OpenForReading(root, path); }
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override {
        const auto parts = SplitKeyPath(path);
        const bool refused = root == M && parts.size() == refused_.size() &&
                             std::equal(parts.begin(), parts.end(), refused_.begin(),
                                        [](const auto& a, const auto& b) { return CompareNames(a, b) == 0; });
        return refused ? nullptr : inner_.OpenForWriting(root, path, create);
    }
    bool DeleteKeyTree(RootKey root, std::string_view path) override { return inner_.DeleteKeyTree(root, path); }

private:
    RegistryBackend& inner_;
    std::vector<std::string> refused_;
};

// Windows 2000 and XP add no MTU to their interface keys and NT 4.0 has
// none: the adapters carry nothing to give back and must not keep the saved
// set alive, or the uninstall would wait for ever.
TEST_F(OriginalValuesTest, NtMachinesGetEveryOriginalBackAndKeepNoSavedSet) {
    for (const auto& machine : NtMachines) {
        for (auto version : RunnableVersions({machine.version})) {
            SCOPED_TRACE(Describe(machine));
            ASSERT_EQ(version, machine.version);
            const std::string restored = RestoredMachine(machine);
            Prepare(machine);
            SaveOriginalValues();
            ASSERT_TRUE(HasSavedOriginals());
            if (!Interfaces().empty()) {
                EXPECT_EQ(Number(M, OriginalsKey, "Orig_mtu1_TF"), 0);
            }
            ApplyNewValues();
            EXPECT_TRUE(RestoreOriginalValues());
            EXPECT_FALSE(HasSavedOriginals());
            EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
            EXPECT_EQ(MachineSnapshot(), restored);
        }
    }
}

// A key that will not open for writing or a value that will not be written
// (a user without the right to): that original and the saved mark wait for
// the next restore; entries that carry nothing go all the same.
TEST_F(OriginalValuesTest, AnOriginalThatCannotBeWrittenBackKeepsTheSavedSet) {
    constexpr const char* FirstInterface = "first interface";
    const struct {
        Machine machine;
        const char* key;             // refused to open for writing
        const char* value;           // or refused to write
        std::set<std::string> left;  // the values whose copies are kept
    } cases[] = {
        {{7, "winxp.reg", false}, nullptr, "SessionKeepAlive", {"SessionKeepAlive"}},
        {{5, "nt40.reg", false}, NetbtParametersKey, nullptr, {"SessionKeepAlive"}},
        {{5, "nt40.reg", true},
         TcpipParametersKey,
         nullptr,
         {"EnablePMTUDiscovery", "EnablePMTUBHDetect", "TCPWindowSize", "DefaultTTL"}},
        {{5, "nt40.reg", false}, "System\\CurrentControlSet\\Services\\E100B1\\Parameters\\Tcpip", nullptr, {"MTU"}},
        {{6, "win2k-nomtu.reg", true}, FirstInterface, nullptr, {"MTU", "MaxMTU"}},
        {{7, "win2k-nomtu.reg", true}, nullptr, "MTU", {"MTU"}},
        {{6, "winxp.reg", true}, nullptr, "DefaultTTL", {"DefaultTTL"}},
    };
    for (const auto& c : cases) {
        for ([[maybe_unused]] auto version : RunnableVersions({c.machine.version})) {
            SCOPED_TRACE(Describe(c.machine) << " " << (c.key ? c.key : c.value));
            const std::string restored = RestoredMachine(c.machine);
            Prepare(c.machine);
            SaveOriginalValues();
            ApplyNewValues();
            const std::string key = c.key == FirstInterface ? InterfaceKey(Interfaces()[0]) : c.key ? c.key : "";
            RefusingToOpen refusingKey(registry(), key);
            RefusingOneValue refusingValue(registry(), c.value ? c.value : "", true);
            SetActiveRegistry(c.key ? static_cast<RegistryBackend*>(&refusingKey) : &refusingValue);
            const bool complete = RestoreOriginalValues();
            SetActiveRegistry(&registry());
            EXPECT_FALSE(complete);
            EXPECT_TRUE(HasSavedOriginals());
            EXPECT_EQ(CopiesLeft(), c.left) << SavedSetSnapshot();

            EXPECT_TRUE(RestoreOriginalValues());
            EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
            EXPECT_EQ(MachineSnapshot(), restored);
        }
    }
}

// An adapter or a key that went away after saving has nothing to take its
// original back: its entries go, and so does the saved mark.
TEST_F(OriginalValuesTest, EntriesWhoseKeyIsGoneGoToo) {
    const std::string FirstInterface = "first interface";
    const struct {
        Machine machine;
        std::string gone;
    } cases[] = {
        {{6, "win2k-nomtu.reg", true}, FirstInterface}, {{7, "winxp.reg", true}, InterfacesKey},
        {{5, "nt40.reg", false}, NetbtParametersKey},   {{3, "win98.reg", false}, NetTransKey(3)},
        {{2, "win98.reg", false}, NdiCacheSizeKey},     {{4, "win98.reg", false}, MstcpKey},
    };
    for (const auto& c : cases) {
        for ([[maybe_unused]] auto version : RunnableVersions({c.machine.version})) {
            SCOPED_TRACE(Describe(c.machine) << " " << c.gone);
            Prepare(c.machine);
            SaveOriginalValues();
            ApplyNewValues();
            const std::string gone = c.gone == FirstInterface ? InterfaceKey(Interfaces()[0]) : c.gone;
            ASSERT_TRUE(registry().DeleteKeyTree(M, gone));
            EXPECT_TRUE(RestoreOriginalValues());
            EXPECT_FALSE(HasSavedOriginals());
            EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
            EXPECT_FALSE(registry().OpenForReading(M, gone)) << "restoring makes no key";
        }
    }
}

}  // namespace
}  // namespace brisbolt::test
