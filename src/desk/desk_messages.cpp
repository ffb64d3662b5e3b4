#include "desk/desk_messages.h"

#include "core/common/message_texts.h"
#include "core/session/session_report.h"

namespace orvandel {

MessageRequest WarningMessage(std::string text, std::string details) {
    return {std::string(messages::kAppName), std::move(text), std::move(details),
            MessageIcon::Warning, MessageButtons::Ok};
}

MessageRequest InformationMessage(std::string text) {
    return {std::string(messages::kAppName),
            std::move(text),
            {},
            MessageIcon::Information,
            MessageButtons::Ok};
}

MessageRequest YesNoQuestion(std::string text) {
    return {std::string(messages::kAppName),
            std::move(text),
            {},
            MessageIcon::Warning,
            MessageButtons::YesNo};
}

std::vector<MessageRequest> MessagesOf(const SessionReport& report) {
    std::vector<MessageRequest> boxes;
    for (const Notice& notice : report.notices) {
        boxes.push_back(notice.severity == Severity::Information
                            ? InformationMessage(notice.text)
                            : WarningMessage(notice.text, notice.DetailText()));
    }
    return boxes;
}

}  // namespace orvandel
