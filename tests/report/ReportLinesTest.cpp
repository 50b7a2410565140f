#include <gtest/gtest.h>

#include "report/ReportLines.h"

using namespace karmo;

// Steps: tab (0: none) then text; a text "#n" prints n as a number, "\n" ends the line.
TEST(ReportWriter, TabsTextsAndNumbers) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> steps;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"forward", {{0, "ab"}, {5, "cd"}}, {"ab  cd"}},
        {"to the current column", {{0, "abcd"}, {5, "e"}}, {"abcde"}},
        {"past the column: next line at that column", {{0, "abcdef"}, {3, "x"}}, {"abcdef", "  x"}},
        {"below 1 counts as 1", {{0, "ab"}, {0, "c"}, {-4, "d"}}, {"abc", "d"}},
        {"two tabs, the second further", {{14, ""}, {23, "PROGRAM"}}, {"                      PROGRAM"}},
        {"UTF-8 counts characters", {{0, "[\xC2\xB5str]"}, {8, "x"}}, {"[\xC2\xB5str] x"}},
        {"numbers have a sign place", {{0, "n:"}, {5, "#1000"}, {0, "\n"}, {0, "#-7"}, {6, "x"}},
         {"n:   1000 ", "-7   x"}},
    };
    for (const auto& c : cases) {
        ReportWriter w;
        for (const auto& [tab, text] : c.steps) {
            if (tab != 0) w.tab(tab);
            if (text == "\n") w.endLine();
            else if (!text.empty() && text[0] == '#') w.number(std::stoi(text.substr(1)));
            else w.text(text);
        }
        w.endLine();
        std::vector<std::string> texts;
        for (const auto& l : w.lines()) texts.push_back(l.text());
        EXPECT_EQ(texts, c.lines) << c.what;
    }
    EXPECT_EQ(TextColumns("\xE2\x82\xAC"), 1);  // euro sign: three bytes, one column
}
