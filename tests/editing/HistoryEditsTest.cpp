#include <gtest/gtest.h>

#include "EditingTestData.h"
#include "database/BatchOps.h"
#include "editing/Append.h"
#include "editing/AppendPreview.h"
#include "support/RecordingCanvas.h"
#include "editing/Rescale.h"
#include "editing/Subtract.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace karmo {
namespace {

using namespace test;
const Answer Y = Answer::Yes, N = Answer::No;

TEST(Rescale, FactorAndOffset) {
    struct Case { std::string f, o; std::vector<float> out; float mx, mn; bool changed; bool us = false; };
    const Case cases[] = {
        {"-1", "0", {5, -10, 3, -8}, 5, -10, true},     // mirrored, extremes exchanged
        {"1", "0", {-5, 10, -3, 8}, 10, -5, false},     // nothing changes, nothing is drawn
        {"2", "-10", {-20, 10, -16, 6}, 10, -20, true},
        {"1", "1.450377", {5, 20, 7, 18}, 20, 5, true, true},   // the offset in ksi
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.f + " " + c.o);
        AppState s = stateWith({-5, 10, -3, 8});
        if (c.us) s.QuantityFactor = 0.1450377f;
        s.SpectrumRebuilt = true;
        ScriptedPrompter p;
        const RescaleResult r = RescaleOk(s, p, c.f, c.o);
        EXPECT_EQ(std::tuple(r.accepted, r.changed, r.display.redraw, s.HistoryModified, s.SpectrumRebuilt),
                  std::tuple(true, c.changed, c.changed, c.changed, false));
        EXPECT_EQ(historyPoints(s), c.out);
        EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue), std::tuple(c.mx, c.mn));
    }
}

TEST(Rescale, RefusedEntriesChangeNothing) {
    struct Case { std::string f, o, message; };
    const Case cases[] = {
        {"x", "0", "The Rescale factor must be numeric"},
        {"1", "", "The Rescale Offset must be numeric"},
        {"1e39", "0", "The Rescale factor is out of range"},
        {"1", "-1e300", "The Rescale Offset is out of range"},
        {"1e38", "0", "The rescaled Stress History is out of range"},
    };
    for (const Case& c : cases) {
        AppState s = stateWith({-5, 10, -3, 8});
        s.UiMode = 0;
        ScriptedPrompter p;
        p.expect("Rescale Stress History", c.message, Icon::Critical);
        EXPECT_FALSE(RescaleOk(s, p, c.f, c.o).accepted);
        EXPECT_EQ(std::tuple(historyPoints(s), s.batch().MaxValue, s.HistoryModified, s.UiMode),
                  std::tuple(std::vector<float>{-5, 10, -3, 8}, 10.0f, false, 0));
    }
}

// A long history in full display mode asks before it is drawn again.
TEST(Rescale, LongHistoryInFullDisplayAsksToRefresh) {
    for (const int16_t fast : {0, -1}) {
        AppState s = editedState(15002);
        s.FastDisplay = fast;
        ScriptedPrompter p;
        if (fast == 0) p.expect("Stress History", "The History has been changed.\nRefresh the display?", Icon::Question, N);
        const RescaleResult r = RescaleOk(s, p, "2", "0");
        EXPECT_EQ(std::tuple(r.display.redraw, r.display.refreshPending), std::tuple(fast != 0, fast == 0));
    }
}

const std::string kSub = "Subtract Stress History", kHist = "Stress History";

TEST(Subtract, StretchOfPoints) {
    for (Answer a : {Y, N}) {
        AppState s = editedState(1000);
        s.SpectrumRebuilt = true;
        ScriptedPrompter p;
        p.expect(kHist, "100 data points have been removed.\nReduce proportionally the record time?", Icon::Question, a);
        const SubtractResult r = SubtractOk(s, p, "101", "200", MarkKind::Stretch);
        std::vector<float> expected = alternating(1000);
        expected.erase(expected.begin() + 100, expected.begin() + 200);
        EXPECT_EQ(historyPoints(s), expected);
        EXPECT_EQ(std::tuple(r.outcome, r.RemovedCount, s.batch().RecordTime, s.ProcessedCount, s.HistoryModified,
                             s.SpectrumRebuilt, s.ViewCount),
                  std::tuple(SubtractOutcome::Done, 100, a == Y ? 9.0f : 10.0f, 900, true, false, 900));
    }
}

// Three points out of an even history: the conflict check and the even rule restore an
// even count.
TEST(Subtract, OddCutReturnsToAnEvenCount) {
    AppState s = editedState(1000);
    ScriptedPrompter p;
    p.expect("Check Stress History", "The Stress History has conflicting values at Stress index 101\nRemove the conflict?", Y)
        .expect("Check Stress History", "Remove all conflicts in the Stress History data?", Y)
        .expect(kHist, "4 data points have been removed.\nReduce proportionally the record time?", N);
    const SubtractResult r = SubtractOk(s, p, "101", "103", MarkKind::Stretch);
    EXPECT_EQ(std::tuple(r.RemovedCount, s.batch().PointCount), std::tuple(4, 996));
    const std::vector<float> h = historyPoints(s);
    for (size_t i = 1; i < h.size(); ++i) ASSERT_NE(h[i] > h[i - 1], i % 2 == 0) << i;
}

TEST(Subtract, WholeHistoryAsksToDeleteIt) {
    for (Answer a : {N, Y}) {
        AppState s = editedState(8);
        s.batch().Saved.PointCount = 6;
        ScriptedPrompter p;
        p.expect(kSub, "The minimum No of Points is 4.\nWould you like to delete the whole history?", Icon::Question, a);
        const SubtractResult r = SubtractOk(s, p, "1", "99", MarkKind::Stretch);
        EXPECT_EQ(r.outcome, a == Y ? SubtractOutcome::HistoryDeleted : SubtractOutcome::Reopen);
        EXPECT_EQ(s.batch().PointCount, a == Y ? 6 : 8);   // deleted: the batch as it is stored
        EXPECT_EQ(s.Values.size(), a == Y ? 2u : 10u);
    }
}

TEST(Subtract, RectangleRemovesThePointsInsideTheBand) {
    AppState s = stateWith({0, 10, 1, 11, 2, 12, 3, 13, 4, 14, 5, 15});
    s.BandLow = 10.5f;
    s.BandHigh = 11.5f;
    ScriptedPrompter p;
    p.expect("Check Stress History", "The Stress History has conflicting values at Stress index 5\nRemove the conflict?", Y)
        .expect("Check Stress History", "Remove all conflicts in the Stress History data?", Y)
        .expect(kHist, "2 data points have been removed.\nReduce proportionally the record time?", N);
    EXPECT_EQ(SubtractOk(s, p, "1", "12", MarkKind::Rectangle).RemovedCount, 2);
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, 10, 1, 12, 3, 13, 4, 14, 5, 15}));

    s = stateWith({0, 10, 1, 11, 2, 12});
    s.BandLow = -1;
    s.BandHigh = 10.5f;
    p.expect(kSub, "The minimum No of Points is 4.\nThe whole history will be deleted. ", Icon::Information);
    EXPECT_EQ(SubtractOk(s, p, "1", "6", MarkKind::Rectangle).outcome, SubtractOutcome::HistoryDeleted);
}

// The extremes follow the points removed: by the cut, the band or the even rule.
TEST(Subtract, ExtremesFollowTheRemovedPoints) {
    struct Case { std::vector<float> in; std::string from, to; MarkKind kind; Answer answer; float mx, mn; };
    const Case cases[] = {
        {{0, 10, 1, 50, 2, 11, 3, 12}, "3", "4", MarkKind::Stretch, Y, 12, 0},
        {{0, 10, 1, 50, 2, 11, 3, 12}, "5", "6", MarkKind::Stretch, Y, 50, 0},
        {{-9, 10, 1, 50, 2, 11, 3, 12}, "1", "8", MarkKind::Rectangle, Y, 50, 1},
        {{0, 10, 1, 11, 2, 12, 3, 60}, "3", "3", MarkKind::Stretch, N, 12, 0},   // the even rule drops 60
    };
    for (const Case& c : cases) {
        AppState s = stateWith(c.in);
        s.BandLow = -10;
        s.BandHigh = -5;
        struct Always : Prompter {
            Answer a;
            explicit Always(Answer a) : a(a) {}
            Answer ask(const Prompt&) override { return a; }
        } always(c.answer);
        SubtractOk(s, always, c.from, c.to, c.kind);
        EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue), std::tuple(c.mx, c.mn)) << c.from << c.to;
    }
}

TEST(Subtract, RefusedEntries) {
    struct Case { std::string from, to, message; bool focusTo; };
    const Case cases[] = {
        {"a", "3", "The 'From Point' must be numeric", false},
        {"2", "-1", "The 'To Point' must be greater than 0!", true},
        {"1e12", "1e12", "The 'To point' must be greater than the 'From point'", false},
    };
    for (const Case& c : cases) {
        AppState s = editedState(8);
        ScriptedPrompter p;
        p.expect(kSub, c.message, Icon::Critical);
        const SubtractResult r = SubtractOk(s, p, c.from, c.to, MarkKind::Stretch);
        EXPECT_EQ(std::tuple(r.outcome, r.focusTo, historyPoints(s)),
                  std::tuple(SubtractOutcome::Reopen, c.focusTo, alternating(8)));
    }
}

std::string historyFile(const std::string& count, const std::vector<std::string>& values, const std::string& time) {
    std::string t = "\"more\"\r\n" + count + "\r\n" + time + "\r\n";
    for (const auto& v : values) t += v + "\r\n";
    return t;
}

TEST(Append, ReadsAndAppendsAHistoryFile) {
    TempDir dir;
    dir.write("four", historyFile("4", {"-7", "30", "-1", "20"}, "2.5"));
    AppState s = editedState(4);
    ScriptedPrompter p;
    s.SpectrumRebuilt = true;
    AppendHistory a;
    ASSERT_TRUE(ReadAppendFile(s, p, dir.str() + "/four", a));
    EXPECT_EQ(std::tuple(a.AppendTitle, a.AppendCount, a.AppendRecordTime, a.MaxValue, a.MinValue),
              std::tuple("more", 4, 2.5f, 30.0f, -7.0f));
    ASSERT_TRUE(ApplyAppend(s, p, a));
    EXPECT_EQ(historyPoints(s), (std::vector<float>{-2, 12, -4, 11, -7, 30, -1, 20}));
    EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue, s.batch().RecordTime, s.ProcessedCount,
                         s.HistoryModified, s.SpectrumRebuilt),
              std::tuple(30.0f, -7.0f, 12.5f, 8, true, false));
}

TEST(Append, FilesThatAreNotAHistoryChangeNothing) {
    TempDir dir;
    const std::string sorry = "Sorry, Wrong Data...";
    struct Case { std::string name, content, message; std::optional<Answer> answer = {}; };
    const Case cases[] = {
        {"two", historyFile("2", {"1", "5"}, "1"), sorry},
        {"claims", historyFile("6", {"1", "5"}, "1"), sorry},
        {"word", historyFile("4", {"1", "five", "2", "6"}, "1"), sorry},
        {"huge", historyFile("4", {"1", "1e39", "2", "6"}, "1"), sorry},
        {"empty", "", sorry},
        {"short", historyFile("6", {"1", "5", "2", "6"}, "1"), "Can read 4 data points only.\nContinue?", N},
        {"missing", "", "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name != "missing") dir.write(c.name, c.content);
        AppState s = editedState(4);
        ScriptedPrompter p;
        p.expect("Append Stress History", c.message, c.answer ? Icon::Question : Icon::Exclamation, c.answer.value_or(Answer::Ok));
        AppendHistory a;
        EXPECT_FALSE(ReadAppendFile(s, p, dir.str() + "/" + c.name, a));
        EXPECT_EQ(a.AppendCount, 0);
    }
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

using test::RecordingCanvas;

// The preview: both histories one after the other, each in its colour, and the words.
TEST(AppendPreview, DrawsBothHistories) {
    AppState s = test::editedState(4);
    AppendHistory a;
    a.AppendCount = 2;
    a.AppendValues = {0, -7, 30};
    a.MaxValue = 30;
    a.MinValue = -7;
    RecordingCanvas c;
    DrawAppendPreview(c, s, a);
    std::vector<Color> colours;
    for (const auto* op : c.of(RecordingCanvas::Kind::Line)) colours.push_back(op->color);
    EXPECT_EQ(colours, (std::vector<Color>{kBlack, kBlack, s.HistoryColor, s.HistoryColor, s.HistoryColor,
                                           s.GraphColor, s.GraphColor}));
    EXPECT_EQ(c.texts(), (std::vector<std::string>{"STRESS", "POINTS", "Smax = 30.0 ,  Smin = -7.0 "}));

    // A long history: one stroke per column, none mixing the two.
    s = test::editedState(100000);
    a.AppendValues.assign(100001, 1.0f);
    a.AppendCount = 100000;
    RecordingCanvas wide;
    DrawAppendPreview(wide, s, a);
    const auto lines = wide.of(RecordingCanvas::Kind::Line);
    EXPECT_LT(lines.size(), 700u);
    for (size_t i = 2; i < lines.size(); ++i)   // the appended values are constant: flat strokes
        ASSERT_EQ(lines[i]->color == s.GraphColor, lines[i]->y1 == lines[i]->y2) << i;
}

}  // namespace
}  // namespace karmo
