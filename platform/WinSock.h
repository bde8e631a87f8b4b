// WinSock 1.1, looked up in WSOCK32.DLL when first needed: the program
// starts without it, and where it cannot be loaded there is no network.
#pragma once

#include <windows.h>
#include <winsock.h>

#include <string>

namespace brisbolt {

// Empty functions where WSOCK32.DLL cannot be loaded.
struct WinSock {
    using Startup = int(WINAPI*)(WORD, LPWSADATA);
    using Cleanup = int(WINAPI*)();
    using HostName = int(WINAPI*)(char*, int);
    using HostByName = hostent*(WINAPI*)(const char*);
    using InetAddr = unsigned long(WINAPI*)(const char*);
    using AsyncHostByName = HANDLE(WINAPI*)(HWND, u_int, const char*, char*, int);
    using CancelAsync = int(WINAPI*)(HANDLE);

    Startup startup = Function<Startup>("WSAStartup");
    Cleanup cleanup = Function<Cleanup>("WSACleanup");
    HostName hostName = Function<HostName>("gethostname");
    HostByName hostByName = Function<HostByName>("gethostbyname");
    InetAddr inetAddr = Function<InetAddr>("inet_addr");
    AsyncHostByName asyncHostByName = Function<AsyncHostByName>("WSAAsyncGetHostByName");
    CancelAsync cancelAsync = Function<CancelAsync>("WSACancelAsyncRequest");

    bool Usable() const {
        return startup && cleanup && hostName && hostByName && inetAddr && asyncHostByName && cancelAsync;
    }
    // Starts WinSock; false (and nothing to clean up) when it cannot.
    bool Start() const {
        WSADATA data;
        return Usable() && startup(MAKEWORD(1, 1), &data) == 0;
    }

private:
    static FARPROC Lookup(const char* name);
    template <typename F>
    static F Function(const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(Lookup(name)));
    }
};

const WinSock& TheWinSock();

// An IPv4 address in dotted form, from its four bytes in network order.
std::string DottedAddress(const void* address);

// WinSock for one scope: WSACleanup only after a start that worked.
class WinSockScope {
public:
    WinSockScope() : started_(TheWinSock().Start()) {}
    ~WinSockScope() {
        if (started_) TheWinSock().cleanup();
    }
    WinSockScope(const WinSockScope&) = delete;
    WinSockScope& operator=(const WinSockScope&) = delete;
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace brisbolt
