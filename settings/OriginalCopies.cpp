#include "settings/OriginalCopies.h"

#include "settings/RegistryCalls.h"

namespace brisbolt::saved {

namespace {
constexpr std::string_view HeldPrefix = "Orig_reg";
constexpr const char* HeldSuffixes[] = {"_Key", "_Name", "_Data", "_TF"};

bool ListsValue(RegistryKey& key, const std::string& name) {
    const auto names = key.ValueNames();
    return !names || std::any_of(names->begin(), names->end(),
                                 [&](const std::string& listed) { return CompareNames(listed, name) == 0; });
}

}  // namespace

std::string HeldEntry(int index, const char* suffix) {
    return std::string(HeldPrefix) + std::to_string(index) + suffix;
}

std::set<int> CopyIndexes(const SavedEntries& saved) { return saved.Indexes(HeldPrefix); }

void ForgetLooseCopies() {
    const SavedEntries saved;
    for (int index : CopyIndexes(saved))
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

std::optional<std::vector<SystemValue>> CopiedValues(const SavedEntries& saved) {
    std::vector<SystemValue> copied;
    for (int index : CopyIndexes(saved)) {
        const auto key = saved.Text(HeldEntry(index, "_Key"));
        const auto name = saved.Text(HeldEntry(index, "_Name"));
        const auto flag = saved.Raw(HeldEntry(index, "_TF"));
        if (!key || !name || !flag) return std::nullopt;
        // A copy cut short before its flag keeps nothing.
        if (*flag) copied.push_back({*key, *name});
    }
    return copied;
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

}  // namespace brisbolt::saved
