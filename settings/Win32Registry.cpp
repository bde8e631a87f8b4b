#include "settings/Win32Registry.h"

#include "runtime/Win32Handles.h"

namespace brisbolt {

namespace {

// Every failing call goes through here, so that a refusal for rights is told
// apart from the others.
LONG Noted(LONG rc) {
    if (rc == ERROR_ACCESS_DENIED) NoteRightsRefused();
    return rc;
}

HKEY RootHandle(RootKey root) { return root == RootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

class Win32Key final : public RegistryKey {
public:
    explicit Win32Key(UniqueRegKey key) : key_(std::move(key)) {}

    [[nodiscard]] std::optional<RawValue> Query(const std::string& name) override {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        RawValue value{type, std::vector<std::uint8_t>(size)};
        // The value may grow between the two calls; ask again until it fits.
        for (;;) {
            size = static_cast<DWORD>(value.data.size());
            LONG rc = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                       value.data.empty() ? nullptr : value.data.data(), &size);
            if (rc == ERROR_MORE_DATA) {
                value.data.resize(size);
                continue;
            }
            if (rc != ERROR_SUCCESS) return std::nullopt;
            value.type = type;
            value.data.resize(size);
            return value;
        }
    }

    [[nodiscard]] bool Set(const std::string& name, const RawValue& value) override {
        // Windows 9x measures text values itself and needs a real pointer,
        // even for an empty value.
        static const BYTE nothing[1] = {0};
        const BYTE* bytes = value.data.empty() ? nothing : value.data.data();
        return Noted(RegSetValueExA(key_.get(), name.c_str(), 0, value.type, bytes,
                                    static_cast<DWORD>(value.data.size()))) == ERROR_SUCCESS;
    }

    [[nodiscard]] bool Delete(const std::string& name) override {
        return Noted(RegDeleteValueA(key_.get(), name.c_str())) == ERROR_SUCCESS;
    }

    [[nodiscard]] std::optional<std::vector<std::string>> Subkeys() override {
        DWORD count = 0;
        DWORD longest = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        return Names(count, longest, [this](DWORD i, char* name, DWORD* length) {
            return RegEnumKeyExA(key_.get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

    [[nodiscard]] std::optional<std::vector<std::string>> ValueNames() override {
        DWORD count = 0;
        DWORD longest = 0;
        if (RegQueryInfoKeyA(key_.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return std::nullopt;
        return Names(count, longest, [this](DWORD i, char* name, DWORD* length) {
            return RegEnumValueA(key_.get(), i, name, length, nullptr, nullptr, nullptr, nullptr);
        });
    }

private:
    // Lists `count` names of at most `longest` characters; a list that
    // changes under us ends early.
    template <typename Enumerate>
    static std::vector<std::string> Names(DWORD count, DWORD longest, Enumerate enumerate) {
        std::vector<std::string> names;
        std::vector<char> buffer(longest + 1);
        for (DWORD i = 0; i < count; ++i) {
            DWORD length = static_cast<DWORD>(buffer.size());
            if (enumerate(i, buffer.data(), &length) != ERROR_SUCCESS) break;
            names.emplace_back(buffer.data(), length);
        }
        return names;
    }

    UniqueRegKey key_;
};

std::string NativePath(std::string_view path) { return JoinKeyPath(SplitKeyPath(path)); }

bool DeleteTree(HKEY parent, const std::string& path) {
    {
        UniqueRegKey key;
        if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return false;
        Win32Key listing(std::move(key));
        for (const auto& sub : listing.Subkeys().value_or(std::vector<std::string>{}))
            DeleteTree(parent, path + '\\' + sub);
    }
    return RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

KeyHandle Win32Registry::OpenForReading(RootKey root, std::string_view path) {
    UniqueRegKey key;
    if (Noted(RegOpenKeyExA(RootHandle(root), NativePath(path).c_str(), 0, KEY_READ, key.put())) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(std::move(key));
}

KeyHandle Win32Registry::OpenForWriting(RootKey root, std::string_view path, bool create) {
    UniqueRegKey key;
    const std::string native = NativePath(path);
    LONG rc;
    if (create) {
        DWORD disposition = 0;
        rc = RegCreateKeyExA(RootHandle(root), native.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, key.put(), &disposition);
    } else {
        rc = RegOpenKeyExA(RootHandle(root), native.c_str(), 0, KEY_ALL_ACCESS, key.put());
    }
    if (Noted(rc) != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32Key>(std::move(key));
}

bool Win32Registry::DeleteKeyTree(RootKey root, std::string_view path) {
    const std::string native = NativePath(path);
    if (native.empty()) return false;
    return DeleteTree(RootHandle(root), native);
}

}  // namespace brisbolt
