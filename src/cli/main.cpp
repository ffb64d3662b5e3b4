#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "core/common/process_text.h"
#include "core/common/standard_output.h"

int main(int argc, char** argv) {
    orvandel::IgnoreClosedPipeSignal();
    try {
        orvandel::ShowUtf8OnConsole();
        const std::vector<std::string> arguments = orvandel::ProgramArgumentsAsUtf8(argc, argv);
        std::vector<const char*> pointers;
        for (const std::string& argument : arguments) {
            pointers.push_back(argument.c_str());
        }
        pointers.push_back(nullptr);
        return orvandel::cli::RunCommandLine(static_cast<int>(arguments.size()), pointers.data(),
                                             std::cout, std::cerr);
    } catch (const std::exception& e) {
        // Out of memory and the like: say so rather than abort with a core dump.
        std::cerr << orvandel::cli::texts::ToolProblem(e.what()) << "\n";
        return orvandel::cli::kExitFailed;
    }
}
