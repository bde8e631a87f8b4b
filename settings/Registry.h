// The registry as the program sees it: two roots, keys addressed by path,
// typed named values. Two backends implement it: the real Win32 registry and
// an in-memory store with the same rules.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brisbolt {

enum class RootKey { CurrentUser, LocalMachine };

// Registry value types, numbered as Windows numbers them.
enum RegType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegMultiSz = 7,
};

struct RawValue {
    std::uint32_t type = RegNone;
    std::vector<std::uint8_t> data;

    bool operator==(const RawValue&) const = default;
};

// An open key. Destroying it closes it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // The value's type and bytes; empty when it is missing or cannot be read.
    [[nodiscard]] virtual std::optional<RawValue> Query(const std::string& name) = 0;
    [[nodiscard]] virtual bool Set(const std::string& name, const RawValue& value) = 0;
    // False when the value is missing or the deletion is refused.
    [[nodiscard]] virtual bool Delete(const std::string& name) = 0;
    // Direct subkeys in enumeration order; empty optional when refused.
    [[nodiscard]] virtual std::optional<std::vector<std::string>> Subkeys() = 0;
    // Value names in enumeration order (used by fixtures and dumps).
    [[nodiscard]] virtual std::optional<std::vector<std::string>> ValueNames() = 0;
};

using KeyHandle = std::unique_ptr<RegistryKey>;

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // Read access only; never creates.
    virtual KeyHandle OpenForReading(RootKey root, std::string_view path) = 0;
    // Full access; with create set, every missing key along the path is made.
    virtual KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) = 0;
    // Removes a key with everything below it. Fixtures and tests use it;
    // the program itself never deletes keys.
    [[nodiscard]] virtual bool DeleteKeyTree(RootKey root, std::string_view path) = 0;
};

// A path taken from the root: a leading backslash and empty elements are
// dropped, so "\A\B" and "A\B" name the same key.
std::vector<std::string> SplitKeyPath(std::string_view path);
std::string JoinKeyPath(const std::vector<std::string>& parts);

// Case-insensitive name comparison in the order the registry lists subkeys
// (letters folded to lower case, so "_x" comes before "A").
int CompareNames(std::string_view a, std::string_view b);
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareNames(a, b) < 0; }
};

// The typed operations on an open key, the same for every backend.
[[nodiscard]] bool ValueExists(RegistryKey& key, const std::string& name);
[[nodiscard]] std::optional<std::string> ReadString(RegistryKey& key, const std::string& name);
[[nodiscard]] std::optional<std::int32_t> ReadInteger(RegistryKey& key, const std::string& name);
[[nodiscard]] std::optional<bool> ReadBool(RegistryKey& key, const std::string& name);
[[nodiscard]] std::optional<double> ReadDateTime(RegistryKey& key, const std::string& name);
[[nodiscard]] bool WriteString(RegistryKey& key, const std::string& name, std::string_view text);
[[nodiscard]] bool WriteInteger(RegistryKey& key, const std::string& name, std::int32_t number);
[[nodiscard]] bool WriteBool(RegistryKey& key, const std::string& name, bool flag);
[[nodiscard]] bool WriteDateTime(RegistryKey& key, const std::string& name, double stamp);

// The same readings of a value already queried.
[[nodiscard]] std::optional<std::string> StringFrom(const RawValue& value);
[[nodiscard]] std::optional<std::int32_t> IntegerFrom(const RawValue& value);

// "key exists": the key can be opened with full access.
[[nodiscard]] bool KeyExists(RegistryBackend& registry, RootKey root, std::string_view path);

RawValue StringValue(std::string_view text, std::uint32_t type = RegSz);
RawValue DwordValue(std::uint32_t number);

const char* RootName(RootKey root);

// How many registry operations have been refused for want of rights (access
// denied) since the program started. A caller that must tell a refusal from
// other failures compares the count before and after. Backends note them.
unsigned long RightsRefusals();
void NoteRightsRefused();

}  // namespace brisbolt
