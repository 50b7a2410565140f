#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace karmo::test {

ScriptedPrompter::~ScriptedPrompter() {
    for (const auto& e : expected_)
        ADD_FAILURE() << "expected message never shown: [" << e.title << "] " << e.text;
}

ScriptedPrompter& ScriptedPrompter::expect(std::string title, std::string text, Answer answer) {
    expected_.push_back({std::move(title), std::move(text), answer});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expect(std::string title, std::string text, Icon icon,
                                           Answer answer) {
    expected_.push_back({std::move(title), std::move(text), answer, true, icon});
    return *this;
}

Answer ScriptedPrompter::ask(const Prompt& p) {
    asked.push_back(p);
    if (whileAsking) whileAsking(p);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected message: [" << p.title << "] " << p.text;
        switch (p.buttons) {
            case Buttons::Ok: return Answer::Ok;
            case Buttons::OkCancel:
            case Buttons::RetryCancel: return Answer::Cancel;
            default: return Answer::No;
        }
    }
    Expectation e = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(e.title, p.title) << "message text: " << p.text;
    EXPECT_EQ(e.text, p.text) << "message title: " << p.title;
    if (e.checkIcon) {
        EXPECT_EQ(static_cast<int>(e.icon), static_cast<int>(p.icon)) << p.text;
    }
    return e.answer;
}

bool ScriptedPrompter::progress(double fraction) {
    lastProgress = fraction;
    ++progressCalls;
    return !(cancelAfterProgressCalls >= 0 && progressCalls > cancelAfterProgressCalls);
}

}  // namespace karmo::test
