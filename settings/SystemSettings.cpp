#include "settings/SystemSettings.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"

namespace brisbolt {

namespace {

constexpr RootKey Machine = RootKey::LocalMachine;
constexpr std::uint8_t Windows95 = 2;
constexpr std::uint8_t WindowsNT = 5;
constexpr std::uint8_t Windows2000 = 6;
constexpr std::uint8_t WindowsXP = 7;
constexpr std::int32_t MillisecondsPerSecond = 1000;

Winsock2Probe winsock2Probe = nullptr;

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

// The keys whose "MTU" the running NT version reads: every interface on
// 2000 and XP, every adapter TCP/IP is bound to on NT 4.0. Windows 2000 also
// has "MaxMTU" written beside it, as the program always did. Listing the
// interfaces needs read access only, which a user without administrator
// rights has; the MTU writer still asks for full access to the list.
std::vector<std::string> MtuKeysNt(bool forWriting = false) {
    std::vector<std::string> keys;
    if (WindowsVersion == WindowsNT) {
        for (const auto& adapter : BoundAdapters()) keys.push_back(AdapterTcpipKey(adapter));
    } else if (WindowsVersion == Windows2000 || WindowsVersion == WindowsXP) {
        auto& registry = ActiveRegistry();
        auto interfaces = forWriting ? registry.OpenForWriting(Machine, InterfacesKey, false)
                                     : registry.OpenForReading(Machine, InterfacesKey);
        if (interfaces)
            for (const auto& name : interfaces->Subkeys().value_or(std::vector<std::string>{}))
                keys.push_back(InterfaceKey(name));
    }
    return keys;
}

const std::vector<const char*>& MtuNamesNt() {
    static const std::vector<const char*> with2000 = {"MTU", "MaxMTU"}, mtuOnly = {"MTU"};
    return WindowsVersion == Windows2000 ? with2000 : mtuOnly;
}

// Every MTU key gets the MTU, or loses it with useDefault so that the
// adapter uses its own.
bool SetMtuNt(bool useDefault, std::int32_t mtu) {
    const auto keys = MtuKeysNt(true);
    bool result = false;
    for (const auto& path : keys) {
        auto key = ActiveRegistry().OpenForWriting(Machine, path, false);
        result = static_cast<bool>(key);
        if (!key) continue;
        for (const char* name : MtuNamesNt())
            result = useDefault ? (key->Delete(name) || !ValueExists(*key, name)) : WriteInteger(*key, name, mtu);
    }
    return result;
}

// The first positive value of that name among the keys; when there is none,
// the last number read, or -1.
std::int32_t FirstMtu(const std::vector<std::string>& keys, const char* name) {
    std::int32_t result = -1;
    for (const auto& path : keys) {
        auto key = ActiveRegistry().OpenForReading(Machine, path);
        if (!key) continue;
        if (auto mtu = ReadInteger(*key, name)) {
            result = *mtu;
            if (result > 0) break;
        }
    }
    return result;
}

// Stacks without RFC 1323 window scaling take no window above 64 KB.
bool TakesLargeWindows() {
    if (WindowsVersion == WindowsNT) return false;
    if (WindowsVersion == Windows95) return SystemHasWinsock2();
    return true;
}

// Windows 2000 and XP scale windows above 64 KB unless "Tcp1323Opts" has
// bit 0 clear (0 or 2); such a window needs it set.
void AllowWindowScaling() {
    if (WindowsVersion != Windows2000 && WindowsVersion != WindowsXP) return;
    const std::int32_t options = GetRegistryInteger(Machine, TcpipParametersKey, "Tcp1323Opts");
    if (options == 0 || options == 2)
        SetRegistryValue(Machine, TcpipParametersKey, false, options | 1, "Tcp1323Opts", ValueKind::Integer);
}

}  // namespace

std::string NetTransKey(int slot) { return NetTransKeyPrefix + std::to_string(slot); }

std::string InterfaceKey(const std::string& name) { return InterfaceKeyPrefix + name; }

bool IsValidMtu(std::int32_t mtu) { return mtu >= MinMtu && mtu <= MaxMtu; }

std::string AdapterTcpipKey(const std::string& adapter) {
    return std::string(ServicesKey) + "\\" + adapter + "\\Parameters\\Tcpip";
}

std::vector<std::string> BoundAdapters() {
    std::vector<std::string> adapters;
    auto key = ActiveRegistry().OpenForReading(Machine, TcpipLinkageKey);
    const auto bind = key ? key->Query("Bind") : std::nullopt;
    if (!bind || bind->type != RegMultiSz) return adapters;
    constexpr std::string_view device = "\\Device\\";
    std::string entry;
    for (std::uint8_t byte : bind->data) {
        if (byte != 0) {
            entry += static_cast<char>(byte);
            continue;
        }
        if (entry.size() > device.size() &&
            CompareNames(std::string_view(entry).substr(0, device.size()), device) == 0) {
            std::string adapter = entry.substr(device.size());
            const bool listed = std::any_of(adapters.begin(), adapters.end(),
                                            [&](const std::string& a) { return CompareNames(a, adapter) == 0; });
            if (adapter.find('\\') == std::string::npos && !listed) adapters.push_back(std::move(adapter));
        }
        entry.clear();
    }
    return adapters;
}

std::vector<SystemValue> ValuesAnApplyRunMayWrite() {
    std::vector<SystemValue> values;
    if (Is9xFamily()) {
        for (const char* name :
             {"PMTUDiscovery", "PMTUBlackHoleDetect", "DefaultRcvWindow", "SessionKeepAlive", "DefaultTTL"})
            values.push_back({MstcpKey, name});
        values.push_back({NdiCacheSizeKey, "default"});
        for (int slot = 0; slot < NetTransSlots; ++slot)
            if (IsTcpipBinding(slot))
                for (const char* name : {"MaxMTU", "IPMTU"}) values.push_back({NetTransKey(slot), name});
        return values;
    }
    for (const char* name : {"EnablePMTUDiscovery", "EnablePMTUBHDetect", "TCPWindowSize", "DefaultTTL"})
        values.push_back({TcpipParametersKey, name});
    if (WindowsVersion == Windows2000 || WindowsVersion == WindowsXP)
        values.push_back({TcpipParametersKey, "Tcp1323Opts"});
    values.push_back({NetbtParametersKey, "SessionKeepAlive"});
    values.push_back({NdiCacheSizeKey, "default"});
    for (const auto& key : MtuKeysNt())
        for (const char* name : MtuNamesNt()) values.push_back({key, name});
    return values;
}

Winsock2Probe SetWinsock2Probe(Winsock2Probe probe) { return std::exchange(winsock2Probe, probe); }

bool SystemHasWinsock2() { return winsock2Probe ? winsock2Probe() : QueryWinsock2(); }

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
    if (Is9xFamily()) {
        const std::int32_t seconds = Read9xNumber("SessionKeepAlive", KeepAliveDefault / MillisecondsPerSecond);
        constexpr std::int32_t longest = std::numeric_limits<std::int32_t>::max() / MillisecondsPerSecond;
        return seconds <= 0 ? seconds : std::min(seconds, longest) * MillisecondsPerSecond;
    }
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
    // The value Windows reads first; Windows 2000 may still carry the older
    // "MaxMTU" that the program wrote before.
    const auto keys = MtuKeysNt();
    result = FirstMtu(keys, "MTU");
    if (result <= 0 && WindowsVersion == Windows2000) result = FirstMtu(keys, "MaxMTU");
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
    if (!TakesLargeWindows()) rwin = std::min(rwin, MaxUnscaledWindow);
    if (!WriteNumber(TcpipParametersKey, "TCPWindowSize", "DefaultRcvWindow", rwin, false)) return false;
    if (rwin > MaxUnscaledWindow) AllowWindowScaling();
    return true;
}

bool SetSystemKeepAlive(std::int32_t keepAlive) {
    if (keepAlive < 1) return false;
    // Whole seconds, the nearest, and never 0 (which would not be an interval).
    if (Is9xFamily())
        keepAlive = std::max<std::int32_t>(
            1, keepAlive / MillisecondsPerSecond + (keepAlive % MillisecondsPerSecond >= MillisecondsPerSecond / 2));
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
    return SetMtuNt(useDefault, mtu);
}

}  // namespace brisbolt
