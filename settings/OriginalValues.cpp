#include "settings/OriginalValues.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

// The record's saved entries as restoring reads them. An entry that is not
// there is told apart from one the registry would not hand over: only the
// first may count as "nothing saved", so a passing failure never costs the
// one copy of an original.
class SavedEntries {
public:
    SavedEntries() {
        if (auto key = ActiveRegistry().OpenForReading(Record, ProgramKey))
            if (auto names = key->ValueNames()) names_.emplace(names->begin(), names->end());
    }

    // Empty when unknown; false when missing (or not a number, as a flag reads).
    std::optional<bool> Flag(const std::string& name) const {
        const Entry entry = Read(name);
        if (!entry.known) return std::nullopt;
        return entry.value && IntegerFrom(*entry.value).value_or(0) != 0;
    }
    // Empty when unknown; -1 when missing or not a number.
    std::optional<std::int32_t> Number(const std::string& name) const {
        const Entry entry = Read(name);
        if (!entry.known) return std::nullopt;
        return entry.value ? IntegerFrom(*entry.value).value_or(-1) : -1;
    }
    // Empty when unknown; empty text when missing or not text.
    std::optional<std::string> Text(const std::string& name) const {
        const Entry entry = Read(name);
        if (!entry.known) return std::nullopt;
        return entry.value ? StringFrom(*entry.value).value_or(std::string()) : std::string();
    }

    bool Listed() const { return names_.has_value(); }
    // Known not to be in the record.
    bool Missing(const std::string& name) const { return names_ && !names_->contains(name); }

    // Every adapter number that has an entry of any kind.
    std::set<int> AdapterIndexes() const {
        std::set<int> indexes;
        if (names_)
            for (const auto& name : *names_)
                if (auto index = AdapterIndex(name)) indexes.insert(*index);
        return indexes;
    }

private:
    struct Entry {
        bool known = false;
        std::optional<RawValue> value;  // empty: not there
    };

    // A value that is not handed over is missing only if the listing says so.
    Entry Read(const std::string& name) const {
        auto key = ActiveRegistry().OpenForReading(Record, ProgramKey);
        if (!key) return {};
        if (auto value = key->Query(name)) return {true, std::move(value)};
        return {names_ && !names_->contains(name), std::nullopt};
    }

    static std::optional<int> AdapterIndex(std::string_view name) {
        constexpr std::string_view prefix = "Orig_mtu";
        if (name.size() <= prefix.size() || CompareNames(name.substr(0, prefix.size()), prefix) != 0)
            return std::nullopt;
        name.remove_prefix(prefix.size());
        int index = -1;
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
        if (error != std::errc() || index < 0 || end == name.data() + name.size() || *end != '_') return std::nullopt;
        return index;
    }

    std::optional<std::set<std::string, NameLess>> names_;
};

// An adapter's entries go only once the adapter holds what restoring gives
// it; whatever cannot be read or written leaves them for the next restore.
// The flag goes first: a flag left without its saved number would read as
// "no MTU saved" and cost the adapter its value.
// True once the flag is gone.
bool ForgetEntries(const std::string& flag, std::initializer_list<std::string> others) {
    if (!DeleteRegistryValue(Record, ProgramKey, flag)) return false;
    for (const auto& name : others) DeleteRegistryValue(Record, ProgramKey, name);
    return true;
}

void RestoreAdapters9x(const SavedEntries& saved) {
    for (int slot = 0; slot < NetTransSlots; ++slot) {
        const std::string flag = MtuEntry(slot, "_TF");
        const std::string value = MtuEntry(slot, "_Val");
        if (!saved.Flag(flag).value_or(false)) continue;
        const auto mtu = saved.Number(value);
        if (!mtu) continue;
        const std::string key = NetTransKey(slot);
        if (IsValidMtu(*mtu)) {
            if (!SetRegistryValue(Machine, key, false, std::to_string(*mtu), "MaxMTU", ValueKind::String)) continue;
        } else {
            // No MTU was found when saving: hand the slot back to the system default.
            DeleteRegistryValue(Machine, key, "MaxMTU");
            DeleteRegistryValue(Machine, key, "IPMTU");
        }
        ForgetEntries(flag, {value});
    }
}

void RestoreAdapterNt(const SavedEntries& saved, int index) {
    const std::string flag = MtuEntry(index, "_TF");
    const auto hadMtu = saved.Flag(flag);
    if (!hadMtu) return;
    if (!*hadMtu) {
        // Nothing to give back; the name entry stays until the next saving.
        DeleteRegistryValue(Record, ProgramKey, flag);
        return;
    }
    const std::string nameEntry = MtuEntry(index, "_Name");
    const auto name = saved.Text(nameEntry);
    if (!name) return;
    if (name->empty()) {
        ForgetEntries(flag, {nameEntry});
        return;
    }
    auto key = ActiveRegistry().OpenForWriting(Machine, InterfaceKey(*name), false);
    if (!key) return;
    const std::string valueEntry = MtuEntry(index, "_Val");
    const auto mtu = saved.Number(valueEntry);
    if (!mtu) return;
    if (IsValidMtu(*mtu)) {
        if (!WriteInteger(*key, "MaxMTU", *mtu)) return;
    } else {
        // No usable MTU was saved: the adapter goes back to its own default,
        // and a value that is already gone is just as good.
        static_cast<void>(key->Delete("MaxMTU"));
    }
    key.reset();
    ForgetEntries(flag, {nameEntry, valueEntry});
}

bool HasAdapterEntry(int index) {
    RegistryValue value;
    GetRegistryValue(Record, ProgramKey, ValueKind::Integer, value, MtuEntry(index, "_TF"));
    return std::get<std::int32_t>(value) != -1;
}

// Saving numbers the adapters without an upper bound and skips the numbers
// of keys it cannot open, and adapters come and go before restoring: every
// saved number is restored, gaps or not.
void RestoreAdaptersNt(const SavedEntries& saved) {
    if (!RegistryKeyExists(Machine, InterfacesKey)) return;
    int adapters = 0;
    if (auto interfaces = ActiveRegistry().OpenForReading(Machine, InterfacesKey))
        adapters = static_cast<int>(interfaces->Subkeys().value_or(std::vector<std::string>{}).size());
    const int covered = std::max(NetTransSlots, adapters);
    std::set<int> indexes = saved.AdapterIndexes();
    for (int index = 0; index < covered; ++index) indexes.insert(index);
    for (int index : indexes) RestoreAdapterNt(saved, index);
    // Without a listing of the record, go on as long as entries follow.
    if (!saved.Listed())
        for (int index = covered; HasAdapterEntry(index); ++index) RestoreAdapterNt(saved, index);
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
// Gives an item its saved value back. Its entries go once that worked (and
// forgetting is allowed), or when nothing was saved for it; an entry that
// cannot be read, or a write that fails (no right to change the system keys),
// keeps them for the next restore. True when they are gone.
template <typename Write>
bool RestoreItem(const SavedEntries& saved, const SavedItem& item, Write write, bool mayForget = true) {
    if (saved.Missing(item.flag)) {
        // Nothing saved, or forgotten by an earlier restore; a value left
        // without its flag cannot be restored.
        if (mayForget) DeleteRegistryValue(Record, ProgramKey, item.value);
        return true;
    }
    const auto flag = saved.Flag(item.flag);
    if (!flag) return false;
    if (*flag) {
        const auto value = saved.Number(item.value);
        if (!value) return false;
        if (*value != -1 && !write(*value)) return false;
    }
    return mayForget && ForgetEntries(item.flag, {item.value});
}

// No adapter has anything left to give back (as far as the record can be
// listed). A 9x slot without a binding keeps its cleared flag for good.
bool NoAdapterLeftToRestore(bool family9x) {
    const SavedEntries now;
    if (!now.Listed()) return false;
    for (int index : now.AdapterIndexes())
        if (!family9x || now.Flag(MtuEntry(index, "_TF")).value_or(true)) return false;
    return true;
}

}  // namespace

bool HasSavedOriginals() { return GetRegistryInteger(Record, ProgramKey, Ttl.flag) != -1; }

void SaveOriginalValues() {
    const bool family9x = Is9xFamily();
    if (family9x)
        SaveAdapters9x();
    else
        SaveAdaptersNt();

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
    const SavedEntries saved;
    if (Is9xFamily())
        RestoreAdapters9x(saved);
    else
        RestoreAdaptersNt(saved);

    bool othersGone =
        RestoreItem(saved, Ndi, [](std::int32_t ndi) { return SetSystemNdiCacheSize(false, std::to_string(ndi)); });
    othersGone = RestoreItem(saved, Rwin, SetSystemRcvWindow) && othersGone;
    othersGone = RestoreItem(saved, Ska, SetSystemKeepAlive) && othersGone;
    // Last: its flag tells that originals are saved, so it stays while
    // anything else is left to give back; else the next apply run would save
    // the changed values over the originals still kept.
    RestoreItem(saved, Ttl, SetSystemTTL, othersGone && NoAdapterLeftToRestore(Is9xFamily()));
}

}  // namespace brisbolt
