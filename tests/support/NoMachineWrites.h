// A registry that lets nothing under HKEY_LOCAL_MACHINE be written: a user
// without administrator rights on NT, 2000 or XP.
#pragma once

#include <string_view>

#include "settings/Registry.h"

namespace brisbolt {

class NoMachineWrites final : public RegistryBackend {
public:
    explicit NoMachineWrites(RegistryBackend& inner) : inner_(inner) {}
    KeyHandle OpenForReading(RootKey root, std::string_view path) override { return inner_.OpenForReading(root, path); }
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override {
        if (root != RootKey::LocalMachine) return inner_.OpenForWriting(root, path, create);
        // Access denied, as Windows answers such a user.
        NoteRightsRefused();
        return nullptr;
    }
    bool DeleteKeyTree(RootKey root, std::string_view path) override {
        return root != RootKey::LocalMachine && inner_.DeleteKeyTree(root, path);
    }

private:
    RegistryBackend& inner_;
};

}  // namespace brisbolt
