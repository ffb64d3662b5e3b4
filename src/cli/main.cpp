#include <csignal>
#include <exception>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    // A reader that closes the pipe early (`| head -c 10`) should end the tool through a failed
    // write it can answer quietly, not through a signal that skips the exit status.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return orvandel::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // Out of memory and the like: say so rather than abort with a core dump.
        std::cerr << "orvandel-cli: " << e.what() << "\n";
        return orvandel::cli::kExitFailed;
    }
}
