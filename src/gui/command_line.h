#pragma once

#include <string>
#include <vector>

namespace orvandel {

// What the command line asks for: `orvandel [--no-watch] [--home-from-file] [WALLSET|FOLDER]`,
// `--help` or `--version`.
struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    std::string wallSetFile;    // empty: an untitled wall set with the default picture names
    std::string error;          // why the line was refused, for UsageError
    bool watch = true;          // live reload at start
    bool homeFromFile = false;  // the wall-set file's folder is the home folder
};

// Where the program starts: its home folder and the wall-set file to open (empty for none).
struct StartPlan {
    std::string homeFolder;
    std::string wallSetFile;
};

// Resolves the command line against the folder the program was started in. A folder named
// instead of a file becomes the home folder, and its one wall-set file, if it has exactly one,
// is opened; with --home-from-file (the desktop entry's way, since a file manager starts us in
// no particular folder) the file's folder is the home folder. Otherwise the starting folder is
// home and a relative file name is taken from it.
StartPlan PlanStart(const CommandLine& commandLine, const std::string& currentFolder);

// `arguments` excludes the program name. "--" ends the options, so a wall-set file whose name
// starts with '-' can still be given.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();
std::string HelpText();
std::string VersionText();

}  // namespace orvandel
