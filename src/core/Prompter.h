#pragma once
#include <string>

namespace karmo {

enum class Icon { Critical, Exclamation, Question, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// One modal message box. defaultButton counts the buttons from 0 (left to right).
struct Prompt {
    std::string title, text;
    Icon icon = Icon::Information;
    Buttons buttons = Buttons::Ok;
    int defaultButton = 0;
};

// Every question and message of the program goes through this seam: the window shows
// message boxes, the command-line tool answers by policy, tests script the answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Prompt& p) = 0;     // modal; returns the button pressed
    virtual void busy(bool /*on*/) {}            // hourglass pointer
    virtual void processPendingEvents() {}       // let pending window events run
    virtual bool progress(double /*fraction*/) { return true; }  // long work; false: user cancelled

    // Shorthands for the common shapes.
    Answer tell(const std::string& title, const std::string& text, Icon icon) {
        return ask(Prompt{title, text, icon, Buttons::Ok, 0});
    }
};

// Shows the hourglass for the lifetime of the object and restores it at every exit.
class BusyScope {
public:
    explicit BusyScope(Prompter& p) : p_(p) { p_.busy(true); }
    ~BusyScope() { p_.busy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
private:
    Prompter& p_;
};

}  // namespace karmo
