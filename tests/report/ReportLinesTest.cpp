#include <gtest/gtest.h>

#include "report/ReportLines.h"

using namespace karmo;

namespace {

std::vector<std::string> texts(const std::vector<ReportLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.text());
    return out;
}

}  // namespace

TEST(ReportWriter, TabMovesToColumnOrOnToTheNextLine) {
    struct Step {
        int tab;                // 0: no tab before the text
        const char* text;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"forward", {{0, "ab"}, {5, "cd"}}, {"ab  cd"}},
        {"to the current column", {{0, "abcd"}, {5, "e"}}, {"abcde"}},
        {"past the column: next line at that column", {{0, "abcdef"}, {3, "x"}}, {"abcdef", "  x"}},
        {"below 1 counts as 1", {{0, "ab"}, {0, "c"}, {-4, "d"}}, {"abc", "d"}},
        {"tab at the line start", {{14, "Level"}, {23, "S"}}, {"             Level    S"}},
        {"two tabs, the second further", {{14, ""}, {23, "PROGRAM"}}, {"                      PROGRAM"}},
        // A character of two bytes takes one column.
        {"UTF-8 counts characters", {{0, "[\xC2\xB5str]"}, {8, "x"}}, {"[\xC2\xB5str] x"}},
    };
    for (const auto& c : cases) {
        ReportWriter w;
        for (const auto& st : c.steps) {
            if (st.tab != 0) w.tab(st.tab);
            w.text(st.text);
        }
        w.endLine();
        EXPECT_EQ(texts(w.lines()), c.lines) << c.what;
    }
}

TEST(ReportWriter, PiecesKeepTheirColumns) {
    ReportWriter w;
    w.tab(14);
    w.text("Parameters:");
    w.tab(45);
    w.text("Q = ");
    w.text("1.5");
    w.endLine();
    w.endLine();
    const auto lines = w.takeLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].segments,
              (std::vector<ReportSegment>{{14, "Parameters:"}, {45, "Q = 1.5"}}));
    EXPECT_TRUE(lines[1].segments.empty());
    EXPECT_EQ(lines[1].text(), "");
    EXPECT_TRUE(w.lines().empty());
}

TEST(ReportWriter, NumbersHaveASignPlace) {
    ReportWriter w;
    w.text("n:");
    w.tab(5);
    w.number(1000);
    w.endLine();
    w.number(-7);
    w.tab(6);
    w.text("x");
    w.endLine();
    EXPECT_EQ(texts(w.lines()), (std::vector<std::string>{"n:   1000 ", "-7   x"}));
}

TEST(TextColumns, CountsCharacters) {
    EXPECT_EQ(TextColumns(""), 0);
    EXPECT_EQ(TextColumns("Stress "), 7);
    EXPECT_EQ(TextColumns("\xC2\xB5str"), 4);
    EXPECT_EQ(TextColumns("\xE2\x82\xAC"), 1);  // euro sign
}
