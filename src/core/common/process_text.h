#pragma once

#include <string>
#include <vector>

namespace orvandel {

// Text that crosses the process boundary, as UTF-8 like every other text of the program. On
// Windows `argv` is in the ANSI code page, where a folder such as "C:\Users\Zoë\Wände 壁" cannot
// be written, so the arguments are taken from the wide command line instead.
std::vector<std::string> ProgramArgumentsAsUtf8(int argc, const char* const* argv);

// Lets a console show the UTF-8 the program writes (Windows consoles assume a code page);
// nothing to do elsewhere.
void ShowUtf8OnConsole();

}  // namespace orvandel
