#include "settings/SystemSettings.h"

#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"

namespace brisbolt {

namespace {

constexpr RootKey Machine = RootKey::LocalMachine;
// The only NT version whose adapter MTUs the program touches.
constexpr std::uint8_t Windows2000 = 6;

// On the NT family a stored -1 reads as missing.
std::int32_t ReadNtNumber(const char* key, const char* name, std::int32_t fallback) {
    const std::int32_t value = GetRegistryInteger(Machine, key, name);
    return value == -1 ? fallback : value;
}

std::int32_t Read9xNumber(const char* name, std::int32_t fallback) {
    return TextToInteger(GetRegistryString(Machine, MstcpKey, name), fallback);
}

bool WriteNumber(const char* ntKey, const char* ntName, const char* name9x, std::int32_t number, bool create) {
    if (Is9xFamily())
        return SetRegistryValue(Machine, MstcpKey, create, std::to_string(number), name9x, ValueKind::String);
    return SetRegistryValue(Machine, ntKey, create, number, ntName, ValueKind::Integer);
}

bool IsTcpipBinding(int slot) { return GetRegistryString(Machine, NetTransKey(slot), "DriverDesc") == "TCP/IP"; }

bool SetMtu9x(bool useDefault, std::int32_t mtu) {
    bool result = false;
    const std::string text = std::to_string(mtu);
    for (int slot = 0; slot < NetTransSlots; ++slot) {
        const std::string key = NetTransKey(slot);
        if (!IsTcpipBinding(slot) || !RegistryKeyExists(Machine, key)) continue;
        if (useDefault) {
            DeleteRegistryValue(Machine, key, "MaxMTU");
            DeleteRegistryValue(Machine, key, "IPMTU");
            result =
                SetRegistryValue(Machine, ProgramKey, true, std::string(SystemDefaultMarker), "mtu", ValueKind::String);
        } else {
            SetRegistryValue(Machine, key, true, text, "MaxMTU", ValueKind::String);
            result = SetRegistryValue(Machine, key, true, text, "IPMTU", ValueKind::String);
        }
    }
    return result;
}

// Every interface key gets "MaxMTU" = mtu, or loses it with useDefault so
// that the adapter uses its own default.
bool SetMtuNt(bool useDefault, std::int32_t mtu) {
    auto& registry = ActiveRegistry();
    std::vector<std::string> names;
    if (auto interfaces = registry.OpenForWriting(Machine, InterfacesKey, false)) {
        names = interfaces->Subkeys().value_or(std::vector<std::string>{});
    } else {
        return false;
    }
    bool result = false;
    for (const auto& name : names) {
        auto key = registry.OpenForWriting(Machine, InterfaceKey(name), false);
        if (!key) {
            result = false;
            continue;
        }
        result =
            useDefault ? (key->Delete("MaxMTU") || !ValueExists(*key, "MaxMTU")) : WriteInteger(*key, "MaxMTU", mtu);
    }
    return result;
}

}  // namespace

std::string NetTransKey(int slot) { return NetTransKeyPrefix + std::to_string(slot); }

std::string InterfaceKey(const std::string& name) { return InterfaceKeyPrefix + name; }

bool IsValidMtu(std::int32_t mtu) { return mtu >= MinMtu && mtu <= MaxMtu; }

std::int32_t GetSystemPMTUDiscovery() {
    if (Is9xFamily()) return GetRegistryString(Machine, MstcpKey, "PMTUDiscovery") == "1" ? 1 : 0;
    return ReadNtNumber(TcpipParametersKey, "EnablePMTUDiscovery", 0);
}

std::int32_t GetSystemPMTUBlackHoleDetect() {
    if (Is9xFamily()) return Read9xNumber("PMTUBlackHoleDetect", 0);
    return ReadNtNumber(TcpipParametersKey, "EnablePMTUBHDetect", 0);
}

std::int32_t GetSystemRcvWindow() {
    if (Is9xFamily()) return Read9xNumber("DefaultRcvWindow", -1);
    return ReadNtNumber(TcpipParametersKey, "TCPWindowSize", -1);
}

std::int32_t GetSystemKeepAlive() {
    if (Is9xFamily()) return Read9xNumber("SessionKeepAlive", KeepAliveDefault);
    return ReadNtNumber(NetbtParametersKey, "SessionKeepAlive", KeepAliveDefault);
}

std::int32_t GetSystemTTL() {
    if (Is9xFamily()) return Read9xNumber("DefaultTTL", TtlDefault9x);
    return ReadNtNumber(TcpipParametersKey, "DefaultTTL", TtlDefaultNT);
}

std::int32_t GetSystemNdiCacheSize() {
    return TextToInteger(GetRegistryString(Machine, NdiCacheSizeKey, "default"), 0);
}

std::int32_t GetSystemMTU() {
    std::int32_t result = -1;
    if (Is9xFamily()) {
        for (int slot = 0; slot < NetTransSlots; ++slot) {
            if (!IsTcpipBinding(slot)) continue;
            result = TextToInteger(GetRegistryString(Machine, NetTransKey(slot), "MaxMTU"), -1);
            if (result != -1) break;
        }
        return result;
    }
    if (WindowsVersion != Windows2000) return result;
    auto& registry = ActiveRegistry();
    std::vector<std::string> names;
    if (auto interfaces = registry.OpenForWriting(Machine, InterfacesKey, false)) {
        names = interfaces->Subkeys().value_or(std::vector<std::string>{});
    } else {
        return result;
    }
    for (const auto& name : names) {
        auto key = registry.OpenForReading(Machine, InterfaceKey(name));
        if (!key) continue;
        if (auto mtu = ReadInteger(*key, "MaxMTU")) {
            result = *mtu;
            if (result > 0) break;
        }
    }
    return result;
}

bool SetSystemPMTUDiscovery(std::int32_t value) {
    return WriteNumber(TcpipParametersKey, "EnablePMTUDiscovery", "PMTUDiscovery", value, true);
}

bool SetSystemPMTUBlackHoleDetect(std::int32_t value) {
    return WriteNumber(TcpipParametersKey, "EnablePMTUBHDetect", "PMTUBlackHoleDetect", value, true);
}

bool SetSystemRcvWindow(std::int32_t rwin) {
    if (rwin < 1 || rwin > MaxRcvWindow) return false;
    return WriteNumber(TcpipParametersKey, "TCPWindowSize", "DefaultRcvWindow", rwin, false);
}

bool SetSystemKeepAlive(std::int32_t keepAlive) {
    if (keepAlive < 1) return false;
    return WriteNumber(NetbtParametersKey, "SessionKeepAlive", "SessionKeepAlive", keepAlive, false);
}

bool SetSystemTTL(std::int32_t ttl) {
    if (ttl < MinTtl || ttl > MaxTtl) return false;
    return WriteNumber(TcpipParametersKey, "DefaultTTL", "DefaultTTL", ttl, false);
}

bool SetSystemNdiCacheSize(bool useDefault, const std::string& text) {
    if (!RegistryKeyExists(Machine, NdiCacheSizeKey)) return false;
    const std::string stored = useDefault ? std::string(SystemDefaultMarker) : text;
    return SetRegistryValue(Machine, NdiCacheSizeKey, true, stored, "default", ValueKind::String);
}

bool SetSystemMTU(bool useDefault, std::int32_t mtu) {
    if (!useDefault && !IsValidMtu(mtu)) return false;
    if (Is9xFamily()) return SetMtu9x(useDefault, mtu);
    if (WindowsVersion != Windows2000) return false;
    return SetMtuNt(useDefault, mtu);
}

}  // namespace brisbolt
