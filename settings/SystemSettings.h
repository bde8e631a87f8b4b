// Where Windows keeps the TCP/IP tuning values, on both families: one reader
// and one writer per value. Readers never fail (they give a default);
// writers return whether their last write succeeded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brisbolt {

inline constexpr const char* MstcpKey = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline constexpr const char* TcpipParametersKey = "System\\CurrentControlSet\\Services\\TCPIP\\Parameters";
inline constexpr const char* NetbtParametersKey = "System\\CurrentControlSet\\Services\\Netbt\\Parameters";
inline constexpr const char* NetTransKeyPrefix = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\000";
inline constexpr const char* InterfacesKey = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
inline constexpr const char* InterfaceKeyPrefix =
    "\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr const char* NdiCacheSizeKey =
    "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
// NT 4.0 lists the adapters TCP/IP is bound to here ("Bind"), and keeps each
// adapter's TCP/IP values under the adapter's own service key.
inline constexpr const char* TcpipLinkageKey = "System\\CurrentControlSet\\Services\\Tcpip\\Linkage";
inline constexpr const char* ServicesKey = "System\\CurrentControlSet\\Services";

// The 9x family looks at the NetTrans bindings 0000 to 0009.
inline constexpr int NetTransSlots = 10;

// Limits of the values the writers accept.
inline constexpr std::int32_t MinMtu = 68;
inline constexpr std::int32_t MaxMtu = 65535;
inline constexpr std::int32_t MaxRcvWindow = 1073741823;
inline constexpr std::int32_t MinTtl = 1;
inline constexpr std::int32_t MaxTtl = 255;
// The largest receive window a stack without window scaling accepts.
inline constexpr std::int32_t MaxUnscaledWindow = 65535;

std::string NetTransKey(int slot);
std::string InterfaceKey(const std::string& name);
bool IsValidMtu(std::int32_t mtu);
// NT 4.0: "Services\<adapter>\Parameters\Tcpip".
std::string AdapterTcpipKey(const std::string& adapter);
// NT 4.0: the adapters named in the TCP/IP linkage's "Bind" list
// ("\Device\<adapter>"), in list order, each once.
std::vector<std::string> BoundAdapters();

// One system value, by key (under HKEY_LOCAL_MACHINE) and name.
struct SystemValue {
    std::string key;
    std::string name;
};
// Every value an apply run may write on the running version, so that the
// values as they were can be kept and given back exactly.
std::vector<SystemValue> ValuesAnApplyRunMayWrite();

// Whether Windows 95 has the Winsock 2 update (WS2_32.DLL in the system
// folder), without which its stack takes no window above 64 KB. Tests
// replace the probe; returns the one before.
using Winsock2Probe = bool (*)();
Winsock2Probe SetWinsock2Probe(Winsock2Probe probe);
bool SystemHasWinsock2();
// The system's own answer (the portable build has no system folder: yes).
bool QueryWinsock2();

std::int32_t GetSystemPMTUDiscovery();
std::int32_t GetSystemPMTUBlackHoleDetect();
// -1 when no adapter MTU was found.
std::int32_t GetSystemMTU();
std::int32_t GetSystemNdiCacheSize();
std::int32_t GetSystemRcvWindow();
// In milliseconds on both families (Windows 9x keeps seconds).
std::int32_t GetSystemKeepAlive();
std::int32_t GetSystemTTL();

bool SetSystemPMTUDiscovery(std::int32_t value);
bool SetSystemPMTUBlackHoleDetect(std::int32_t value);
// With useDefault every adapter goes back to the system's own MTU.
bool SetSystemMTU(bool useDefault, std::int32_t mtu);
bool SetSystemNdiCacheSize(bool useDefault, const std::string& text);
// At most 65535 where the stack has no window scaling (NT 4.0, Windows 95
// without Winsock 2); on 2000 and XP a larger window turns scaling on where
// "Tcp1323Opts" has it off.
bool SetSystemRcvWindow(std::int32_t rwin);
// Milliseconds; Windows 9x gets whole seconds.
bool SetSystemKeepAlive(std::int32_t keepAlive);
bool SetSystemTTL(std::int32_t ttl);

}  // namespace brisbolt
