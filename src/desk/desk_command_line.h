#pragma once

#include <string>
#include <vector>

namespace orvandel {

// What a desktop program's command line asks for: `orvandel [--no-watch] [--home-from-file]
// [WALLSET|FOLDER]`, `--help` or `--version`, and where the program registers the wall-set file
// type itself (Windows), `--register` or `--unregister`.
struct CommandLine {
    enum class Action { Run, Help, Version, Register, Unregister, UsageError };
    Action action = Action::Run;
    std::string wallSetFile;    // empty: an untitled wall set with the default picture names
    std::string error;          // why the line was refused, for UsageError
    bool watch = true;          // live reload at start
    bool homeFromFile = false;  // the wall-set file's folder is the home folder
};

// Which options a program offers beyond the common ones.
enum class CommandLineFlavour { kDesktopEntry, kWindows };

// Where the program starts: its home folder and the wall-set file to open (empty for none).
struct StartPlan {
    std::string homeFolder;
    std::string wallSetFile;
};

// `arguments` are UTF-8 and exclude the program name. "--" ends the options, so a wall-set file
// whose name starts with '-' can still be given. The Windows flavour also takes --register,
// --unregister and "/?".
CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             CommandLineFlavour flavour = CommandLineFlavour::kDesktopEntry);

// Resolves the command line against the folder the program was started in. A folder named
// instead of a file becomes the home folder, and its one wall-set file, if it has exactly one,
// is opened; with --home-from-file (how a desktop entry or Explorer starts us, in no particular
// folder) the file's folder is the home folder. Otherwise the starting folder is home and a
// relative file name is taken from it.
StartPlan PlanStart(const CommandLine& commandLine, const std::string& currentFolder);

std::string UsageText(CommandLineFlavour flavour = CommandLineFlavour::kDesktopEntry);
std::string HelpText(CommandLineFlavour flavour = CommandLineFlavour::kDesktopEntry);
std::string VersionText(const std::string& version);

}  // namespace orvandel
