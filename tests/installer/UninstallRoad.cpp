// The registry side of the uninstall road, run under Wine as the Windows
// version being tried (install-road.sh sets it by this program's name):
//
//   uninstall_road prepare <fixture.reg> <version code> <state file>
//     makes the fixture the machine's network setup, then does what a first
//     start and an apply run of a preset do: saves the originals, stores
//     the preset, writes it into the system. The values the uninstall has to
//     give back go into the state file, as they were before.
//   uninstall_road check <state file>
//     after the uninstall: each of them is back byte for byte, and none of
//     Brisbolt's keys is left.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"
#include "settings/Win32Registry.h"
#include "tuning/ApplySettings.h"

namespace brisbolt {
namespace {

constexpr RootKey Machine = RootKey::LocalMachine;
constexpr const char* RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* UninstallEntryKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Brisbolt";

// The network keys of both families and Brisbolt's own record; what the
// installer wrote (the machine key, the Run value) stays.
constexpr const char* WipeNetworkKeys = R"(REGEDIT4
[-HKEY_CURRENT_USER\Software\Corvelle]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\NWLink]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tcpip\Parameters\Interfaces]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Netbt]
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tcpip\Parameters]
"TCPWindowSize"=-
"DefaultTTL"=-
)";

struct Watched {
    std::string key, name;
};

// Every system value that the saved originals stand for, where the machine
// has it. On 95, 98 and Me one MTU is saved for all bindings: that of the
// first TCP/IP binding.
std::vector<Watched> ValuesToGiveBack() {
    auto& registry = ActiveRegistry();
    auto has = [&](const std::string& key, const std::string& name) {
        auto open = registry.OpenForReading(Machine, key);
        return open && open->Query(name).has_value();
    };
    std::vector<Watched> values;
    auto watch = [&](const std::string& key, const char* name) {
        if (has(key, name)) values.push_back({key, name});
    };
    watch(NdiCacheSizeKey, "default");
    if (Is9xFamily()) {
        for (const char* name : {"DefaultRcvWindow", "SessionKeepAlive", "DefaultTTL"}) watch(MstcpKey, name);
        for (int slot = 0; slot < NetTransSlots; ++slot)
            if (GetRegistryString(Machine, NetTransKey(slot), "DriverDesc") == "TCP/IP" &&
                has(NetTransKey(slot), "MaxMTU")) {
                watch(NetTransKey(slot), "MaxMTU");
                break;
            }
        return values;
    }
    for (const char* name : {"TCPWindowSize", "DefaultTTL"}) watch(TcpipParametersKey, name);
    watch(NetbtParametersKey, "SessionKeepAlive");
    if (auto interfaces = registry.OpenForReading(Machine, InterfacesKey))
        for (const auto& name : interfaces->Subkeys().value_or(std::vector<std::string>{}))
            watch(InterfaceKey(name), "MaxMTU");
    return values;
}

std::string Bytes(const Watched& value) {
    auto key = ActiveRegistry().OpenForReading(Machine, value.key);
    auto raw = key ? key->Query(value.name) : std::nullopt;
    if (!raw) return "missing";
    std::string text = std::to_string(raw->type) + ":";
    char hex[4];
    for (auto byte : raw->data) {
        std::snprintf(hex, sizeof hex, "%02x", byte);
        text += hex;
    }
    return text;
}

int Prepare(const std::string& fixture, int version, const std::string& stateFile) {
    auto& registry = ActiveRegistry();
    LoadRegText(registry, WipeNetworkKeys, "the wipe");
    LoadRegFile(registry, fixture);
    WindowsVersion = 0;
    if (GetWindowsVersion() != version) {
        std::printf("prepare: the system answers as version %d, not %d\n", WindowsVersion, version);
        return 1;
    }
    const auto values = ValuesToGiveBack();
    std::ofstream state(stateFile, std::ios::trunc);
    for (const auto& value : values) state << value.key << '\t' << value.name << '\t' << Bytes(value) << '\n';
    state.close();

    // The first start saves what it finds; then a preset (DSL setting 3)
    // is chosen, with a keep-alive of ten minutes, and applied.
    if (HasSavedOriginals()) {
        std::printf("prepare: originals saved already\n");
        return 1;
    }
    SaveOriginalValues();
    SetConnect("D3");
    SetTtlDefault();
    SetRwin(149600);
    SetPMTUDiscoverDefault();
    SetPMTUBlackHoleDetectDefault();
    SetLine(true);
    SetMtu(false, 1400);
    SetNdi(false, "32");
    SetSka(600000);
    ApplySettingsToSystem();

    std::ifstream before(stateFile);
    int changed = 0;
    std::string line;
    for (const auto& value : values) {
        std::getline(before, line);
        if (line.substr(line.rfind('\t') + 1) != Bytes(value)) ++changed;
    }
    std::printf("prepare: version %d, %zu values saved, %d of them changed by the preset\n", version, values.size(),
                changed);
    // A machine as Windows leaves it may hold only one of them (the
    // keep-alive); every one it holds up to three must have been changed.
    return !values.empty() && changed >= static_cast<int>(std::min<std::size_t>(values.size(), 3)) ? 0 : 1;
}

int Check(const std::string& stateFile) {
    std::ifstream state(stateFile);
    std::string line;
    int back = 0, failures = 0;
    while (std::getline(state, line)) {
        std::istringstream fields(line);
        Watched value;
        std::string expected;
        std::getline(fields, value.key, '\t');
        std::getline(fields, value.name, '\t');
        std::getline(fields, expected);
        const std::string now = Bytes(value);
        if (now == expected) {
            ++back;
            continue;
        }
        std::printf("check: %s\\%s is %s, was %s\n", value.key.c_str(), value.name.c_str(), now.c_str(),
                    expected.c_str());
        ++failures;
    }
    auto& registry = ActiveRegistry();
    const struct {
        RootKey root;
        const char* key;
        const char* what;
    } gone[] = {{RootKey::CurrentUser, ProgramKey, "the settings record"},
                {Machine, ProgramKey, "the machine key"},
                {Machine, UninstallEntryKey, "the Add/Remove Programs entry"}};
    for (const auto& key : gone)
        if (registry.OpenForReading(key.root, key.key)) {
            std::printf("check: %s is still there\n", key.what);
            ++failures;
        }
    if (auto run = registry.OpenForReading(Machine, RunKey); run && run->Query("brisbolt")) {
        std::printf("check: the autostart value is still there\n");
        ++failures;
    }
    std::printf("check: %d values back byte for byte, %d failures\n", back, failures);
    return failures == 0 && back > 0 ? 0 : 1;
}

}  // namespace
}  // namespace brisbolt

int main(int argc, char** argv) {
    using namespace brisbolt;
    Win32Registry registry;
    SetActiveRegistry(&registry);
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "prepare" && argc == 5) return Prepare(argv[2], std::stoi(argv[3]), argv[4]);
        if (command == "check" && argc == 3) return Check(argv[2]);
    } catch (const std::exception& error) {
        std::printf("uninstall road: %s\n", error.what());
        return 1;
    }
    std::printf("usage: uninstall_road prepare <fixture.reg> <version code> <state file> | check <state file>\n");
    return 2;
}
