#include "CliPrompter.h"

namespace karmo::cli {

std::string OneLine(const std::string& text) {
    std::string r;
    r.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            // Sentences are joined by one blank; a sentence that already ends in one keeps it.
            if (!r.empty() && r.back() != ' ') r += ' ';
        } else {
            r += c;
        }
    }
    return r;
}

Answer CliPrompter::ask(const Prompt& p) {
    messages_.push_back({p.title, p.text});
    err_ << p.title << ": " << OneLine(p.text) << '\n';
    err_.flush();
    switch (p.buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return answerNo_ ? Answer::No : Answer::Yes;
    case Buttons::OkCancel:
        return answerNo_ ? Answer::Cancel : Answer::Ok;
    case Buttons::RetryCancel:
        // Nobody is there to put the device right before a retry.
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

}  // namespace karmo::cli
