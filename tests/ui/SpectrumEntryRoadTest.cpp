#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <regex>

#include "Road.h"
#include "report/SummaryReport.h"
#include "ui/FocusEdit.h"

namespace karmo {
namespace {

using test::Cli;
using test::ReadBack;
using test::Road;

constexpr Icon Q = Icon::Question;
constexpr Icon C = Icon::Critical;

// The report "to File..." writes for the current batch.
std::string WindowReport(Road& r) {
    const QString file = r.path("summary.txt");
    r.w.setSaveFilePicker([&](const QString&, const QString&) { return file; });
    r.menu("mnu_pfile");
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

// A click on the lower arrow of the grid's scroll bar (which takes no focus).
void ScrollDown(Road& r) {
    auto* bar = r.w.findChild<QScrollBar*>("vsc_Spectrum");
    ASSERT_TRUE(bar && bar->isVisible());
    // A scroll bar ignores a press while another button is held; QTest remembers buttons that
    // earlier tests pressed and never released.
    QTest::mouseRelease(bar, Qt::RightButton, {}, QPoint(bar->width() / 2, 2));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - bar->width() / 2));
    QApplication::processEvents();
}

// Typed without Enter: the focus stays in the box.
void KeyIn(Road& r, const char* box, const char* text) {
    auto* e = r.w.findChild<FocusEdit*>(box);
    e->setFocus(Qt::MouseFocusReason);
    e->selectAll();
    QTest::keyClicks(e, QString::fromLatin1(text));
}

// A new database whose first batch gets a spectrum by the given way (btt_Edit_Choice index).
void NewBatchSpectrum(Road& r, const char* way, const char* levels, const char* volume, const char* max,
                      const char* min) {
    r.menu("mnu_data_new");
    r.click("cmd_data_do");
    r.click("Cmd_Edit_Spectrum");
    EXPECT_EQ(r.shown(), "frm_Edit_Choice");
    EXPECT_EQ(r.text("frm_Edit_Choice"), "Edit Stress Spectrum Choices");
    EXPECT_EQ(r.text("lbl_Edit_Choice"), "Please select one to edit Stress Spectrum:");
    r.shot("edit-choice");
    r.choose(way);
    r.click("cmd_Choice_OK");
    EXPECT_EQ(r.shown(), "frm_Spectrum_Params");
    EXPECT_EQ(r.text("txt_Spectr_Levels"), "0");
    r.type("txt_Spectr_Levels", levels);
    r.type("txt_Spectr_Vol", volume);
    r.type("txt_Spectr_Max", max);
    r.type("txt_Spectr_Min", min);
}

// Six levels from 300 to 50 MPa typed in, the sixth reached with the scroll bar.
void TypeSixLevels(Road& r) {
    NewBatchSpectrum(r, "btt_Edit_Choice_0", "6", "1000", "300", "50");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.shown(), "frm_Spectr frm_Spectrum_Info");
    EXPECT_EQ(r.text("Stress_1"), "250.00");
    const char* counts[] = {"1", "4", "20", "80"};
    for (int i = 0; i < 4; ++i) r.type(ArrayName("Cycles", i).toLatin1(), counts[i]);
    KeyIn(r, "Cycles_4", "x");
    r.prompter.expect("Stress Spectrum", "The Stress Spectrum cycles must be numeric", C);
    ScrollDown(r);      // refused before the rows move: they stay
    EXPECT_EQ(r.text("Level_0"), "1");
    KeyIn(r, "Cycles_4", "300");
    ScrollDown(r);      // the typed count of level 5 stays
    EXPECT_EQ(r.text("Level_3"), "5");
    EXPECT_EQ(r.text("Cycles_3"), "300");
    r.type("Cycles_4", "1200");
}

// Road 1: a spectrum typed by keyboard into a new database, saved, and its summary.
TEST(SpectrumEntryRoad, KeyboardSpectrumIntoANewDatabase) {
    Road r;
    TypeSixLevels(r);
    r.prompter.expect("Stress Spectrum", "The Spectrum Volume will be increased.", Q, Answer::Yes);
    r.click("cmd_Spectr_Refresh");
    EXPECT_FALSE(r.w.findChild<QPushButton*>("cmd_Spectr_Refresh")->isEnabled());
    r.shot("keyboard-grid");
    r.prompter.expect("Current Data", "The data is included into the Database.");
    r.click("cmd_Spectrum_Save");
    r.menu("mnu_data_save");
    r.click("cmd_data_do");

    const AppState back = ReadBack(r.dir);
    ASSERT_EQ(back.BatchCount, 1);
    const DataBatch& b = back.batch(1);
    EXPECT_EQ(b.Name, "Batch 1");
    EXPECT_EQ(std::tuple(b.LevelCount, b.MaxRange, b.MinRange, b.Volume), std::tuple(int16_t{6}, 300.f, 50.f, 1605));
    const int cycles[] = {1, 4, 20, 80, 300, 1200};
    for (int j = 1; j <= 6; ++j) {
        EXPECT_EQ(b.LevelRange[j], 300.f - 50.f * static_cast<float>(j - 1)) << j;
        EXPECT_EQ(b.LevelCycles[j], cycles[j - 1]) << j;
    }
    const std::string date = TodayReportDate();
    const std::string report = WindowReport(r);
    if (TodayReportDate() != date) GTEST_SKIP() << "the date changed while the report was written";
    EXPECT_NE(report.find("Source:   Stress Spectrum"), std::string::npos);
    EXPECT_EQ(report, Cli({"report", r.dir.toStdString(), "1", "--date", date}));
}

// "&Save Database" into the directory its dialog proposes, and the database read back from it.
AppState SaveDatabase(Road& r, const QString& dir) {
    r.menu("mnu_data_save");
    r.click("cmd_data_do");
    return ReadBack(dir);
}

// kardt.dat of a directory, as bytes.
QByteArray DatabaseFile(const QString& dir) {
    QFile f(dir + "/kardt.dat");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Road 2: a spectrum generated from a Weibull distribution.
TEST(SpectrumEntryRoad, SpectrumFromAWeibullDistribution) {
    Road r;
    NewBatchSpectrum(r, "btt_Edit_Choice_1", "15", "1000000", "280", "20");
    r.choose("chk_Weibull");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.shown(), "frm_Beta_Params");
    EXPECT_EQ(r.text("frm_Beta_Params"), "Edit Weibull Parameters");
    EXPECT_EQ(r.text("lbl_Beta_Text"), "Please enter the preferred values:");
    EXPECT_EQ(r.w.panel("frm_Beta_Params")->defaultButton()->objectName(), "cmd_Beta_EditCan");
    // Q refused on leaving, then Up from Q goes to R and Page Down back to Q.
    r.prompter.expect("Edit Beta Parameters", "Q must be a numeric", C);
    r.type("txt_Beta_Q", "x");
    QTest::keyClick(r.w.findChild<FocusEdit*>("txt_Beta_Q"), Qt::Key_Backspace);
    r.type("txt_Beta_Q", "48");
    r.type("txt_Beta_R", "1.25");
    const auto key = [&](const char* box, Qt::Key k) {
        QTest::keyClick(r.w.findChild<FocusEdit*>(box), k);
        return QApplication::focusWidget()->objectName().toStdString();
    };
    EXPECT_EQ(key("txt_Beta_Q", Qt::Key_Up), "txt_Beta_R");
    EXPECT_EQ(key("txt_Beta_R", Qt::Key_Down), "txt_Beta_R");
    EXPECT_EQ(key("txt_Beta_R", Qt::Key_PageDown), "txt_Beta_Q");
    r.shot("distribution-parameters");
    r.click("cmd_Beta_EditOK");
    EXPECT_EQ(r.shown(), "frm_Distr frm_Spectr frm_Spectrum_Info");
    EXPECT_EQ(r.text("cmd_Spectr_Refresh"), "Fit &Distrib.");
    EXPECT_EQ(r.text("DT_0"), "Q = 48.0");
    EXPECT_EQ(r.text("DT_1"), "R = 1.25");

    r.shot("spectrum-from-distribution");

    // Refresh fits the distribution to the generated spectrum; the report is of a generated one.
    r.click("cmd_Spectr_Refresh");
    const std::string report = WindowReport(r);
    EXPECT_NE(report.find("Source:   (Weibull) Distribution "), std::string::npos);
    EXPECT_NE(report.find("Stress Distribution (Weibull)"), std::string::npos);

    // Stored, the levels are those of karmo-cli synth, and the fit is kept.
    r.prompter.expect("Current Data", "The data is included into the Database.");
    r.click("cmd_Spectrum_Save");
    const AppState back = SaveDatabase(r, r.dir);
    EXPECT_EQ(test::StoredLevels(back.batch(1)),
              test::JsonLevels(Cli({"synth", "--type", "weibull", "--q", "48", "--r", "1.25", "--max", "280", "--min",
                                    "20", "--levels", "15", "--volume", "1000000", "--json"})));
    EXPECT_NE(back.batch(1).FitQ, 0.0f);
}

// Road 3: the distribution of the counted example batch edited, kept, and abandoned.
void EditExampleDistribution(Road& r, const char* R) {
    r.menu("mnu_data_serv");
    r.openDir("Dir1", r.path("database"));
    r.click("cmd_data_do");
    r.type("txt_Batch", "1");
    r.click("Cmd_Edit_Distribution");
    EXPECT_EQ(r.shown(), "frm_Spectrum_Params");
    EXPECT_EQ(r.text("txt_Spectr_Levels"), "12");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.text("frm_Beta_Params"), "Edit Weibull Parameters");
    EXPECT_EQ(r.text("txt_Beta_R"), "1.447448");   // the batch's fit
    r.type("txt_Beta_R", R);
    r.click("cmd_Beta_EditOK");
    EXPECT_EQ(r.text("cmd_Spectr_Refresh"), "&Fit Distrib.");
    r.click("cmd_Spectr_Refresh");
}

TEST(SpectrumEntryRoad, StoredDistributionEditedKeptOrAbandoned) {
    Road r;
    r.copyExample("database", "database");
    const DataBatch before = ReadBack(r.path("database")).batch(1);
    EditExampleDistribution(r, "2");
    r.prompter.expect("Current Data", "The data is included into the Database.");
    r.click("cmd_Spectrum_Save");
    const std::string report = WindowReport(r);    // the report of a stored distribution
    EXPECT_EQ(report.find("Source:"), std::string::npos);
    EXPECT_NE(report.find("Stress Distribution (Weibull)"), std::string::npos);
    r.click("cmd_Spectrum_Cancel");
    EXPECT_EQ(r.shown(), "frm_Load_Dbase");
    const DataBatch b = SaveDatabase(r, r.path("database")).batch(1);
    EXPECT_EQ(b.SourceR, 2.0f);
    EXPECT_NE(b.FitR, before.FitR);
    EXPECT_NE(b.LevelCycles, before.LevelCycles);

    // The same edit closed with No leaves every stored field as it was.
    Road again;
    again.copyExample("database", "database");
    const QByteArray stored = DatabaseFile(again.path("database"));
    EditExampleDistribution(again, "2");
    again.prompter.expect("Editing Stress Spectrum", "Do you want to save the changes to the Stress Spectrum?", Q,
                          Answer::No);
    again.click("cmd_Spectrum_Cancel");
    EXPECT_EQ(again.shown(), "frm_Load_Dbase");
    SaveDatabase(again, again.path("database"));
    EXPECT_EQ(DatabaseFile(again.path("database")), stored);
}

// A generated batch edited again offers its own way and distribution; No leaves it stored.
TEST(SpectrumEntryRoad, GeneratedBatchEditedAgainAndAbandoned) {
    Road r;
    r.copyExample("database", "database");
    const QByteArray stored = DatabaseFile(r.path("database"));
    const DataBatch generated = ReadBack(r.path("database")).batch(3);
    r.menu("mnu_data_serv");
    r.openDir("Dir1", r.path("database"));
    r.click("cmd_data_do");
    r.type("txt_Batch", "3");
    r.click("Cmd_Edit_Spectrum");
    EXPECT_TRUE(r.w.findChild<QAbstractButton*>("btt_Edit_Choice_1")->isChecked());
    r.click("cmd_Choice_OK");
    EXPECT_EQ(r.text("txt_Spectr_Vol"), "1000000");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.text("frm_Beta_Params"), "Edit Weibull Parameters");
    EXPECT_EQ(std::pair(r.text("txt_Beta_Q"), r.text("txt_Beta_R")), std::pair(QString("48"), QString("1.25")));
    r.click("cmd_Beta_EditOK");
    for (int i = 0; i < 5; ++i) {   // the same distribution gives the same spectrum
        EXPECT_EQ(r.text(ArrayName("Cycles", i).toLatin1()), QString::number(generated.LevelCycles[i + 1])) << i;
    }
    r.prompter.expect("Editing Stress Spectrum", "Do you want to save the changes to the Stress Spectrum?", Q,
                      Answer::No);
    r.click("cmd_Spectrum_Cancel");
    EXPECT_EQ(r.shown(), "frm_Load_Dbase");
    SaveDatabase(r, r.path("database"));
    EXPECT_EQ(DatabaseFile(r.path("database")), stored);
}

// Road 4: the grid's checks on a keyboard spectrum.
TEST(SpectrumEntryRoad, GridChecks) {
    Road r;
    NewBatchSpectrum(r, "btt_Edit_Choice_0", "4", "0", "100", "40");
    r.click("cmd_Spectr_EditOK");
    // 5, 0, 3: level 2 must have cycles.
    for (auto [box, n] : {std::pair{"Cycles_0", "5"}, {"Cycles_1", "0"}, {"Cycles_2", "3"}}) r.type(box, n);
    r.prompter.expect("Stress Spectrum", "Number of of cycles at level 2 must be >0!", C);
    r.click("cmd_Spectr_Refresh");
    // 5, 3, 0, 0: two levels go after Yes, and the smallest range follows.
    r.type("Cycles_1", "3");
    r.type("Cycles_2", "0");
    r.prompter.expect("Stress Spectrum", "The number of levels will be reduced to 2.", Q, Answer::Yes);
    r.click("cmd_Spectr_Refresh");
    EXPECT_EQ(std::pair(r.text("Level_2"), r.text("Stress_1")), std::pair(QString(), QString("80.00")));
    // Unchanged totals: nothing is asked.
    r.type("Cycles_0", "6");
    r.type("Cycles_0", "5");
    r.click("cmd_Spectr_Refresh");
    // Correction: the volume is the typed total and the parameters are chosen again.
    r.click("cmd_Spectr_Correction");
    EXPECT_EQ(r.shown(), "frm_Spectr frm_Spectrum_Params");
    EXPECT_EQ(r.text("txt_Spectr_Vol"), "8");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(std::pair(r.text("Cycles_0"), r.text("Cycles_1")), std::pair(QString("5"), QString("3")));
    r.prompter.expect("Editing Stress Spectrum", "Do you want to save the changes to the Stress Spectrum?", Q,
                      Answer::No);
    r.click("cmd_Spectrum_Cancel");

    // The same grid from a distribution keeps its empty inner level.
    r.click("Cmd_Edit_Spectrum");
    r.choose("btt_Edit_Choice_1");
    r.click("cmd_Choice_OK");
    for (auto [box, n] : {std::pair{"txt_Spectr_Levels", "4"}, {"txt_Spectr_Vol", "100"}, {"txt_Spectr_Max", "100"},
                          {"txt_Spectr_Min", "40"}})
        r.type(box, n);
    r.click("cmd_Spectr_EditOK");
    r.type("txt_Beta_Q", "2");
    r.type("txt_Beta_R", "3");
    r.click("cmd_Beta_EditOK");
    for (auto [box, n] : {std::pair{"Cycles_0", "5"}, {"Cycles_1", "0"}, {"Cycles_2", "3"}, {"Cycles_3", "92"}})
        r.type(box, n);
    r.click("cmd_Spectr_Refresh");
    EXPECT_EQ(r.text("Cycles_1"), "0");   // accepted without a question
    r.prompter.expect("Editing Stress Spectrum", "Do you want to save the changes to the Stress Spectrum?", Q,
                      Answer::No);
    r.click("cmd_Spectrum_Cancel");

    // An order violation in level 4 of 8 scrolls the grid to it.
    r.click("Cmd_Edit_Spectrum");
    r.choose("btt_Edit_Choice_0");
    r.click("cmd_Choice_OK");
    for (auto [box, n] : {std::pair{"txt_Spectr_Levels", "8"}, {"txt_Spectr_Vol", "0"}, {"txt_Spectr_Max", "80"},
                          {"txt_Spectr_Min", "10"}})
        r.type(box, n);
    r.click("cmd_Spectr_EditOK");
    r.type("Stress_3", "90");
    for (int i = 0; i < 5; ++i) r.type(ArrayName("Cycles", i).toLatin1(), "1");
    for (int i = 0; i < 3; ++i) ScrollDown(r);
    for (int i = 2; i < 5; ++i) r.type(ArrayName("Cycles", i).toLatin1(), "1");
    for (int i = 0; i < 3; ++i) QTest::keyClick(r.w.findChild<FocusEdit*>("Cycles_0"), Qt::Key_Up);
    EXPECT_EQ(r.text("Level_0"), "1");
    r.prompter.expect("Stress Spectrum", "The Stress value of data set 4 should be smaller than the first value", C);
    r.click("cmd_Spectr_Refresh");
    EXPECT_EQ(r.text("Level_0"), "4");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Stress_0");
    // Close: Cancel stays; Yes checks the order again, then keeps the corrected spectrum.
    const char* close = "Do you want to save the changes to the Stress Spectrum?";
    r.prompter.expect("Editing Stress Spectrum", close, Q, Answer::Cancel);
    r.click("cmd_Spectrum_Cancel");
    r.type("Stress_0", "50");
    r.prompter.expect("Editing Stress Spectrum", close, Q, Answer::Yes);
    r.click("cmd_Spectrum_Cancel");
    EXPECT_EQ(r.shown(), "frm_Load_Dbase");
    const AppState back = SaveDatabase(r, r.dir);
    EXPECT_EQ(std::tuple(back.BatchCount, back.batch(1).LevelCount, back.batch(1).LevelRange[4]),
              std::tuple(int16_t{1}, int16_t{8}, 50.0f));
}

// Road 5: U&S with a keyboard spectrum and its distribution shown.
TEST(SpectrumEntryRoad, UnitsSwitchWithATypedSpectrumAndItsDistribution) {
    Road r;
    TypeSixLevels(r);
    r.prompter.expect("Stress Spectrum", "The Spectrum Volume will be increased.", Q, Answer::Yes);
    r.click("cmd_Spectr_Refresh");
    r.click("cmd_Calculate_Beta");
    EXPECT_EQ(r.shown(), "frm_Distr frm_Spectr frm_Spectrum_Info");
    struct Shown { const char* unit; const char* stress; const char* frame; const char* smax; };
    EXPECT_EQ(r.text("Level_0"), "2");
    const Shown si{"mnu_SI", "250.00", "Stress [MPa]", "300.0 MPa"};
    const Shown us{"mnu_US", "36.26", "Stress [ksi]", "43.51 ksi"};
    const QString dtQ = r.text("DT_0");
    for (const Shown& s : {us, si}) {
        r.menu(s.unit);
        EXPECT_EQ(r.text("Stress_0"), s.stress) << s.unit;
        EXPECT_EQ(r.text("frm_Spectrum_Stress"), s.frame) << s.unit;
        EXPECT_EQ(r.text("DTSmax"), s.smax) << s.unit;
        EXPECT_TRUE(r.text("SSmax").contains(QString::fromLatin1(s.frame).mid(8, 3))) << s.unit;
    }
    EXPECT_EQ(r.text("DT_0"), dtQ);
}

}  // namespace
}  // namespace karmo
