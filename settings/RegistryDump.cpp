#include "settings/RegistryDump.h"

#include <algorithm>
#include <sstream>

namespace brisbolt {

namespace {

std::string DescribeValue(const RawValue& value) {
    std::ostringstream out;
    if (value.type == RegSz) {
        auto end = std::find(value.data.begin(), value.data.end(), std::uint8_t{0});
        out << "sz:\"" << std::string(value.data.begin(), end) << '"';
        if (end == value.data.end() || end + 1 != value.data.end()) out << " (" << value.data.size() << " bytes)";
        return out.str();
    }
    if (value.type == RegDword && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = (number << 8) | value.data[i];
        out << "dword:" << number;
        return out.str();
    }
    out << "hex(" << value.type << "):";
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        if (i) out << ',';
        out << digits[value.data[i] >> 4] << digits[value.data[i] & 15];
    }
    return out.str();
}

void DumpKey(RegistryBackend& registry, RootKey root, const std::string& path, std::ostringstream& out) {
    auto key = registry.OpenForReading(root, path);
    if (!key) return;
    out << '[' << RootName(root) << '\\' << path << "]\n";
    auto names = key->ValueNames().value_or(std::vector<std::string>{});
    std::sort(names.begin(), names.end(), NameLess{});
    for (const auto& name : names) {
        auto value = key->Query(name);
        out << "  \"" << name << "\"=" << (value ? DescribeValue(*value) : std::string("<unreadable>")) << '\n';
    }
    auto subkeys = key->Subkeys().value_or(std::vector<std::string>{});
    std::sort(subkeys.begin(), subkeys.end(), NameLess{});
    key.reset();
    for (const auto& sub : subkeys) DumpKey(registry, root, path + '\\' + sub, out);
}

}  // namespace

std::string DumpKeyTree(RegistryBackend& registry, RootKey root, std::string_view path) {
    std::ostringstream out;
    DumpKey(registry, root, JoinKeyPath(SplitKeyPath(path)), out);
    return out.str();
}

}  // namespace brisbolt
