#include <QFile>
#include <QImage>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "Road.h"
#include "history/HistoryFile.h"
#include "spectrum/RainflowCounter.h"

namespace karmo {
namespace {

using test::Cli;
using test::ReadBack;
using test::ReadExampleSeries;
using test::Road;
using test::StoredLevels;

constexpr Answer Y = Answer::Yes, N = Answer::No;
const char* const kSubtractHint = "By multiple subtractions proceed from the end to beginn of the Stress History.";

// A new database whose first batch gets the example series (series/) for editing.
void EditExampleSeries(Road& r) {
    r.copyExample("strain-gauge.asc", "series/strain-gauge.asc");
    r.copyExample("bracket.txt", "series/bracket.txt");
    r.menu("mnu_data_new");
    r.click("cmd_data_do");
    r.click("Cmd_Edit_History");
    ReadExampleSeries(r, r.path("series"));
}

// "Sa&ve": the history into the batch's file of the database.
void SaveHistory(Road& r) {
    r.click("cmd_Save");
    EXPECT_EQ(r.text("frm_data_serv"), "Save Stress History");
    r.click("cmd_data_do");
}

// "C&ycle" with the mean stress ignored, then the spectrum's levels and smallest range
// (the proposed ones when not given).
void Count(Road& r, const char* levels = nullptr, const char* minRange = nullptr) {
    r.click("cmd_Cycle_Count");
    r.choose("chk_MSE_0");
    r.click("cmd_Mean_OK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectrum_Params frm_Stress_Info");
    if (levels) r.type("txt_Spectr_Levels", levels);
    if (minRange) r.type("txt_Spectr_Min", minRange);
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// A history file as it is written once its values start at their largest magnitude, as
// counting leaves them.
QByteArray Rotated(const QString& path) {
    AppState s;
    InitAppState(s, "/", "/", -1);
    test::ScriptedPrompter quiet;
    std::ifstream in(path.toStdString(), std::ios::binary);
    EXPECT_EQ(ReadHistoryFile(s, quiet, 1, in, "karhs.1"), HistoryRead::Loaded);
    RearrangeHistory(s.Values, s.batch(1).PointCount);
    return QByteArray::fromStdString(HistoryFileText(s, 1));
}

// The example series cut, rescaled, extended and corrected in the window, counted and saved
// into a new database: karmo-cli gives the same history and the same spectrum.
TEST(EditingRoad, EditedSeriesCountedAndSaved) {
    Road r;
    EditExampleSeries(r);

    // A stretch marked with the left button while the Subtract dialog is open.
    r.prompter.expect("Subtract Stress History", kSubtractHint);
    r.click("cmd_Subtract");
    r.drag("Pic_Hist", Qt::LeftButton, {0.3, 0.5}, {0.4, 0.5});
    EXPECT_EQ(r.text("lbl_Subtract_What"), "Remove the marked portion of the Stress History");
    const QString from = r.text("txt_Subtract_From"), to = r.text("txt_Subtract_To");
    const int cut = to.toInt() - from.toInt() + 1;
    ASSERT_GT(cut, 1);
    r.prompter.expect(
        "Stress History",
        std::to_string(cut) + " data points have been removed.\nReduce proportionally the record time?", Y);
    r.click("cmd_Subtract_OK");

    r.click("cmd_Rescale");
    r.type("txt_RsclFactor", "2");
    r.type("txt_RsclOffset", "-10");
    r.click("cmd_Rscl_OK");

    // The file typed into its box (the list offers history files only); the preview is on
    // screen while the question is asked.
    r.click("cmd_Append");
    r.openDir("dir_Append_Dir", r.path("series"));
    r.type("App_name_HS", "bracket.txt");
    std::string duringQuestion;
    QString extremes;
    r.prompter.whileAsking = [&](const Prompt&) {
        duringQuestion = r.shown();
        extremes = r.text("lbl_Append_SHSmax");
    };
    r.prompter.expect("Append Stress History", "Append the Stress History?", Y);
    r.click("cmd_Append_OK");
    r.prompter.whileAsking = nullptr;
    EXPECT_NE(duringQuestion.find("frm_Append_Hist"), std::string::npos) << duringQuestion;
    EXPECT_TRUE(extremes.startsWith("Smax = ")) << extremes.toStdString();
    EXPECT_EQ(r.shown(), "frm_Hist frm_Stress_Info");

    // One value of the grid retyped further from its neighbour, and the lowpass gate.
    r.click("cmd_Correction");
    const QString point = r.text("Text1_1").section('-', 0, 0);
    const double value = r.text("Text2_1").toDouble(), next = r.text("Text3_1").toDouble();
    const QString retyped = QString::number(value < next ? value - 7 : value + 7);
    r.type("Text2_1", retyped);
    r.type("txt_Corr_Gate", "5");
    // An even cut leaves its join unchecked: two steps the same way, which OK reviews first.
    r.prompter
        .expect("Check Stress History",
                "The Stress History has conflicting values at Stress index " + from.toStdString() +
                    "\nRemove the conflict?",
                Y)
        .expect("Check Stress History", "Remove all conflicts in the Stress History data?", Y)
        .expect("Check Stress History", "2 data points have been removed.");
    r.click("cmd_Corr_OK");
    EXPECT_EQ(r.shown(), "frm_Correction frm_Hist frm_Stress_Info");
    r.prompter.expect("Stress History", "The History has been changed.\nRefresh the display?", Y);
    r.click("cmd_Corr_OK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Stress_Info");

    r.prompter.expect("Stress History", "The Stress History has been rearranged.");
    Count(r, "10", "60");
    r.click("cmd_Calculate_Beta");
    r.clickPlot("Pic_Spectr");      // the spectrum's panel again, with its Save
    r.click("cmd_Spectrum_Save");
    SaveHistory(r);

    const QString cliFile = r.path("cli.1");
    Cli({"edit", r.path("series/strain-gauge.asc").toStdString(), "--cut", (from + '-' + to).toStdString(),
         "--rescale", "2,-10", "--append", r.path("series/bracket.txt").toStdString(), "--set",
         (point + '=' + retyped).toStdString(), "--smooth", "5", "-o", cliFile.toStdString()});
    EXPECT_EQ(Bytes(r.path("karhs.1")).toStdString(), Rotated(cliFile).toStdString());

    const AppState back = ReadBack(r.dir);
    ASSERT_EQ(back.BatchCount, 1);
    EXPECT_EQ(StoredLevels(back.batch(1)),
              test::JsonLevels(Cli({"spectrum", r.path("karhs.1").toStdString(), "--levels", "10", "--min-range", "60",
                                    "--json"})));
    EXPECT_EQ(back.batch(1).LevelCount, 10);
}

// Cancel in each editing dialog, after something was changed in it, leaves the history as
// it was: on screen and in its file.
TEST(EditingRoad, CancelLeavesTheHistory) {
    Road r;
    EditExampleSeries(r);
    r.prompter.expect("Stress History", "The Stress History has been rearranged.");    // stored as counted
    SaveHistory(r);
    const QByteArray saved = Bytes(r.path("karhs.1"));
    auto screen = [&] {
        QStringList texts;
        for (const char* box : {"txt_No_Points", "txt_Record_Time", "txt_Max_Stress", "txt_Min_Stress"})
            texts << r.text(box);
        return std::pair(texts, r.w.findChild<QWidget*>("Pic_Hist")->grab().toImage());
    };
    const auto before = screen();

    r.click("cmd_Correction");
    r.type("Text2_1", "500");
    r.type("txt_Corr_Gate", "5");
    r.click("cmd_Corr_Cancel");
    r.click("cmd_Rescale");
    r.type("txt_RsclFactor", "3");
    r.type("txt_RsclOffset", "7");
    r.click("cmd_Rscl_Cancel");
    r.prompter.expect("Subtract Stress History", kSubtractHint);
    r.click("cmd_Subtract");
    r.drag("Pic_Hist", Qt::LeftButton, {0.3, 0.5}, {0.4, 0.5});
    EXPECT_FALSE(screen() == before);   // the mark is drawn
    r.click("cmd_Subtract_Cancel");
    r.click("cmd_Append");
    r.openDir("dir_Append_Dir", r.path("series"));
    r.type("App_name_HS", "bracket.txt");
    r.prompter.expect("Append Stress History", "Append the Stress History?", N);
    r.click("cmd_Append_OK");
    r.click("cmd_Append_Cancel");

    EXPECT_EQ(r.shown(), "frm_Hist frm_Stress_Info");
    EXPECT_TRUE(screen() == before);
    SaveHistory(r);
    EXPECT_EQ(Bytes(r.path("karhs.1")).toStdString(), saved.toStdString());
}

// The "Keyboard" source: six points typed into the grid of a new history, counted.
TEST(EditingRoad, KeyboardHistoryCounted) {
    Road r;
    r.menu("mnu_data_new");
    r.click("cmd_data_do");
    r.click("Cmd_Edit_History");
    r.choose("btt_Hist_Choice_2");
    r.click("cmd_Filepath_OK");
    EXPECT_EQ(r.shown(), "frm_Correction");
    EXPECT_EQ(r.text("txt_Corr_NoPoints"), "0");
    r.type("txt_Corr_NoPoints", "6");
    const char* typed[] = {"0", "100", "20", "80", "40", "60"};
    for (int i = 0; i < 6; ++i) r.type(ArrayName(i % 2 ? "Text3" : "Text2", i / 2).toLatin1(), typed[i]);
    r.prompter.expect("Stress History", "The History has been changed.\nRefresh the display?", Y);
    r.click("cmd_Corr_OK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Stress_Info");
    EXPECT_EQ(r.text("txt_No_Points"), "6");

    r.prompter.expect("Stress History", "The Stress History has been rearranged.");
    Count(r);
    // Rotated to 100, 20, 80, 40, 60, 0: the cycles 80-20, 60-40 and 100-0, one in each level.
    QStringList grid;
    for (int i = 0; i < 3; ++i)
        for (const char* column : {"Stress", "Cycles"}) grid << r.text(ArrayName(column, i).toLatin1());
    EXPECT_EQ(grid, QStringList({"100.00", "1", "66.67", "1", "33.33", "1"}));
}

}  // namespace
}  // namespace karmo
