#include "settings/Registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace brisbolt {

std::vector<std::string> SplitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinKeyPath(const std::vector<std::string>& parts) {
    std::string joined;
    for (const auto& part : parts) {
        if (!joined.empty()) joined += '\\';
        joined += part;
    }
    return joined;
}

int CompareNames(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool ValueExists(RegistryKey& key, const std::string& name) { return key.Query(name).has_value(); }

std::optional<std::string> StringFrom(const RawValue& value) {
    if (value.type != RegSz && value.type != RegExpandSz) return std::nullopt;
    const auto end = std::find(value.data.begin(), value.data.end(), std::uint8_t{0});
    return std::string(value.data.begin(), end);
}

std::optional<std::int32_t> IntegerFrom(const RawValue& value) {
    if (value.type != RegDword || value.data.size() != 4) return std::nullopt;
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[i];
    return static_cast<std::int32_t>(number);
}

std::optional<std::string> ReadString(RegistryKey& key, const std::string& name) {
    auto value = key.Query(name);
    if (!value) return std::nullopt;
    return StringFrom(*value);
}

std::optional<std::int32_t> ReadInteger(RegistryKey& key, const std::string& name) {
    auto value = key.Query(name);
    if (!value) return std::nullopt;
    return IntegerFrom(*value);
}

std::optional<bool> ReadBool(RegistryKey& key, const std::string& name) {
    auto number = ReadInteger(key, name);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<double> ReadDateTime(RegistryKey& key, const std::string& name) {
    auto value = key.Query(name);
    if (!value || value->type != RegBinary || value->data.size() != sizeof(double)) return std::nullopt;
    double stamp = 0;
    std::memcpy(&stamp, value->data.data(), sizeof stamp);
    return stamp;
}

RawValue StringValue(std::string_view text, std::uint32_t type) {
    RawValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    return value;
}

RawValue DwordValue(std::uint32_t number) {
    RawValue value{RegDword, {}};
    for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return value;
}

bool WriteString(RegistryKey& key, const std::string& name, std::string_view text) {
    return key.Set(name, StringValue(text));
}

bool WriteInteger(RegistryKey& key, const std::string& name, std::int32_t number) {
    return key.Set(name, DwordValue(static_cast<std::uint32_t>(number)));
}

bool WriteBool(RegistryKey& key, const std::string& name, bool flag) { return WriteInteger(key, name, flag ? 1 : 0); }

bool WriteDateTime(RegistryKey& key, const std::string& name, double stamp) {
    RawValue value{RegBinary, std::vector<std::uint8_t>(sizeof stamp)};
    std::memcpy(value.data.data(), &stamp, sizeof stamp);
    return key.Set(name, value);
}

bool KeyExists(RegistryBackend& registry, RootKey root, std::string_view path) {
    return registry.OpenForWriting(root, path, false) != nullptr;
}

namespace {
unsigned long rightsRefusals = 0;
}  // namespace

unsigned long RightsRefusals() { return rightsRefusals; }

void NoteRightsRefused() { ++rightsRefusals; }

const char* RootName(RootKey root) { return root == RootKey::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE"; }

}  // namespace brisbolt
