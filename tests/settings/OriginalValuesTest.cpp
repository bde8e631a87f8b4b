// Saving the system's original values once and writing them back.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"
#include "tests/support/NoMachineWrites.h"

namespace brisbolt::test {
namespace {

constexpr RootKey U = RootKey::CurrentUser;
constexpr RootKey M = RootKey::LocalMachine;

// A machine as Windows leaves it; tuned: before the first saving someone set
// a TTL, a receive window and one adapter's MTU of their own.
struct Machine {
    std::uint8_t version;
    const char* fixture;
    bool tuned;
};

class OriginalValuesTest : public RegistryTest {
protected:
    // The machine fixtures name a host; a real registry keeps its own.
    void SetUp() override {
        RegistryTest::SetUp();
        if (auto key = registry().OpenForReading(M, TcpipParametersKey))
            for (const char* name : {"Hostname", "Domain", "DataBasePath"})
                identity_.emplace_back(name, key->Query(name));
    }
    void TearDown() override {
        if (auto key = registry().OpenForWriting(M, TcpipParametersKey, true))
            for (const auto& [name, value] : identity_)
                static_cast<void>(value ? key->Set(name, *value) : key->Delete(name));
        RegistryTest::TearDown();
    }

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
    void Prepare(const Machine& machine) {
        Fresh(machine.version);
        LoadFixture(machine.fixture);
        if (machine.tuned) Tune();
    }
    void Tune() {
        PutNumber(M, TcpipParametersKey, "DefaultTTL", 100);
        PutNumber(M, TcpipParametersKey, "TCPWindowSize", 65535);
        if (!Interfaces().empty()) {
            PutNumber(M, InterfaceKey(Interfaces()[0]), "MaxMTU", 1500);
            PutNumber(M, InterfaceKey(Interfaces()[0]), "MTU", 1500);
        }
    }
    // The machine a complete restore gives back: the one found.
    std::string RestoredMachine(const Machine& machine) {
        Prepare(machine);
        return MachineSnapshot();
    }
    std::string MachineSnapshot() { return ServicesSnapshot(); }
    // The saved set as the earlier program wrote it: no copies of the values.
    void SaveAsTheEarlierProgramDid() {
        SaveOriginalValues();
        auto key = registry().OpenForWriting(M, OriginalsKey, false);
        ASSERT_TRUE(key);
        const auto names = key->ValueNames().value();
        for (const auto& name : names)
            if (name.rfind("Orig_reg", 0) == 0) {
                ASSERT_TRUE(key->Delete(name));
            }
    }
    // The names of the system values whose copies are still kept.
    std::set<std::string> CopiesLeft() {
        std::set<std::string> names;
        auto key = registry().OpenForReading(M, OriginalsKey);
        const auto listed = key ? key->ValueNames().value() : std::vector<std::string>{};
        for (const auto& name : listed)
            if (name.rfind("Orig_reg", 0) == 0 && name.size() > 5 && name.substr(name.size() - 5) == "_Name")
                names.insert(ReadString(*key, name).value_or("?"));
        return names;
    }
    bool AnySavedEntry() { return SavedSetSnapshot().find("Orig_") != std::string::npos; }
    // The saved entries of one adapter, with their data.
    std::string EntriesOf(int index) {
        std::istringstream record(SavedSetSnapshot());
        std::string line, entries;
        const std::string prefix = "\"Orig_mtu" + std::to_string(index) + "_";
        while (std::getline(record, line))
            if (line.find(prefix) != std::string::npos) entries += line + '\n';
        return entries;
    }

private:
    std::vector<std::pair<std::string, std::optional<RawValue>>> identity_;
};

constexpr Machine NtMachines[] = {
    {5, "nt40.reg", false},        {5, "nt40.reg", true},         {5, "win2k-nomtu.reg", false},
    {6, "win2k-nomtu.reg", false}, {7, "win2k-nomtu.reg", false}, {5, "win2k-nomtu.reg", true},
    {6, "win2k-nomtu.reg", true},  {7, "win2k-nomtu.reg", true},  {5, "winxp.reg", false},
    {6, "winxp.reg", false},       {7, "winxp.reg", false},       {5, "winxp.reg", true},
    {6, "winxp.reg", true},        {7, "winxp.reg", true},
};

::testing::Message Describe(const Machine& machine) {
    return ::testing::Message() << int(machine.version) << " " << machine.fixture << (machine.tuned ? " tuned" : "");
}

// The registry under test, except that it will not hand over one value (or,
// with refuseWrite, will not store it, as for a user without the right to).
class RefusingOneRead final : public RegistryBackend {
public:
    RefusingOneRead(RegistryBackend& inner, std::string refused, bool refuseWrite = false)
        : inner_(inner), refused_(std::move(refused)), refuseWrite_(refuseWrite) {}

    KeyHandle OpenForReading(RootKey root, std::string_view path) override {
        return Wrap(inner_.OpenForReading(root, path));
    }
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override {
        return Wrap(inner_.OpenForWriting(root, path, create));
    }
    bool DeleteKeyTree(RootKey root, std::string_view path) override { return inner_.DeleteKeyTree(root, path); }

private:
    class Key final : public RegistryKey {
    public:
        Key(KeyHandle inner, const std::string& refused, bool refuseWrite)
            : inner_(std::move(inner)), refused_(refused), refuseWrite_(refuseWrite) {}
        std::optional<RawValue> Query(const std::string& name) override {
            if (!refuseWrite_ && CompareNames(name, refused_) == 0) return std::nullopt;
            return inner_->Query(name);
        }
        bool Set(const std::string& name, const RawValue& value) override {
            if (refuseWrite_ && CompareNames(name, refused_) == 0) return false;
            return inner_->Set(name, value);
        }
        bool Delete(const std::string& name) override { return inner_->Delete(name); }
        std::optional<std::vector<std::string>> Subkeys() override { return inner_->Subkeys(); }
        std::optional<std::vector<std::string>> ValueNames() override { return inner_->ValueNames(); }

    private:
        KeyHandle inner_;
        const std::string& refused_;
        bool refuseWrite_;
    };

    KeyHandle Wrap(KeyHandle key) {
        return key ? std::make_unique<Key>(std::move(key), refused_, refuseWrite_) : nullptr;
    }

    RegistryBackend& inner_;
    std::string refused_;
    bool refuseWrite_;
};

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

            RefusingOneRead refusing(registry(), c.refused);
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
            RefusingOneRead refusing(registry(), c.refused, c.write);
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
            RefusingOneRead refusingValue(registry(), c.value ? c.value : "", true);
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

// An earlier Brisbolt kept the set in the record of whoever first opened
// the wizard; the record of a user who never did is empty.
void MoveSetToRecord() {
    auto from = TestRegistry().OpenForReading(M, OriginalsKey);
    auto to = TestRegistry().OpenForWriting(U, ProgramKey, true);
    ASSERT_TRUE(from && to);
    const auto names = from->ValueNames().value();
    for (const auto& name : names) ASSERT_TRUE(to->Set(name, from->Query(name).value()));
    ASSERT_TRUE(TestRegistry().DeleteKeyTree(M, OriginalsKey));
}
bool RecordHoldsASet() {
    auto key = TestRegistry().OpenForReading(U, ProgramKey);
    return key && ValueExists(*key, "Orig_ttl_TF");
}

constexpr Machine OneOfEachFamily[] = {
    {3, "win98.reg", false}, {5, "nt40.reg", false}, {6, "win2k.reg", true}, {7, "winxp.reg", true}};

// Saved as one user, given back as another: whatever the second user's own
// record holds, the machine's set is the one given back.
TEST_F(OriginalValuesTest, TwoUsersOnOneMachine) {
    enum class Second { NeverOpenedTheWizard, HoldsAnEarlierSetOfChangedValues, IsTheFirstWithAnEarlierSet };
    for (const auto& machine : OneOfEachFamily)
        for (auto version : RunnableVersions({machine.version}))
            for (auto second : {Second::NeverOpenedTheWizard, Second::HoldsAnEarlierSetOfChangedValues,
                                Second::IsTheFirstWithAnEarlierSet}) {
                SCOPED_TRACE(Describe(machine) << " case " << int(second));
                ASSERT_EQ(version, machine.version);
                const std::string original = RestoredMachine(machine);
                SaveOriginalValues();
                ApplyNewValues();
                TestRegistry().DeleteKeyTree(U, ProgramKey);
                if (second == Second::IsTheFirstWithAnEarlierSet) MoveSetToRecord();
                if (second == Second::HoldsAnEarlierSetOfChangedValues) {
                    PutNumber(U, ProgramKey, "Orig_ttl_TF", 1);
                    PutNumber(U, ProgramKey, "Orig_ttl_Val", 64);
                }
                RestoreReport report;
                EXPECT_TRUE(RestoreOriginalValues(&report));
                EXPECT_TRUE(report.hadSet);
                EXPECT_EQ(MachineSnapshot(), original);
                EXPECT_FALSE(HasSavedOriginals());
                EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
                EXPECT_FALSE(RecordHoldsASet());
            }
}

// The set an earlier Brisbolt left in the user's record moves to the
// machine the first time it is seen; the machine's own set is never
// replaced by it; one the machine will not take stays where it is.
TEST_F(OriginalValuesTest, AnEarlierSetInTheRecordIsMoved) {
    for (auto version : RunnableVersions({3, 7})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "winxp.reg");
        SaveOriginalValues();
        const std::string saved = SavedSetSnapshot();
        MoveSetToRecord();
        if (!OnRealRegistry()) {
            NoMachineWrites plainUser(TestRegistry());
            RegistryBackend* real = SetActiveRegistry(&plainUser);
            EXPECT_TRUE(HasSavedOriginals());
            RestoreReport report;
            EXPECT_FALSE(RestoreOriginalValues(&report));
            EXPECT_TRUE(report.refusedForRights);
            SetActiveRegistry(real);
            EXPECT_TRUE(RecordHoldsASet());
        } else {
            std::cout << "[ NOTE ] a machine that refuses the set: only on the registry in memory\n";
        }
        EXPECT_TRUE(HasSavedOriginals());
        EXPECT_FALSE(RecordHoldsASet());
        EXPECT_FALSE(RecordSnapshot().find("Orig_") != std::string::npos) << RecordSnapshot();
        // The same entries, listed in the same order.
        EXPECT_EQ(SavedSetSnapshot(), saved);
        // A later one in the record is not taken for newer.
        PutNumber(U, ProgramKey, "Orig_ttl_TF", 1);
        PutNumber(U, ProgramKey, "Orig_ttl_Val", 64);
        EXPECT_TRUE(HasSavedOriginals());
        EXPECT_FALSE(RecordHoldsASet());
        EXPECT_EQ(SavedSetSnapshot(), saved);
        // Entries without the mark are a saving cut short: they stay and
        // count for nothing.
        ASSERT_TRUE(RestoreOriginalValues());
        PutNumber(U, ProgramKey, "Orig_rwin_TF", 1);
        EXPECT_FALSE(HasSavedOriginals());
        EXPECT_EQ(Number(U, ProgramKey, "Orig_rwin_TF"), 1);
    }
}

// A network card or connection added after the first saving gets its
// values back too: their copies are taken before the apply run writes, by
// the same rules, whether the set was saved by this program or moved here
// from an earlier one's record.
TEST_F(OriginalValuesTest, AnAdapterAddedLaterGetsItsOriginalsBack) {
    const struct {
        std::uint8_t version;
        const char* fixture;
        const char* key;  // the adapter added
        const char* name;
        const char* text;
    } cases[] = {
        {3, "win98.reg", "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0005", "DriverDesc", "TCP/IP"},
        {6, "win2k.reg",
         "\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{7A0C5E21-3B4D-4E6F-9A8B-0C1D2E3F4A5B}",
         "IPAddress", "0.0.0.0"},
        {7, "winxp.reg",
         "\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{7A0C5E21-3B4D-4E6F-9A8B-0C1D2E3F4A5B}",
         "IPAddress", "0.0.0.0"},
    };
    for (const auto& c : cases)
        for (auto version : RunnableVersions({c.version}))
            for (bool earlier : {false, true}) {
                SCOPED_TRACE(::testing::Message() << c.fixture << (earlier ? " earlier program's set" : ""));
                Fresh(version);
                LoadFixture(c.fixture);
                if (earlier) {
                    SaveAsTheEarlierProgramDid();
                    MoveSetToRecord();
                } else {
                    SaveOriginalValues();
                }
                PutText(M, c.key, c.name, c.text);
                if (version == 3) PutText(M, c.key, "IPMTU", "1500");
                const std::string adapter = DumpKeyTree(TestRegistry(), M, c.key);
                const std::string original = MachineSnapshot();
                SaveOriginalsOfNewValues();
                ApplyNewValues();
                ASSERT_NE(DumpKeyTree(TestRegistry(), M, c.key), adapter);
                EXPECT_TRUE(RestoreOriginalValues());
                EXPECT_EQ(DumpKeyTree(TestRegistry(), M, c.key), adapter);
                // The earlier program saved neither switch; this one gives all back.
                if (!earlier) EXPECT_EQ(MachineSnapshot(), original);
                EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
            }
}

// What a restore tells the uninstall.
TEST_F(OriginalValuesTest, TheRestoreReportsWhatHappened) {
    if (OnRealRegistry()) std::cout << "[ NOTE ] refused writes: only on the registry in memory\n";
    for (auto version : RunnableVersions({3, 6})) {
        const struct {
            const char* what;
            bool save;
            int refuse;  // 0 none, 1 every machine write (rights), 2 the TTL value only (not rights)
            bool complete, hadSet, rights;
            std::string named;
        } cases[] = {
            {"nothing saved", false, 0, true, false, false, ""},
            {"all back", true, 0, true, true, false, ""},
            {"a plain user", true, 1, false, true, true, "HKEY_LOCAL_MACHINE\\"},
            {"one value refused", true, 2, false, true, false,
             std::string("HKEY_LOCAL_MACHINE\\") + (version == 3 ? MstcpKey : TcpipParametersKey) + "\\DefaultTTL"},
        };
        for (const auto& c : cases) {
            if (c.refuse && OnRealRegistry()) continue;
            SCOPED_TRACE(::testing::Message() << int(version) << " " << c.what);
            Fresh(version);
            LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
            if (c.save) SaveOriginalValues();
            ApplyNewValues();
            NoMachineWrites plainUser(TestRegistry());
            RefusingOneRead oneValue(TestRegistry(), "DefaultTTL", true);
            RegistryBackend* real = nullptr;
            if (c.refuse == 1) real = SetActiveRegistry(&plainUser);
            if (c.refuse == 2) real = SetActiveRegistry(&oneValue);
            RestoreReport report;
            EXPECT_EQ(RestoreOriginalValues(&report), c.complete);
            if (real) SetActiveRegistry(real);
            EXPECT_EQ(report.hadSet, c.hadSet);
            EXPECT_EQ(report.refusedForRights, c.rights);
            EXPECT_EQ(report.notWrittenBack.substr(0, c.named.size()), c.named);
            EXPECT_EQ(report.notWrittenBack.empty(), c.named.empty()) << report.notWrittenBack;
        }
    }
}

}  // namespace
}  // namespace brisbolt::test
