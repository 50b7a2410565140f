#include "core/ShutDown.h"

#include <string>

namespace karmo {

namespace {

bool userCancels(Prompter& prompter, const std::string& text) {
    const Prompt p{kExitTitle, text, Icon::Exclamation, Buttons::OkCancel, 1};
    return prompter.ask(p) != Answer::Ok;
}

}  // namespace

bool ConfirmShutDown(const AppState& s, Prompter& prompter) {
    if (s.HistoryModified &&
        userCancels(prompter, "Changes in the " + s.QuantityName + "History will be lost!"))
        return true;
    if (s.BatchCount >= 1 && s.DatabaseModified &&
        userCancels(prompter, "Changes in the Database will be lost!"))
        return true;
    return false;
}

}  // namespace karmo
