#include "settings/SavedSet.h"

#include "settings/RegistryCalls.h"

namespace brisbolt::saved {

namespace {
RestoreReport* report = nullptr;

std::string FullName(RootKey root, std::string_view key, std::string_view name) {
    std::string full = std::string(RootName(root)) + "\\" + JoinKeyPath(SplitKeyPath(key));
    if (!name.empty()) full += "\\" + std::string(name);
    return full;
}
}  // namespace

bool IsSavedEntry(std::string_view name) {
    return name.size() > SavedPrefix.size() && CompareNames(name.substr(0, SavedPrefix.size()), SavedPrefix) == 0;
}

bool Marked(RootKey root, const char* key) { return GetRegistryInteger(root, key, Mark) != -1; }

bool SameKey(std::string_view a, std::string_view b) {
    return CompareNames(JoinKeyPath(SplitKeyPath(a)), JoinKeyPath(SplitKeyPath(b))) == 0;
}

void ReportTo(RestoreReport* to) { report = to; }

void NotWrittenBack(RootKey root, std::string_view key, std::string_view name) {
    if (report && report->notWrittenBack.empty()) report->notWrittenBack = FullName(root, key, name);
}
void NotWrittenBack(std::string_view key, std::string_view name) { NotWrittenBack(Machine, key, name); }

bool SaveFlag(const std::string& name, bool flag) {
    return SetRegistryValue(SetRoot, SetKey, true, flag, name, ValueKind::Boolean);
}

bool SaveNumber(const std::string& name, std::int32_t number) {
    return SetRegistryValue(SetRoot, SetKey, true, number, name, ValueKind::Integer);
}

bool SaveText(const std::string& name, const std::string& text) {
    return SetRegistryValue(SetRoot, SetKey, true, text, name, ValueKind::String);
}

bool SaveRaw(const std::string& name, const RawValue& value) {
    auto key = ActiveRegistry().OpenForWriting(SetRoot, SetKey, true);
    return key && key->Set(name, value);
}

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

bool Forget(const SavedEntries& saved, std::initializer_list<std::string> names) {
    for (const auto& name : names)
        if (!saved.Missing(name) && !DeleteRegistryValue(SetRoot, SetKey, name)) {
            NotWrittenBack(SetRoot, SetKey, name);
            return false;
        }
    return true;
}

}  // namespace brisbolt::saved
