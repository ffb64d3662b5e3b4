#include "gui/message_presenter.h"

#include <QMessageBox>

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

MessageAnswer QtMessagePresenter::Show(const MessageRequest& request) {
    QMessageBox box(
        request.icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning,
        QString::fromStdString(request.caption), QString::fromStdString(request.text),
        QMessageBox::NoButton, m_parent);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    if (!request.details.empty()) {
        box.setDetailedText(QString::fromStdString(request.details));
    }
    const int answer = box.exec();
    if (request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void Present(MessagePresenter& presenter, const SessionReport& report) {
    for (const Notice& notice : report.notices) {
        presenter.Show(notice.severity == Severity::Information
                           ? InformationMessage(notice.text)
                           : WarningMessage(notice.text, notice.DetailText()));
    }
}

}  // namespace orvandel
