// The saved set's place, and the reading, writing and forgetting of its
// entries: the exact copies and the earlier program's entries share them.
#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "settings/OriginalValues.h"
#include "settings/Registry.h"
#include "settings/RegistryCalls.h"

namespace brisbolt::saved {

inline constexpr RootKey Machine = RootKey::LocalMachine;
// Where the set lives: the machine's, found by every user.
inline constexpr RootKey SetRoot = Machine;
inline constexpr const char* SetKey = OriginalsKey;
// Where an earlier Brisbolt kept it: the record of whoever first opened the
// wizard.
inline constexpr RootKey Record = RootKey::CurrentUser;

inline constexpr std::string_view SavedPrefix = "Orig_";
// Its existence, whatever it holds, marks a saved set.
inline constexpr const char* Mark = "Orig_ttl_TF";
// Set when copies were added to a set that had only the earlier program's
// entries: those entries then still give back what they hold, and the
// copies only what they do not cover.
inline constexpr const char* AddedMark = "Orig_added";

bool IsSavedEntry(std::string_view name);
bool Marked(RootKey root, const char* key);
bool SameKey(std::string_view a, std::string_view b);

// The restore under way notes into this report; nullptr when none is kept.
void ReportTo(RestoreReport* report);
// Notes the first value that could not be written back (or read, or
// removed from the set).
void NotWrittenBack(RootKey root, std::string_view key, std::string_view name);
void NotWrittenBack(std::string_view key, std::string_view name);

bool SaveFlag(const std::string& name, bool flag);
bool SaveNumber(const std::string& name, std::int32_t number);
bool SaveText(const std::string& name, const std::string& text);
bool SaveRaw(const std::string& name, const RawValue& value);

// A key known to be gone, so whatever was saved for it has nowhere to go:
// it cannot be opened and the key above it lists no such subkey (or is gone
// itself). The key-exists routine cannot tell this apart from a key the user
// may not write to, whose original must wait for the rights.
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
    // Known not to be in the set.
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

// Removes an entry's values, the flag first: a flag left without its saved
// number would read as "no MTU saved" and cost the adapter its value. One
// that cannot be deleted stops the rest for the next restore. True once all
// are gone.
bool Forget(const SavedEntries& saved, std::initializer_list<std::string> names);

}  // namespace brisbolt::saved
