// What the tests of the saved originals share: machines as Windows leaves
// them, the fixture that prepares one, and a registry that refuses one value.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"
#include "tests/support/RefusingOneValue.h"

namespace brisbolt::test {

inline constexpr RootKey U = RootKey::CurrentUser;
inline constexpr RootKey M = RootKey::LocalMachine;

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

inline constexpr Machine NtMachines[] = {
    {5, "nt40.reg", false},        {5, "nt40.reg", true},         {5, "win2k-nomtu.reg", false},
    {6, "win2k-nomtu.reg", false}, {7, "win2k-nomtu.reg", false}, {5, "win2k-nomtu.reg", true},
    {6, "win2k-nomtu.reg", true},  {7, "win2k-nomtu.reg", true},  {5, "winxp.reg", false},
    {6, "winxp.reg", false},       {7, "winxp.reg", false},       {5, "winxp.reg", true},
    {6, "winxp.reg", true},        {7, "winxp.reg", true},
};

inline ::testing::Message Describe(const Machine& machine) {
    return ::testing::Message() << int(machine.version) << " " << machine.fixture << (machine.tuned ? " tuned" : "");
}

}  // namespace brisbolt::test
