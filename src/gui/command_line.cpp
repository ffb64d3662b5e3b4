#include "gui/command_line.h"

#include <system_error>

#include "core/common/path_text.h"
#include "core/common/paths.h"
#include "core/wallset/wall_set_folder.h"

#ifndef ORVANDEL_VERSION
#define ORVANDEL_VERSION "unknown"
#endif

namespace orvandel {
namespace {

CommandLine Refuse(std::string why) {
    return {CommandLine::Action::UsageError, {}, std::move(why), true, false};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    bool watch = true;
    bool homeFromFile = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (!optionsEnded && argument == "--version") {
            return {CommandLine::Action::Version, {}, {}};
        } else if (!optionsEnded && argument == "--no-watch") {
            watch = false;
        } else if (!optionsEnded && argument == "--home-from-file") {
            homeFromFile = true;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return Refuse("unknown option '" + argument + "'");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 1) {
        return Refuse("only one wall-set file can be opened");
    }
    return {CommandLine::Action::Run,
            files.empty() ? std::string() : files.front(),
            {},
            watch,
            homeFromFile};
}

StartPlan PlanStart(const CommandLine& commandLine, const std::string& currentFolder) {
    StartPlan plan{currentFolder, commandLine.wallSetFile};
    if (commandLine.wallSetFile.empty()) {
        return plan;
    }
    const std::filesystem::path named =
        AbsolutePathFrom(PathFromUtf8(currentFolder), PathFromUtf8(commandLine.wallSetFile));
    std::error_code error;
    if (std::filesystem::is_directory(named, error)) {
        plan.homeFolder = PathToUtf8(named);
        const auto single = SingleWallSetFileIn(named);
        plan.wallSetFile = single ? PathToUtf8(*single) : std::string();
    } else if (commandLine.homeFromFile) {
        plan.homeFolder = PathToUtf8(named.parent_path());
        plan.wallSetFile = PathToUtf8(named);
    }
    return plan;
}

std::string UsageText() {
    return "Usage: orvandel [--no-watch] [--home-from-file] [WALLSET | FOLDER]\n"
           "       orvandel --help | --version\n";
}

std::string HelpText() {
    return UsageText() +
           "\n"
           "Shows the first-person view that a wall set composes, on an editable test map.\n"
           "WALLSET is a .Pelorim file naming the six wall pictures; without it the default\n"
           "picture names are used. The palette 'wallpalette.pal', the pictures and every\n"
           "exported file are found in the folder the program is started from; a palette or\n"
           "picture missing there is then looked for beside WALLSET. Given a FOLDER, that\n"
           "folder is the home folder, and its one .Pelorim file, if it has exactly one, opens.\n"
           "The preview reloads by itself whenever one of these files changes.\n"
           "\n"
           "Keys: 7 turn left, 8 forward, 9 turn right, 4 left, 5 back, 6 right,\n"
           "      E even/odd simulation. Click a map tile to swap wall and floor.\n"
           "\n"
           "  --no-watch        start with \"Reload automatically\" off\n"
           "  --home-from-file  make WALLSET's folder the home folder (as the desktop entry does)\n"
           "  --help            show this text\n"
           "  --version         show the program's version\n";
}

std::string VersionText() {
    return std::string("orvandel ") + ORVANDEL_VERSION + "\n";
}

}  // namespace orvandel
