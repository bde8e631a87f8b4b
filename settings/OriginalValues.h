// The system's TCP/IP values as they were before the program first changed
// them, saved once for the machine so they can be written back, whichever
// user opens the wizard or uninstalls.
#pragma once

#include <string>

namespace brisbolt {

// The saved set: a key of its own under the machine's program key.
inline constexpr const char* OriginalsKey = "\\Software\\Corvelle\\Brisbolt\\Originals";

// True once a saved set exists (marked by "Orig_ttl_TF", whatever it holds).
// A set that an earlier Brisbolt kept in the user's own record moves to the
// machine here, the first time it is seen; where the machine has a set
// already, that one stays and the user's goes.
bool HasSavedOriginals();
// Saves the set. The caller calls it only when there is none.
void SaveOriginalValues();
// Before an apply run writes: every value it may write that the set has no
// copy of yet (a network card or connection added since the first saving)
// gets one, as found or as absent. Without a set, saves one.
void SaveOriginalsOfNewValues();

// What a restore found and did, for the uninstall to tell the user.
struct RestoreReport {
    // A saved set was there to give back.
    bool hadSet = false;
    // A write (or an opening for one) was refused for want of rights.
    bool refusedForRights = false;
    // The first value that could not be written back, as
    // "HKEY_LOCAL_MACHINE\<key>\<name>"; empty when none.
    std::string notWrittenBack;
};

// Writes the saved set back into the system and removes what it gave back,
// and entries with nothing to give back (a value the system did not have, an
// adapter whose key is gone). An original that cannot be written back keeps
// its entries and the saved mark. True when no saved entry is left, which is
// also the answer when nothing was saved.
bool RestoreOriginalValues(RestoreReport* report = nullptr);

}  // namespace brisbolt
