#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/ShutDown.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

namespace {

const std::string kHistoryLost = "Changes in the Stress History will be lost!";
const std::string kDatabaseLost = "Changes in the Database will be lost!";

}  // namespace

TEST(ShutDown, ExitQuestionsInOrder) {
    struct Step {
        std::string text;
        Answer answer;
    };
    struct Case {
        const char* name;
        bool historyModified;
        int16_t batchCount;
        bool databaseModified;
        std::vector<Step> steps;
        bool cancel;
    };
    const Case cases[] = {
        {"nothing changed", false, 3, false, {}, false},
        {"history OK", true, 0, false, {{kHistoryLost, Answer::Ok}}, false},
        {"history Cancel asks nothing more", true, 2, true, {{kHistoryLost, Answer::Cancel}}, true},
        {"history OK then database", true, 2, true,
         {{kHistoryLost, Answer::Ok}, {kDatabaseLost, Answer::Ok}}, false},
        {"history OK then database Cancel", true, 2, true,
         {{kHistoryLost, Answer::Ok}, {kDatabaseLost, Answer::Cancel}}, true},
        {"database Cancel", false, 1, true, {{kDatabaseLost, Answer::Cancel}}, true},
        {"no batch, no database question", false, 0, true, {}, false},
        {"history, no batch", true, 0, true, {{kHistoryLost, Answer::Ok}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppState s;
        s.HistoryModified = c.historyModified;
        s.BatchCount = c.batchCount;
        s.DatabaseModified = c.databaseModified;
        ScriptedPrompter prompter;
        for (const Step& st : c.steps) prompter.expect("Exit Program", st.text, Icon::Exclamation, st.answer);
        EXPECT_EQ(ConfirmShutDown(s, prompter), c.cancel);
        for (const Prompt& p : prompter.asked) {
            EXPECT_EQ(static_cast<int>(p.buttons), static_cast<int>(Buttons::OkCancel));
            EXPECT_EQ(p.defaultButton, 1);  // Cancel
        }
        // Nothing is saved or changed on the way out.
        EXPECT_EQ(s.HistoryModified, c.historyModified);
        EXPECT_EQ(s.DatabaseModified, c.databaseModified);
    }
}

TEST(ShutDown, StrainHistoryIsNamed) {
    AppState s;
    s.QuantityName = "Strain ";
    s.HistoryModified = true;
    ScriptedPrompter prompter;
    prompter.expect("Exit Program", "Changes in the Strain History will be lost!", Icon::Exclamation,
                    Answer::Cancel);
    EXPECT_TRUE(ConfirmShutDown(s, prompter));
}
