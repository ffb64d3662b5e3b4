#pragma once

#include <windows.h>

#include <string>

namespace orvandel {
struct SessionReport;
}

namespace orvandel::win32 {

enum class MessageIcon { Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// One modal message box as the program wants it shown.
struct MessageRequest {
    std::string caption;
    std::string text;
    std::string details;  // behind the box's "details" expander; empty for none
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

// Every box is captioned with the program's name and shows the warning icon unless it says
// otherwise.
MessageRequest WarningMessage(std::string text, std::string details = {});
MessageRequest InformationMessage(std::string text);
MessageRequest YesNoQuestion(std::string text);

// The MessageBox flags of a request: its buttons and icon, owned by the window (MB_APPLMODAL).
unsigned MessageBoxStyle(const MessageRequest& request);
// Windows' own line breaks, so that a copied box (Ctrl+C) pastes as it reads.
std::wstring BoxText(const std::string& text);

// Where message boxes go. The program shows real modal boxes; tests record them instead.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Blocks until the user answers.
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
    // The window the boxes belong to, once there is one.
    virtual void SetOwner(HWND) {}
};

class WindowsMessagePresenter final : public MessagePresenter {
public:
    void SetOwner(HWND owner) override { m_owner = owner; }
    MessageAnswer Show(const MessageRequest& request) override;

private:
    HWND m_owner = nullptr;
};

// Shows each notice of a session's report as its own box, in order: warnings with the failed
// files' reasons behind the details expander, information with the information icon.
void Present(MessagePresenter& presenter, const SessionReport& report);

}  // namespace orvandel::win32
