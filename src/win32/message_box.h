#pragma once

#include <windows.h>

#include <string>

#include "desk/desk_messages.h"

namespace orvandel::win32 {

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

// A plain message box, or a task dialog with an expander when the request has details.
class WindowsMessagePresenter final : public MessagePresenter {
public:
    void SetOwner(HWND owner) override { m_owner = owner; }
    MessageAnswer Show(const MessageRequest& request) override;

private:
    HWND m_owner = nullptr;
};

}  // namespace orvandel::win32
