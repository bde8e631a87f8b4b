#include "platform/IcmpEcho.h"

#include <ipexport.h>

#include <vector>

#include "runtime/SystemFunctions.h"

namespace brisbolt {

namespace {

// The three ping functions, all from one DLL: IPHLPAPI.DLL where it has
// them (XP and later), else ICMP.DLL (95 to 2000).
struct Icmp {
    using Create = HANDLE(WINAPI*)();
    using SendEcho = DWORD(WINAPI*)(HANDLE, unsigned long, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID, DWORD, DWORD);
    using Close = BOOL(WINAPI*)(HANDLE);

    Create create = nullptr;
    SendEcho sendEcho = nullptr;
    Close close = nullptr;

    Icmp() {
        for (const char* module : {"iphlpapi.dll", "icmp.dll"}) {
            create = SystemFunctionAs<Create>(module, "IcmpCreateFile");
            sendEcho = SystemFunctionAs<SendEcho>(module, "IcmpSendEcho");
            close = SystemFunctionAs<Close>(module, "IcmpCloseHandle");
            if (Usable()) return;
        }
    }
    bool Usable() const { return create && sendEcho && close; }
};

const Icmp& TheIcmp() {
    static const Icmp icmp;
    return icmp;
}

}  // namespace

TIcmpLine::~TIcmpLine() {
    if (icmp_ != INVALID_HANDLE_VALUE) TheIcmp().close(icmp_);
}

LineOpening TIcmpLine::Open(const std::string& host) {
    if (!winsock_.Started()) return LineOpening::NoTcpIp;
    if (!TheIcmp().Usable()) return LineOpening::NoIcmp;
    if (host.empty()) return LineOpening::UnknownHost;
    const WinSock& winsock = TheWinSock();
    address_ = winsock.inetAddr(host.c_str());
    if (address_ == INADDR_NONE || address_ == 0) {
        const hostent* entry = winsock.hostByName(host.c_str());
        if (!entry || !entry->h_addr_list || !entry->h_addr_list[0]) return LineOpening::UnknownHost;
        CopyMemory(&address_, entry->h_addr_list[0], sizeof address_);
    }
    if (icmp_ == INVALID_HANDLE_VALUE) icmp_ = TheIcmp().create();
    return icmp_ == INVALID_HANDLE_VALUE ? LineOpening::NoIcmp : LineOpening::Open;
}

EchoReply TIcmpLine::Echo(int dataBytes, bool dontFragment) {
    std::vector<char> request(static_cast<std::size_t>(dataBytes));
    for (std::size_t i = 0; i < request.size(); ++i) request[i] = static_cast<char>('a' + i % 23);
    // One reply, the data it echoes, and room for an ICMP error's own.
    std::vector<char> replies(sizeof(ICMP_ECHO_REPLY) + request.size() + 8 + 64);
    IP_OPTION_INFORMATION options = {};
    options.Ttl = 128;
    options.Flags = dontFragment ? IP_FLAG_DF : 0;

    SetLastError(0);
    const DWORD count = TheIcmp().sendEcho(icmp_, address_, request.data(), static_cast<WORD>(request.size()), &options,
                                           replies.data(), static_cast<DWORD>(replies.size()), EchoTimeout);
    ICMP_ECHO_REPLY reply;
    CopyMemory(&reply, replies.data(), sizeof reply);
    EchoReply result;
    // Without a reply the reason is the last error; an error answered by a
    // router may still be in the buffer, with the router's address.
    result.status = count > 0 ? reply.Status : GetLastError();
    if (count == 0 && reply.Status != 0) result.status = reply.Status;
    if (count == 0 && result.status == 0) result.status = IpRequestTimedOut;
    result.kind = EchoKindOf(result.status);
    if (reply.Address != 0) result.from = DottedAddress(&reply.Address);
    return result;
}

}  // namespace brisbolt
