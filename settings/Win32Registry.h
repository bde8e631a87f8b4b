// The Windows registry behind the program's registry interface.
#pragma once

#include "settings/Registry.h"

namespace brisbolt {

class Win32Registry final : public RegistryBackend {
public:
    KeyHandle OpenForReading(RootKey root, std::string_view path) override;
    KeyHandle OpenForWriting(RootKey root, std::string_view path, bool create) override;
    [[nodiscard]] bool DeleteKeyTree(RootKey root, std::string_view path) override;
};

}  // namespace brisbolt
