// A registry test case starts from a clean registry: the store in memory in
// the native suite, the real registry (the keys the program touches wiped)
// in the Wine suite. Version-dependent cases run for every listed version in
// memory, and for the running version only on a real system.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "settings/Registry.h"
#include "settings/RegistryCalls.h"

namespace brisbolt::test {

// The registry under test; true for the real one.
RegistryBackend& TestRegistry();
bool OnRealRegistry();
// Removes every key and value the program touches.
void WipeProgramKeys();
// The versions of the list that this run can exercise.
std::vector<std::uint8_t> RunnableVersions(std::initializer_list<std::uint8_t> versions);
void LoadFixture(const std::string& name);
// The keys the program touches, as text, for before/after comparisons.
std::string SystemSnapshot();
std::string RecordSnapshot();
// The saved originals of the machine.
std::string SavedSetSnapshot();
// Every service's keys and values, as a whole.
std::string ServicesSnapshot();

inline constexpr std::initializer_list<std::uint8_t> AllVersions = {0, 2, 3, 4, 5, 6, 7};
inline constexpr std::initializer_list<std::uint8_t> Versions9x = {2, 3, 4};
inline constexpr std::initializer_list<std::uint8_t> VersionsNt = {0, 5, 6, 7};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts a case afresh for one version: clean keys, version set.
    void Fresh(std::uint8_t version);

    RegistryBackend& registry() { return TestRegistry(); }
    std::string Text(RootKey root, const std::string& path, const std::string& name);
    std::int32_t Number(RootKey root, const std::string& path, const std::string& name);
    bool Has(RootKey root, const std::string& path, const std::string& name);
    void PutText(RootKey root, const std::string& path, const std::string& name, const std::string& text);
    void PutNumber(RootKey root, const std::string& path, const std::string& name, std::uint32_t number);

private:
    RegistryBackend* previous_ = nullptr;
};

}  // namespace brisbolt::test
