#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_request.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "core/common/message_texts.h"
#include "core/common/process_text.h"
#include "core/common/standard_output.h"

int main(int argc, char** argv) {
    orvandel::IgnoreClosedPipeSignal();
    orvandel::KeepClosedStandardStreamsClosed();
    orvandel::cli::UseCheckedStandardOutput();
    try {
        orvandel::ShowUtf8OnConsole();
        const std::vector<std::string> arguments = orvandel::ProgramArgumentsAsUtf8(argc, argv);
        std::vector<const char*> pointers;
        for (const std::string& argument : arguments) {
            pointers.push_back(argument.c_str());
        }
        pointers.push_back(nullptr);
        const int status = orvandel::cli::RunCommandLine(static_cast<int>(arguments.size()),
                                                         pointers.data(), std::cout, std::cerr);
        // Everything was flushed and checked; only the close itself can still fail (a file
        // system that reports lost writes then).
        const std::optional<std::string> closeProblem = orvandel::cli::CloseStandardOutput();
        if (closeProblem && status == orvandel::cli::kExitOk) {
            std::cerr << orvandel::cli::texts::ToolProblem(
                             orvandel::messages::StandardOutputNotWritten(*closeProblem))
                      << "\n";
            return orvandel::cli::kExitFailed;
        }
        return status;
    } catch (const std::exception& e) {
        // Out of memory and the like: say so rather than abort with a core dump.
        std::cerr << orvandel::cli::texts::ToolProblem(e.what()) << "\n";
        return orvandel::cli::kExitFailed;
    }
}
