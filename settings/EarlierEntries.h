// The entries the earlier program kept, with their meaning: a flag and a
// number per item (the MTU per adapter, the NDI cache size, the receive
// window, the keep-alive, the TTL). A set saved by it has only these and is
// given back from them; a set saved now keeps them too, for its sake.
#pragma once

#include <set>
#include <string>

#include "settings/SavedSet.h"
#include "settings/SystemSettings.h"

namespace brisbolt::saved {

std::set<int> AdapterIndexes(const SavedEntries& saved);

// Saves every entry, the TTL's last: its flag is the set's mark.
void SaveEntries();
// Gives back the adapters, the NDI cache size, the receive window and the
// keep-alive, and forgets each entry with nothing left to give back.
void RestoreEntries(const SavedEntries& saved);
// The TTL, given back last. True when it has nothing left to give back.
bool GiveBackTtl(const SavedEntries& saved);
// The TTL's two entries, the mark among them.
inline constexpr const char* TtlFlag = "Orig_ttl_TF";
inline constexpr const char* TtlValue = "Orig_ttl_Val";

// A set with copies is given back by them alone; the entries kept beside
// them for the earlier program's sake have nothing more to give.
bool ForgetEntriesBesideCopies(const SavedEntries& saved);

// Whether the entries stand for this value (then no copy is added for it).
bool CoveredByEntries(const SavedEntries& saved, const SystemValue& value);

}  // namespace brisbolt::saved
