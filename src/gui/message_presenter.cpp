#include "gui/message_presenter.h"

#include <QMessageBox>

#include "gui/qt_text.h"

namespace orvandel {

MessageAnswer QtMessagePresenter::Show(const MessageRequest& request) {
    QMessageBox box(
        request.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
        ToQString(request.caption), ToQString(request.text), QMessageBox::NoButton, m_parent);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (!request.details.empty()) {
        box.setDetailedText(ToQString(request.details));
    }
    const int answer = box.exec();
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void Present(MessagePresenter& presenter, const SessionReport& report) {
    for (const MessageRequest& request : MessagesOf(report)) {
        presenter.Show(request);
    }
}

}  // namespace orvandel
