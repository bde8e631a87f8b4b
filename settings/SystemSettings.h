// Where Windows keeps the TCP/IP tuning values, on both families: one reader
// and one writer per value. Readers never fail (they give a default);
// writers return whether their last write succeeded.
#pragma once

#include <cstdint>
#include <string>

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

// The 9x family looks at the NetTrans bindings 0000 to 0009.
inline constexpr int NetTransSlots = 10;

// Limits of the values the writers accept.
inline constexpr std::int32_t MinMtu = 68;
inline constexpr std::int32_t MaxMtu = 65535;
inline constexpr std::int32_t MaxRcvWindow = 1073741823;
inline constexpr std::int32_t MinTtl = 1;
inline constexpr std::int32_t MaxTtl = 255;

std::string NetTransKey(int slot);
std::string InterfaceKey(const std::string& name);
bool IsValidMtu(std::int32_t mtu);

std::int32_t GetSystemPMTUDiscovery();
std::int32_t GetSystemPMTUBlackHoleDetect();
// -1 when no adapter MTU was found.
std::int32_t GetSystemMTU();
std::int32_t GetSystemNdiCacheSize();
std::int32_t GetSystemRcvWindow();
std::int32_t GetSystemKeepAlive();
std::int32_t GetSystemTTL();

bool SetSystemPMTUDiscovery(std::int32_t value);
bool SetSystemPMTUBlackHoleDetect(std::int32_t value);
// With useDefault every adapter goes back to the system's own MTU.
bool SetSystemMTU(bool useDefault, std::int32_t mtu);
bool SetSystemNdiCacheSize(bool useDefault, const std::string& text);
bool SetSystemRcvWindow(std::int32_t rwin);
bool SetSystemKeepAlive(std::int32_t keepAlive);
bool SetSystemTTL(std::int32_t ttl);

}  // namespace brisbolt
