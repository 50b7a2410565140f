#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/ShutDown.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;

TEST(ShutDown, ExitQuestionsInOrder) {
    const std::string history = "Changes in the Stress History will be lost!";
    const std::string database = "Changes in the Database will be lost!";
    const struct {
        const char* name;
        const char* quantity;
        bool historyModified;
        int16_t batchCount;
        bool databaseModified;
        std::vector<std::pair<std::string, Answer>> steps;
        bool cancel;
    } cases[] = {
        {"history Cancel asks nothing more", "Stress ", true, 2, true, {{history, Answer::Cancel}},
         true},
        {"history OK then database Cancel", "Stress ", true, 2, true,
         {{history, Answer::Ok}, {database, Answer::Cancel}}, true},
        {"history OK then database OK", "Stress ", true, 2, true,
         {{history, Answer::Ok}, {database, Answer::Ok}}, false},
        {"no batch, no database question", "Stress ", false, 0, true, {}, false},
        {"strain history", "Strain ", true, 0, false,
         {{"Changes in the Strain History will be lost!", Answer::Cancel}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState s;
        s.QuantityName = c.quantity;
        s.HistoryModified = c.historyModified;
        s.BatchCount = c.batchCount;
        s.DatabaseModified = c.databaseModified;
        ScriptedPrompter prompter;
        for (const auto& [text, answer] : c.steps)
            prompter.expect("Exit Program", text, Icon::Exclamation, answer);
        EXPECT_EQ(ConfirmShutDown(s, prompter), c.cancel);
        for (const Prompt& p : prompter.asked) {
            EXPECT_EQ(p.buttons, Buttons::OkCancel);
            EXPECT_EQ(p.defaultButton, 1);  // Cancel
        }
    }
}
