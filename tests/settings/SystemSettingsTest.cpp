// The system's TCP/IP values on both Windows families.
#include <gtest/gtest.h>

#include "settings/ProgramSettings.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {
namespace {

constexpr RootKey M = RootKey::LocalMachine;

class SystemSettingsTest : public RegistryTest {
protected:
    std::string Interface(int i) {
        auto key = registry().OpenForReading(M, InterfacesKey);
        return key ? key->Subkeys().value().at(i) : std::string();
    }
    std::int32_t InterfaceMtu(int i) { return Number(M, InterfaceKey(Interface(i)), "MaxMTU"); }
};

TEST_F(SystemSettingsTest, ReadersOn9xTakeTheTextValues) {
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        EXPECT_EQ(GetSystemRcvWindow(), -1);
        EXPECT_EQ(GetSystemKeepAlive(), 3600000);
        EXPECT_EQ(GetSystemTTL(), 32);
        EXPECT_EQ(GetSystemMTU(), -1);
        EXPECT_EQ(GetSystemNdiCacheSize(), 0);
        LoadFixture("win98.reg");
        EXPECT_EQ(GetSystemPMTUDiscovery(), 1);
        EXPECT_EQ(GetSystemPMTUBlackHoleDetect(), 0);
        EXPECT_EQ(GetSystemRcvWindow(), 8192);
        EXPECT_EQ(GetSystemKeepAlive(), 7200000);
        EXPECT_EQ(GetSystemTTL(), 32);
        EXPECT_EQ(GetSystemMTU(), 1500);
        EXPECT_EQ(GetSystemNdiCacheSize(), 32);
        for (const char* text : {"01", "", "yes"}) {
            PutText(M, MstcpKey, "PMTUDiscovery", text);
            EXPECT_EQ(GetSystemPMTUDiscovery(), 0) << text;
        }
        // The first TCP/IP binding without a number is passed over.
        PutText(M, NetTransKey(1), "MaxMTU", "auto");
        EXPECT_EQ(GetSystemMTU(), 1492);
        PutText(M, NetTransKey(3), "DriverDesc", "TCP/IP ");
        EXPECT_EQ(GetSystemMTU(), -1);
        // Bindings from 0010 on are never looked at.
        PutText(M, "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0010", "DriverDesc", "TCP/IP");
        PutText(M, "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0010", "MaxMTU", "1400");
        EXPECT_EQ(GetSystemMTU(), -1);
    }
}

TEST_F(SystemSettingsTest, ReadersOnNtTakeTheDwordValues) {
    for (auto version : RunnableVersions(VersionsNt)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        EXPECT_EQ(GetSystemPMTUDiscovery(), 0);
        EXPECT_EQ(GetSystemRcvWindow(), -1);
        EXPECT_EQ(GetSystemTTL(), 128);
        LoadFixture("win2k.reg");
        EXPECT_EQ(GetSystemPMTUDiscovery(), 1);
        EXPECT_EQ(GetSystemPMTUBlackHoleDetect(), 0);
        EXPECT_EQ(GetSystemRcvWindow(), 64240);
        EXPECT_EQ(GetSystemKeepAlive(), 3600000);
        EXPECT_EQ(GetSystemTTL(), 128);
        // Only Windows 2000 has its adapter MTUs read.
        EXPECT_EQ(GetSystemMTU(), version == 6 ? 1500 : -1);
        PutNumber(M, TcpipParametersKey, "DefaultTTL", 0xFFFFFFFF);
        EXPECT_EQ(GetSystemTTL(), 128);
        PutText(M, TcpipParametersKey, "TCPWindowSize", "64240");
        EXPECT_EQ(GetSystemRcvWindow(), -1);
    }
}

TEST_F(SystemSettingsTest, NtMtuIsTheFirstPositiveInListOrder) {
    for (auto version : RunnableVersions({6})) {
        Fresh(version);
        const std::string a = InterfaceKeyPrefix + std::string("{A}"), b = InterfaceKeyPrefix + std::string("{B}");
        PutNumber(M, a, "MaxMTU", 0);
        EXPECT_EQ(GetSystemMTU(), 0);
        PutNumber(M, b, "MaxMTU", 1500);
        EXPECT_EQ(GetSystemMTU(), 1500);
        PutText(M, InterfaceKeyPrefix + std::string("{0}"), "MaxMTU", "1400");
        EXPECT_EQ(GetSystemMTU(), 1500);
    }
}

TEST_F(SystemSettingsTest, MtuWriterOn9xCoversEveryTcpipBinding) {
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        EXPECT_FALSE(SetSystemMTU(false, 1500));  // no bindings at all
        LoadFixture("win98.reg");
        EXPECT_TRUE(SetSystemMTU(false, 1400));
        for (int slot : {1, 3}) {
            EXPECT_EQ(Text(M, NetTransKey(slot), "MaxMTU"), "1400");
            EXPECT_EQ(Text(M, NetTransKey(slot), "IPMTU"), "1400");
        }
        EXPECT_FALSE(Has(M, NetTransKey(0), "MaxMTU"));
        EXPECT_FALSE(Has(M, NetTransKey(2), "IPMTU"));
        EXPECT_EQ(GetSystemMTU(), 1400);

        EXPECT_TRUE(SetSystemMTU(true, 576));
        for (int slot : {1, 3}) {
            EXPECT_FALSE(Has(M, NetTransKey(slot), "MaxMTU"));
            EXPECT_FALSE(Has(M, NetTransKey(slot), "IPMTU"));
        }
        EXPECT_EQ(Text(M, ProgramKey, "mtu"), "6666");
        EXPECT_EQ(GetSystemMTU(), -1);
    }
}

TEST_F(SystemSettingsTest, MtuWriterOnNtActsOnWindows2000Only) {
    for (auto version : RunnableVersions(VersionsNt)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture("win2k.reg");
        const std::string before = SystemSnapshot();
        if (version != 6) {
            EXPECT_FALSE(SetSystemMTU(false, 1400));
            EXPECT_FALSE(SetSystemMTU(true, 576));
            EXPECT_EQ(SystemSnapshot(), before);
            continue;
        }
        EXPECT_TRUE(SetSystemMTU(false, 1400));
        for (int i = 0; i < 12; ++i) EXPECT_EQ(InterfaceMtu(i), 1400) << i;
        EXPECT_EQ(GetSystemMTU(), 1400);
        // The default gives every adapter back its own MTU.
        EXPECT_TRUE(SetSystemMTU(true, 576));
        for (int i = 0; i < 12; ++i) EXPECT_FALSE(Has(M, InterfaceKey(Interface(i)), "MaxMTU")) << i;
        EXPECT_EQ(GetSystemMTU(), -1);
    }
}

TEST_F(SystemSettingsTest, WritersRefuseNumbersThatAreNoValidSetting) {
    for (auto version : RunnableVersions({3, 6})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
        const std::string before = SystemSnapshot();
        for (std::int32_t mtu : {-1, 0, 67, 65536}) EXPECT_FALSE(SetSystemMTU(false, mtu)) << mtu;
        for (std::int32_t rwin : {-1, 0, 1073741824}) EXPECT_FALSE(SetSystemRcvWindow(rwin)) << rwin;
        for (std::int32_t ttl : {-1, 0, 256}) EXPECT_FALSE(SetSystemTTL(ttl)) << ttl;
        for (std::int32_t ska : {-1, 0}) EXPECT_FALSE(SetSystemKeepAlive(ska)) << ska;
        EXPECT_EQ(SystemSnapshot(), before);
        // The limits themselves are fine.
        EXPECT_TRUE(SetSystemMTU(false, 68));
        EXPECT_TRUE(SetSystemMTU(false, 65535));
        EXPECT_TRUE(SetSystemRcvWindow(1073741823));
        EXPECT_TRUE(SetSystemTTL(255));
        EXPECT_TRUE(SetSystemTTL(1));
        EXPECT_TRUE(SetSystemKeepAlive(1));
    }
}

TEST_F(SystemSettingsTest, SimpleWritersStoreEachFamilysForm) {
    for (auto version : RunnableVersions({2, 4, 5, 7})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        const bool family9x = version <= 4;
        // Receive window, keep-alive and TTL never create their key (on NT
        // the TCP/IP parameters key is there from the start).
        EXPECT_FALSE(SetSystemKeepAlive(7200000));
        if (family9x) {
            EXPECT_FALSE(SetSystemRcvWindow(64240));
            EXPECT_FALSE(SetSystemTTL(64));
        }
        EXPECT_FALSE(RegistryKeyExists(M, family9x ? MstcpKey : NetbtParametersKey));
        // The path-MTU switches do.
        EXPECT_TRUE(SetSystemPMTUDiscovery(0));
        EXPECT_TRUE(SetSystemPMTUBlackHoleDetect(1));
        LoadFixture(family9x ? "win98.reg" : "win2k.reg");
        EXPECT_TRUE(SetSystemRcvWindow(64240));
        EXPECT_TRUE(SetSystemKeepAlive(7200000));
        EXPECT_TRUE(SetSystemTTL(64));
        if (family9x) {
            EXPECT_EQ(Text(M, MstcpKey, "PMTUDiscovery"), "1");  // the fixture wrote over it
            EXPECT_EQ(Text(M, MstcpKey, "DefaultRcvWindow"), "64240");
            EXPECT_EQ(Text(M, MstcpKey, "SessionKeepAlive"), "7200000");
            EXPECT_EQ(Text(M, MstcpKey, "DefaultTTL"), "64");
        } else {
            EXPECT_EQ(Number(M, TcpipParametersKey, "TCPWindowSize"), 64240);
            EXPECT_EQ(Number(M, NetbtParametersKey, "SessionKeepAlive"), 7200000);
            EXPECT_EQ(Number(M, TcpipParametersKey, "DefaultTTL"), 64);
        }
        EXPECT_TRUE(SetSystemPMTUDiscovery(0));
        EXPECT_EQ(GetSystemPMTUDiscovery(), 0);
        EXPECT_TRUE(SetSystemPMTUBlackHoleDetect(1));
        EXPECT_EQ(GetSystemPMTUBlackHoleDetect(), 1);
        EXPECT_EQ(GetSystemRcvWindow(), 64240);
        EXPECT_EQ(GetSystemKeepAlive(), 7200000);
        EXPECT_EQ(GetSystemTTL(), 64);
    }
}

TEST_F(SystemSettingsTest, NdiCacheSizeIsWrittenOnlyWhereNwlinkIs) {
    for (auto version : RunnableVersions({3, 6})) {
        Fresh(version);
        EXPECT_FALSE(SetSystemNdiCacheSize(false, "16"));
        EXPECT_FALSE(RegistryKeyExists(M, NdiCacheSizeKey));
        LoadFixture("win98.reg");
        EXPECT_TRUE(SetSystemNdiCacheSize(true, DefaultNdiText));
        EXPECT_EQ(Text(M, NdiCacheSizeKey, "default"), "6666");
        EXPECT_TRUE(SetSystemNdiCacheSize(false, "64"));
        EXPECT_EQ(GetSystemNdiCacheSize(), 64);
    }
}

}  // namespace
}  // namespace brisbolt::test
