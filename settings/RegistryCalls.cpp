#include "settings/RegistryCalls.h"

#include <charconv>
#include <limits>
#include <utility>

#include "runtime/Dialogs.h"

namespace brisbolt {

std::uint8_t WindowsVersion = 0;

namespace {
RegistryBackend* activeRegistry = nullptr;
VersionSource versionSource = nullptr;

RegistryValue DefaultFor(ValueKind kind) {
    switch (kind) {
        case ValueKind::Integer: return std::int32_t{-1};
        case ValueKind::DateTime: return 0.0;
        case ValueKind::Boolean: return false;
        case ValueKind::String: return std::string();
    }
    return std::monostate{};
}

bool IsKnownKind(ValueKind kind) {
    return kind == ValueKind::Integer || kind == ValueKind::DateTime || kind == ValueKind::Boolean ||
           kind == ValueKind::String;
}

bool ReadAs(RegistryKey& key, ValueKind kind, const std::string& name, RegistryValue& value) {
    switch (kind) {
        case ValueKind::Integer:
            if (auto v = ReadInteger(key, name)) return value = *v, true;
            return false;
        case ValueKind::DateTime:
            if (auto v = ReadDateTime(key, name)) return value = *v, true;
            return false;
        case ValueKind::Boolean:
            if (auto v = ReadBool(key, name)) return value = *v, true;
            return false;
        case ValueKind::String:
            if (auto v = ReadString(key, name)) return value = std::move(*v), true;
            return false;
    }
    return false;
}

// A value whose alternative does not fit the kind is refused, never converted.
bool WriteAs(RegistryKey& key, ValueKind kind, const std::string& name, const RegistryValue& value) {
    switch (kind) {
        case ValueKind::Integer:
            if (auto v = std::get_if<std::int32_t>(&value)) return WriteInteger(key, name, *v);
            return false;
        case ValueKind::DateTime:
            if (auto v = std::get_if<double>(&value)) return WriteDateTime(key, name, *v);
            return false;
        case ValueKind::Boolean:
            if (auto v = std::get_if<bool>(&value)) return WriteBool(key, name, *v);
            return false;
        case ValueKind::String:
            if (auto v = std::get_if<std::string>(&value)) return WriteString(key, name, *v);
            return false;
    }
    return false;
}
}  // namespace

RegistryBackend& ActiveRegistry() { return activeRegistry ? *activeRegistry : DefaultRegistry(); }

RegistryBackend* SetActiveRegistry(RegistryBackend* registry) { return std::exchange(activeRegistry, registry); }

void GetRegistryValue(RootKey root, std::string_view path, ValueKind kind, RegistryValue& value,
                      const std::string& name) {
    if (!IsKnownKind(kind)) {
        ShowMessage("GetRegistryValue: unexpected var type");
        value = std::monostate{};
        return;
    }
    auto key = ActiveRegistry().OpenForReading(root, path);
    if (key && ValueExists(*key, name) && ReadAs(*key, kind, name, value)) return;
    value = DefaultFor(kind);
}

bool SetRegistryValue(RootKey root, std::string_view path, bool create, const RegistryValue& value,
                      const std::string& name, ValueKind kind) {
    if (!IsKnownKind(kind)) {
        ShowMessage("SetRegistryValue: unexpected var type");
        return false;
    }
    auto key = ActiveRegistry().OpenForWriting(root, path, create);
    return key && WriteAs(*key, kind, name, value);
}

bool DeleteRegistryValue(RootKey root, std::string_view path, const std::string& name) {
    if (!RegistryKeyExists(root, path)) return false;
    auto key = ActiveRegistry().OpenForWriting(root, path, false);
    return key && key->Delete(name);
}

bool RegistryKeyExists(RootKey root, std::string_view path) { return KeyExists(ActiveRegistry(), root, path); }

std::int32_t GetRegistryInteger(RootKey root, std::string_view path, const std::string& name) {
    RegistryValue value;
    GetRegistryValue(root, path, ValueKind::Integer, value, name);
    return std::get<std::int32_t>(value);
}

bool GetRegistryBoolean(RootKey root, std::string_view path, const std::string& name) {
    RegistryValue value;
    GetRegistryValue(root, path, ValueKind::Boolean, value, name);
    return std::get<bool>(value);
}

std::string GetRegistryString(RootKey root, std::string_view path, const std::string& name) {
    RegistryValue value;
    GetRegistryValue(root, path, ValueKind::String, value, name);
    return std::get<std::string>(std::move(value));
}

std::int32_t TextToInteger(std::string_view text, std::int32_t fallback) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return fallback;
    }
    std::int32_t number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, 10);
    if (error != std::errc() || end != text.data() + text.size()) return fallback;
    return number;
}

std::optional<std::uint8_t> ClassifyVersion(const SystemVersion& v) {
    if (v.major == 3) return 5;
    if (v.major == 4) {
        switch (v.minor) {
            case 0:
                if (v.platform == 1) return 2;
                if (v.platform == 2) return 5;
                return std::nullopt;
            case 10: return 3;
            case 51: return 5;
            case 90: return 4;
            default: return std::nullopt;
        }
    }
    if (v.major == 5 && v.minor == 0) return 6;
    if (v.major == 5 && v.minor == 1) return 7;
    // XP x64 and Server 2003: the stack and the values of XP.
    if (v.major == 5 && v.minor == 2) return 7;
    // Vista (6.0) to 8.1 (6.3), 10 and 11 (10.0), and whatever comes after.
    if (v.major >= 6 && v.platform == 2) return LaterWindows;
    return std::nullopt;
}

VersionSource SetVersionSource(VersionSource source) { return std::exchange(versionSource, source); }

std::uint8_t GetWindowsVersion() {
    auto version = versionSource ? versionSource() : QuerySystemVersion();
    if (version) {
        if (auto code = ClassifyVersion(*version)) WindowsVersion = *code;
    }
    return WindowsVersion;
}

bool Is9xFamily() { return WindowsVersion >= 2 && WindowsVersion <= 4; }

bool IsLaterWindows() { return WindowsVersion == LaterWindows; }

}  // namespace brisbolt
