// The settings record: the tuning values the user chose, kept as named values
// of the program key under HKEY_CURRENT_USER. Nothing is cached; every getter
// reads the registry afresh and every setter writes at once.
#pragma once

#include <cstdint>
#include <string>

namespace brisbolt {

inline constexpr const char* ProgramKey = "\\Software\\Corvelle\\Brisbolt";
inline constexpr const char* AutostartKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The marker for "leave this value at the system's default".
inline constexpr const char* SystemDefaultMarker = "6666";

inline constexpr const char* DefaultNdiText = "16";
inline constexpr std::int32_t RwinDefault9x = 8192;
inline constexpr std::int32_t RwinDefaultNT = 8760;
inline constexpr std::int32_t KeepAliveDefault = 3600000;
inline constexpr std::int32_t TtlDefault9x = 32;
inline constexpr std::int32_t TtlDefaultNT = 128;
// The MTU stored when the user asks for the default.
inline constexpr std::int32_t DefaultMtu = 576;

// Connection type codes, compared case-sensitively.
struct ConnectionType {
    const char* code;
    const char* radioButton;
    const char* caption;
};
inline constexpr ConnectionType ConnectionTypes[] = {
    {"M", "rbtnDialup", "Dialup Modem"},
    {"D1", "rbtnDSL1", "DSL (recommended setting 1)"},
    {"D2", "rbtnDSL2", "DSL (recommended setting 2)"},
    {"D3", "rbtnDSL3", "DSL (recommended setting 3)"},
    {"C", "rbtnCable", "Cable Modem"},
    {"N", "rbtnLAN", "Local Area Network (LAN)"},
};

// The stored code; "" when nothing is stored, "-2" for the stored text "Modem".
std::string GetConnect();
bool SetConnect(const std::string& code);

std::int32_t GetPMTUDiscover();
bool SetPMTUDiscover(std::int32_t value);
bool SetPMTUDiscoverDefault();

std::int32_t GetPMTUBlackHoleDetect();
bool SetPMTUBlackHoleDetect(std::int32_t value);
bool SetPMTUBlackHoleDetectDefault();

// Line condition: true = "Good". SetLine never creates the program key.
bool GetLine();
bool SetLine(bool good);

std::int32_t GetMtu();
bool SetMtu(bool useDefault, std::int32_t mtu);

std::int32_t GetNdi();
bool SetNdi(bool useDefault, const std::string& text);

std::int32_t GetRwin();
bool SetRwin(std::int32_t rwin);
bool SetRwinDefault();

std::int32_t GetSka();
bool SetSka(std::int32_t ska);

std::int32_t GetTtl();
bool SetTtl(std::int32_t ttl);
bool SetTtlDefault();

bool SetInit();

// Uninstall clean-up of the program's values under HKEY_LOCAL_MACHINE.
// Returns the result of the last deletion.
bool ClearProgramSettings();

}  // namespace brisbolt
