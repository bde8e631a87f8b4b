// The saved set as a whole: where it is, in which order it is saved and
// given back, and the set an earlier Brisbolt left in a user's record.
#include "settings/OriginalValues.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/EarlierEntries.h"
#include "settings/OriginalCopies.h"
#include "settings/ProgramSettings.h"
#include "settings/RegistryCalls.h"
#include "settings/SavedSet.h"

namespace brisbolt {

using namespace saved;

namespace {

// Copies first given back and only then forgotten, once the entries beside
// them are gone: a set that still has any of those but no copies would be
// taken for one of the earlier program's.
bool RestoreCopies(const SavedEntries& saved, const std::set<int>& indexes) {
    std::vector<int> givenBack;
    for (int index : indexes)
        if (GiveBackCopy(saved, index)) givenBack.push_back(index);
    if (!ForgetEntriesBesideCopies(saved)) return false;
    for (int index : givenBack) ForgetCopy(saved, index);
    return true;
}

// Last: the mark tells that originals are saved, so it stays while any other
// saved entry is left; else the next apply run would save the changed
// values over the originals still kept.
bool ForgetMark(const SavedEntries& saved) {
    if (!SavedEntries().HoldsOnly({TtlFlag, TtlValue})) return false;
    return Forget(saved, {TtlFlag, TtlValue});
}

// Restoring: copies alone where the set was saved with them; else the
// earlier program's entries, then any copies added to them; the TTL and the
// mark last.
bool RestoreSet() {
    const SavedEntries saved;
    // Copies are given back all together or not at all: without a listing
    // of the set there is no telling which are there.
    if (!saved.Listed() && !GetRegistryString(SetRoot, SetKey, HeldEntry(0, "_Key")).empty()) return false;
    const auto copies = CopyIndexes(saved);
    const bool added = !copies.empty() && !saved.Missing(AddedMark);
    if (!copies.empty() && !added) return RestoreCopies(saved, copies) && ForgetMark(saved);
    RestoreEntries(saved);
    if (added) {
        bool all = true;
        for (int index : copies) all = GiveBackCopy(saved, index) && ForgetCopy(saved, index) && all;
        if (all) Forget(saved, {AddedMark});
    }
    return GiveBackTtl(saved) && ForgetMark(saved);
}

std::vector<std::string> SavedNames(RootKey root, const char* path) {
    std::vector<std::string> names;
    if (auto key = ActiveRegistry().OpenForReading(root, path))
        for (auto& name : key->ValueNames().value_or(std::vector<std::string>{}))
            if (IsSavedEntry(name)) names.push_back(std::move(name));
    return names;
}

// An earlier Brisbolt kept the set in the record of whoever first opened the
// wizard, where no other user, and no uninstall run by one, finds it. It
// moves to the machine the first time it is seen, all of it, its mark last.
// A set the machine has already stays: the user's went unseen while that one
// was saved (or moved here), so it is no newer, and may hold values already
// changed. The user's then goes.
void MoveEarlierSet() {
    if (!Marked(Record, ProgramKey)) return;
    const auto names = SavedNames(Record, ProgramKey);
    if (!Marked(SetRoot, SetKey)) {
        // Whatever a saving cut short left there belongs to no set.
        for (const auto& name : SavedNames(SetRoot, SetKey)) DeleteRegistryValue(SetRoot, SetKey, name);
        auto from = ActiveRegistry().OpenForReading(Record, ProgramKey);
        auto to = ActiveRegistry().OpenForWriting(SetRoot, SetKey, true);
        if (!from || !to) return;
        std::optional<RawValue> mark;
        for (const auto& name : names) {
            auto value = from->Query(name);
            if (!value) return;
            if (CompareNames(name, Mark) == 0)
                mark = std::move(value);
            else if (!to->Set(name, *value))
                return;
        }
        if (!mark || !to->Set(Mark, *mark)) return;
    }
    // The mark first: a record left halfway is no set any more.
    if (!DeleteRegistryValue(Record, ProgramKey, Mark)) return;
    for (const auto& name : names) DeleteRegistryValue(Record, ProgramKey, name);
}

}  // namespace

bool HasSavedOriginals() {
    MoveEarlierSet();
    // A set the machine refused stays in the record, and counts.
    return Marked(SetRoot, SetKey) || Marked(Record, ProgramKey);
}

// Saving: the copies first, then the earlier program's entries, the TTL's
// last: its flag marks the set, so a saving cut short before it is done
// again in full.
void SaveOriginalValues() {
    SaveCopies();
    SaveEntries();
}

void SaveOriginalsOfNewValues() {
    if (!HasSavedOriginals()) return SaveOriginalValues();
    // A set the machine would not take stays where it was: this user may not
    // write there, and so not the system keys either.
    if (!Marked(SetRoot, SetKey)) return;
    const SavedEntries saved;
    if (!saved.Listed()) return;
    const std::set<int> copies = CopyIndexes(saved);
    // The earlier program's entries stand for what they cover where the set
    // has no copies of its own, or has copies only added to them.
    const bool entries = copies.empty() || !saved.Missing(AddedMark);
    // Not knowing what is kept, add nothing rather than a second copy.
    const auto copied = CopiedValues(saved);
    if (!copied) return;
    int next = copies.empty() ? 0 : *copies.rbegin() + 1;
    bool marked = !copies.empty();
    for (const auto& value : ValuesAnApplyRunMayWrite()) {
        const bool kept = std::any_of(copied->begin(), copied->end(), [&](const SystemValue& copy) {
            return SameKey(copy.key, value.key) && CompareNames(copy.name, value.name) == 0;
        });
        if (kept || (entries && CoveredByEntries(saved, value))) continue;
        if (!marked && !(marked = SaveFlag(AddedMark, true))) return;
        SaveCopy(next++, value);
    }
}

bool RestoreOriginalValues(RestoreReport* out) {
    RestoreReport run;
    ReportTo(&run);
    const unsigned long refusals = RightsRefusals();
    MoveEarlierSet();
    run.hadSet = Marked(SetRoot, SetKey) || Marked(Record, ProgramKey);
    // A set that could not be moved to the machine cannot be given back
    // from there either.
    const bool done = !Marked(Record, ProgramKey) && RestoreSet();
    if (!done) {
        run.refusedForRights = RightsRefusals() != refusals;
        NotWrittenBack(SetRoot, SetKey, "");
    }
    ReportTo(nullptr);
    if (out) *out = run;
    return done;
}

}  // namespace brisbolt
