// The system's TCP/IP values as they were before the program first changed
// them, saved once next to the settings record so they can be written back.
#pragma once

namespace brisbolt {

// True once a saved set exists (marked by "Orig_ttl_TF", whatever it holds).
bool HasSavedOriginals();
void SaveOriginalValues();
// Writes the saved set back into the system and removes it.
void RestoreOriginalValues();

}  // namespace brisbolt
