#include "tests/settings/RegistryTestSupport.h"

#include <algorithm>

#include "settings/OriginalValues.h"
#include "settings/ProgramSettings.h"
#include "settings/RegFile.h"
#include "settings/RegistryDump.h"
#include "settings/SystemSettings.h"

namespace brisbolt::test {

void LoadFixture(const std::string& name) { LoadRegFile(TestRegistry(), std::string(FIXTURE_DIR) + "/" + name); }

void WipeProgramKeys() { LoadFixture("clean.reg"); }

std::string SystemSnapshot() {
    auto& r = TestRegistry();
    constexpr RootKey M = RootKey::LocalMachine;
    std::string all;
    for (const char* key :
         {MstcpKey, "System\\CurrentControlSet\\Services\\VxD\\NWLink",
          "System\\CurrentControlSet\\Services\\Class\\NetTrans", TcpipParametersKey, NetbtParametersKey})
        all += DumpKeyTree(r, M, key);
    // Of the program's machine key only its own values (the 9x MTU marker):
    // the saved set below it is no system value.
    const std::string program = DumpKeyTree(r, M, ProgramKey);
    const auto values = program.find('\n') + 1;
    const auto end = std::min(program.find("\n[", values - 1) + 1, program.size());
    if (values < end) all += program.substr(0, end);
    return all;
}

std::string ServicesSnapshot() {
    return DumpKeyTree(TestRegistry(), RootKey::LocalMachine, "System\\CurrentControlSet\\Services");
}

std::string SavedSetSnapshot() { return DumpKeyTree(TestRegistry(), RootKey::LocalMachine, OriginalsKey); }

std::string RecordSnapshot() { return DumpKeyTree(TestRegistry(), RootKey::CurrentUser, ProgramKey); }

void RegistryTest::SetUp() { previous_ = SetActiveRegistry(&TestRegistry()); }

void RegistryTest::TearDown() { SetActiveRegistry(previous_); }

void RegistryTest::Fresh(std::uint8_t version) {
    WipeProgramKeys();
    WindowsVersion = version;
}

std::string RegistryTest::Text(RootKey root, const std::string& path, const std::string& name) {
    auto key = registry().OpenForReading(root, path);
    if (!key) return "<no key>";
    auto value = key->Query(name);
    if (!value) return "<missing>";
    if (value->type != RegSz) return "<type " + std::to_string(value->type) + ">";
    return ReadString(*key, name).value_or("");
}

std::int32_t RegistryTest::Number(RootKey root, const std::string& path, const std::string& name) {
    auto key = registry().OpenForReading(root, path);
    if (!key) return -1000001;
    return ReadInteger(*key, name).value_or(-1000000);
}

bool RegistryTest::Has(RootKey root, const std::string& path, const std::string& name) {
    auto key = registry().OpenForReading(root, path);
    return key && ValueExists(*key, name);
}

void RegistryTest::PutText(RootKey root, const std::string& path, const std::string& name, const std::string& text) {
    auto key = registry().OpenForWriting(root, path, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(WriteString(*key, name, text));
}

void RegistryTest::PutNumber(RootKey root, const std::string& path, const std::string& name, std::uint32_t number) {
    auto key = registry().OpenForWriting(root, path, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->Set(name, DwordValue(number)));
}

}  // namespace brisbolt::test
