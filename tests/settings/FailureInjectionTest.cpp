// Every registry operation of a routine, made to fail in turn: nothing
// crashes, getters give their defaults, writers report false, and no value
// ends up as anything but what it was before or what a clean run makes it.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "settings/MemoryRegistry.h"
#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryDump.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"

namespace brisbolt {
namespace {

constexpr RootKey U = RootKey::CurrentUser;
constexpr RootKey M = RootKey::LocalMachine;

using State = std::map<std::string, std::string>;

// Every key and value of both roots: "key|" for a key, "key|name" for a
// value; without keys, only the values.
std::optional<std::string> Find(const State& state, const std::string& name) {
    auto it = state.find(name);
    if (it == state.end()) return std::nullopt;
    return it->second;
}

// The copies of system values are numbered in the order they were found, so
// a value that could not be read moves the ones after it: they are named by
// the value they hold instead ("Orig_reg[key|name]_Data"). A copy cut short
// (no key, name or flag) tells restoring nothing and is left out.
State ByHeldValue(const State& state) {
    std::map<std::string, std::string> heldAs;  // "...  \"Orig_reg3" -> "[key|name]"
    for (const auto& [name, value] : state) {
        const auto at = name.find("\"Orig_reg"), end = name.rfind("_Key");
        if (at == std::string::npos || end == std::string::npos || end < at) continue;
        const std::string copy = name.substr(0, end);
        const auto named = Find(state, copy + "_Name");
        heldAs[copy] = named && Find(state, copy + "_TF") ? "[" + value + "|" + *named + "]" : "";
    }
    State result;
    for (const auto& [name, value] : state) {
        const auto at = name.find("\"Orig_reg"), end = name.rfind('_');
        if (at == std::string::npos || end == std::string::npos || end < at) {
            result[name] = value;
            continue;
        }
        const auto held = heldAs.find(name.substr(0, end));
        if (held != heldAs.end() && !held->second.empty())
            result[name.substr(0, at + 9) + held->second + name.substr(end)] = value;
    }
    return result;
}

State Capture(MemoryRegistry& r, bool withKeys = true) {
    State state;
    for (RootKey root : {U, M}) {
        std::istringstream dump(DumpKeyTree(r, root, ""));
        std::string line, key;
        while (std::getline(dump, line)) {
            if (line.rfind('[', 0) == 0) {
                key = line;
                if (withKeys) state[key + "|"] = "";
            } else {
                const auto eq = line.find("\"=");
                state[key + "|" + line.substr(0, eq)] = line.substr(eq + 2);
            }
        }
    }
    return ByHeldValue(state);
}

// The values of the adapter keys alone.
State Adapters(const State& state) {
    State adapters;
    for (const auto& [name, value] : state)
        for (const char* key : {"\\Class\\NetTrans", "\\Parameters\\Interfaces"})
            if (name.find(key) != std::string::npos) adapters[name] = value;
    return adapters;
}

class FailureInjection : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetActiveRegistry(&registry_); }
    void TearDown() override {
        SetActiveRegistry(previous_);
        WindowsVersion = 0;
    }

    void Prepare(std::uint8_t version, const char* fixture, const std::function<void()>& extra = {}) {
        registry_.FailOperation(0);
        registry_.Clear();
        WindowsVersion = version;
        LoadRegFile(registry_, std::string(FIXTURE_DIR) + "/" + fixture);
        if (extra) extra();
        registry_.ResetOperationCount();
    }

    // Runs `action` once cleanly and once per failing operation; returns how
    // many operations the clean run made.
    // `tolerated` names outcomes that a failed read legitimately gives.
    long CheckEveryFailure(std::uint8_t version, const char* fixture, const std::function<void()>& extra,
                           const std::function<void()>& action,
                           const std::function<bool(const std::string&, const std::string&)>& tolerated = {}) {
        Prepare(version, fixture, extra);
        const State initial = Capture(registry_);
        registry_.ResetOperationCount();
        action();
        const long operations = registry_.OperationCount();
        const State clean = Capture(registry_);
        for (long n = 1; n <= operations; ++n) {
            Prepare(version, fixture, extra);
            registry_.FailOperation(n);
            action();
            registry_.FailOperation(0);
            ExpectBeforeOrAfter(initial, clean, Capture(registry_), tolerated, n);
        }
        return operations;
    }

    // Every key and value, whether there or not, is as it was before or as
    // the clean run left it: one that is gone where both still have it is a
    // fault like one with the wrong data.
    static void ExpectBeforeOrAfter(const State& initial, const State& clean, const State& got,
                                    const std::function<bool(const std::string&, const std::string&)>& tolerated,
                                    long n) {
        std::set<std::string> names;
        for (const State* state : {&initial, &clean, &got})
            for (const auto& entry : *state) names.insert(entry.first);
        for (const auto& name : names) {
            const auto value = Find(got, name);
            const bool expected = value == Find(initial, name) || value == Find(clean, name) ||
                                  (value && tolerated && tolerated(name, *value));
            EXPECT_TRUE(expected) << "operation " << n << " failed: " << name << " = " << value.value_or("<gone>")
                                  << ", before " << Find(initial, name).value_or("<none>") << ", after a clean run "
                                  << Find(clean, name).value_or("<none>");
        }
    }

    // A writer that makes one change: any failure gives false and changes no
    // value (a key made on the way may stay, as on Windows).
    void CheckSingleWriter(const char* what, std::uint8_t version, const char* fixture,
                           const std::function<bool()>& writer) {
        SCOPED_TRACE(what);
        Prepare(version, fixture);
        const State initial = Capture(registry_, false);
        registry_.ResetOperationCount();
        ASSERT_TRUE(writer());
        const long operations = registry_.OperationCount();
        ASSERT_NE(Capture(registry_, false), initial);
        for (long n = 1; n <= operations; ++n) {
            Prepare(version, fixture);
            registry_.FailOperation(n);
            EXPECT_FALSE(writer()) << "operation " << n;
            registry_.FailOperation(0);
            EXPECT_EQ(Capture(registry_, false), initial) << "operation " << n;
        }
    }

    MemoryRegistry registry_;
    RegistryBackend* previous_ = nullptr;
};

// A value that cannot be read counts as missing: its flag is saved false,
// or its number is saved as the reader's default. The adapter MTU is the
// first one that can be read, so another adapter's MTU may be saved.
bool SavedAsMissingOrFromAnotherAdapter(const std::string& name, const std::string& value) {
    if (name.find("_TF") != std::string::npos) return value == "dword:0";
    if (name.find("_Val") == std::string::npos) return false;
    for (const char* fallback : {"dword:4294967295", "dword:0", "dword:3600000", "dword:32", "dword:128"})
        if (value == fallback) return true;
    return name.find("\"Orig_mtu") != std::string::npos && (value == "dword:1492" || value == "dword:1496");
}

// A first start's saving, then an apply run that changes every value.
void SaveThenChangeEverything() {
    SaveOriginalValues();
    SetSystemMTU(false, 1400);
    SetSystemRcvWindow(32767);
    SetSystemKeepAlive(60000);
    SetSystemTTL(64);
    SetSystemNdiCacheSize(false, "64");
}

TEST_F(FailureInjection, SavingOnEachFamily) {
    EXPECT_GT(CheckEveryFailure(3, "win98.reg", {}, SaveOriginalValues, SavedAsMissingOrFromAnotherAdapter), 50);
    EXPECT_GT(CheckEveryFailure(6, "win2k.reg", {}, SaveOriginalValues, SavedAsMissingOrFromAnotherAdapter), 50);
}

TEST_F(FailureInjection, RestoringOnEachFamily) {
    const auto changed = SaveThenChangeEverything;
    const auto restore = [] { RestoreOriginalValues(); };
    EXPECT_GT(CheckEveryFailure(3, "win98.reg", changed, restore), 50);
    EXPECT_GT(CheckEveryFailure(6, "win2k.reg", changed, restore), 50);
}

// A restore cut short anywhere loses no adapter's original: restoring once
// more gives every adapter what one clean restore gives it.
TEST_F(FailureInjection, RestoringAgainFinishesEveryAdapter) {
    const auto changed = [] {
        SaveOriginalValues();
        SetSystemMTU(false, 1400);
    };
    const struct {
        std::uint8_t version;
        const char* fixture;
    } families[] = {{3, "win98.reg"}, {6, "win2k.reg"}};
    for (const auto& family : families) {
        SCOPED_TRACE(family.fixture);
        Prepare(family.version, family.fixture, changed);
        const State changedState = Adapters(Capture(registry_));
        RestoreOriginalValues();
        const long operations = registry_.OperationCount();
        const State restored = Adapters(Capture(registry_));
        ASSERT_NE(restored, changedState);
        for (long n = 1; n <= operations; ++n) {
            Prepare(family.version, family.fixture, changed);
            registry_.FailOperation(n);
            RestoreOriginalValues();
            registry_.FailOperation(0);
            RestoreOriginalValues();
            EXPECT_EQ(Adapters(Capture(registry_)), restored) << "operation " << n;
        }
    }
}

// Whatever single operation fails, a restore that says it is complete has
// left no saved entry, one that says it is not has left some, and the next
// restore completes it with the machine as one clean restore leaves it.
TEST_F(FailureInjection, RestoreSaysWhetherItIsComplete) {
    const auto changed = SaveThenChangeEverything;
    const auto nothingSaved = [this] {
        for (const auto& entry : Capture(registry_, false))
            if (entry.first.find("\"Orig_") != std::string::npos) return false;
        return true;
    };
    const struct {
        std::uint8_t version;
        const char* fixture;
    } machines[] = {{3, "win98.reg"}, {6, "win2k.reg"}, {6, "win2k-nomtu.reg"}, {7, "winxp.reg"}, {5, "nt40.reg"}};
    for (const auto& machine : machines) {
        SCOPED_TRACE(machine.fixture);
        Prepare(machine.version, machine.fixture, changed);
        ASSERT_TRUE(RestoreOriginalValues());
        const long operations = registry_.OperationCount();
        const State restored = Capture(registry_);
        for (long n = 1; n <= operations; ++n) {
            Prepare(machine.version, machine.fixture, changed);
            registry_.FailOperation(n);
            const bool complete = RestoreOriginalValues();
            registry_.FailOperation(0);
            EXPECT_EQ(complete, nothingSaved()) << "operation " << n;
            EXPECT_TRUE(RestoreOriginalValues()) << "operation " << n;
            EXPECT_EQ(Capture(registry_), restored) << "operation " << n;
        }
    }
}

TEST_F(FailureInjection, ApplyingAndClearing) {
    for (bool useDefault : {false, true}) {
        const auto apply = [useDefault] {
            SetSystemPMTUDiscovery(0);
            SetSystemPMTUBlackHoleDetect(1);
            SetSystemMTU(useDefault, 1400);
            SetSystemNdiCacheSize(useDefault, "8");
            SetSystemRcvWindow(32767);
            SetSystemKeepAlive(60000);
            SetSystemTTL(64);
        };
        CheckEveryFailure(3, "win98.reg", {}, apply);
        CheckEveryFailure(6, "win2k.reg", {}, apply);
    }
    const auto installed = [] {
        SetRegistryValue(M, AutostartKey, true, std::string("x"), "brisbolt", ValueKind::String);
        for (const char* name : {"PMTUDiscover", "line", "mtu", "ttl"})
            SetRegistryValue(M, ProgramKey, true, std::string("1"), name, ValueKind::String);
    };
    EXPECT_GT(CheckEveryFailure(6, "win2k.reg", installed, [] { ClearProgramSettings(); }), 20);
}

TEST_F(FailureInjection, SingleWritersReportEveryFailure) {
    CheckSingleWriter("connect", 6, "clean.reg", [] { return SetConnect("N"); });
    CheckSingleWriter("mtu", 6, "clean.reg", [] { return SetMtu(false, 1500); });
    CheckSingleWriter("ttl", 3, "clean.reg", [] { return SetTtlDefault(); });
    CheckSingleWriter("discover", 6, "clean.reg", [] { return SetPMTUDiscoverDefault(); });
    CheckSingleWriter("system rwin 9x", 3, "win98.reg", [] { return SetSystemRcvWindow(32767); });
    CheckSingleWriter("system ttl nt", 6, "win2k.reg", [] { return SetSystemTTL(64); });
    CheckSingleWriter("system ska nt", 7, "win2k.reg", [] { return SetSystemKeepAlive(1); });
    CheckSingleWriter("system discovery", 5, "win2k.reg", [] { return SetSystemPMTUDiscovery(0); });
    CheckSingleWriter("system ndi", 4, "win98.reg", [] { return SetSystemNdiCacheSize(false, "8"); });
    CheckSingleWriter("delete", 6, "win2k.reg",
                      [] { return DeleteRegistryValue(M, TcpipParametersKey, "DefaultTTL"); });
}

TEST_F(FailureInjection, GettersFallBackToTheirDefaults) {
    const auto stored = [] {
        for (const char* name : {"mtu", "ndi", "rwin", "ska", "ttl"})
            SetRegistryValue(U, ProgramKey, true, std::string("1000"), name, ValueKind::String);
        SetRegistryValue(U, ProgramKey, true, std::string("N"), "connect", ValueKind::String);
        SetRegistryValue(U, ProgramKey, true, std::int32_t{0}, "PMTUDiscover", ValueKind::Integer);
        SetRegistryValue(U, ProgramKey, true, std::int32_t{1}, "PMTUBlackHoleDetect", ValueKind::Integer);
        SetRegistryValue(U, ProgramKey, true, true, "line", ValueKind::Boolean);
        SaveOriginalValues();
    };
    const struct {
        const char* name;
        std::uint8_t version;
        std::function<std::int32_t()> get;
        std::int32_t stored, fallback, secondAdapter = 0;
    } cases[] = {
        {"mtu", 6, GetMtu, 1000, -1},
        {"ndi", 6, GetNdi, 1000, -1},
        {"rwin", 6, GetRwin, 1000, -1},
        {"ska", 6, GetSka, 1000, 3600000},
        {"ttl", 3, GetTtl, 1000, 32},
        {"discover", 6, GetPMTUDiscover, 0, 1},
        {"black hole", 6, GetPMTUBlackHoleDetect, 1, 0},
        {"line", 6, [] { return std::int32_t{GetLine()}; }, 1, 0},
        {"connect", 6, [] { return std::int32_t(GetConnect().size()); }, 1, 0},
        // Looks at the machine and at the user's record: one read failing, the other still finds the set.
        {"saved set", 6, [] { return std::int32_t{HasSavedOriginals()}; }, 1, 0, 1},
        {"system mtu 9x", 3, GetSystemMTU, 1500, -1, 1492},
        {"system mtu nt", 6, GetSystemMTU, 1500, -1, 1496},
        {"system rwin nt", 6, GetSystemRcvWindow, 64240, -1},
        {"system ska 9x", 4, GetSystemKeepAlive, 7200000, 3600000},
        {"system ndi", 3, GetSystemNdiCacheSize, 32, 0},
        {"system discovery", 6, GetSystemPMTUDiscovery, 1, 0},
    };
    for (const auto& c : cases) {
        Prepare(c.version, c.version <= 4 ? "win98.reg" : "win2k.reg", stored);
        registry_.ResetOperationCount();
        EXPECT_EQ(c.get(), c.stored) << c.name;
        const long operations = registry_.OperationCount();
        for (long n = 1; n <= operations; ++n) {
            registry_.FailOperation(n);
            const std::int32_t got = c.get();
            // The adapter MTU reads several keys and skips one it cannot
            // read. Every other getter falls back.
            const bool severalKeys = c.secondAdapter != 0;
            EXPECT_TRUE(got == c.fallback || (severalKeys && (got == c.stored || got == c.secondAdapter)))
                << c.name << " operation " << n << ": " << got;
        }
        registry_.FailOperation(0);
    }
}

}  // namespace
}  // namespace brisbolt
