#pragma once

#include <string>
#include <vector>

#include "core/common/diagnostic.h"

namespace orvandel {

enum class Severity { Information, Warning };

// One message as the user is to see it: a message box in the desktop program, lines on the
// terminal in orvandel-cli.
struct Notice {
    Severity severity = Severity::Warning;
    std::string text;                  // exactly the program's message
    std::vector<std::string> details;  // one line per failed file: "name: reason"

    // The detail lines, each ending in a line break; empty when there are none.
    std::string DetailText() const;
};

// How an operation ended, for a caller that must turn it into a status of its own.
enum class Outcome {
    Done,     // everything the operation was asked to do was done
    Failed,   // it ran, but some file could not be read or written
    Refused,  // what the user named could not be used at all, and nothing was done
};

// What one operation of a wall-set session has to tell the user, in the order it is shown.
struct SessionReport {
    Outcome outcome = Outcome::Done;
    std::vector<Notice> notices;
    // The warnings of the notices again, one line per cause and each naming its file, for a
    // build log; information notices have none.
    std::vector<Diagnostic> diagnostics;

    bool ok() const { return outcome == Outcome::Done; }
};

}  // namespace orvandel
