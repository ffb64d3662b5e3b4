#pragma once

#include <string>
#include <vector>

namespace orvandel::win32 {

// What orvandel.exe's command line asks for: `orvandel [--no-watch] [--home-from-file]
// [WALLSET|FOLDER]`, `--register`, `--unregister`, `--help` or `--version`.
struct CommandLine {
    enum class Action { Run, Help, Version, Register, Unregister, UsageError };
    Action action = Action::Run;
    std::string wallSetFile;  // empty: an untitled wall set with the default picture names
    std::string error;        // why the line was refused, for UsageError
    bool watch = true;
    bool homeFromFile = false;
};

// Where the program starts: its home folder and the wall-set file to open (empty for none).
struct StartPlan {
    std::string homeFolder;
    std::string wallSetFile;
};

// `arguments` are UTF-8 and exclude the program's name; "--" ends the options.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// A folder named instead of a file becomes the home folder, and its one wall-set file, if it
// has exactly one, opens; with --home-from-file (how Explorer starts us for a file) the file's
// folder is home. Otherwise the starting folder is home.
StartPlan PlanStart(const CommandLine& commandLine, const std::string& currentFolder);

std::string UsageText();
std::string HelpText();

}  // namespace orvandel::win32
