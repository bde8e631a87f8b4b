// The registry side of the uninstall road, run under Wine as the Windows
// version being tried (install-road.sh sets it by this program's name):
//
//   uninstall_road prepare <fixture.reg> <version code> <state file>
//     makes the fixture the machine's network setup and keeps the whole
//     Services tree in the state file, then does what a first start and an
//     apply run of "DSL (recommended setting 2)" with a ten-minute keep-alive
//     do, and checks that the values the running Windows reads hold them.
//   uninstall_road check <state file>
//     after the uninstall: the Services tree is back byte for byte, and none
//     of Brisbolt's keys is left.
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
#include "settings/RegistryDump.h"
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
[-HKEY_LOCAL_MACHINE\Software\Corvelle\Brisbolt\Originals]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\NWLink]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\Net]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tcpip\Linkage]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\E100B1]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\NdisWan4]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tcpip\Parameters\Interfaces]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Netbt]
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Tcpip\Parameters]
"TCPWindowSize"=-
"DefaultTTL"=-
"Tcp1323Opts"=-
)";

constexpr const char* ServicesKey = "System\\CurrentControlSet\\Services";

std::string Services() { return DumpKeyTree(ActiveRegistry(), Machine, ServicesKey); }

bool Holds(const std::string& key, const std::string& name, const RawValue& expected) {
    auto open = ActiveRegistry().OpenForReading(Machine, key);
    const auto value = open ? open->Query(name) : std::nullopt;
    if (value == expected) return true;
    std::printf("prepare: %s\\%s does not hold what the apply run wrote\n", key.c_str(), name.c_str());
    return false;
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
    const std::string before = Services();
    std::ofstream(stateFile, std::ios::trunc | std::ios::binary) << before;

    if (HasSavedOriginals()) {
        std::printf("prepare: originals saved already\n");
        return 1;
    }
    SaveOriginalValues();
    SetConnect("D2");
    SetTtlDefault();
    SetRwin(149600);
    SetPMTUDiscoverDefault();
    SetPMTUBlackHoleDetectDefault();
    SetLine(true);
    SetMtu(false, 1492);
    SetNdi(false, "32");
    SetSka(600000);
    ApplySettingsToSystem();

    // What this Windows reads: the MTU of every adapter, a window it takes,
    // the keep-alive in its own unit.
    const bool family9x = Is9xFamily();
    bool holds = true;
    int mtus = 0;
    for (const auto& value : ValuesAnApplyRunMayWrite())
        if (value.name == (family9x ? "MaxMTU" : "MTU")) {
            ++mtus;
            holds = Holds(value.key, value.name, family9x ? StringValue("1492") : DwordValue(1492)) && holds;
        }
    const std::int32_t window = version == 5 || (version == 2 && !SystemHasWinsock2()) ? 65535 : 149600;
    holds = Holds(family9x ? MstcpKey : TcpipParametersKey, family9x ? "DefaultRcvWindow" : "TCPWindowSize",
                  family9x ? StringValue(std::to_string(window)) : DwordValue(window)) &&
            holds;
    holds = Holds(family9x ? MstcpKey : NetbtParametersKey, "SessionKeepAlive",
                  family9x ? StringValue("600") : DwordValue(600000)) &&
            holds;
    const bool changed = Services() != before;
    std::printf("prepare: version %d, %d adapter MTUs of 1492, window %d, keep-alive of ten minutes%s\n", version, mtus,
                window, changed ? "" : ", but nothing changed");
    return holds && changed && mtus > 0 ? 0 : 1;
}

int Check(const std::string& stateFile) {
    std::ifstream state(stateFile, std::ios::binary);
    std::ostringstream saved;
    saved << state.rdbuf();
    int failures = 0;
    const std::string now = Services();
    if (now != saved.str()) {
        // The first line that differs says what is not back.
        std::istringstream was(saved.str()), is(now);
        std::string a, b;
        while (std::getline(was, a) && std::getline(is, b) && a == b) {}
        std::printf("check: the Services tree is not as it was: \"%s\" is now \"%s\"\n", a.c_str(), b.c_str());
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
    std::printf("check: the Services tree is back byte for byte (%zu lines), %d failures\n",
                static_cast<std::size_t>(std::count(now.begin(), now.end(), '\n')), failures);
    return failures == 0 ? 0 : 1;
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
