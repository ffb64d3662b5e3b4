#include "win32/message_box.h"

#include <windows.h>
// commctrl.h needs the types windows.h declares.
#include <commctrl.h>

#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

using TaskDialogFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Task dialogs come with the common controls 6, which the manifest asks for; looked up by name
// so that the program still starts, with plain boxes, where they are missing.
TaskDialogFunction TaskDialogOfSystem() {
    HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<TaskDialogFunction>(
        reinterpret_cast<void*>(::GetProcAddress(controls, "TaskDialogIndirect")));
}

MessageAnswer AnswerOf(const MessageRequest& request, int pressed) {
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return pressed == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace

unsigned MessageBoxStyle(const MessageRequest& request) {
    const unsigned buttons = request.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const unsigned icon =
        request.icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONWARNING;
    return buttons | icon | MB_APPLMODAL;
}

std::wstring BoxText(const std::string& text) {
    std::wstring wide;
    for (const wchar_t c : WideFromUtf8(text)) {
        if (c == L'\n') {
            wide += L'\r';
        }
        wide += c;
    }
    return wide;
}

MessageAnswer WindowsMessagePresenter::Show(const MessageRequest& request) {
    const std::wstring caption = WideFromUtf8(request.caption);
    const std::wstring text = BoxText(request.text);
    const TaskDialogFunction taskDialog = request.details.empty() ? nullptr : TaskDialogOfSystem();
    if (taskDialog != nullptr) {
        const std::wstring details = BoxText(request.details);
        TASKDIALOGCONFIG config{};
        config.cbSize = sizeof config;
        config.hwndParent = m_owner;
        config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
        config.dwCommonButtons = request.buttons == MessageButtons::YesNo
                                     ? TDCBF_YES_BUTTON | TDCBF_NO_BUTTON
                                     : TDCBF_OK_BUTTON;
        config.pszWindowTitle = caption.c_str();
        config.pszMainIcon =
            request.icon == MessageIcon::Information ? TD_INFORMATION_ICON : TD_WARNING_ICON;
        config.pszContent = text.c_str();
        config.pszExpandedInformation = details.c_str();
        int pressed = 0;
        if (SUCCEEDED(taskDialog(&config, &pressed, nullptr, nullptr))) {
            return AnswerOf(request, pressed);
        }
    }
    return AnswerOf(
        request, ::MessageBoxW(m_owner, text.c_str(), caption.c_str(), MessageBoxStyle(request)));
}

}  // namespace orvandel::win32
