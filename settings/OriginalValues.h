// The system's TCP/IP values as they were before the program first changed
// them, saved once next to the settings record so they can be written back.
#pragma once

namespace brisbolt {

// True once a saved set exists (marked by "Orig_ttl_TF", whatever it holds).
bool HasSavedOriginals();
void SaveOriginalValues();
// Writes the saved set back into the system and removes what it gave back,
// and entries with nothing to give back (a value the system did not have, an
// adapter whose key is gone). An original that cannot be written back keeps
// its entries and the saved mark. True when no saved entry is left.
bool RestoreOriginalValues();

}  // namespace brisbolt
