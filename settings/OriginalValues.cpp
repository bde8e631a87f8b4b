#include "settings/OriginalValues.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"

namespace brisbolt {

namespace {

constexpr RootKey Record = RootKey::CurrentUser;
constexpr RootKey Machine = RootKey::LocalMachine;

std::string MtuEntry(int index, const char* suffix) { return "Orig_mtu" + std::to_string(index) + suffix; }

void SaveFlag(const std::string& name, bool flag) {
    SetRegistryValue(Record, ProgramKey, true, flag, name, ValueKind::Boolean);
}

void SaveNumber(const std::string& name, std::int32_t number) {
    SetRegistryValue(Record, ProgramKey, true, number, name, ValueKind::Integer);
}

void SaveText(const std::string& name, const std::string& text) {
    SetRegistryValue(Record, ProgramKey, true, text, name, ValueKind::String);
}

bool HasText(const char* key, const char* name) { return !GetRegistryString(Machine, key, name).empty(); }

bool HasNumber(const char* key, const char* name) { return GetRegistryInteger(Machine, key, name) != -1; }

void SaveAdapters9x() {
    for (int slot = 0; slot < NetTransSlots; ++slot) {
        SaveFlag(MtuEntry(slot, "_TF"), !GetRegistryString(Machine, NetTransKey(slot), "DriverDesc").empty());
        SaveNumber(MtuEntry(slot, "_Val"), GetSystemMTU());
    }
}

void SaveAdaptersNt() {
    if (!RegistryKeyExists(Machine, InterfacesKey)) return;
    auto& registry = ActiveRegistry();
    std::vector<std::string> names;
    if (auto interfaces = registry.OpenForReading(Machine, InterfacesKey))
        names = interfaces->Subkeys().value_or(std::vector<std::string>{});
    for (int index = 0; index < static_cast<int>(names.size()); ++index) {
        auto key = registry.OpenForReading(Machine, InterfaceKey(names[index]));
        if (!key) continue;
        SaveFlag(MtuEntry(index, "_TF"), ValueExists(*key, "MaxMTU"));
        SaveText(MtuEntry(index, "_Name"), names[index]);
        if (auto mtu = ReadInteger(*key, "MaxMTU")) SaveNumber(MtuEntry(index, "_Val"), *mtu);
    }
}

void RestoreAdapters9x() {
    for (int slot = 0; slot < NetTransSlots; ++slot) {
        const std::string flag = MtuEntry(slot, "_TF");
        const std::string saved = MtuEntry(slot, "_Val");
        if (!GetRegistryBoolean(Record, ProgramKey, flag)) continue;
        const std::int32_t mtu = GetRegistryInteger(Record, ProgramKey, saved);
        const std::string key = NetTransKey(slot);
        if (IsValidMtu(mtu)) {
            SetRegistryValue(Machine, key, false, std::to_string(mtu), "MaxMTU", ValueKind::String);
        } else {
            // No MTU was found when saving: hand the slot back to the system default.
            DeleteRegistryValue(Machine, key, "MaxMTU");
            DeleteRegistryValue(Machine, key, "IPMTU");
        }
        DeleteRegistryValue(Record, ProgramKey, flag);
        DeleteRegistryValue(Record, ProgramKey, saved);
    }
}

void RestoreAdapterNt(int index) {
    const std::string flag = MtuEntry(index, "_TF");
    const bool hadMtu = GetRegistryBoolean(Record, ProgramKey, flag);
    DeleteRegistryValue(Record, ProgramKey, flag);
    if (!hadMtu) return;
    const std::string nameEntry = MtuEntry(index, "_Name");
    const std::string name = GetRegistryString(Record, ProgramKey, nameEntry);
    DeleteRegistryValue(Record, ProgramKey, nameEntry);
    if (name.empty()) return;
    auto key = ActiveRegistry().OpenForWriting(Machine, InterfaceKey(name), false);
    if (!key) return;
    const std::string saved = MtuEntry(index, "_Val");
    const std::int32_t mtu = GetRegistryInteger(Record, ProgramKey, saved);
    DeleteRegistryValue(Record, ProgramKey, saved);
    if (IsValidMtu(mtu)) WriteInteger(*key, "MaxMTU", mtu);
    else key->Delete("MaxMTU");
}

bool HasAdapterEntry(int index) {
    RegistryValue value;
    GetRegistryValue(Record, ProgramKey, ValueKind::Integer, value, MtuEntry(index, "_TF"));
    return std::get<std::int32_t>(value) != -1;
}

// Saving numbers the adapters without an upper bound, so restoring goes past
// the first ten as long as entries or adapters are there.
void RestoreAdaptersNt() {
    if (!RegistryKeyExists(Machine, InterfacesKey)) return;
    int adapters = 0;
    if (auto interfaces = ActiveRegistry().OpenForReading(Machine, InterfacesKey))
        adapters = static_cast<int>(interfaces->Subkeys().value_or(std::vector<std::string>{}).size());
    const int covered = std::max(NetTransSlots, adapters);
    for (int index = 0; index < covered || HasAdapterEntry(index); ++index) RestoreAdapterNt(index);
}

struct SavedItem {
    const char* flag;
    const char* value;
};
constexpr SavedItem Ndi{"Orig_ndi_TF", "Orig_ndi_Val"};
constexpr SavedItem Rwin{"Orig_rwin_TF", "Orig_rwin_Val"};
constexpr SavedItem Ska{"Orig_ska_TF", "Orig_ska_Val"};
constexpr SavedItem Ttl{"Orig_ttl_TF", "Orig_ttl_Val"};

void SaveItem(const SavedItem& item, bool present, std::int32_t value) {
    SaveFlag(item.flag, present);
    SaveNumber(item.value, value);
}

// The saved number when the item's flag says the system had it. A number
// that cannot be read (-1) is never handed on as if it had been saved.
std::optional<std::int32_t> SavedValue(const SavedItem& item) {
    if (!GetRegistryBoolean(Record, ProgramKey, item.flag)) return std::nullopt;
    const std::int32_t value = GetRegistryInteger(Record, ProgramKey, item.value);
    if (value == -1) return std::nullopt;
    return value;
}

}  // namespace

bool HasSavedOriginals() { return GetRegistryInteger(Record, ProgramKey, Ttl.flag) != -1; }

void SaveOriginalValues() {
    const bool family9x = Is9xFamily();
    if (family9x) SaveAdapters9x();
    else SaveAdaptersNt();

    SaveItem(Ndi, HasText(NdiCacheSizeKey, "default"), GetSystemNdiCacheSize());
    if (family9x) {
        SaveItem(Rwin, HasText(MstcpKey, "DefaultRcvWindow"), GetSystemRcvWindow());
        SaveItem(Ska, HasText(MstcpKey, "SessionKeepAlive"), GetSystemKeepAlive());
        SaveItem(Ttl, HasText(MstcpKey, "DefaultTTL"), GetSystemTTL());
    } else {
        SaveItem(Rwin, HasNumber(TcpipParametersKey, "TCPWindowSize"), GetSystemRcvWindow());
        SaveItem(Ska, HasNumber(NetbtParametersKey, "SessionKeepAlive"), GetSystemKeepAlive());
        SaveItem(Ttl, HasNumber(TcpipParametersKey, "DefaultTTL"), GetSystemTTL());
    }
}

void RestoreOriginalValues() {
    if (Is9xFamily()) RestoreAdapters9x();
    else RestoreAdaptersNt();

    if (auto ndi = SavedValue(Ndi)) SetSystemNdiCacheSize(false, std::to_string(*ndi));
    if (auto rwin = SavedValue(Rwin)) SetSystemRcvWindow(*rwin);
    if (auto ska = SavedValue(Ska)) SetSystemKeepAlive(*ska);
    if (auto ttl = SavedValue(Ttl)) SetSystemTTL(*ttl);

    for (const SavedItem& item : {Ndi, Rwin, Ska, Ttl}) {
        DeleteRegistryValue(Record, ProgramKey, item.flag);
        DeleteRegistryValue(Record, ProgramKey, item.value);
    }
}

}  // namespace brisbolt
