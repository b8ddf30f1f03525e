#pragma once

#include "model/prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace redewerk::testing {

// A prompter for tests: records every message and question in order and answers from
// scripted queues; an empty queue answers with the default (prefilled text, OK, Yes, Abort,
// Discard).
class TRecordingPrompter : public TPrompter {
public:
    std::vector<std::string> Messages;  // ShowMessage texts
    std::vector<std::string> Questions; // every question's text, in order

    std::deque<std::string> TextAnswers;
    std::deque<bool> OkCancelAnswers;
    std::deque<bool> YesNoAnswers;
    std::deque<TOverwriteAnswer> OverwriteAnswers;
    std::deque<TSaveAnswer> SaveAnswers;

    void ShowMessage(const std::string& text) override { Messages.push_back(text); }

    std::string AskText(const std::string& message, const std::string& prefilled) override {
        Questions.push_back(message);
        return Pop(TextAnswers, prefilled);
    }
    bool AskOkCancel(const std::string& text, const std::string&) override {
        Questions.push_back(text);
        return Pop(OkCancelAnswers, true);
    }
    bool AskYesNo(const std::string& text, const std::string&) override {
        Questions.push_back(text);
        return Pop(YesNoAnswers, true);
    }
    TOverwriteAnswer AskOverwrite(const std::string& text) override {
        Questions.push_back(text);
        return Pop(OverwriteAnswers, TOverwriteAnswer::Abort);
    }
    TSaveAnswer AskSaveChanges(const std::string& text) override {
        Questions.push_back(text);
        return Pop(SaveAnswers, TSaveAnswer::Discard);
    }

private:
    template <typename T> static T Pop(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace redewerk::testing
