// The system's TCP/IP values on both Windows families.
#include <gtest/gtest.h>

#include <sstream>

#include "settings/MemoryRegistry.h"
#include "settings/ProgramSettings.h"
#include "settings/SystemSettings.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {
namespace {

constexpr RootKey M = RootKey::LocalMachine;

// What a user without administrator rights meets on 2000 and XP: the
// TCP/IP keys open for reading, never with full access.
void RefuseWriteAccessToTcpipKeys(MemoryRegistry& memory) {
    std::vector<std::string> keys = {TcpipParametersKey, InterfacesKey,   NetbtParametersKey,
                                     TcpipLinkageKey,    NdiCacheSizeKey, MstcpKey};
    for (int slot = 0; slot < NetTransSlots; ++slot) keys.push_back(NetTransKey(slot));
    if (auto interfaces = memory.OpenForReading(M, InterfacesKey))
        for (const auto& name : interfaces->Subkeys().value_or(std::vector<std::string>{}))
            keys.push_back(InterfaceKey(name));
    for (const char* adapter : {"E100B1", "NdisWan4"}) keys.push_back(AdapterTcpipKey(adapter));
    for (const auto& key : keys) memory.Refuse(M, key, MemoryRegistry::Op::OpenFull);
}

// Every reader's answer, and the values an apply run would save first.
std::string ReadEverything() {
    std::ostringstream out;
    out << GetSystemPMTUDiscovery() << ' ' << GetSystemPMTUBlackHoleDetect() << ' ' << GetSystemMTU() << ' '
        << GetSystemNdiCacheSize() << ' ' << GetSystemRcvWindow() << ' ' << GetSystemKeepAlive() << ' '
        << GetSystemTTL();
    for (const auto& value : ValuesAnApplyRunMayWrite()) out << '\n' << value.key << " " << value.name;
    return out.str();
}

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

// Each NT version gets "MTU" where it reads it: the interfaces on 2000 and
// XP (2000 keeps its "MaxMTU" beside it), the bound adapters on NT 4.0.
TEST_F(SystemSettingsTest, MtuWriterOnNtWritesWhereEachVersionReads) {
    const std::string e100 = AdapterTcpipKey("E100B1"), wan = AdapterTcpipKey("NdisWan4");
    const struct {
        std::uint8_t version;
        const char* fixture;
    } machines[] = {{0, "win2k.reg"}, {5, "nt40.reg"}, {6, "win2k.reg"}, {7, "winxp.reg"}, {7, "win2k.reg"}};
    for (const auto& machine : machines) {
        for (auto version : RunnableVersions({machine.version})) {
            SCOPED_TRACE(::testing::Message() << int(version) << " " << machine.fixture);
            Fresh(version);
            LoadFixture(machine.fixture);
            std::vector<std::string> keys;
            if (version == 5) keys = {e100, wan};
            if (version >= 6)
                for (std::size_t i = 0; i < registry().OpenForReading(M, InterfacesKey)->Subkeys()->size(); ++i)
                    keys.push_back(InterfaceKey(Interface(int(i))));
            const std::string before = ServicesSnapshot();
            EXPECT_EQ(SetSystemMTU(false, 1400), !keys.empty());
            if (keys.empty()) {
                EXPECT_EQ(ServicesSnapshot(), before);
            }
            for (const auto& key : keys) {
                EXPECT_EQ(Number(M, key, "MTU"), 1400) << key;
                EXPECT_EQ(Has(M, key, "MaxMTU"), version == 6 || std::string(machine.fixture) == "win2k.reg") << key;
                if (version == 6) {
                    EXPECT_EQ(Number(M, key, "MaxMTU"), 1400) << key;
                }
            }
            EXPECT_EQ(GetSystemMTU(), keys.empty() ? -1 : 1400);
            // The default gives every adapter back its own MTU.
            EXPECT_EQ(SetSystemMTU(true, 576), !keys.empty());
            for (const auto& key : keys) {
                EXPECT_FALSE(Has(M, key, "MTU")) << key;
                if (version == 6) {
                    EXPECT_FALSE(Has(M, key, "MaxMTU")) << key;
                }
            }
            if (version != 7) {
                EXPECT_EQ(GetSystemMTU(), -1);
            }
        }
    }
}

// NT 4.0 reads the MTU of the adapters TCP/IP is bound to, as "Bind" lists
// them; Windows 2000 reads "MTU" before the older "MaxMTU".
TEST_F(SystemSettingsTest, NtMtuReaderFollowsTheBindingsAndTheNameWindowsReads) {
    for (auto version : RunnableVersions({5})) {
        Fresh(version);
        LoadFixture("nt40.reg");
        EXPECT_EQ(BoundAdapters(), (std::vector<std::string>{"E100B1", "NdisWan4"}));
        EXPECT_EQ(GetSystemMTU(), -1);
        PutNumber(M, AdapterTcpipKey("NdisWan4"), "MTU", 1400);
        EXPECT_EQ(GetSystemMTU(), 1400);
        PutNumber(M, AdapterTcpipKey("E100B1"), "MTU", 1500);
        EXPECT_EQ(GetSystemMTU(), 1500);
        // Entries of another form, twice, or a list of the wrong type name no adapter.
        std::string list;
        for (const char* entry : {"\\Device\\E100B1", "E100B1", "\\device\\e100b1", "\\Device\\", "\\Device\\Tcpip\\X",
                                  "\\DEVICE\\NdisWan4", ""})
            list += std::string(entry) + '\0';
        auto linkage = registry().OpenForWriting(M, TcpipLinkageKey, false);
        ASSERT_TRUE(linkage->Set("Bind", RawValue{RegMultiSz, {list.begin(), list.end()}}));
        EXPECT_EQ(BoundAdapters(), (std::vector<std::string>{"E100B1", "NdisWan4"}));
        ASSERT_TRUE(linkage->Set("Bind", StringValue("\\Device\\E100B1")));
        EXPECT_TRUE(BoundAdapters().empty());
        EXPECT_EQ(GetSystemMTU(), -1);
    }
    for (auto version : RunnableVersions({6})) {
        Fresh(version);
        LoadFixture("win2k.reg");
        EXPECT_EQ(GetSystemMTU(), 1500);
        PutNumber(M, InterfaceKey(Interface(3)), "MTU", 1300);
        EXPECT_EQ(GetSystemMTU(), 1300);
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
            EXPECT_EQ(Text(M, MstcpKey, "SessionKeepAlive"), "7200");  // seconds
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

// Windows 9x counts the keep-alive in seconds, the record in milliseconds.
TEST_F(SystemSettingsTest, KeepAliveOn9xIsWrittenAndReadInSeconds) {
    const struct {
        std::int32_t milliseconds;
        const char* written;
    } writes[] = {{600000, "600"}, {3600000, "3600"}, {60000, "60"}, {1499, "1"}, {1500, "2"}, {1, "1"}};
    const struct {
        const char* text;
        std::int32_t read;
    } reads[] = {{"600", 600000}, {"3600", 3600000}, {"0", 0}, {"99999999", 2147483000}, {"x", 3600000}};
    for (auto version : RunnableVersions(Versions9x)) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture("win98.reg");
        for (const auto& w : writes) {
            EXPECT_TRUE(SetSystemKeepAlive(w.milliseconds));
            EXPECT_EQ(Text(M, MstcpKey, "SessionKeepAlive"), w.written) << w.milliseconds;
        }
        for (const auto& r : reads) {
            PutText(M, MstcpKey, "SessionKeepAlive", r.text);
            EXPECT_EQ(GetSystemKeepAlive(), r.read) << r.text;
        }
    }
}

// Stacks without window scaling get at most 65535; 2000 and XP get scaling
// turned on where "Tcp1323Opts" has it off, and only when the window needs it.
TEST_F(SystemSettingsTest, ReceiveWindowFitsTheStack) {
    static bool winsock2 = true;
    const auto previous = SetWinsock2Probe([] { return winsock2; });
    const struct {
        std::uint8_t version;
        bool winsock2;
        std::int32_t rwin;
        std::int32_t options;  // -1: none
        std::int32_t written;
        std::int32_t optionsAfter;
    } cases[] = {
        {5, true, 149600, -1, 65535, -1},  {5, true, 65535, -1, 65535, -1},   {5, true, 8192, -1, 8192, -1},
        {2, false, 149600, -1, 65535, -1}, {2, true, 149600, -1, 149600, -1}, {3, false, 149600, -1, 149600, -1},
        {6, true, 149600, 0, 149600, 1},   {7, true, 149600, 2, 149600, 3},   {6, true, 149600, 3, 149600, 3},
        {7, true, 149600, -1, 149600, -1}, {6, true, 65535, 0, 65535, 0},     {6, true, 149600, 1, 149600, 1},
    };
    for (const auto& c : cases) {
        for (auto version : RunnableVersions({c.version})) {
            SCOPED_TRACE(::testing::Message() << int(version) << " " << c.rwin << " " << c.options);
            winsock2 = c.winsock2;
            Fresh(version);
            LoadFixture(version <= 4 ? "win98.reg" : "winxp.reg");
            DeleteRegistryValue(M, TcpipParametersKey, "Tcp1323Opts");
            if (c.options != -1) PutNumber(M, TcpipParametersKey, "Tcp1323Opts", c.options);
            EXPECT_TRUE(SetSystemRcvWindow(c.rwin));
            EXPECT_EQ(GetSystemRcvWindow(), c.written);
            EXPECT_EQ(Has(M, TcpipParametersKey, "Tcp1323Opts"), c.optionsAfter != -1);
            if (c.optionsAfter != -1) {
                EXPECT_EQ(Number(M, TcpipParametersKey, "Tcp1323Opts"), c.optionsAfter);
            }
        }
    }
    SetWinsock2Probe(previous);
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

// Reading needs no write access: a user who may only read the TCP/IP keys
// sees the values in force, the MTU included, and the backup lists the same
// values.
TEST_F(SystemSettingsTest, ReadersGiveTheSameWithWriteAccessRefused) {
    if (OnRealRegistry()) GTEST_SKIP() << "write access is refused only in the registry in memory";
    auto& memory = static_cast<MemoryRegistry&>(registry());
    const struct {
        std::uint8_t version;
        const char* fixture;
        std::string mtuKey;  // where an "MTU" is put first, when the fixture has none
        std::int32_t mtu;
    } machines[] = {
        {2, "win95.reg", "", -1},
        {3, "win98.reg", "", 1500},
        {4, "win98-dialup.reg", "", -1},
        {5, "nt40.reg", AdapterTcpipKey("NdisWan4"), 1400},
        {6, "win2k.reg", "", 1500},
        {6, "win2k-nomtu.reg", "", -1},
        {7, "winxp.reg", InterfaceKeyPrefix + std::string("{E28B3D05-6F9A-4C71-8D2E-3B7A1C590F64}"), 1400},
    };
    for (const auto& machine : machines) {
        SCOPED_TRACE(::testing::Message() << int(machine.version) << " " << machine.fixture);
        Fresh(machine.version);
        LoadFixture(machine.fixture);
        if (!machine.mtuKey.empty()) PutNumber(M, machine.mtuKey, "MTU", 1400);
        const std::string withWriteAccess = ReadEverything();
        EXPECT_EQ(GetSystemMTU(), machine.mtu);
        RefuseWriteAccessToTcpipKeys(memory);
        EXPECT_EQ(ReadEverything(), withWriteAccess);
        memory.ClearRefusals();
    }
}

}  // namespace
}  // namespace brisbolt::test
