#include "platform/NearbyHost.h"

#include <optional>
#include <string_view>

#include "settings/Registry.h"
#include "settings/RegistryCalls.h"
#include "settings/SystemSettings.h"

namespace brisbolt {

namespace {

bool IsDottedAddress(std::string_view text) {
    int parts = 0, digits = 0, value = 0;
    for (char c : text) {
        if (c == '.') {
            if (digits == 0) return false;
            ++parts;
            digits = value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (++digits > 3 || value > 255) return false;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

// A value's text whatever its string type: REG_MULTI_SZ keeps its nulls.
std::string ValueText(RegistryKey& key, const std::string& name) {
    const std::optional<RawValue> value = key.Query(name);
    if (!value || (value->type != RegSz && value->type != RegExpandSz && value->type != RegMultiSz)) return {};
    return std::string(value->data.begin(), value->data.end());
}

std::string FirstAddressOf(RootKey root, std::string_view path, std::initializer_list<const char*> names) {
    KeyHandle key = ActiveRegistry().OpenForReading(root, path);
    if (!key) return {};
    for (const char* name : names) {
        std::string address = FirstAddressIn(ValueText(*key, name));
        if (!address.empty()) return address;
    }
    return {};
}

// NT, 2000 and XP keep the gateways per interface (NT 4.0 under each
// adapter's own key, which the Tcpip parameters do not name: not looked
// at); 95, 98 and Me in the TCP/IP bindings.
std::string FindGateway() {
    const char* names[] = {"DefaultGateway", "DhcpDefaultGateway"};
    if (KeyHandle interfaces = ActiveRegistry().OpenForReading(RootKey::LocalMachine, InterfacesKey)) {
        if (const auto subkeys = interfaces->Subkeys())
            for (const std::string& name : *subkeys) {
                std::string address = FirstAddressOf(RootKey::LocalMachine, std::string(InterfacesKey) + "\\" + name,
                                                     {names[0], names[1]});
                if (!address.empty()) return address;
            }
    }
    for (int slot = 0; slot <= 9; ++slot) {
        std::string address =
            FirstAddressOf(RootKey::LocalMachine, NetTransKeyPrefix + std::to_string(slot), {names[0], names[1]});
        if (!address.empty()) return address;
    }
    return {};
}

std::string FindNameServer() {
    std::string address = FirstAddressOf(RootKey::LocalMachine, TcpipParametersKey, {"NameServer", "DhcpNameServer"});
    if (address.empty()) address = FirstAddressOf(RootKey::LocalMachine, MstcpKey, {"NameServer"});
    return address;
}

}  // namespace

std::string FirstAddressIn(const std::string& text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(std::string_view(", \t\0", 4), start);
        if (end == std::string::npos) end = text.size();
        const std::string item = text.substr(start, end - start);
        if (IsDottedAddress(item) && item != "0.0.0.0") return item;
        start = end + 1;
    }
    return {};
}

std::string FindNearbyHost() {
    std::string host = FindGateway();
    if (host.empty()) host = FindNameServer();
    return host;
}

}  // namespace brisbolt
