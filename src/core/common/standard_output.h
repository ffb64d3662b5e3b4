#pragma once

namespace orvandel {

// Standard output where the systems treat it differently.
//
// A reader that closes the pipe early (`| head -c 10`) should end the tool through a failed
// write it can answer quietly, not through a signal that skips the exit status. Windows sends
// no such signal; there this does nothing.
void IgnoreClosedPipeSignal();

// Before picture bytes go to standard output: Windows writes it in text mode, which would turn
// every byte 10 into 13 10. Nothing to do elsewhere.
void SendStandardOutputAsBytes();

// Whether standard output is a terminal rather than a pipe or a file.
bool StandardOutputIsTerminal();
// The same for standard error: problems are laid out for a terminal or one per line for a log.
bool StandardErrorIsTerminal();

}  // namespace orvandel
