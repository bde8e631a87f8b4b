// The help page: "brbhelp.htm" in the folder the installer recorded, opened
// by the shell. The help buttons of every window come here.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace brisbolt {

inline constexpr const char* HelpPageName = "brbhelp.htm";

// Asks the shell to open `file` with `folder` as the working folder.
using HelpOpener = std::function<void(HWND parent, const std::string& file, const std::string& folder)>;

// Replaces the shell (an empty opener brings it back); returns the one before.
HelpOpener SetHelpOpener(HelpOpener opener);

// Reads "installdir" (empty when missing) and opens the page from there,
// shown normally. What the shell answers is not examined.
void OpenHelpPage(HWND parent);

}  // namespace brisbolt
