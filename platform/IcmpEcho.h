// The real echo line: ICMP.DLL's pings (IPHLPAPI.DLL's on XP and later),
// looked up at run time, to a host looked up through WinSock 1.1. Every
// echo blocks for up to its time-out: use it off the window thread.
#pragma once

#include <windows.h>

#include <string>

#include "platform/MtuSearch.h"
#include "platform/WinSock.h"

namespace brisbolt {

class TIcmpLine final : public EchoLine {
public:
    TIcmpLine() = default;
    ~TIcmpLine() override;
    TIcmpLine(const TIcmpLine&) = delete;
    TIcmpLine& operator=(const TIcmpLine&) = delete;

    LineOpening Open(const std::string& host) override;
    EchoReply Echo(int dataBytes, bool dontFragment) override;

    // How long one echo waits for its answer.
    static constexpr DWORD EchoTimeout = 2000;

private:
    // Before ICMP: without WSAStartup the first echo of ICMP.DLL fails.
    WinSockScope winsock_;
    HANDLE icmp_ = INVALID_HANDLE_VALUE;
    unsigned long address_ = 0;
};

}  // namespace brisbolt
