// One saved set per machine: users, a set moved from the settings record,
// an adapter added later, and what a restore reports.
#include <gtest/gtest.h>

#include <iostream>

#include "tests/settings/OriginalValuesSupport.h"
#include "tests/support/NoMachineWrites.h"

namespace brisbolt::test {
namespace {

// An earlier Brisbolt kept the set in the record of whoever first opened
// the wizard; the record of a user who never did is empty.
void MoveSetToRecord() {
    auto from = TestRegistry().OpenForReading(M, OriginalsKey);
    auto to = TestRegistry().OpenForWriting(U, ProgramKey, true);
    ASSERT_TRUE(from && to);
    const auto names = from->ValueNames().value();
    for (const auto& name : names) ASSERT_TRUE(to->Set(name, from->Query(name).value()));
    ASSERT_TRUE(TestRegistry().DeleteKeyTree(M, OriginalsKey));
}
bool RecordHoldsASet() {
    auto key = TestRegistry().OpenForReading(U, ProgramKey);
    return key && ValueExists(*key, "Orig_ttl_TF");
}

constexpr Machine OneOfEachFamily[] = {
    {3, "win98.reg", false}, {5, "nt40.reg", false}, {6, "win2k.reg", true}, {7, "winxp.reg", true}};

// Saved as one user, given back as another: whatever the second user's own
// record holds, the machine's set is the one given back.

TEST_F(OriginalValuesTest, TwoUsersOnOneMachine) {
    enum class Second { NeverOpenedTheWizard, HoldsAnEarlierSetOfChangedValues, IsTheFirstWithAnEarlierSet };
    for (const auto& machine : OneOfEachFamily)
        for (auto version : RunnableVersions({machine.version}))
            for (auto second : {Second::NeverOpenedTheWizard, Second::HoldsAnEarlierSetOfChangedValues,
                                Second::IsTheFirstWithAnEarlierSet}) {
                SCOPED_TRACE(Describe(machine) << " case " << int(second));
                ASSERT_EQ(version, machine.version);
                const std::string original = RestoredMachine(machine);
                SaveOriginalValues();
                ApplyNewValues();
                TestRegistry().DeleteKeyTree(U, ProgramKey);
                if (second == Second::IsTheFirstWithAnEarlierSet) MoveSetToRecord();
                if (second == Second::HoldsAnEarlierSetOfChangedValues) {
                    PutNumber(U, ProgramKey, "Orig_ttl_TF", 1);
                    PutNumber(U, ProgramKey, "Orig_ttl_Val", 64);
                }
                RestoreReport report;
                EXPECT_TRUE(RestoreOriginalValues(&report));
                EXPECT_TRUE(report.hadSet);
                EXPECT_EQ(MachineSnapshot(), original);
                EXPECT_FALSE(HasSavedOriginals());
                EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
                EXPECT_FALSE(RecordHoldsASet());
            }
}

// The set an earlier Brisbolt left in the user's record moves to the
// machine the first time it is seen; the machine's own set is never
// replaced by it; one the machine will not take stays where it is.
TEST_F(OriginalValuesTest, AnEarlierSetInTheRecordIsMoved) {
    for (auto version : RunnableVersions({3, 7})) {
        SCOPED_TRACE(int(version));
        Fresh(version);
        LoadFixture(version == 3 ? "win98.reg" : "winxp.reg");
        SaveOriginalValues();
        const std::string saved = SavedSetSnapshot();
        MoveSetToRecord();
        if (!OnRealRegistry()) {
            NoMachineWrites plainUser(TestRegistry());
            RegistryBackend* real = SetActiveRegistry(&plainUser);
            EXPECT_TRUE(HasSavedOriginals());
            RestoreReport report;
            EXPECT_FALSE(RestoreOriginalValues(&report));
            EXPECT_TRUE(report.refusedForRights);
            SetActiveRegistry(real);
            EXPECT_TRUE(RecordHoldsASet());
        } else {
            std::cout << "[ NOTE ] a machine that refuses the set: only on the registry in memory\n";
        }
        EXPECT_TRUE(HasSavedOriginals());
        EXPECT_FALSE(RecordHoldsASet());
        EXPECT_FALSE(RecordSnapshot().find("Orig_") != std::string::npos) << RecordSnapshot();
        // The same entries, listed in the same order.
        EXPECT_EQ(SavedSetSnapshot(), saved);
        // A later one in the record is not taken for newer.
        PutNumber(U, ProgramKey, "Orig_ttl_TF", 1);
        PutNumber(U, ProgramKey, "Orig_ttl_Val", 64);
        EXPECT_TRUE(HasSavedOriginals());
        EXPECT_FALSE(RecordHoldsASet());
        EXPECT_EQ(SavedSetSnapshot(), saved);
        // Entries without the mark are a saving cut short: they stay and
        // count for nothing.
        ASSERT_TRUE(RestoreOriginalValues());
        PutNumber(U, ProgramKey, "Orig_rwin_TF", 1);
        EXPECT_FALSE(HasSavedOriginals());
        EXPECT_EQ(Number(U, ProgramKey, "Orig_rwin_TF"), 1);
    }
}

// A network card or connection added after the first saving gets its
// values back too: their copies are taken before the apply run writes, by
// the same rules, whether the set was saved by this program or moved here
// from an earlier one's record.
TEST_F(OriginalValuesTest, AnAdapterAddedLaterGetsItsOriginalsBack) {
    const struct {
        std::uint8_t version;
        const char* fixture;
        const char* key;  // the adapter added
        const char* name;
        const char* text;
    } cases[] = {
        {3, "win98.reg", "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0005", "DriverDesc", "TCP/IP"},
        {6, "win2k.reg",
         "\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{7A0C5E21-3B4D-4E6F-9A8B-0C1D2E3F4A5B}",
         "IPAddress", "0.0.0.0"},
        {7, "winxp.reg",
         "\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\{7A0C5E21-3B4D-4E6F-9A8B-0C1D2E3F4A5B}",
         "IPAddress", "0.0.0.0"},
    };
    for (const auto& c : cases)
        for (auto version : RunnableVersions({c.version}))
            for (bool earlier : {false, true}) {
                SCOPED_TRACE(::testing::Message() << c.fixture << (earlier ? " earlier program's set" : ""));
                Fresh(version);
                LoadFixture(c.fixture);
                if (earlier) {
                    SaveAsTheEarlierProgramDid();
                    MoveSetToRecord();
                } else {
                    SaveOriginalValues();
                }
                PutText(M, c.key, c.name, c.text);
                if (version == 3) PutText(M, c.key, "IPMTU", "1500");
                const std::string adapter = DumpKeyTree(TestRegistry(), M, c.key);
                const std::string original = MachineSnapshot();
                SaveOriginalsOfNewValues();
                ApplyNewValues();
                ASSERT_NE(DumpKeyTree(TestRegistry(), M, c.key), adapter);
                EXPECT_TRUE(RestoreOriginalValues());
                EXPECT_EQ(DumpKeyTree(TestRegistry(), M, c.key), adapter);
                // The earlier program saved neither switch; this one gives all back.
                if (!earlier) {
                    EXPECT_EQ(MachineSnapshot(), original);
                }
                EXPECT_FALSE(AnySavedEntry()) << SavedSetSnapshot();
            }
}

// What a restore tells the uninstall.
TEST_F(OriginalValuesTest, TheRestoreReportsWhatHappened) {
    if (OnRealRegistry()) std::cout << "[ NOTE ] refused writes: only on the registry in memory\n";
    for (auto version : RunnableVersions({3, 6})) {
        const struct {
            const char* what;
            bool save;
            int refuse;  // 0 none, 1 every machine write (rights), 2 the TTL value only (not rights)
            bool complete, hadSet, rights;
            std::string named;
        } cases[] = {
            {"nothing saved", false, 0, true, false, false, ""},
            {"all back", true, 0, true, true, false, ""},
            {"a plain user", true, 1, false, true, true, "HKEY_LOCAL_MACHINE\\"},
            {"one value refused", true, 2, false, true, false,
             std::string("HKEY_LOCAL_MACHINE\\") + (version == 3 ? MstcpKey : TcpipParametersKey) + "\\DefaultTTL"},
        };
        for (const auto& c : cases) {
            if (c.refuse && OnRealRegistry()) continue;
            SCOPED_TRACE(::testing::Message() << int(version) << " " << c.what);
            Fresh(version);
            LoadFixture(version == 3 ? "win98.reg" : "win2k.reg");
            if (c.save) SaveOriginalValues();
            ApplyNewValues();
            NoMachineWrites plainUser(TestRegistry());
            RefusingOneValue oneValue(TestRegistry(), "DefaultTTL", true);
            RegistryBackend* real = nullptr;
            if (c.refuse == 1) real = SetActiveRegistry(&plainUser);
            if (c.refuse == 2) real = SetActiveRegistry(&oneValue);
            RestoreReport report;
            EXPECT_EQ(RestoreOriginalValues(&report), c.complete);
            if (real) SetActiveRegistry(real);
            EXPECT_EQ(report.hadSet, c.hadSet);
            EXPECT_EQ(report.refusedForRights, c.rights);
            EXPECT_EQ(report.notWrittenBack.substr(0, c.named.size()), c.named);
            EXPECT_EQ(report.notWrittenBack.empty(), c.named.empty()) << report.notWrittenBack;
        }
    }
}

}  // namespace
}  // namespace brisbolt::test
