#include "settings/ProgramSettings.h"

#include "settings/RegistryCalls.h"

namespace brisbolt {

namespace {

constexpr RootKey Record = RootKey::CurrentUser;

std::int32_t GetTextNumber(const char* name, std::int32_t fallback) {
    return TextToInteger(GetRegistryString(Record, ProgramKey, name), fallback);
}

bool SetText(const char* name, const std::string& text) {
    return SetRegistryValue(Record, ProgramKey, true, text, name, ValueKind::String);
}

bool SetTextNumber(const char* name, std::int32_t number) { return SetText(name, std::to_string(number)); }

bool SetDword(const char* name, std::int32_t number) {
    return SetRegistryValue(Record, ProgramKey, true, number, name, ValueKind::Integer);
}

}  // namespace

std::string GetConnect() {
    std::string code = GetRegistryString(Record, ProgramKey, "connect");
    return code == "Modem" ? "-2" : code;
}

bool SetConnect(const std::string& code) { return SetText("connect", code); }

std::int32_t GetPMTUDiscover() {
    const std::int32_t value = GetRegistryInteger(Record, ProgramKey, "PMTUDiscover");
    return value == -1 ? 1 : value;
}

bool SetPMTUDiscover(std::int32_t value) { return SetDword("PMTUDiscover", value); }
bool SetPMTUDiscoverDefault() { return SetDword("PMTUDiscover", 1); }

std::int32_t GetPMTUBlackHoleDetect() {
    const std::int32_t value = GetRegistryInteger(Record, ProgramKey, "PMTUBlackHoleDetect");
    return value == -1 ? 0 : value;
}

bool SetPMTUBlackHoleDetect(std::int32_t value) { return SetDword("PMTUBlackHoleDetect", value); }
bool SetPMTUBlackHoleDetectDefault() { return SetDword("PMTUBlackHoleDetect", 0); }

bool GetLine() { return GetRegistryBoolean(Record, ProgramKey, "line"); }

bool SetLine(bool good) { return SetRegistryValue(Record, ProgramKey, false, good, "line", ValueKind::Boolean); }

std::int32_t GetMtu() { return GetTextNumber("mtu", -1); }

bool SetMtu(bool useDefault, std::int32_t mtu) { return SetTextNumber("mtu", useDefault ? DefaultMtu : mtu); }

std::int32_t GetNdi() { return GetTextNumber("ndi", -1); }

bool SetNdi(bool useDefault, const std::string& text) {
    return SetText("ndi", useDefault ? std::string(SystemDefaultMarker) : text);
}

std::int32_t GetRwin() { return GetTextNumber("rwin", -1); }
bool SetRwin(std::int32_t rwin) { return SetTextNumber("rwin", rwin); }
bool SetRwinDefault() { return SetTextNumber("rwin", Is9xFamily() ? RwinDefault9x : RwinDefaultNT); }

std::int32_t GetSka() { return GetTextNumber("ska", KeepAliveDefault); }
bool SetSka(std::int32_t ska) { return SetTextNumber("ska", ska); }

std::int32_t GetTtl() { return GetTextNumber("ttl", Is9xFamily() ? TtlDefault9x : TtlDefaultNT); }
bool SetTtl(std::int32_t ttl) { return SetTextNumber("ttl", ttl); }
bool SetTtlDefault() { return SetTextNumber("ttl", Is9xFamily() ? TtlDefault9x : TtlDefaultNT); }

bool SetInit() { return SetText("init", "1"); }

bool ClearProgramSettings() {
    constexpr RootKey Machine = RootKey::LocalMachine;
    DeleteRegistryValue(Machine, AutostartKey, "brisbolt");
    DeleteRegistryValue(Machine, ProgramKey, "PMTUDiscover");
    DeleteRegistryValue(Machine, ProgramKey, "PMTUBlackHoleDetect");
    SetRegistryValue(Machine, ProgramKey, true, std::string("Modem"), "connect", ValueKind::String);
    bool deleted = false;
    for (const char* name : {"line", "mtu", "ndi", "rwin", "ska", "ttl"})
        deleted = DeleteRegistryValue(Machine, ProgramKey, name);
    return deleted;
}

}  // namespace brisbolt
