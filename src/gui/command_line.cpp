#include "gui/command_line.h"

#ifndef ORVANDEL_VERSION
#define ORVANDEL_VERSION "unknown"
#endif

namespace orvandel {
namespace {

CommandLine Refuse(std::string why) {
    return {CommandLine::Action::UsageError, {}, std::move(why)};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "-h")) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (!optionsEnded && argument == "--version") {
            return {CommandLine::Action::Version, {}, {}};
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return Refuse("unknown option '" + argument + "'");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() > 1) {
        return Refuse("only one wall-set file can be opened");
    }
    return {CommandLine::Action::Run, files.empty() ? std::string() : files.front(), {}};
}

std::string UsageText() {
    return "Usage: orvandel [WALLSET]\n"
           "       orvandel --help | --version\n";
}

std::string HelpText() {
    return UsageText() +
           "\n"
           "Shows the first-person view that a wall set composes, on an editable test map.\n"
           "WALLSET is a .Pelorim file naming the six wall pictures; without it the default\n"
           "picture names are used. The palette 'wallpalette.pal', the pictures and every\n"
           "exported file are found in the folder the program is started from.\n"
           "\n"
           "Keys: 7 turn left, 8 forward, 9 turn right, 4 left, 5 back, 6 right,\n"
           "      E even/odd simulation. Click a map tile to swap wall and floor.\n"
           "\n"
           "  --help     show this text\n"
           "  --version  show the program's version\n";
}

std::string VersionText() {
    return std::string("orvandel ") + ORVANDEL_VERSION + "\n";
}

}  // namespace orvandel
