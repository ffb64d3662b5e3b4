// orvandel.exe: the desktop program on Windows, a window program taking its command line as
// wide text.
#include <windows.h>
// commctrl.h and shellapi.h need the types windows.h declares.
#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/common/process_text.h"
#include "core/session/wall_set_session.h"
#include "desk/desk_command_line.h"
#include "win32/main_frame.h"
#include "win32/message_box.h"
#include "win32/shell_registration.h"
#include "win32/version.h"
#include "win32/wide_text.h"
#include "win32/win32_texts.h"

namespace {

using namespace orvandel;
using namespace orvandel::win32;

// The arguments as the core splits the wide command line, the program's name left out; the C
// runtime's own wide arguments only stand by for the core's fallback.
std::vector<std::string> Arguments() {
    std::vector<std::string> runtime;
    for (int i = 0; __wargv != nullptr && i < __argc; ++i) {
        runtime.push_back(Utf8FromWide(__wargv[i]));
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : runtime) {
        pointers.push_back(argument.c_str());
    }
    std::vector<std::string> arguments =
        ProgramArgumentsAsUtf8(static_cast<int>(pointers.size()), pointers.data());
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }
    return arguments;
}

// A window program has no console of its own: text for --help goes to the console it was
// started from, or to standard output when that is redirected, or else into a box.
void Tell(const std::string& text, MessagePresenter& messages) {
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) {
        if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
            output = ::GetStdHandle(STD_OUTPUT_HANDLE);
        }
    }
    DWORD written = 0;
    if (output != nullptr && output != INVALID_HANDLE_VALUE) {
        if (::GetFileType(output) == FILE_TYPE_CHAR) {
            const std::wstring wide = BoxText(text);
            if (::WriteConsoleW(output, wide.c_str(), static_cast<DWORD>(wide.size()), &written,
                                nullptr)) {
                return;
            }
        } else if (::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written,
                               nullptr)) {
            return;
        }
    }
    messages.Show(InformationMessage(text));
}

std::wstring ProgramPath() {
    std::wstring path(32768, L'\0');
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}

int ChangeFileType(bool add, MessagePresenter& messages) {
    const Status changed =
        add ? RegisterWallSetFileType(ProgramPath()) : UnregisterWallSetFileType();
    if (!changed) {
        messages.Show(WarningMessage(messages::FileTypeNotChanged(changed.reason())));
        return 1;
    }
    messages.Show(InformationMessage(
        std::string(add ? messages::kFileTypeRegistered : messages::kFileTypeUnregistered)));
    return 0;
}

std::string CurrentFolder() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : PathToUtf8(current);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    WindowsMessagePresenter messages;

    const CommandLine line = ParseCommandLine(Arguments(), CommandLineFlavour::kWindows);
    switch (line.action) {
        case CommandLine::Action::Help:
            Tell(HelpText(CommandLineFlavour::kWindows), messages);
            return 0;
        case CommandLine::Action::Version:
            Tell(VersionText(ORVANDEL_VERSION_TEXT), messages);
            return 0;
        case CommandLine::Action::UsageError:
            Tell("orvandel: " + line.error + "\n" + UsageText(CommandLineFlavour::kWindows),
                 messages);
            return 2;
        case CommandLine::Action::Register:
            return ChangeFileType(true, messages);
        case CommandLine::Action::Unregister:
            return ChangeFileType(false, messages);
        case CommandLine::Action::Run:
            break;
    }

    const StartPlan plan = PlanStart(line, CurrentFolder());
    WallSetSession session(PathFromUtf8(plan.homeFolder));
    if (!plan.wallSetFile.empty()) {
        const SessionReport opened = session.Open(PathFromUtf8(plan.wallSetFile));
        if (!opened.ok()) {
            for (const MessageRequest& request : MessagesOf(opened)) {
                messages.Show(request);
            }
            return 1;
        }
    }
    CMainFrame frame(session, messages);
    frame.view().model().SetLiveReload(line.watch);
    if (!frame.Create(showCommand)) {
        return 1;
    }
    return frame.Run();
}
