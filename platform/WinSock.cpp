#include "platform/WinSock.h"

#include "runtime/SystemFunctions.h"

namespace brisbolt {

FARPROC WinSock::Lookup(const char* name) { return SystemFunction("wsock32.dll", name); }

const WinSock& TheWinSock() {
    static const WinSock winsock;
    return winsock;
}

std::string DottedAddress(const void* address) {
    const auto* bytes = static_cast<const unsigned char*>(address);
    return std::to_string(bytes[0]) + '.' + std::to_string(bytes[1]) + '.' + std::to_string(bytes[2]) + '.' +
           std::to_string(bytes[3]);
}

}  // namespace brisbolt
