// The registry under test, except that it will not hand over one value, or,
// with refuseWrite, will not store it (as for a user without the right to,
// or a value the system holds on to).
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "settings/Registry.h"

namespace brisbolt::test {

class RefusingOneValue final : public RegistryBackend {
public:
    RefusingOneValue(RegistryBackend& inner, std::string refused, bool refuseWrite = false)
        : inner_(inner), refused_(std::move(refused)), refuseWrite_(refuseWrite) {}

    KeyHandle OpenForReading(RootKey root, std::string_view path) override {
        return Wrap(inner_.OpenForReading(root, path));
    }
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override {
        return Wrap(inner_.OpenForWriting(root, path, create));
    }
    bool DeleteKeyTree(RootKey root, std::string_view path) override { return inner_.DeleteKeyTree(root, path); }

private:
    class Key final : public RegistryKey {
    public:
        Key(KeyHandle inner, const std::string& refused, bool refuseWrite)
            : inner_(std::move(inner)), refused_(refused), refuseWrite_(refuseWrite) {}
        std::optional<RawValue> Query(const std::string& name) override {
            if (!refuseWrite_ && CompareNames(name, refused_) == 0) return std::nullopt;
            return inner_->Query(name);
        }
        bool Set(const std::string& name, const RawValue& value) override {
            if (refuseWrite_ && CompareNames(name, refused_) == 0) return false;
            return inner_->Set(name, value);
        }
        bool Delete(const std::string& name) override { return inner_->Delete(name); }
        std::optional<std::vector<std::string>> Subkeys() override { return inner_->Subkeys(); }
        std::optional<std::vector<std::string>> ValueNames() override { return inner_->ValueNames(); }

    private:
        KeyHandle inner_;
        const std::string& refused_;
        bool refuseWrite_;
    };

    KeyHandle Wrap(KeyHandle key) {
        return key ? std::make_unique<Key>(std::move(key), refused_, refuseWrite_) : nullptr;
    }

    RegistryBackend& inner_;
    std::string refused_;
    bool refuseWrite_;
};

}  // namespace brisbolt::test
