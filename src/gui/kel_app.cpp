#include "gui/kel_app.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "core/common/path_text.h"
#include "core/common/process_text.h"
#include "desk/desk_command_line.h"
#include "gui/home_folder.h"
#include "gui/kel_doc.h"
#include "gui/kel_view.h"
#include "gui/main_frame.h"
#include "gui/message_presenter.h"

namespace orvandel {
namespace {

bool EnvironmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether Qt has a screen to show a message box on; without one a refused file is reported on
// standard error alone, instead of Qt aborting for lack of a display.
bool DisplayAvailable() {
    return EnvironmentSet("DISPLAY") || EnvironmentSet("WAYLAND_DISPLAY") ||
           EnvironmentSet("QT_QPA_PLATFORM");
}

void TellOnTerminal(const SessionReport& report) {
    for (const Notice& notice : report.notices) {
        std::cerr << "orvandel: " << notice.text << "\n";
    }
}

}  // namespace

int CKelApp::Run(int& argc, char** argv) {
    RecordHomeFolder();

    std::vector<std::string> arguments = ProgramArgumentsAsUtf8(argc, argv);
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());  // the program's own name
    }
    const CommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action) {
        case CommandLine::Action::Help:
            std::cout << HelpText();
            return 0;
        case CommandLine::Action::Version:
            std::cout << VersionText(ORVANDEL_VERSION);
            return 0;
        case CommandLine::Action::UsageError:
            std::cerr << "orvandel: " << commandLine.error << "\n" << UsageText();
            return 2;
        case CommandLine::Action::Register:
        case CommandLine::Action::Unregister:  // never parsed here: the desktop entry registers
        case CommandLine::Action::Run:
            break;
    }

    const StartPlan plan = PlanStart(commandLine, g_homeFolder);
    g_homeFolder = plan.homeFolder;
    CKelDoc document(PathFromUtf8(g_homeFolder));
    SessionReport opened;
    if (!plan.wallSetFile.empty()) {
        opened = document.Open(PathFromUtf8(plan.wallSetFile));
    }
    if (!opened.ok() && !DisplayAvailable()) {
        TellOnTerminal(opened);
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvandel"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANDEL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(ORVANDEL_APP_ID));
    // Installed, the icon theme has our icon; where the desktop does not map the window to its
    // entry (a bare X11 window manager), this still gives the window its icon.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(ORVANDEL_APP_ID)));

    QtMessagePresenter messages;
    if (!opened.ok()) {
        TellOnTerminal(opened);
        Present(messages, opened);
        return 1;
    }

    CMainFrame frame(document, messages);
    messages.SetParentWidget(&frame);
    frame.view().SetLiveReload(commandLine.watch);
    frame.InitialUpdate();
    frame.show();
    return QApplication::exec();
}

}  // namespace orvandel
