// The Advanced window's mappings: system values to radio buttons, choices to
// stored values, and the manual MTU's validation; putting the record back.
#include <gtest/gtest.h>

#include "settings/MemoryRegistry.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/RegistryDump.h"
#include "tuning/AdvancedChoices.h"

namespace brisbolt {
namespace {

TEST(AdvancedChoicesTest, SystemMtuToTheGroup) {
    using K = MtuShown::Kind;
    const struct {
        std::int32_t system;
        K kind;
        std::int32_t current;
        const char* text;
        int item;
    } cases[] = {
        {-1, K::Default, 576, "576", 0},
        {6666, K::Default, 576, "576", 0},
        {576, K::Preset, 576, "576", 0},
        {1400, K::Preset, 1400, "1400", -1},
        {1454, K::Preset, 1454, "1454", -1},
        {1492, K::Preset, 1492, "1492", -1},
        {1500, K::Preset, 1500, "1500", 1},
        {4464, K::Preset, 4464, "4464", 2},
        {8166, K::Preset, 8166, "8166", 3},
        {17914, K::Preset, 17914, "17914", 4},
        {65535, K::Preset, 65535, "65535", 5},
        {1496, K::Manual, 1496, "1496", -1},
        {0, K::Manual, 0, "0", -1},
        {-2, K::Manual, -2, "-2", -1},
        {6667, K::Manual, 6667, "6667", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.system);
        const MtuShown shown = ShowMtuFor(c.system);
        EXPECT_EQ(shown.kind, c.kind);
        EXPECT_EQ(shown.currentMtu, c.current);
        EXPECT_EQ(shown.comboText, c.text);
        EXPECT_EQ(shown.comboItem, c.item);
    }
}

TEST(AdvancedChoicesTest, ManualMtuIsAWholeNumberFrom68To65535) {
    const struct {
        const char* text;
        std::optional<std::int32_t> mtu;
    } cases[] = {
        {"68", 68},
        {"67", std::nullopt},
        {"65535", 65535},
        {"65536", std::nullopt},
        {"1500", 1500},
        {"+1500", 1500},
        {"01500", 1500},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"1500.5", std::nullopt},
        {" 1500", std::nullopt},
        {"1500 ", std::nullopt},
        {"-1500", std::nullopt},
        {"40", std::nullopt},
        {"0", std::nullopt},
        {"99999999999", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(ParseManualMtu(c.text), c.mtu);
    }
}

TEST(AdvancedChoicesTest, SwitchesNdiAndTtl) {
    EXPECT_TRUE(SwitchOn(1));
    for (std::int32_t v : {0, 2, -1, 6666}) EXPECT_FALSE(SwitchOn(v)) << v;

    const std::pair<std::int32_t, NdiChoice> ndi[] = {{0, NdiChoice::Default},
                                                      {16, NdiChoice::Sixteen},
                                                      {32, NdiChoice::ThirtyTwo},
                                                      {6666, NdiChoice::ThirtyTwo},
                                                      {-1, NdiChoice::ThirtyTwo}};
    for (auto [value, choice] : ndi) EXPECT_EQ(NdiChoiceFor(value), choice) << value;

    // The MTU group's default decides whether the NDI choice counts at all.
    for (NdiChoice choice : {NdiChoice::Default, NdiChoice::Sixteen, NdiChoice::ThirtyTwo}) {
        const NdiStore store = NdiStoreFor(false, choice);
        EXPECT_TRUE(store.useDefault);
    }
    EXPECT_EQ(NdiStoreFor(true, NdiChoice::Default).text, DefaultNdiText);
    EXPECT_EQ(NdiStoreFor(true, NdiChoice::Sixteen).text, "16");
    EXPECT_EQ(NdiStoreFor(true, NdiChoice::ThirtyTwo).text, "32");
    EXPECT_FALSE(NdiStoreFor(true, NdiChoice::ThirtyTwo).useDefault);

    const std::pair<std::int32_t, TtlChoice> ttl[] = {{64, TtlChoice::SixtyFour},
                                                      {128, TtlChoice::OneTwentyEight},
                                                      {32, TtlChoice::Default},
                                                      {255, TtlChoice::Default},
                                                      {-1, TtlChoice::Default}};
    for (auto [value, choice] : ttl) EXPECT_EQ(TtlChoiceFor(value), choice) << value;
    EXPECT_EQ(TtlToStore(TtlChoice::Default), 32);
    EXPECT_EQ(TtlToStore(TtlChoice::SixtyFour), 64);
    EXPECT_EQ(TtlToStore(TtlChoice::OneTwentyEight), 128);
}

TEST(AdvancedChoicesTest, KeepAliveInMillisecondsBothWays) {
    using K = KeepAliveChoice;
    const struct {
        std::int32_t system;
        K choice;
        std::int32_t minutes;
    } shown[] = {
        {3600000, K::Default, 60}, {600000, K::TenMinutes, 60}, {1200000, K::Manual, 20}, {1230000, K::Manual, 20},
        {60000, K::Manual, 5},     {10, K::Manual, 5},          {60, K::Manual, 5},       {7200000, K::Manual, 60},
        {-1, K::Manual, 5},        {0, K::Manual, 5},
    };
    for (const auto& c : shown) {
        SCOPED_TRACE(c.system);
        const KeepAliveShown s = KeepAliveFor(c.system);
        EXPECT_EQ(s.choice, c.choice);
        if (c.choice == K::Manual) {
            EXPECT_EQ(s.minutes, c.minutes);
        }
    }
    EXPECT_EQ(KeepAliveToStore(K::Default, 5), KeepAliveDefault);
    EXPECT_EQ(KeepAliveToStore(K::TenMinutes, 5), 600000);
    EXPECT_EQ(KeepAliveToStore(K::SixtyMinutes, 5), 3600000);
    EXPECT_EQ(KeepAliveToStore(K::Manual, 25), 1500000);
    EXPECT_EQ(KeepAliveToStore(K::Manual, 1), 300000);
    EXPECT_EQ(KeepAliveToStore(K::Manual, 100), 3600000);
    // What is stored reads back as the same choice.
    for (std::int32_t minutes = MinKeepAliveMinutes; minutes <= MaxKeepAliveMinutes; minutes += 5) {
        const KeepAliveShown back = KeepAliveFor(KeepAliveToStore(K::Manual, minutes));
        EXPECT_EQ(back.choice, minutes == 10 ? K::TenMinutes : minutes == 60 ? K::Default : K::Manual);
        if (back.choice == K::Manual) {
            EXPECT_EQ(back.minutes, minutes);
        }
    }
}

// Whichever registry operation fails while the record is put back, nothing
// crashes, the answer tells whether all went back, and a second try does.
TEST(AdvancedChoicesTest, PuttingTheRecordBackSurvivesEveryFailure) {
    MemoryRegistry memory;
    struct Active {
        RegistryBackend* before;
        ~Active() { SetActiveRegistry(before); }
    } active{SetActiveRegistry(&memory)};
    auto record = [&] { return DumpKeyTree(memory, RootKey::CurrentUser, ProgramKey); };
    auto choose = [] {
        SetMtu(false, 576);
        SetTtl(128);
        SetNdi(false, "32");
    };
    ASSERT_TRUE(SetMtu(false, 1500) && SetTtl(64));
    const std::string before = record();
    const RecordCopy copy = RecordCopy::Take();
    choose();
    memory.ResetOperationCount();
    ASSERT_TRUE(copy.PutBack());
    for (long n = 1, operations = memory.OperationCount(); n <= operations; ++n) {
        choose();
        memory.FailOperation(n);
        const bool back = copy.PutBack();
        memory.FailOperation(0);
        EXPECT_EQ(back, record() == before) << "operation " << n;
        EXPECT_TRUE(copy.PutBack());
        EXPECT_EQ(record(), before) << "operation " << n;
    }
}

}  // namespace
}  // namespace brisbolt
