#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "core/Prompter.h"

namespace karmo::cli {

// The command-line answer to every message box: the message goes to standard error as
// "TITLE: TEXT" (the two sentences of a question on one line) and is kept for the JSON
// output; questions are answered Yes, or No with --no; plain messages are acknowledged.
// There is no one to watch progress, so it is ignored and never cancels.
class CliPrompter : public Prompter {
public:
    struct Message {
        std::string title, text;
    };

    CliPrompter(std::ostream& err, bool answerNo) : err_(err), answerNo_(answerNo) {}

    Answer ask(const Prompt& p) override;

    const std::vector<Message>& messages() const { return messages_; }

private:
    std::ostream& err_;
    bool answerNo_;
    std::vector<Message> messages_;
};

// A message text on one line: line breaks between sentences become blanks.
std::string OneLine(const std::string& text);

}  // namespace karmo::cli
