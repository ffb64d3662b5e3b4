#pragma once

#include <string>
#include <vector>

namespace orvandel {

struct SessionReport;

enum class MessageIcon { Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// One modal message box as the program wants it shown. Every box is captioned with the
// program's name.
struct MessageRequest {
    std::string caption;
    std::string text;
    std::string details;  // offered behind a "details" button; empty for none
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
};

MessageRequest WarningMessage(std::string text, std::string details = {});
MessageRequest InformationMessage(std::string text);
MessageRequest YesNoQuestion(std::string text);

// The boxes of a session's report, in order: warnings with the failed files' reasons behind
// the details button, information with the information icon.
std::vector<MessageRequest> MessagesOf(const SessionReport& report);

// A file name to ask for: the dialog's title and its filters, first one chosen.
struct FileFilter {
    std::string description;  // "Test maps"
    std::string pattern;      // "*.txt"; "*" for every file
};
struct FileQuestion {
    std::string title;
    std::vector<FileFilter> filters;
};

}  // namespace orvandel
