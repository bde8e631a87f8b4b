#include "settings/EarlierEntries.h"

#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"

namespace brisbolt::saved {

namespace {

constexpr std::string_view AdapterPrefix = "Orig_mtu";

std::string MtuEntry(int index, const char* suffix) {
    return std::string(AdapterPrefix) + std::to_string(index) + suffix;
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
    // Listed through a key opened for reading: a user who may not write the
    // system keys still saves what is there.
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
    std::set<int> slots = AdapterIndexes(saved);
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
    std::set<int> indexes = AdapterIndexes(saved);
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
constexpr SavedItem Ttl{TtlFlag, TtlValue, MstcpKey, "DefaultTTL", TcpipParametersKey, "DefaultTTL"};

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

// The earlier program kept the 9x keep-alive as the number found, in the
// seconds Windows 9x counts in.
bool GiveBackKeepAlive(std::int32_t keepAlive) {
    if (!Is9xFamily()) return SetSystemKeepAlive(keepAlive);
    return keepAlive >= 1 &&
           SetRegistryValue(Machine, MstcpKey, false, std::to_string(keepAlive), "SessionKeepAlive", ValueKind::String);
}

}  // namespace

std::set<int> AdapterIndexes(const SavedEntries& saved) { return saved.Indexes(AdapterPrefix); }

void SaveEntries() {
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

void RestoreEntries(const SavedEntries& saved) {
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
}

bool GiveBackTtl(const SavedEntries& saved) { return GiveBack(saved, Ttl, SetSystemTTL); }

bool ForgetEntriesBesideCopies(const SavedEntries& saved) {
    bool gone = true;
    for (int index : AdapterIndexes(saved))
        gone = Forget(saved, {MtuEntry(index, "_TF"), MtuEntry(index, "_Val"), MtuEntry(index, "_Name")}) && gone;
    for (const SavedItem* item : {&Ndi, &Rwin, &Ska}) gone = Forget(saved, {item->flag, item->value}) && gone;
    return gone;
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
    const auto indexes = AdapterIndexes(saved);
    return std::any_of(indexes.begin(), indexes.end(), [&](int index) {
        const auto name = saved.Text(MtuEntry(index, "_Name"));
        return !name || CompareNames(*name, adapter) == 0;
    });
}

}  // namespace brisbolt::saved
