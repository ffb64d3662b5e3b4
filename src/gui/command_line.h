#pragma once

#include <string>
#include <vector>

namespace orvandel {

// What the command line asks for: `orvandel [WALLSET]`, `--help` or `--version`.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    std::string wallSetFile;  // empty: an untitled wall set with the default picture names
    std::string error;        // why the line was refused, for UsageError
};

// `arguments` excludes the program name. "--" ends the options, so a wall-set file whose name
// starts with '-' can still be given.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();
std::string HelpText();
std::string VersionText();

}  // namespace orvandel
