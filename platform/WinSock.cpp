#include "platform/WinSock.h"

#include "runtime/SystemFunctions.h"

namespace brisbolt {

FARPROC WinSock::Lookup(const char* name) { return SystemFunction("wsock32.dll", name); }

const WinSock& TheWinSock() {
    static const WinSock winsock;
    return winsock;
}

}  // namespace brisbolt
