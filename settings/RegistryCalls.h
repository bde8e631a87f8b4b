// The generic registry routines every settings access goes through, and the
// classification of the running Windows version.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "settings/Registry.h"

namespace brisbolt {

// The four kinds of value the routines move.
enum class ValueKind { Integer, DateTime, Boolean, String };

// A tagged value; monostate is the kind-less empty value.
using RegistryValue = std::variant<std::monostate, std::int32_t, double, bool, std::string>;

// The registry every routine works on: the system's own unless replaced.
RegistryBackend& ActiveRegistry();
// Replaces it (nullptr brings back the default); returns the one before.
RegistryBackend* SetActiveRegistry(RegistryBackend* registry);
// The build's own registry: the Windows registry, or a store in memory.
RegistryBackend& DefaultRegistry();

// Reads `name` under root + path as `kind`; on any failure the kind's default
// (-1, 0.0, false, empty text) is stored in `value`.
void GetRegistryValue(RootKey root, std::string_view path, ValueKind kind, RegistryValue& value,
                      const std::string& name);
// Writes `value` as `kind`; false when the key cannot be opened (or created)
// or the write fails. Nothing is written then.
bool SetRegistryValue(RootKey root, std::string_view path, bool create, const RegistryValue& value,
                      const std::string& name, ValueKind kind);
// Deletes a value of an existing key; false when key or value is missing.
bool DeleteRegistryValue(RootKey root, std::string_view path, const std::string& name);
// True when the key can be opened with full access.
bool RegistryKeyExists(RootKey root, std::string_view path);

// Typed shorthands over GetRegistryValue.
std::int32_t GetRegistryInteger(RootKey root, std::string_view path, const std::string& name);
bool GetRegistryBoolean(RootKey root, std::string_view path, const std::string& name);
std::string GetRegistryString(RootKey root, std::string_view path, const std::string& name);

// "text to integer, else default": a decimal integer with an optional sign,
// in range of a 32-bit integer; anything else gives the fallback.
std::int32_t TextToInteger(std::string_view text, std::int32_t fallback);

// Windows version code: 0 not determined, 2 Windows 95, 3 Windows 98,
// 4 Windows Me, 5 Windows NT, 6 Windows 2000, 7 Windows XP (and XP x64 and
// Server 2003, whose TCP/IP is XP's), 8 Vista and every later Windows.
extern std::uint8_t WindowsVersion;
// Vista and later tune TCP/IP themselves and ignore most of what Brisbolt
// would write: the program changes nothing there.
inline constexpr std::uint8_t LaterWindows = 8;

struct SystemVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t platform = 0;  // 1 = Windows 9x, 2 = NT
};

// Classifies the running system and updates WindowsVersion; an unknown
// system or a failed query leaves it unchanged. Returns the code.
std::uint8_t GetWindowsVersion();
// True for Windows 95, 98 and Me; every other code, 0 included, is NT.
bool Is9xFamily();
// True for Vista and later (LaterWindows).
bool IsLaterWindows();
// The code a version maps to, or empty when it maps to none.
std::optional<std::uint8_t> ClassifyVersion(const SystemVersion& version);

// Where GetWindowsVersion learns the version: the system's own query unless
// replaced (tests do). Returns the source before.
using VersionSource = std::optional<SystemVersion> (*)();
VersionSource SetVersionSource(VersionSource source);
std::optional<SystemVersion> QuerySystemVersion();

}  // namespace brisbolt
