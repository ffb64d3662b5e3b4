#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "desk/desk_delegate.h"
#include "desk/window_model.h"

namespace orvandel::testing {

// The window system as the model sees it, recorded: boxes answered from a script, file dialogs
// answered with a set path, a timer and a clock the test moves by hand.
class FakeDelegate final : public DeskDelegate {
public:
    MessageAnswer ShowMessage(const MessageRequest& request) override {
        shown.push_back(request);
        if (whileBoxIsOpen) {
            auto work = std::move(whileBoxIsOpen);
            whileBoxIsOpen = nullptr;
            work();
        }
        if (request.buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << request.text;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileQuestion& question) override {
        asked.push_back(question);
        return fileAnswer;
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const FileQuestion& question) override {
        asked.push_back(question);
        return fileAnswer;
    }
    void Refresh(unsigned parts) override {
        refreshed |= parts;
        if (onRefresh) {
            onRefresh();
        }
    }
    void Watch(const WatchList& list) override { watched = list; }
    void StartTimer(int milliseconds) override { timer = milliseconds; }
    void StopTimer() override { timer.reset(); }
    std::int64_t NowMilliseconds() override { return now; }

    // Lets the clock run to each timer in turn and fires it, as the event loop would; at most
    // `limit` times.
    int RunTimers(WindowModel& model, int limit = 100) {
        int fired = 0;
        while (timer && fired < limit) {
            now += *timer;
            timer.reset();
            model.TimerFired();
            ++fired;
        }
        return fired;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
    std::function<void()> whileBoxIsOpen;  // runs once, inside the next box
    std::function<void()> onRefresh;
    std::optional<std::filesystem::path> fileAnswer;
    std::vector<FileQuestion> asked;
    unsigned refreshed = 0;
    WatchList watched;
    std::optional<int> timer;
    std::int64_t now = 1000;
};

}  // namespace orvandel::testing
