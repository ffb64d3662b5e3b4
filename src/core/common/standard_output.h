#pragma once

#include <cstddef>

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

// A standard descriptor the program was started without (`>&-`) would be handed to the next
// file it opens, and output meant for the terminal would land in that file. Such a descriptor
// is filled with one that refuses every write, so the write fails and is reported instead.
void KeepClosedStandardStreamsClosed();

// Writes bytes to the standard output descriptor itself, past every buffer; how many were
// written, or -1 with `error` set to the system's error number.
long WriteStandardOutputBytes(const char* data, std::size_t size, int& error);

// Closes the standard output descriptor: 0, or the system's error number (EBADF when it was
// never open).
int CloseStandardOutputDescriptor();

}  // namespace orvandel
