// Reading REGEDIT4 fixtures.
#include <gtest/gtest.h>

#include "settings/MemoryRegistry.h"
#include "settings/RegFile.h"

namespace brisbolt {
namespace {

TEST(RegFile, ReadsEveryValueForm) {
    MemoryRegistry r;
    LoadRegText(r,
                "REGEDIT4\r\n\r\n"
                "[HKEY_LOCAL_MACHINE\\A\\B]\r\n"
                "\"text\"=\"C:\\\\dir \\\"q\\\"\"\r\n"
                "@=\"unnamed\"\r\n"
                "\"num\"=dword:0000faf0\r\n"
                "\"bin\"=hex:01,02,\\\r\n"
                "  03\r\n"
                "\"exp\"=hex(2):25,00\r\n"
                "\"gone\"=\"x\"\r\n"
                "\"gone\"=-\r\n"
                "; a comment\r\n"
                "[HKCU\\C]\r\n"
                "[HKEY_CURRENT_USER\\D]\r\n"
                "[-HKEY_CURRENT_USER\\D]\r\n",
                "t.reg");
    auto key = r.OpenForReading(RootKey::LocalMachine, "A\\B");
    ASSERT_TRUE(key);
    EXPECT_EQ(ReadString(*key, "text"), "C:\\dir \"q\"");
    EXPECT_EQ(ReadString(*key, ""), "unnamed");
    EXPECT_EQ(ReadInteger(*key, "num"), 64240);
    EXPECT_EQ(key->Query("bin"), (RawValue{RegBinary, {1, 2, 3}}));
    EXPECT_EQ(key->Query("exp"), (RawValue{RegExpandSz, {0x25, 0}}));
    EXPECT_FALSE(ValueExists(*key, "gone"));
    EXPECT_TRUE(r.OpenForReading(RootKey::CurrentUser, "C"));
    EXPECT_FALSE(r.OpenForReading(RootKey::CurrentUser, "D"));
}

TEST(RegFile, AMalformedFileNamesFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"REGEDIT5\n", "f.reg:1: the first line must be REGEDIT4"},
        {"REGEDIT4\n\"a\"=\"b\"\n", "f.reg:2: a value outside of any key"},
        {"REGEDIT4\n[HKEY_USERS\\X]\n", "f.reg:2: unknown root \"HKEY_USERS\""},
        {"REGEDIT4\n[HKCU\\X\n", "f.reg:2: a key line must end with ]"},
        {"REGEDIT4\n[HKCU]\n", "f.reg:2: a key below the root is needed"},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=dword:123456789\n", "f.reg:3: bad dword \"123456789\""},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=hex:1,02\n", "f.reg:3: bad hex byte \"1\""},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=hex:01,\\\n zz\n\"b\"=\"\"\n", "f.reg:3: bad hex byte \"zz\""},
        {"REGEDIT4\n[HKCU\\X]\n\"a=\"b\"\n", "f.reg:3: missing ="},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=\"b\n", "f.reg:3: missing closing quote"},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=\"b\"c\n", "f.reg:3: text after the closing quote"},
        {"REGEDIT4\n[HKCU\\X]\n\"a\"=string\n", "f.reg:3: unknown value data \"string\""},
        {"REGEDIT4\n[HKCU\\X]\nname=1\n", "f.reg:3: a value line must start with \" or @"},
    };
    for (const auto& c : cases) {
        MemoryRegistry r;
        try {
            LoadRegText(r, c.text, "f.reg");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const RegFileError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    MemoryRegistry r;
    EXPECT_THROW(LoadRegFile(r, "/nonexistent/x.reg"), RegFileError);
}

}  // namespace
}  // namespace brisbolt
