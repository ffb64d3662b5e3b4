#pragma once

#include <QPointer>
#include <QWidget>

#include "desk/desk_messages.h"

namespace orvandel {

struct SessionReport;

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

// Shows each notice of a session's report as its own box, in order (MessagesOf).
void Present(MessagePresenter& presenter, const SessionReport& report);

}  // namespace orvandel
