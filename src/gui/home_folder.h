#pragma once

#include <string>

namespace orvandel {

// The folder that was current when the program started, exactly as the system reported it, in
// UTF-8 (PathFromUtf8 makes it a path again); empty if it could not be read. Wall sets load from it
// and exports go into it.
extern std::string g_homeFolder;

// Reads the current folder into g_homeFolder. Called once, first thing at start-up.
void RecordHomeFolder();

}  // namespace orvandel
