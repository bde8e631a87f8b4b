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

constexpr RootKey Machine = RootKey::LocalMachine;
// Where the saved set lives: the machine's, found by every user.
constexpr RootKey SetRoot = Machine;
constexpr const char* SetKey = OriginalsKey;
// Where an earlier Brisbolt kept it: the record of whoever first opened the
// wizard.
constexpr RootKey Record = RootKey::CurrentUser;

constexpr std::string_view SavedPrefix = "Orig_";
constexpr const char* Mark = "Orig_ttl_TF";
// Set when copies were added to a set that had only the earlier program's
// entries: those entries then still give back what they hold, and the
// copies only what they do not cover.
constexpr const char* AddedMark = "Orig_added";

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

bool IsSavedEntry(std::string_view name) {
    return name.size() > SavedPrefix.size() && CompareNames(name.substr(0, SavedPrefix.size()), SavedPrefix) == 0;
}

std::string FullName(RootKey root, std::string_view key, std::string_view name) {
    std::string full = std::string(RootName(root)) + "\\" + JoinKeyPath(SplitKeyPath(key));
    if (!name.empty()) full += "\\" + std::string(name);
    return full;
}

// The report of the restore under way, if its caller asked for one.
RestoreReport* report = nullptr;

// Notes the first value that could not be written back (or read, or
// removed from the set).
void NotWrittenBack(RootKey root, std::string_view key, std::string_view name) {
    if (report && report->notWrittenBack.empty()) report->notWrittenBack = FullName(root, key, name);
}
void NotWrittenBack(std::string_view key, std::string_view name) { NotWrittenBack(Machine, key, name); }

bool SaveFlag(const std::string& name, bool flag) {
    return SetRegistryValue(SetRoot, SetKey, true, flag, name, ValueKind::Boolean);
}

void SaveNumber(const std::string& name, std::int32_t number) {
    SetRegistryValue(SetRoot, SetKey, true, number, name, ValueKind::Integer);
}

bool SaveText(const std::string& name, const std::string& text) {
    return SetRegistryValue(SetRoot, SetKey, true, text, name, ValueKind::String);
}

bool SaveRaw(const std::string& name, const RawValue& value) {
    auto key = ActiveRegistry().OpenForWriting(SetRoot, SetKey, true);
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

bool KeyIsGone(std::string_view path);

// The set's saved entries as restoring reads them. An entry that is not
// there is told apart from one the registry would not hand over: only the
// first may count as "nothing saved", so a passing failure never costs the
// one copy of an original.
class SavedEntries {
public:
    SavedEntries() {
        if (auto key = ActiveRegistry().OpenForReading(SetRoot, SetKey)) {
            if (auto names = key->ValueNames()) names_.emplace(names->begin(), names->end());
        } else if (KeyIsGone(SetKey)) {
            // No set was ever saved here.
            names_.emplace();
        }
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
        auto key = ActiveRegistry().OpenForReading(SetRoot, SetKey);
        if (auto value = key ? key->Query(name) : std::nullopt) return {true, std::move(value)};
        if (names_ && !names_->contains(name) && (key || names_->empty())) return {true, std::nullopt};
        NotWrittenBack(SetRoot, SetKey, name);
        return {};
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
        if (!saved.Missing(name) && !DeleteRegistryValue(SetRoot, SetKey, name)) {
            NotWrittenBack(SetRoot, SetKey, name);
            return false;
        }
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
            return NotWrittenBack(key, "MaxMTU");
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
    if (interfaces == InterfacesState::Refused) return NotWrittenBack(InterfacesKey, "");
    const std::string path = InterfaceKey(*name);
    auto key = ActiveRegistry().OpenForWriting(Machine, path, false);
    if (!key) {
        if (KeyIsGone(path)) return ForgetAdapter(saved, index);
        return NotWrittenBack(path, "MaxMTU");
    }
    const auto mtu = saved.Number(MtuEntry(index, "_Val"));
    if (!mtu) return;
    if (IsValidMtu(*mtu)) {
        if (!WriteInteger(*key, "MaxMTU", *mtu)) return NotWrittenBack(path, "MaxMTU");
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
    GetRegistryValue(SetRoot, SetKey, ValueKind::Integer, value, MtuEntry(index, "_TF"));
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
    const char* name9x;
    const char* keyNt;
    const char* nameNt;
};
constexpr SavedItem Ndi{"Orig_ndi_TF", "Orig_ndi_Val", NdiCacheSizeKey, "default", NdiCacheSizeKey, "default"};
constexpr SavedItem Rwin{"Orig_rwin_TF",     "Orig_rwin_Val",    MstcpKey,
                         "DefaultRcvWindow", TcpipParametersKey, "TCPWindowSize"};
constexpr SavedItem Ska{"Orig_ska_TF",      "Orig_ska_Val",     MstcpKey,
                        "SessionKeepAlive", NetbtParametersKey, "SessionKeepAlive"};
constexpr SavedItem Ttl{"Orig_ttl_TF", "Orig_ttl_Val", MstcpKey, "DefaultTTL", TcpipParametersKey, "DefaultTTL"};

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
    const bool family9x = Is9xFamily();
    const char* key = family9x ? item.key9x : item.keyNt;
    if (*value == -1 || write(*value) || KeyIsGone(key)) return true;
    NotWrittenBack(key, family9x ? item.name9x : item.nameNt);
    return false;
}

bool ListsValue(RegistryKey& key, const std::string& name) {
    const auto names = key.ValueNames();
    return !names || std::any_of(names->begin(), names->end(),
                                 [&](const std::string& listed) { return CompareNames(listed, name) == 0; });
}

bool SameKey(std::string_view a, std::string_view b) {
    return CompareNames(JoinKeyPath(SplitKeyPath(a)), JoinKeyPath(SplitKeyPath(b))) == 0;
}

bool Marked(RootKey root, const char* key) { return GetRegistryInteger(root, key, Mark) != -1; }

// Copies left by a saving cut short before its mark: they belong to no set.
void ForgetLooseCopies() {
    const SavedEntries saved;
    for (int index : saved.Indexes(HeldPrefix))
        for (const char* suffix : HeldSuffixes) DeleteRegistryValue(SetRoot, SetKey, HeldEntry(index, suffix));
}

// Keeps one value as it is, or that it is absent, under the index. A value
// that is there but will not be read, or a key that will not open but is
// there, gets no copy at all: kept as absent, restoring would delete it. The
// flag is written last, and only after the data, so a copy without its flag
// tells nothing.
void SaveCopy(int index, const SystemValue& value) {
    std::optional<RawValue> data;
    if (auto key = ActiveRegistry().OpenForReading(Machine, value.key)) {
        data = key->Query(value.name);
        if (!data && ListsValue(*key, value.name)) return;
    } else if (!KeyIsGone(value.key)) {
        return;
    }
    SaveText(HeldEntry(index, "_Key"), value.key);
    SaveText(HeldEntry(index, "_Name"), value.name);
    if (data && !SaveRaw(HeldEntry(index, "_Data"), *data)) return;
    SaveFlag(HeldEntry(index, "_TF"), data.has_value());
}

void SaveCopies() {
    ForgetLooseCopies();
    const auto values = ValuesAnApplyRunMayWrite();
    for (int index = 0; index < static_cast<int>(values.size()); ++index) SaveCopy(index, values[index]);
}

// Whether the earlier program's entries stand for this value: what it may
// have changed before its set came here, on the keys its entries know. A
// copy taken now would keep its change. "MTU" and "Tcp1323Opts" it never
// wrote, nor anything on an adapter key its entries do not name.
bool CoveredByEntries(const SavedEntries& saved, const SystemValue& value) {
    if (CompareNames(value.name, "MTU") == 0 || CompareNames(value.name, "Tcp1323Opts") == 0) return false;
    for (int slot = 0; slot < NetTransSlots; ++slot)
        if (SameKey(value.key, NetTransKey(slot))) return saved.Flag(MtuEntry(slot, "_TF")).value_or(true);
    auto parts = SplitKeyPath(value.key);
    if (parts.empty()) return true;
    const std::string adapter = parts.back();
    parts.pop_back();
    if (!SameKey(JoinKeyPath(parts), InterfacesKey)) return true;
    const auto indexes = saved.AdapterIndexes();
    return std::any_of(indexes.begin(), indexes.end(), [&](int index) {
        const auto name = saved.Text(MtuEntry(index, "_Name"));
        return !name || CompareNames(*name, adapter) == 0;
    });
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
    bool back = false;
    if (!key) {
        back = KeyIsGone(*path);
    } else if (!had) {
        back = key->Delete(*name) || !ValueExists(*key, *name);
    } else {
        const auto data = saved.Raw(HeldEntry(index, "_Data"));
        if (!data) return false;
        back = !*data || key->Set(*name, **data);
    }
    if (!back) NotWrittenBack(*path, *name);
    return back;
}

bool ForgetCopy(const SavedEntries& saved, int index) {
    return Forget(saved, {HeldEntry(index, "_TF"), HeldEntry(index, "_Key"), HeldEntry(index, "_Name"),
                          HeldEntry(index, "_Data")});
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
    for (int index : givenBack) ForgetCopy(saved, index);
    return true;
}

// The earlier program kept the 9x keep-alive as the number found, in the
// seconds Windows 9x counts in.
bool GiveBackKeepAlive(std::int32_t keepAlive) {
    if (!Is9xFamily()) return SetSystemKeepAlive(keepAlive);
    return keepAlive >= 1 &&
           SetRegistryValue(Machine, MstcpKey, false, std::to_string(keepAlive), "SessionKeepAlive", ValueKind::String);
}

// Last: the mark tells that originals are saved, so it stays while any other
// saved entry is left; else the next apply run would save the changed
// values over the originals still kept.
bool ForgetMark(const SavedEntries& saved) {
    if (!SavedEntries().HoldsOnly({Ttl.flag, Ttl.value})) return false;
    return Forget(saved, {Ttl.flag, Ttl.value});
}

bool RestoreSet() {
    const SavedEntries saved;
    // Copies are given back all together or not at all: without a listing
    // of the set there is no telling which are there.
    if (!saved.Listed() && !GetRegistryString(SetRoot, SetKey, HeldEntry(0, "_Key")).empty()) return false;
    const auto copies = saved.Indexes(HeldPrefix);
    const bool added = !copies.empty() && !saved.Missing(AddedMark);
    if (!copies.empty() && !added) return RestoreCopies(saved, copies) && ForgetMark(saved);
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
    // Copies taken of what the earlier program's entries do not cover.
    if (added) {
        bool all = true;
        for (int index : copies) all = GiveBackCopy(saved, index) && ForgetCopy(saved, index) && all;
        if (all) Forget(saved, {AddedMark});
    }
    return GiveBack(saved, Ttl, SetSystemTTL) && ForgetMark(saved);
}

std::vector<std::string> SavedNames(RootKey root, const char* path) {
    std::vector<std::string> names;
    if (auto key = ActiveRegistry().OpenForReading(root, path))
        for (auto& name : key->ValueNames().value_or(std::vector<std::string>{}))
            if (IsSavedEntry(name)) names.push_back(std::move(name));
    return names;
}

// An earlier Brisbolt kept the set in the record of whoever first opened the
// wizard, where no other user, and no uninstall run by one, finds it. It
// moves to the machine the first time it is seen, all of it, its mark last.
// A set the machine has already stays: the user's went unseen while that one
// was saved (or moved here), so it is no newer, and may hold values already
// changed. The user's then goes.
void MoveEarlierSet() {
    if (!Marked(Record, ProgramKey)) return;
    const auto names = SavedNames(Record, ProgramKey);
    if (!Marked(SetRoot, SetKey)) {
        // Whatever a saving cut short left there belongs to no set.
        for (const auto& name : SavedNames(SetRoot, SetKey)) DeleteRegistryValue(SetRoot, SetKey, name);
        auto from = ActiveRegistry().OpenForReading(Record, ProgramKey);
        auto to = ActiveRegistry().OpenForWriting(SetRoot, SetKey, true);
        if (!from || !to) return;
        std::optional<RawValue> mark;
        for (const auto& name : names) {
            auto value = from->Query(name);
            if (!value) return;
            if (CompareNames(name, Mark) == 0)
                mark = std::move(value);
            else if (!to->Set(name, *value))
                return;
        }
        if (!mark || !to->Set(Mark, *mark)) return;
    }
    // The mark first: a record left halfway is no set any more.
    if (!DeleteRegistryValue(Record, ProgramKey, Mark)) return;
    for (const auto& name : names) DeleteRegistryValue(Record, ProgramKey, name);
}

}  // namespace

bool HasSavedOriginals() {
    MoveEarlierSet();
    // A set the machine refused stays in the record, and counts.
    return Marked(SetRoot, SetKey) || Marked(Record, ProgramKey);
}

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

void SaveOriginalsOfNewValues() {
    if (!HasSavedOriginals()) return SaveOriginalValues();
    // A set the machine would not take stays where it was: this user may not
    // write there, and so not the system keys either.
    if (!Marked(SetRoot, SetKey)) return;
    const SavedEntries saved;
    if (!saved.Listed()) return;
    const std::set<int> copies = saved.Indexes(HeldPrefix);
    // The earlier program's entries stand for what they cover where the set
    // has no copies of its own, or has copies only added to them.
    const bool entries = copies.empty() || !saved.Missing(AddedMark);
    std::vector<SystemValue> copied;
    for (int index : copies) {
        const auto key = saved.Text(HeldEntry(index, "_Key"));
        const auto name = saved.Text(HeldEntry(index, "_Name"));
        const auto flag = saved.Raw(HeldEntry(index, "_TF"));
        // Not knowing what is kept, add nothing rather than a second copy.
        if (!key || !name || !flag) return;
        if (*flag) copied.push_back({*key, *name});
    }
    int next = copies.empty() ? 0 : *copies.rbegin() + 1;
    bool marked = !copies.empty();
    for (const auto& value : ValuesAnApplyRunMayWrite()) {
        const bool kept = std::any_of(copied.begin(), copied.end(), [&](const SystemValue& copy) {
            return SameKey(copy.key, value.key) && CompareNames(copy.name, value.name) == 0;
        });
        if (kept || (entries && CoveredByEntries(saved, value))) continue;
        if (!marked && !(marked = SaveFlag(AddedMark, true))) return;
        SaveCopy(next++, value);
    }
}

bool RestoreOriginalValues(RestoreReport* out) {
    RestoreReport run;
    report = &run;
    const unsigned long refusals = RightsRefusals();
    MoveEarlierSet();
    run.hadSet = Marked(SetRoot, SetKey) || Marked(Record, ProgramKey);
    // A set that could not be moved to the machine cannot be given back
    // from there either.
    const bool done = !Marked(Record, ProgramKey) && RestoreSet();
    if (!done) {
        run.refusedForRights = RightsRefusals() != refusals;
        NotWrittenBack(SetRoot, SetKey, "");
    }
    report = nullptr;
    if (out) *out = run;
    return done;
}

}  // namespace brisbolt
