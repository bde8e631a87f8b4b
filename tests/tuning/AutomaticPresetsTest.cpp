// The presets on either registry: every connection type on both families,
// the stored code deciding, and what the presets leave alone.
#include <string>

#include "settings/ProgramSettings.h"
#include "tests/settings/RegistryTestSupport.h"
#include "tuning/AutomaticPresets.h"

namespace brisbolt::test {
namespace {

constexpr RootKey U = RootKey::CurrentUser;

class AutomaticPresetsTest : public RegistryTest {
protected:
    // Everything the presets write, as the record holds it.
    struct Stored {
        std::string mtu, ndi, rwin, ttl;
        std::int32_t discover, blackHole, line;
        friend bool operator==(const Stored&, const Stored&) = default;
        friend std::ostream& operator<<(std::ostream& out, const Stored& s) {
            return out << "mtu " << s.mtu << " ndi " << s.ndi << " rwin " << s.rwin << " ttl " << s.ttl << " discover "
                       << s.discover << " black hole " << s.blackHole << " line " << s.line;
        }
    };
    Stored Record() {
        return {Text(U, ProgramKey, "mtu"),
                Text(U, ProgramKey, "ndi"),
                Text(U, ProgramKey, "rwin"),
                Text(U, ProgramKey, "ttl"),
                Number(U, ProgramKey, "PMTUDiscover"),
                Number(U, ProgramKey, "PMTUBlackHoleDetect"),
                Number(U, ProgramKey, "line")};
    }
};

TEST_F(AutomaticPresetsTest, EveryCodeStoresItsColumnOnBothFamilies) {
    for (auto version : RunnableVersions(AllVersions)) {
        SCOPED_TRACE(int(version));
        const bool family9x = version >= 2 && version <= 4;
        const std::string rwin = family9x ? "8192" : "8760";
        const std::string ttl = family9x ? "32" : "128";
        // stored: what "connect" holds; null: no "connect" and no program key at all.
        const struct {
            const char* stored;
            const char* read;
            Stored expected;
        } cases[] = {
            {"M", "M", {"576", "16", rwin, ttl, 1, 0, 1}},
            {"D1", "D1", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"D2", "D2", {"1492", "32", "149600", ttl, 1, 0, 1}},
            {"D3", "D3", {"1400", "32", "149600", ttl, 1, 0, 1}},
            {"C", "C", {"1500", "32", "149600", "64", 1, 0, 1}},
            {"N", "N", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"", "", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {nullptr, "", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"ISDN", "ISDN", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"d1", "d1", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"m", "m", {"1500", "32", "149600", ttl, 1, 0, 1}},
            {"Modem", "-2", {"1500", "32", "149600", ttl, 1, 0, 1}},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.stored ? c.stored : "(none)");
            Fresh(version);
            if (c.stored) PutText(U, ProgramKey, "connect", c.stored);
            EXPECT_EQ(StoreAutomaticPreset(), c.read);
            EXPECT_EQ(Record(), c.expected);
            // The code itself is left as it was found.
            EXPECT_EQ(Text(U, ProgramKey, "connect"), c.stored ? c.stored : "<missing>");
            EXPECT_FALSE(Has(U, ProgramKey, "ska"));
            EXPECT_FALSE(Has(U, ProgramKey, "init"));
        }
    }
}

TEST_F(AutomaticPresetsTest, TheStoredCodeDecidesAndEveryValueOfAnEarlierChoiceIsReplaced) {
    for (auto version : RunnableVersions({3, 6})) {
        SCOPED_TRACE(int(version));
        const bool family9x = version == 3;
        Fresh(version);
        // Hand-made choices first, "ska" among them.
        SetConnect("C");
        SetSka(7200000);
        SetPMTUDiscover(0);
        SetPMTUBlackHoleDetect(1);
        SetLine(false);
        SetRwin(32767);
        EXPECT_EQ(StoreAutomaticPreset(), "C");
        EXPECT_EQ(Record(), (Stored{"1500", "32", "149600", "64", 1, 0, 1}));

        // Another code stored since: cable's TTL and every DSL value go.
        SetConnect("M");
        EXPECT_EQ(StoreAutomaticPreset(), "M");
        EXPECT_EQ(Record(), (Stored{"576", "16", family9x ? "8192" : "8760", family9x ? "32" : "128", 1, 0, 1}));
        EXPECT_EQ(Text(U, ProgramKey, "ska"), "7200000");
        EXPECT_EQ(GetSka(), 7200000);
    }
}

}  // namespace
}  // namespace brisbolt::test
