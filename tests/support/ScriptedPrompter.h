#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/Prompter.h"

namespace karmo::test {

// A Prompter for tests: each message must be expected, in order, by title and text;
// the queued answer is returned. Any message not expected fails the test, and so does
// an expectation left unused when the prompter is destroyed (unless disarmed).
class ScriptedPrompter : public Prompter {
public:
    struct Expectation {
        std::string title, text;
        Answer answer;
        bool checkIcon = false;
        Icon icon = Icon::Information;
    };

    ~ScriptedPrompter() override;

    ScriptedPrompter& expect(std::string title, std::string text, Answer answer = Answer::Ok);
    ScriptedPrompter& expect(std::string title, std::string text, Icon icon,
                             Answer answer = Answer::Ok);

    Answer ask(const Prompt& p) override;
    void busy(bool on) override { busyDepth += on ? 1 : -1; }
    bool progress(double fraction) override;

    bool allUsed() const { return expected_.empty(); }
    void disarm() { expected_.clear(); }

    std::vector<Prompt> asked;      // every prompt shown, in order
    // Called with each message before it is answered: a look at what the screen shows meanwhile.
    std::function<void(const Prompt&)> whileAsking;
    int busyDepth = 0;              // 0 when every hourglass was restored
    int progressCalls = 0;
    int cancelAfterProgressCalls = -1;  // >= 0: progress() answers false from that call on
    double lastProgress = 0;

private:
    std::deque<Expectation> expected_;
};

}  // namespace karmo::test
