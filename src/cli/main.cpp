#include <exception>
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    try {
        return orvandel::cli::RunCommandLine(argc, argv, std::cout, std::cerr);
    } catch (const std::exception& e) {
        // Out of memory and the like: say so rather than abort with a core dump.
        std::cerr << "orvandel-cli: " << e.what() << "\n";
        return orvandel::cli::kExitFailed;
    }
}
