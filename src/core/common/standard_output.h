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

// A standard descriptor the program was started without (`>&-`) would be handed to the next
// file it opens, and output meant for the terminal would land in that file. Such a descriptor
// is filled with one that refuses every write, so the write fails and is reported instead.
void KeepClosedStandardStreamsClosed();

}  // namespace orvandel
