#pragma once

#include <string>
#include <vector>

namespace orvandel {

// Start-up: records the home folder, reads the command line, opens the wall-set file, and shows
// the main window only after the wall set has been loaded and rendered (so messages about failed
// files come first).
class CKelApp {
public:
    // Returns the process's exit code.
    int Run(int& argc, char** argv);
};

}  // namespace orvandel
