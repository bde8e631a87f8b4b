// The exact copies of every value an apply run may write: where it lives,
// whether the system had it, and its type and bytes. Restoring gives each
// back as it was, or deletes it where the system did not have it.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/SavedSet.h"
#include "settings/SystemSettings.h"

namespace brisbolt::saved {

std::string HeldEntry(int index, const char* suffix);
std::set<int> CopyIndexes(const SavedEntries& saved);

// Copies left by a saving cut short before its mark: they belong to no set.
void ForgetLooseCopies();
// Keeps one value as it is, or that it is absent, under the index.
void SaveCopy(int index, const SystemValue& value);
// A copy of every value an apply run may write, numbered from 0.
void SaveCopies();
// The values the set has copies of; empty when that cannot be told.
std::optional<std::vector<SystemValue>> CopiedValues(const SavedEntries& saved);

// True when the copy has nothing left to give back.
bool GiveBackCopy(const SavedEntries& saved, int index);
bool ForgetCopy(const SavedEntries& saved, int index);

}  // namespace brisbolt::saved
