#include "desk/desk_command_line.h"

#include <system_error>

#include "core/common/path_text.h"
#include "core/common/paths.h"
#include "core/wallset/wall_set_folder.h"

namespace orvandel {
namespace {

CommandLine Refuse(std::string why) {
    CommandLine refused;
    refused.action = CommandLine::Action::UsageError;
    refused.error = std::move(why);
    return refused;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             CommandLineFlavour flavour) {
    const bool windows = flavour == CommandLineFlavour::kWindows;
    CommandLine line;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const bool option = !optionsEnded && argument.size() > 1 && argument[0] == '-';
        if (!option && !(windows && !optionsEnded && argument == "/?")) {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (argument == "--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (windows && argument == "--register") {
            line.action = CommandLine::Action::Register;
        } else if (windows && argument == "--unregister") {
            line.action = CommandLine::Action::Unregister;
        } else if (argument == "--no-watch") {
            line.watch = false;
        } else if (argument == "--home-from-file") {
            line.homeFromFile = true;
        } else {
            return Refuse("unknown option '" + argument + "'");
        }
    }
    if (files.size() > 1) {
        return Refuse("only one wall-set file can be opened");
    }
    if (!files.empty()) {
        if (line.action != CommandLine::Action::Run) {
            return Refuse("--register and --unregister take no wall-set file");
        }
        line.wallSetFile = files.front();
    }
    return line;
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

std::string UsageText(CommandLineFlavour flavour) {
    return std::string("Usage: orvandel [--no-watch] [--home-from-file] [WALLSET | FOLDER]\n") +
           (flavour == CommandLineFlavour::kWindows ? "       orvandel --register | --unregister\n"
                                                    : "") +
           "       orvandel --help | --version\n";
}

std::string HelpText(CommandLineFlavour flavour) {
    const bool windows = flavour == CommandLineFlavour::kWindows;
    return UsageText(flavour) +
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
           "  --no-watch        start with \"Reload automatically\" off\n" +
           (windows
                ? "  --home-from-file  make WALLSET's folder the home folder (as Explorer does)\n"
                  "  --register        open .Pelorim files with this program (current user "
                  "only)\n"
                  "  --unregister      undo --register\n"
                : "  --home-from-file  make WALLSET's folder the home folder (as the desktop "
                  "entry does)\n") +
           "  --help            show this text\n"
           "  --version         show the program's version\n";
}

std::string VersionText(const std::string& version) {
    return "orvandel " + version + "\n";
}

}  // namespace orvandel
