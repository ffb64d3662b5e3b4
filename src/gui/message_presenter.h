#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

namespace orvandel {

struct SessionReport;

enum class MessageIcon { Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// One modal message box as the program wants it shown.
struct MessageRequest {
    std::string caption;
    std::string text;
    std::string details;  // offered behind a "details" button; empty for none
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every box is captioned with the program's name and shows the warning icon unless it says
// otherwise.
MessageRequest WarningMessage(std::string text, std::string details = {});
MessageRequest InformationMessage(std::string text);
MessageRequest YesNoQuestion(std::string text);

// Where message boxes go. The program shows real modal boxes; tests record them instead.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // Blocks until the user answers.
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

class QtMessagePresenter final : public MessagePresenter {
public:
    void SetParentWidget(QWidget* parent) { m_parent = parent; }
    MessageAnswer Show(const MessageRequest& request) override;

private:
    QPointer<QWidget> m_parent;
};

// Shows each notice of a session's report as its own box, in order: warnings with the failed
// files' reasons behind the details button, information with the information icon.
void Present(MessagePresenter& presenter, const SessionReport& report);

}  // namespace orvandel
