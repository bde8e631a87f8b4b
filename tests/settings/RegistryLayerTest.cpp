// The registry model both backends share: names, paths, typed reads and the
// generic routines' failure rules.
#include <gtest/gtest.h>

#include "runtime/Dialogs.h"
#include "settings/RegistryCalls.h"
#include "tests/settings/RegistryTestSupport.h"

namespace brisbolt::test {
namespace {

constexpr RootKey U = RootKey::CurrentUser;
const std::string Scratch = "\\Software\\Corvelle\\Scratch";

class RegistryLayer : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        Fresh(0);
    }
    void Put(const std::string& name, RawValue value) {
        auto key = registry().OpenForWriting(U, Scratch, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->Set(name, value));
    }
    KeyHandle Open() { return registry().OpenForReading(U, Scratch); }
};

TEST_F(RegistryLayer, NamesAndPathsIgnoreCaseAndLeadingBackslash) {
    PutText(U, Scratch, "MaxMTU", "1500");
    EXPECT_EQ(Text(U, "software\\CORVELLE\\scratch", "maxmtu"), "1500");
    EXPECT_EQ(GetRegistryString(U, "Software\\Corvelle\\Scratch", "MAXMTU"), "1500");
    EXPECT_TRUE(RegistryKeyExists(U, "\\SOFTWARE\\corvelle\\Scratch"));
}

TEST_F(RegistryLayer, SubkeysComeInNameOrderIgnoringCase) {
    for (const char* name : {"b", "_x", "C", "A", "a1"})
        ASSERT_TRUE(registry().OpenForWriting(U, Scratch + "\\" + name, true));
    auto key = Open();
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Subkeys().value(), (std::vector<std::string>{"_x", "A", "a1", "b", "C"}));
}

TEST_F(RegistryLayer, OpeningForReadingNeverCreates) {
    EXPECT_FALSE(registry().OpenForReading(U, Scratch + "\\New"));
    EXPECT_FALSE(registry().OpenForWriting(U, Scratch + "\\New", false));
    EXPECT_FALSE(RegistryKeyExists(U, Scratch + "\\New"));
    EXPECT_TRUE(registry().OpenForWriting(U, Scratch + "\\New\\Deeper\\Still", true));
    EXPECT_TRUE(RegistryKeyExists(U, Scratch + "\\New\\Deeper"));
}

TEST_F(RegistryLayer, TypedReadsFollowTheValueTypes) {
    Put("empty", RawValue{RegSz, {}});
    Put("cut", RawValue{RegSz, {'a', 'b', 0, 'c', 'd', 0}});
    Put("expand", StringValue("%SystemRoot%\\x", RegExpandSz));
    Put("dword", DwordValue(0xFFFFFFFF));
    Put("wide", RawValue{RegDword, {1, 0, 0, 0, 0, 0, 0, 0}});
    Put("stamp", RawValue{RegBinary, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}});
    Put("short", RawValue{RegBinary, {0, 0, 0, 0}});
    auto key = Open();
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadString(*key, "empty"), "");
    EXPECT_EQ(ReadString(*key, "cut"), "ab");
    EXPECT_EQ(ReadString(*key, "expand"), "%SystemRoot%\\x");
    EXPECT_EQ(ReadString(*key, "dword"), std::nullopt);
    EXPECT_EQ(ReadInteger(*key, "dword"), -1);
    EXPECT_EQ(ReadInteger(*key, "wide"), std::nullopt);
    EXPECT_EQ(ReadInteger(*key, "cut"), std::nullopt);
    EXPECT_EQ(ReadDateTime(*key, "stamp"), 1.0);
    EXPECT_EQ(ReadDateTime(*key, "short"), std::nullopt);
    EXPECT_EQ(ReadBool(*key, "dword"), true);
    EXPECT_TRUE(ValueExists(*key, "wide"));
    EXPECT_FALSE(ValueExists(*key, "nothing"));
}

TEST_F(RegistryLayer, GetRegistryValueGivesTheKindsDefaultOnAnyFailure) {
    Put("text", StringValue("12"));
    const struct {
        std::string path, name;
        ValueKind kind;
        RegistryValue expected;
    } cases[] = {
        {Scratch, "missing", ValueKind::Integer, std::int32_t{-1}},
        {Scratch, "text", ValueKind::Integer, std::int32_t{-1}},
        {Scratch, "text", ValueKind::Boolean, false},
        {Scratch, "text", ValueKind::DateTime, 0.0},
        {Scratch + "\\Missing", "text", ValueKind::String, std::string()},
        {Scratch, "text", ValueKind::String, std::string("12")},
    };
    for (const auto& c : cases) {
        RegistryValue value = std::string("stale");
        GetRegistryValue(U, c.path, c.kind, value, c.name);
        EXPECT_EQ(value, c.expected) << c.path << " " << c.name;
    }
}

TEST_F(RegistryLayer, WritesRoundTripThroughEveryKind) {
    ASSERT_TRUE(SetRegistryValue(U, Scratch, true, std::int32_t{-5}, "i", ValueKind::Integer));
    ASSERT_TRUE(SetRegistryValue(U, Scratch, true, 2.5, "d", ValueKind::DateTime));
    ASSERT_TRUE(SetRegistryValue(U, Scratch, true, true, "b", ValueKind::Boolean));
    ASSERT_TRUE(SetRegistryValue(U, Scratch, true, std::string("t"), "s", ValueKind::String));
    RegistryValue value;
    GetRegistryValue(U, Scratch, ValueKind::DateTime, value, "d");
    EXPECT_EQ(value, RegistryValue(2.5));
    EXPECT_EQ(GetRegistryInteger(U, Scratch, "i"), -5);
    EXPECT_EQ(GetRegistryInteger(U, Scratch, "b"), 1);
    EXPECT_EQ(Text(U, Scratch, "s"), "t");
    // The terminating zero is stored with the text.
    EXPECT_EQ(Open()->Query("s")->data.size(), 2u);
}

TEST_F(RegistryLayer, RefusedWritesLeaveNothingBehind) {
    EXPECT_FALSE(SetRegistryValue(U, Scratch + "\\Missing", false, std::int32_t{1}, "i", ValueKind::Integer));
    EXPECT_FALSE(RegistryKeyExists(U, Scratch + "\\Missing"));
    // A value that does not fit the kind is refused, not converted.
    EXPECT_FALSE(SetRegistryValue(U, Scratch, true, std::string("12"), "i", ValueKind::Integer));
    EXPECT_FALSE(Has(U, Scratch, "i"));
}

TEST_F(RegistryLayer, DeletingNeedsBothKeyAndValue) {
    PutText(U, Scratch, "v", "x");
    EXPECT_FALSE(DeleteRegistryValue(U, Scratch, "other"));
    EXPECT_FALSE(DeleteRegistryValue(U, Scratch + "\\Missing", "v"));
    EXPECT_FALSE(RegistryKeyExists(U, Scratch + "\\Missing"));
    EXPECT_TRUE(DeleteRegistryValue(U, Scratch, "v"));
    EXPECT_FALSE(Has(U, Scratch, "v"));
    EXPECT_FALSE(DeleteRegistryValue(U, Scratch, "v"));
}

TEST_F(RegistryLayer, AnUnknownKindIsReportedAndTouchesNothing) {
    std::vector<std::string> shown;
    auto previous = SetDialogHandler([&](DialogKind, const std::string& text) {
        shown.push_back(text);
        return AnswerOk;
    });
    PutText(U, Scratch, "v", "x");
    RegistryValue value = std::string("stale");
    GetRegistryValue(U, Scratch, static_cast<ValueKind>(9), value, "v");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(value));
    EXPECT_FALSE(SetRegistryValue(U, Scratch, true, std::string("y"), "v", static_cast<ValueKind>(9)));
    SetDialogHandler(previous);
    EXPECT_EQ(shown, (std::vector<std::string>{"GetRegistryValue: unexpected var type",
                                               "SetRegistryValue: unexpected var type"}));
    EXPECT_EQ(Text(U, Scratch, "v"), "x");
}

TEST(TextToInteger, AcceptsOnlyWholeDecimalIntegers) {
    const struct {
        const char* text;
        std::int32_t expected;
    } cases[] = {{"1500", 1500}, {"01", 1},    {"-7", -7},  {"+3", 3},          {"", -1},
                 {"abc", -1},    {"12a", -1},  {" 12", -1}, {"2147483648", -1}, {"-2147483648", INT32_MIN},
                 {"+-1", -1},    {"0x10", -1}, {"-", -1},   {"6666", 6666}};
    for (const auto& c : cases) EXPECT_EQ(TextToInteger(c.text, -1), c.expected) << '"' << c.text << '"';
}

}  // namespace
}  // namespace brisbolt::test
