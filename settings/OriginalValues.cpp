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

constexpr std::string_view AdapterPrefix = "Orig_mtu";
// The exact copies of every value an apply run may write: where it lives,
// whether the system had it, and its type and bytes.
constexpr std::string_view HeldPrefix = "Orig_reg";

std::string MtuEntry(int index, const char* suffix) {
    return std::string(AdapterPrefix) + std::to_string(index) + suffix;
}
std::string HeldEntry(int index, const char* suffix) {
    return std::string(HeldPrefix) + std::to_string(index) + suffix;
}
constexpr const char* HeldSuffixes[] = {"_Key", "_Name", "_Data", "_TF"};

void SaveFlag(const std::string& name, bool flag) {
    SetRegistryValue(Record, ProgramKey, true, flag, name, ValueKind::Boolean);
}

void SaveNumber(const std::string& name, std::int32_t number) {
    SetRegistryValue(Record, ProgramKey, true, number, name, ValueKind::Integer);
}

bool SaveText(const std::string& name, const std::string& text) {
    return SetRegistryValue(Record, ProgramKey, true, text, name, ValueKind::String);
}

bool SaveCopy(const std::string& name, const RawValue& value) {
    auto key = ActiveRegistry().OpenForWriting(Record, ProgramKey, true);
    return key && key->Set(name, value);
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
    // Listed, and no saved entry but these is left.
    bool HoldsOnly(std::initializer_list<std::string_view> kept) const {
        constexpr std::string_view prefix = "Orig_";
        return names_ && std::all_of(names_->begin(), names_->end(), [&](const std::string& name) {
                   return name.size() < prefix.size() || CompareNames(name.substr(0, prefix.size()), prefix) != 0 ||
                          std::any_of(kept.begin(), kept.end(),
                                      [&](std::string_view k) { return CompareNames(name, k) == 0; });
               });
    }
    // Known not to be in the record.
    bool Missing(const std::string& name) const { return names_ && !names_->contains(name); }

    // Empty when unknown; inside, empty when missing.
    std::optional<std::optional<RawValue>> Raw(const std::string& name) const {
        Entry entry = Read(name);
        if (!entry.known) return std::nullopt;
        return std::move(entry.value);
    }

    // Every number that has an entry of any kind under the prefix
    // ("Orig_mtu" gives the adapters).
    std::set<int> Indexes(std::string_view prefix) const {
        std::set<int> indexes;
        if (names_)
            for (const auto& name : *names_)
                if (auto index = IndexOf(prefix, name)) indexes.insert(*index);
        return indexes;
    }
    std::set<int> AdapterIndexes() const { return Indexes(AdapterPrefix); }

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

    static std::optional<int> IndexOf(std::string_view prefix, std::string_view name) {
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

// A key known to be gone, so whatever was saved for it has nowhere to go:
// it cannot be opened and the key above it lists no such subkey (or is gone
// itself). The key-exists routine cannot tell this apart from a key the user
// may not write to, whose original must wait for the rights.
bool KeyIsGone(std::string_view path) {
    auto& registry = ActiveRegistry();
    auto parts = SplitKeyPath(path);
    if (parts.empty() || registry.OpenForReading(Machine, path)) return false;
    const std::string name = parts.back();
    parts.pop_back();
    const std::string parent = JoinKeyPath(parts);
    auto above = registry.OpenForReading(Machine, parent);
    if (!above) return KeyIsGone(parent);
    const auto subkeys = above->Subkeys();
    return subkeys && std::none_of(subkeys->begin(), subkeys->end(),
                                   [&](const std::string& subkey) { return CompareNames(subkey, name) == 0; });
}

// Removes an entry's values, the flag first: a flag left without its saved
// number would read as "no MTU saved" and cost the adapter its value. One
// that cannot be deleted stops the rest for the next restore. True once all
// are gone.
bool Forget(const SavedEntries& saved, std::initializer_list<std::string> names) {
    for (const auto& name : names)
        if (!saved.Missing(name) && !DeleteRegistryValue(Record, ProgramKey, name)) return false;
    return true;
}

void ForgetAdapter(const SavedEntries& saved, int index) {
    Forget(saved, {MtuEntry(index, "_TF"), MtuEntry(index, "_Val"), MtuEntry(index, "_Name")});
}

// An adapter's entries go once it has nothing left to give back: its
// original is back, it had none (flag false), or its key is gone. Whatever
// cannot be read or written keeps them for the next restore.

void RestoreSlot9x(const SavedEntries& saved, int slot) {
    const auto hadSlot = saved.Flag(MtuEntry(slot, "_TF"));
    if (!hadSlot) return;
    // Saving writes every slot; one without a binding has nothing to give back.
    if (!*hadSlot || slot >= NetTransSlots) return ForgetAdapter(saved, slot);
    // The earlier program saved the first binding's MTU for every slot; only
    // the TCP/IP bindings ever had one written.
    if (GetRegistryString(Machine, NetTransKey(slot), "DriverDesc") != "TCP/IP") return ForgetAdapter(saved, slot);
    const auto mtu = saved.Number(MtuEntry(slot, "_Val"));
    if (!mtu) return;
    const std::string key = NetTransKey(slot);
    if (IsValidMtu(*mtu)) {
        if (!SetRegistryValue(Machine, key, false, std::to_string(*mtu), "MaxMTU", ValueKind::String) &&
            !KeyIsGone(key))
            return;
    } else {
        // No MTU was found when saving: hand the slot back to the system default.
        DeleteRegistryValue(Machine, key, "MaxMTU");
        DeleteRegistryValue(Machine, key, "IPMTU");
    }
    ForgetAdapter(saved, slot);
}

void RestoreAdapters9x(const SavedEntries& saved) {
    std::set<int> slots = saved.AdapterIndexes();
    for (int slot = 0; slot < NetTransSlots; ++slot) slots.insert(slot);
    for (int slot : slots) RestoreSlot9x(saved, slot);
}

enum class InterfacesState { Writable, Gone, Refused };

void RestoreAdapterNt(const SavedEntries& saved, int index, InterfacesState interfaces) {
    const auto hadMtu = saved.Flag(MtuEntry(index, "_TF"));
    if (!hadMtu) return;
    // Windows adds no MTU of its own: most adapters come here with nothing saved.
    if (!*hadMtu) return ForgetAdapter(saved, index);
    const auto name = saved.Text(MtuEntry(index, "_Name"));
    if (!name) return;
    if (name->empty() || interfaces == InterfacesState::Gone) return ForgetAdapter(saved, index);
    if (interfaces == InterfacesState::Refused) return;
    const std::string path = InterfaceKey(*name);
    auto key = ActiveRegistry().OpenForWriting(Machine, path, false);
    if (!key) {
        if (KeyIsGone(path)) ForgetAdapter(saved, index);
        return;
    }
    const auto mtu = saved.Number(MtuEntry(index, "_Val"));
    if (!mtu) return;
    if (IsValidMtu(*mtu)) {
        if (!WriteInteger(*key, "MaxMTU", *mtu)) return;
    } else {
        // No usable MTU was saved: the adapter goes back to its own default,
        // and a value that is already gone is just as good.
        static_cast<void>(key->Delete("MaxMTU"));
    }
    key.reset();
    ForgetAdapter(saved, index);
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
    InterfacesState interfaces = InterfacesState::Writable;
    int adapters = 0;
    if (RegistryKeyExists(Machine, InterfacesKey)) {
        if (auto key = ActiveRegistry().OpenForReading(Machine, InterfacesKey))
            adapters = static_cast<int>(key->Subkeys().value_or(std::vector<std::string>{}).size());
    } else {
        interfaces = KeyIsGone(InterfacesKey) ? InterfacesState::Gone : InterfacesState::Refused;
    }
    const int covered = std::max(NetTransSlots, adapters);
    std::set<int> indexes = saved.AdapterIndexes();
    for (int index = 0; index < covered; ++index) indexes.insert(index);
    for (int index : indexes) RestoreAdapterNt(saved, index, interfaces);
    // Without a listing of the record, go on as long as entries follow.
    if (!saved.Listed())
        for (int index = covered; HasAdapterEntry(index); ++index) RestoreAdapterNt(saved, index, interfaces);
}

struct SavedItem {
    const char* flag;
    const char* value;
    const char* key9x;
    const char* keyNt;
};
constexpr SavedItem Ndi{"Orig_ndi_TF", "Orig_ndi_Val", NdiCacheSizeKey, NdiCacheSizeKey};
constexpr SavedItem Rwin{"Orig_rwin_TF", "Orig_rwin_Val", MstcpKey, TcpipParametersKey};
constexpr SavedItem Ska{"Orig_ska_TF", "Orig_ska_Val", MstcpKey, NetbtParametersKey};
constexpr SavedItem Ttl{"Orig_ttl_TF", "Orig_ttl_Val", MstcpKey, TcpipParametersKey};

void SaveItem(const SavedItem& item, bool present, std::int32_t value) {
    SaveFlag(item.flag, present);
    SaveNumber(item.value, value);
}

// Gives an item its saved value back. True when it has nothing left to give
// back: the write worked, the system had no such value, or the value's key
// is gone. An entry that cannot be read, or a write that fails on a key that
// is there (no right to change the system keys), leaves it to the next
// restore. A number that cannot be read (-1) is never handed on as saved.
template <typename Write>
bool GiveBack(const SavedEntries& saved, const SavedItem& item, Write write) {
    const auto flag = saved.Flag(item.flag);
    if (!flag) return false;
    if (!*flag) return true;
    const auto value = saved.Number(item.value);
    if (!value) return false;
    return *value == -1 || write(*value) || KeyIsGone(Is9xFamily() ? item.key9x : item.keyNt);
}

bool ListsValue(RegistryKey& key, const std::string& name) {
    const auto names = key.ValueNames();
    return !names || std::any_of(names->begin(), names->end(),
                                 [&](const std::string& listed) { return CompareNames(listed, name) == 0; });
}

// Copies left by a saving cut short before its mark: they belong to no set.
void ForgetLooseCopies() {
    const SavedEntries saved;
    for (int index : saved.Indexes(HeldPrefix))
        for (const char* suffix : HeldSuffixes) DeleteRegistryValue(Record, ProgramKey, HeldEntry(index, suffix));
}

// Each value as it is, or that it is absent. A value that is there but will
// not be read, or a key that will not open but is there, gets no copy at
// all: kept as absent, restoring would delete it. The flag is written last,
// and only after the data, so a copy without its flag tells nothing.
void SaveCopies() {
    ForgetLooseCopies();
    auto& registry = ActiveRegistry();
    const auto values = ValuesAnApplyRunMayWrite();
    for (int index = 0; index < static_cast<int>(values.size()); ++index) {
        const auto& [path, name] = values[index];
        std::optional<RawValue> data;
        if (auto key = registry.OpenForReading(Machine, path)) {
            data = key->Query(name);
            if (!data && ListsValue(*key, name)) continue;
        } else if (!KeyIsGone(path)) {
            continue;
        }
        SaveText(HeldEntry(index, "_Key"), path);
        SaveText(HeldEntry(index, "_Name"), name);
        if (data && !SaveCopy(HeldEntry(index, "_Data"), *data)) continue;
        SaveFlag(HeldEntry(index, "_TF"), data.has_value());
    }
}

// Gives one value back as it was: its data, or deleted when the system did
// not have it. True when the copy has nothing left to give back.
bool GiveBackCopy(const SavedEntries& saved, int index) {
    const auto path = saved.Text(HeldEntry(index, "_Key"));
    const auto name = saved.Text(HeldEntry(index, "_Name"));
    const auto flag = saved.Raw(HeldEntry(index, "_TF"));
    if (!path || !name || !flag) return false;
    // A copy cut short when saving tells nothing: the system keeps what it has.
    if (!*flag || path->empty() || name->empty()) return true;
    const bool had = IntegerFrom(**flag).value_or(0) != 0;
    auto key = ActiveRegistry().OpenForWriting(Machine, *path, false);
    if (!key) return KeyIsGone(*path);
    if (!had) return key->Delete(*name) || !ValueExists(*key, *name);
    const auto data = saved.Raw(HeldEntry(index, "_Data"));
    if (!data) return false;
    return !*data || key->Set(*name, **data);
}

// A set with copies is given back by them alone; the entries kept beside
// them for the earlier program's sake have nothing more to give.
bool ForgetEntriesBesideCopies(const SavedEntries& saved) {
    bool gone = true;
    for (int index : saved.AdapterIndexes())
        gone = Forget(saved, {MtuEntry(index, "_TF"), MtuEntry(index, "_Val"), MtuEntry(index, "_Name")}) && gone;
    for (const SavedItem* item : {&Ndi, &Rwin, &Ska}) gone = Forget(saved, {item->flag, item->value}) && gone;
    return gone;
}

// Copies first given back and only then forgotten, once the entries beside
// them are gone: a set that still has any of those but no copies would be
// taken for one of the earlier program's.
bool RestoreCopies(const SavedEntries& saved, const std::set<int>& indexes) {
    std::vector<int> givenBack;
    for (int index : indexes)
        if (GiveBackCopy(saved, index)) givenBack.push_back(index);
    if (!ForgetEntriesBesideCopies(saved)) return false;
    for (int index : givenBack)
        Forget(saved, {HeldEntry(index, "_TF"), HeldEntry(index, "_Key"), HeldEntry(index, "_Name"),
                       HeldEntry(index, "_Data")});
    return true;
}

// The earlier program kept the 9x keep-alive as the number found, in the
// seconds Windows 9x counts in.
bool GiveBackKeepAlive(std::int32_t keepAlive) {
    if (!Is9xFamily()) return SetSystemKeepAlive(keepAlive);
    return keepAlive >= 1 &&
           SetRegistryValue(Machine, MstcpKey, false, std::to_string(keepAlive), "SessionKeepAlive", ValueKind::String);
}

}  // namespace

bool HasSavedOriginals() { return GetRegistryInteger(Record, ProgramKey, Ttl.flag) != -1; }

void SaveOriginalValues() {
    SaveCopies();
    // The entries the earlier program kept, with their meaning: a set saved
    // by it has only these, and restores from them.
    const bool family9x = Is9xFamily();
    if (family9x)
        SaveAdapters9x();
    else
        SaveAdaptersNt();

    SaveItem(Ndi, HasText(NdiCacheSizeKey, "default"), GetSystemNdiCacheSize());
    if (family9x) {
        SaveItem(Rwin, HasText(MstcpKey, "DefaultRcvWindow"), GetSystemRcvWindow());
        SaveItem(Ska, HasText(MstcpKey, "SessionKeepAlive"),
                 TextToInteger(GetRegistryString(Machine, MstcpKey, "SessionKeepAlive"), KeepAliveDefault));
        SaveItem(Ttl, HasText(MstcpKey, "DefaultTTL"), GetSystemTTL());
    } else {
        SaveItem(Rwin, HasNumber(TcpipParametersKey, "TCPWindowSize"), GetSystemRcvWindow());
        SaveItem(Ska, HasNumber(NetbtParametersKey, "SessionKeepAlive"), GetSystemKeepAlive());
        SaveItem(Ttl, HasNumber(TcpipParametersKey, "DefaultTTL"), GetSystemTTL());
    }
}

bool RestoreOriginalValues() {
    const SavedEntries saved;
    // Copies are given back all together or not at all: without a listing
    // of the record there is no telling which are there.
    if (!saved.Listed() && !GetRegistryString(Record, ProgramKey, HeldEntry(0, "_Key")).empty()) return false;
    if (const auto copies = saved.Indexes(HeldPrefix); !copies.empty()) {
        if (!RestoreCopies(saved, copies)) return false;
        return SavedEntries().HoldsOnly({Ttl.flag, Ttl.value}) && Forget(saved, {Ttl.flag, Ttl.value});
    }
    if (Is9xFamily())
        RestoreAdapters9x(saved);
    else
        RestoreAdaptersNt(saved);

    const auto restore = [&saved](const SavedItem& item, auto write) {
        if (GiveBack(saved, item, write)) Forget(saved, {item.flag, item.value});
    };
    restore(Ndi, [](std::int32_t ndi) { return SetSystemNdiCacheSize(false, std::to_string(ndi)); });
    restore(Rwin, SetSystemRcvWindow);
    restore(Ska, GiveBackKeepAlive);
    // Last: its flag tells that originals are saved, so it stays while any
    // other saved entry is left; else the next apply run would save the
    // changed values over the originals still kept.
    if (!GiveBack(saved, Ttl, SetSystemTTL)) return false;
    return SavedEntries().HoldsOnly({Ttl.flag, Ttl.value}) && Forget(saved, {Ttl.flag, Ttl.value});
}

}  // namespace brisbolt
