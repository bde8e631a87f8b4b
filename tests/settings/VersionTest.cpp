// Classifying the Windows version, and the family every branch follows.
#include <gtest/gtest.h>

#include <cstring>

#include "settings/RegistryCalls.h"
#include "tests/settings/RegistryTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace brisbolt::test {
namespace {

// Server 2003 and XP x64 (5.2) are XP; Vista (6.0) to 8.1 (6.3), 10 and 11
// (10.0) and any later NT are the later Windows; off the NT platform, none.
TEST(WindowsVersionCode, MapsMajorMinorAndPlatform) {
    const struct {
        SystemVersion version;
        int code;  // -1: no code
    } cases[] = {
        {{3, 51, 2}, 5}, {{3, 10, 1}, 5}, {{4, 0, 1}, 2},  {{4, 0, 2}, 5},   {{4, 0, 0}, -1}, {{4, 10, 1}, 3},
        {{4, 10, 2}, 3}, {{4, 51, 2}, 5}, {{4, 90, 1}, 4}, {{4, 20, 1}, -1}, {{5, 0, 2}, 6},  {{5, 1, 2}, 7},
        {{5, 2, 2}, 7},  {{6, 0, 2}, 8},  {{2, 0, 1}, -1}, {{5, 2, 1}, 7},   {{6, 1, 2}, 8},  {{6, 2, 2}, 8},
        {{6, 3, 2}, 8},  {{10, 0, 2}, 8}, {{11, 0, 2}, 8}, {{6, 0, 1}, -1},  {{6, 1, 0}, -1}, {{5, 3, 2}, -1},
    };
    for (const auto& c : cases) {
        auto code = ClassifyVersion(c.version);
        EXPECT_EQ(code ? int(*code) : -1, c.code)
            << c.version.major << "." << c.version.minor << "/" << c.version.platform;
    }
}

std::optional<SystemVersion> answer;
std::optional<SystemVersion> FakeVersion() { return answer; }

TEST(WindowsVersionCode, AnUnknownOrFailedQueryKeepsTheCode) {
    if (OnRealRegistry()) GTEST_SKIP() << "the real system answers here";
    auto previous = SetVersionSource(FakeVersion);
    WindowsVersion = 0;
    answer = SystemVersion{4, 90, 1};
    EXPECT_EQ(GetWindowsVersion(), 4);
    EXPECT_TRUE(Is9xFamily());
    answer = std::nullopt;
    EXPECT_EQ(GetWindowsVersion(), 4);
    answer = SystemVersion{5, 3, 2};
    EXPECT_EQ(GetWindowsVersion(), 4);
    answer = SystemVersion{5, 1, 2};
    EXPECT_EQ(GetWindowsVersion(), 7);
    EXPECT_FALSE(Is9xFamily());
    SetVersionSource(previous);
    WindowsVersion = 0;
}

TEST(WindowsVersionCode, OnlyCodesTwoToFourAre9x) {
    for (int code = 0; code < 9; ++code) {
        WindowsVersion = static_cast<std::uint8_t>(code);
        EXPECT_EQ(Is9xFamily(), code >= 2 && code <= 4) << code;
        EXPECT_EQ(IsLaterWindows(), code == 8) << code;
    }
    WindowsVersion = 0;
}

#ifdef _WIN32
// Each copy of the suite is named after the Windows version Wine plays.
TEST(WindowsVersionCode, TheRunningSystemIsTheOneThisCopyIsFor) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string file = path;
    const struct {
        const char* suffix;
        int code;
    } copies[] = {{"_win95.exe", 2}, {"_win98.exe", 3}, {"_winme.exe", 4},
                  {"_nt40.exe", 5},  {"_win2k.exe", 6}, {"_winxp.exe", 7}};
    for (const auto& copy : copies) {
        if (file.size() < std::strlen(copy.suffix) ||
            file.compare(file.size() - std::strlen(copy.suffix), std::string::npos, copy.suffix) != 0)
            continue;
        WindowsVersion = 0;
        EXPECT_EQ(GetWindowsVersion(), copy.code);
        EXPECT_EQ(GetWindowsVersion(), copy.code);  // asked again, the same code
        WindowsVersion = 0;
        return;
    }
    GTEST_SKIP() << "not one of the per-version copies: " << file;
}
#endif

}  // namespace
}  // namespace brisbolt::test
