#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "core/Settings.h"
#include "support/ScriptedPrompter.h"
#include "ui/FocusEdit.h"
#include "ui/FileLists.h"
#include "ui/HelpWindow.h"
#include "ui/panels/DataServPanel.h"
#include "ui/panels/Panel.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
using test::WindowFixture;

// A menu as its captions in order, "-" for a separator.
std::vector<std::string> Captions(const QMenu* m) {
    std::vector<std::string> out;
    for (const QAction* a : m->actions())
        out.push_back(a->isSeparator() ? std::string("-") : a->text().toStdString());
    return out;
}

QString ToolTipOf(MainWindow& w, const char* name) {
    return w.findChild<QWidget*>(QString::fromLatin1(name))->toolTip();
}

const std::vector<std::pair<const char*, const char*>> kHistoryToolTips = {
    {"Cmd_Zoom_Refr", "Refresh the display"},
    {"cmd_Rescale", "Rescale the stress history"},
    {"cmd_Save", "Save the stress history to file"},
    {"cmd_Correction", "Correct or smooth the stress history"},
    {"cmd_Cycle_Count", "Perform rainflow counting"},
    {"cmd_Subtract", "Subtract some points from the stress history"},
    {"cmd_Append", "Add a stress history to the current one"},
    {"cmd_Cancel", "Close editing the stress history"},
};

TEST(MainWindowStartUp, WithoutSettingsFile) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    const AppState& s = w.state();
    EXPECT_EQ(w.objectName(), QStringLiteral("form_main"));
    EXPECT_EQ(s.UiMode, kUiIdle);
    EXPECT_EQ(s.CompanyName, "Orvex");
    EXPECT_EQ(s.DatabaseDir, f.dir.path().toStdString());
    EXPECT_EQ(s.HistoryDir, f.dir.path().toStdString());
    // SI units
    EXPECT_FALSE(s.UnitsUS);
    EXPECT_EQ(s.StressUnitBracket, "[MPa]");
    EXPECT_FLOAT_EQ(s.StressFactor, 1.0f);
    EXPECT_TRUE(w.action(QStringLiteral("mnu_SI"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnu_US"))->isChecked());
    // tool tips shown
    EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnu_tool_1"))->isChecked());
    for (const auto& [name, tip] : kHistoryToolTips) EXPECT_EQ(ToolTipOf(w, name), QString::fromLatin1(tip)) << name;
    EXPECT_EQ(ToolTipOf(w, "Label7"), QStringLiteral("Click here for Stress/Strain change"));
    // the factory colours of a display with more than 256 colours, applied
    EXPECT_EQ(s.GraphColor, 0xC000C0u);
    EXPECT_EQ(s.HistoryColor, 0x80FFFFu);
    EXPECT_EQ(s.PlotBackColor, 0xFFFFFFu);
    EXPECT_EQ(s.SpectrumColor, 0x80FF80u);
    EXPECT_EQ(s.BetaColor, 0xFFFF80u);
    EXPECT_EQ(w.panel(QStringLiteral("frm_Hist"))->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0x80));
    EXPECT_EQ(w.panel(QStringLiteral("frm_Spectr"))->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(w.panel(QStringLiteral("frm_Distr"))->palette().color(QPalette::Window), QColor(0x80, 0xFF, 0xFF));
    // every panel exists and is hidden
    for (const char* p : {"frm_Stress_Info", "frm_Hist", "frm_Spectr", "frm_Distr", "frm_Spectrum_Info",
                          "frm_Spectrum_Params", "frm_Edit_Choice", "frm_Beta_Params", "frm_Mean_Stress",
                          "frm_Hist_Parms", "frm_Correction", "frm_Rescale_Info", "frm_Subtract", "frm_Append",
                          "frm_Append_Hist", "frm_Chk_File", "frm_data_serv", "frm_Load_Dbase", "frm_about"}) {
        ASSERT_NE(w.panel(QString::fromLatin1(p)), nullptr) << p;
        EXPECT_TRUE(w.panel(QString::fromLatin1(p))->isHidden()) << p;
    }
    EXPECT_EQ(w.panel(QStringLiteral("frm_Subtract"))->label(QStringLiteral("lbl_Subtract_What"))->text(),
              QStringLiteral("Cut the Stress History"));
}

TEST(MainWindowStartUp, PaletteDisplayGetsTheFullColours) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter, test::ScreenPixels(1024, 768), {}, 256);
    EXPECT_EQ(f.w().state().HistoryColor, 0x00FFFFu);
    EXPECT_EQ(f.w().state().SpectrumColor, 0x00FF00u);
    EXPECT_EQ(f.w().state().BetaColor, 0xFFFF00u);
}

TEST(MainWindowStartUp, WithUsSettingsFile) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter, test::ScreenPixels(1024, 768),
                    QByteArray(" 0  255  65280  16711680  8421504  4210752  1  0 \r\n"));
    MainWindow& w = f.w();
    const AppState& s = w.state();
    EXPECT_TRUE(s.UnitsUS);
    EXPECT_EQ(s.StressUnitBracket, "[ksi]");
    EXPECT_EQ(s.QuantityUnitBracket, "[ksi]");
    EXPECT_FALSE(w.action(QStringLiteral("mnu_SI"))->isChecked());
    EXPECT_TRUE(w.action(QStringLiteral("mnu_US"))->isChecked());
    EXPECT_EQ(s.HistoryColor, 255u);
    EXPECT_EQ(s.BetaColor, 65280u);
    EXPECT_EQ(s.PlotBackColor, 16711680u);
    EXPECT_EQ(s.SpectrumColor, 8421504u);
    EXPECT_EQ(s.GraphColor, 4210752u);
    EXPECT_EQ(w.panel(QStringLiteral("frm_Hist"))->palette().color(QPalette::Window), QColor(255, 0, 0));
    // tool tips hidden
    EXPECT_EQ(s.ToolTipsHidden, 1);
    EXPECT_FALSE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
    EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_1"))->isChecked());
    for (const auto& [name, tip] : kHistoryToolTips) EXPECT_TRUE(ToolTipOf(w, name).isEmpty()) << name;
    EXPECT_EQ(w.panel(QStringLiteral("frm_Stress_Info"))->label(QStringLiteral("lbl_Max_Stress"))->text(),
              QStringLiteral("Max Stress [MPa]:"));   // as designed until a history is shown
}

TEST(MainWindowMenus, CaptionsSeparatorsAndEnabling) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    std::vector<std::string> bar;
    for (const QAction* a : w.menuBar()->actions()) bar.push_back(a->text().toStdString());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Settings", "&Data", "&Results", "Scree&n", "&Help"}));

    const std::vector<std::pair<const char*, std::vector<std::string>>> menus = {
        {"mnu_File", {"E&xit"}},
        {"mnu_Settings", {"&Units", "&Colors...", "&Tip Text", "-", "&Save Settings"}},
        {"mnu_units", {"S&I", "U&S"}},
        {"mnu_tool_text", {"&Show", "&Hide"}},
        {"mnu_Data", {"&Open Database", "&New Database", "-", "&Edit Database", "&Save Database"}},
        {"mnu_Results", {"Print Setup...", "-", "Print &Screen", "Print Summary"}},
        {"mnu_form", {"on &Printer", "to &File..."}},
        {"mnu_summ", {"on &Printer", "to File..."}},
        {"mnu_Screen", {"&Copy Screen on Printer"}},
        {"mnu_Help", {"&Contents", "-", "About KARMO"}},
        {"pop_disp", {"Fast Display", "Full Display"}},
        {"pop_head", {"with header", "no header"}},
    };
    for (const auto& [name, captions] : menus) {
        const QMenu* m = w.findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(Captions(m), captions) << name;
    }
    EXPECT_EQ(w.popup(QStringLiteral("pop_disp"))->title(), QStringLiteral("History Display "));
    EXPECT_TRUE(w.action(QStringLiteral("pop_disp1_1"))->isChecked());
    EXPECT_TRUE(w.action(QStringLiteral("pop_head1_0"))->isChecked());

    const std::vector<std::pair<const char*, bool>> enabled = {
        {"mnu_form", false}, {"mnu_summ", false}, {"mnu_data_edit", false}, {"mnu_data_save", false},
        {"mnu_data_serv", true}, {"mnu_data_new", true}, {"mnu_settings", true}, {"mnu_about", true},
    };
    for (const auto& [name, on] : enabled) EXPECT_EQ(w.action(QString::fromLatin1(name))->isEnabled(), on) << name;
}

TEST(MainWindowMenus, CommandsDoNothingUnlessIdle) {
    ScriptedPrompter prompter;   // fails on any message
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    AppState& s = w.state();
    for (int16_t mode : {int16_t{0}, int16_t{2}, int16_t{9}}) {
        s.UiMode = mode;
        s.HistoryModified = true;   // an exit would ask
        for (const char* name : {"mnu_SI", "mnu_US", "mnu_settings", "mnu_tool_0", "mnu_tool_1", "mnu_save_Sett",
                                 "mnu_data_serv", "mnu_data_new", "mnu_data_edit", "mnu_data_save",
                                 "mnu_quit_program", "mnu_contents"})
            w.action(QString::fromLatin1(name))->trigger();
        EXPECT_EQ(s.UiMode, mode);
        EXPECT_FALSE(s.UnitsUS);
        EXPECT_TRUE(w.action(QStringLiteral("mnu_SI"))->isChecked());
        EXPECT_FALSE(w.action(QStringLiteral("mnu_US"))->isChecked());
        EXPECT_EQ(s.ToolTipsHidden, 0);
        EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
        EXPECT_FALSE(w.action(QStringLiteral("mnu_tool_1"))->isChecked());
        EXPECT_FALSE(QFile::exists(f.dir.filePath(QStringLiteral("Karmo.cfg"))));
        EXPECT_TRUE(w.panel(QStringLiteral("frm_data_serv"))->isHidden());
        EXPECT_TRUE(w.panel(QStringLiteral("frm_Load_Dbase"))->isHidden());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.helpWindow(), nullptr);
    }
    EXPECT_TRUE(prompter.asked.empty());
}

TEST(MainWindowMenus, HideThenShowRestoresTheToolTips) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.action(QStringLiteral("mnu_tool_1"))->trigger();
    EXPECT_EQ(w.state().ToolTipsHidden, 1);
    EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_1"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
    for (const auto& [name, tip] : kHistoryToolTips) EXPECT_EQ(ToolTipOf(w, name), QString()) << name;
    EXPECT_EQ(ToolTipOf(w, "Label11"), QString());
    w.action(QStringLiteral("mnu_tool_0"))->trigger();
    EXPECT_EQ(w.state().ToolTipsHidden, 0);
    EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnu_tool_1"))->isChecked());
    for (const auto& [name, tip] : kHistoryToolTips) EXPECT_EQ(ToolTipOf(w, name), QString::fromLatin1(tip)) << name;
    // choosing the checked item again keeps it checked
    w.action(QStringLiteral("mnu_tool_0"))->trigger();
    EXPECT_TRUE(w.action(QStringLiteral("mnu_tool_0"))->isChecked());
}

TEST(MainWindowMenus, SaveSettingsWritesTheStartDirectory) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    f.w().action(QStringLiteral("mnu_US"))->trigger();
    f.w().action(QStringLiteral("mnu_save_Sett"))->trigger();
    QFile cfg(f.dir.filePath(QStringLiteral("Karmo.cfg")));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(cfg.readAll(), QByteArray(" 0  8454143  16777088  16777215  8454016  12583104  0  0 \r\n"));
}

TEST(MainWindowMenus, PopupChoices) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    int redraws = 0;
    w.onRedrawHistory = [&] { ++redraws; };
    w.action(QStringLiteral("pop_disp1_0"))->trigger();
    EXPECT_EQ(w.state().FastDisplay, -1);
    EXPECT_TRUE(w.action(QStringLiteral("pop_disp1_0"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("pop_disp1_1"))->isChecked());
    w.action(QStringLiteral("pop_disp1_1"))->trigger();
    EXPECT_EQ(w.state().FastDisplay, 0);
    EXPECT_EQ(redraws, 2);
    auto* choice = w.control<QRadioButton>(QStringLiteral("btt_Hist_Choice_3"));
    w.action(QStringLiteral("pop_head1_1"))->trigger();
    EXPECT_EQ(w.state().TextHasHeader, 0);
    EXPECT_EQ(choice->text(), QStringLiteral("Text File (NH)"));
    EXPECT_TRUE(w.action(QStringLiteral("pop_head1_1"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("pop_head1_0"))->isChecked());
    w.action(QStringLiteral("pop_head1_0"))->trigger();
    EXPECT_EQ(w.state().TextHasHeader, -1);
    EXPECT_EQ(choice->text(), QStringLiteral("Text File (WH)"));
}

TEST(MainWindowMenus, HelpOpensAtItsContents) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    f.w().action(QStringLiteral("mnu_contents"))->trigger();
    ASSERT_NE(f.w().helpWindow(), nullptr);
    EXPECT_TRUE(f.w().helpWindow()->isVisible());
    EXPECT_TRUE(f.w().helpWindow()->showContents());
    f.w().helpWindow()->close();
}

// ---------------------------------------------------------------------------------------

TEST(AboutPanel, WithNoDialogOpenOnlyResetsToIdle) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    w.action(QStringLiteral("mnu_about"))->trigger();
    Panel* about = w.panel(QStringLiteral("frm_about"));
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->title(), QStringLiteral("About KARMO"));
    EXPECT_EQ(w.state().UiMode, kUiIdle);
    about->button(QStringLiteral("cmd_about"))->click();
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(w.state().UiMode, kUiIdle);
}

TEST(AboutPanel, OverEachPanelRestoresIt) {
    struct Case { const char* panel; int16_t mode; DataServMode serv; };
    const Case cases[] = {
        {"frm_Append", 10, {}},
        {"frm_Chk_File", 3, {}},
        {"frm_Spectrum_Params", 2, {}},
        {"frm_Correction", 8, {}},
        {"frm_Load_Dbase", 5, {}},
        {"frm_data_serv", 4, DataServMode::OpenDatabase},
        {"frm_data_serv", 6, DataServMode::SaveDatabase},
        {"frm_data_serv", 7, DataServMode::SaveHistory},
        {"frm_data_serv", 9, DataServMode::Colors},
        {"frm_data_serv", kUiAboutOverNewDatabase, DataServMode::NewDatabase},
    };
    for (const Case& c : cases) {
        ScriptedPrompter prompter;
        WindowFixture f(&prompter);
        MainWindow& w = f.w();
        w.show();
        Panel* p = w.panel(QString::fromLatin1(c.panel));
        if (c.serv == DataServMode::Colors) {
            w.action(QStringLiteral("mnu_settings"))->trigger();
        } else if (p->objectName() == QLatin1String("frm_data_serv")) {
            w.showDataServ(c.serv);
            w.state().UiMode = 0;
        } else {
            p->show();
        }
        if (c.panel == std::string("frm_Load_Dbase"))
            p->findChild<FocusEdit*>(QStringLiteral("txt_Batch"))->setEnabled(false);
        const QString title = p->title();
        w.action(QStringLiteral("mnu_about"))->trigger();
        EXPECT_TRUE(w.panel(QStringLiteral("frm_about"))->isVisible()) << c.panel;
        EXPECT_FALSE(p->isVisible()) << c.panel;
        EXPECT_EQ(w.state().UiMode, c.mode) << c.panel;
        // a second About is refused while the first is open
        w.action(QStringLiteral("mnu_about"))->trigger();
        EXPECT_EQ(w.state().UiMode, c.mode) << c.panel;
        w.panel(QStringLiteral("frm_about"))->button(QStringLiteral("cmd_about"))->click();
        EXPECT_TRUE(p->isVisible()) << c.panel;
        EXPECT_EQ(p->title(), title) << c.panel;
        EXPECT_EQ(w.state().UiMode, kUiIdle) << c.panel;
        if (p->objectName() == QLatin1String("frm_data_serv")) {
            EXPECT_EQ(static_cast<DataServPanel*>(p)->mode(), c.serv) << c.mode;
        }
        if (c.panel == std::string("frm_Load_Dbase")) {
            EXPECT_TRUE(p->findChild<FocusEdit*>(QStringLiteral("txt_Batch"))->isEnabled());
        }
    }
}

// ---------------------------------------------------------------------------------------

TEST(ExitQuestions, CancelOnTheHistoryAsksNothingMore) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    w.state().HistoryModified = true;
    w.state().DatabaseModified = true;
    w.state().BatchCount = 2;
    prompter.expect("Exit Program", "Changes in the Stress History will be lost!", Icon::Exclamation, Answer::Cancel);
    w.action(QStringLiteral("mnu_quit_program"))->trigger();
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(prompter.asked[0].defaultButton, 1);
}

TEST(ExitQuestions, TheCloseBoxAsksBoth) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    w.state().HistoryModified = true;
    w.state().DatabaseModified = true;
    w.state().BatchCount = 1;
    w.state().QuantityName = "Strain ";
    prompter.expect("Exit Program", "Changes in the Strain History will be lost!", Answer::Ok)
        .expect("Exit Program", "Changes in the Database will be lost!", Answer::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    prompter.expect("Exit Program", "Changes in the Strain History will be lost!", Answer::Ok)
        .expect("Exit Program", "Changes in the Database will be lost!", Answer::Ok);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isVisible());
}

TEST(ExitQuestions, ModifiedEmptyDatabaseAsksNothing) {
    ScriptedPrompter prompter;
    WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    w.state().DatabaseModified = true;
    w.state().BatchCount = 0;
    w.action(QStringLiteral("mnu_quit_program"))->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(prompter.asked.empty());
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

TEST(MainWindowTitle, ShownOnlyOnTheEmptyWindow) {
    test::ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    QLabel* name = w.findChild<QLabel*>(QStringLiteral("lbl_Title_Name"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("KARMO"));
    EXPECT_TRUE(name->isVisible());
    // centred horizontally on the window
    EXPECT_NEAR(name->x() + name->width() / 2.0, w.centralWidget()->width() / 2.0, 1.0);
    w.action(QStringLiteral("mnu_settings"))->trigger();
    EXPECT_FALSE(name->isVisible());
    w.panel(QStringLiteral("frm_data_serv"))->button(QStringLiteral("cmd_data_cancel"))->click();
    EXPECT_TRUE(name->isVisible());
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

TEST(MainWindowMenus, EnablingFollowsTheWork) {
    struct Step { MenuEvent event; int16_t batches; std::vector<std::pair<const char*, bool>> expect; };
    const std::vector<Step> steps = {
        {MenuEvent::HistoryDrawn, 0, {{"mnu_form", true}, {"mnu_pdoc", true}, {"mnu_summ", false},
                                      {"mnu_data_serv", false}, {"mnu_data_new", false},
                                      {"mnu_data_edit", false}, {"mnu_data_save", false}}},
        {MenuEvent::SpectrumDrawn, 0, {{"mnu_form", true}, {"mnu_summ", true}, {"mnu_pdoc", true}}},
        {MenuEvent::HistoryClosed, 0, {{"mnu_data_serv", true}, {"mnu_data_new", true}, {"mnu_data_edit", false},
                                       {"mnu_data_save", false}, {"mnu_form", false}, {"mnu_summ", false},
                                       {"mnu_pdoc", false}}},
        {MenuEvent::HistoryClosed, 3, {{"mnu_data_edit", true}, {"mnu_data_save", true}}},
        {MenuEvent::SpectrumDrawn, 3, {{"mnu_form", true}, {"mnu_summ", true}}},
        {MenuEvent::SpectrumClosed, 3, {{"mnu_form", false}, {"mnu_pdoc", false}, {"mnu_summ", true},
                                        {"mnu_data_serv", true}, {"mnu_data_edit", true}}},
    };
    test::ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    int i = 0;
    for (const Step& st : steps) {
        f.w().state().BatchCount = st.batches;
        f.w().applyMenuEvent(st.event);
        for (const auto& [name, on] : st.expect)
            EXPECT_EQ(f.w().action(QString::fromLatin1(name))->isEnabled(), on) << "step " << i << " " << name;
        ++i;
    }
    test::WindowFixture g(&prompter);
    g.w().applyMenuEvent(MenuEvent::DatabaseOpened);
    EXPECT_TRUE(g.w().action(QStringLiteral("mnu_data_edit"))->isEnabled());
    EXPECT_TRUE(g.w().action(QStringLiteral("mnu_data_save"))->isEnabled());
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

TEST(DataMenu, OpenAndNewOfferToSaveAChangedDatabase) {
    struct Case { const char* action; Answer answer; bool opens; DataServMode mode; };
    const Case cases[] = {
        {"mnu_data_serv", Answer::Cancel, false, DataServMode::OpenDatabase},
        {"mnu_data_serv", Answer::No, true, DataServMode::OpenDatabase},
        {"mnu_data_new", Answer::Cancel, false, DataServMode::NewDatabase},
        {"mnu_data_new", Answer::No, true, DataServMode::NewDatabase},
    };
    for (const Case& c : cases) {
        test::ScriptedPrompter prompter;
        test::WindowFixture f(&prompter);
        MainWindow& w = f.w();
        w.show();
        w.state().BatchCount = 2;
        w.state().DatabaseModified = true;
        prompter.expect("Loading Database", "Database is changed, would you like to save it?", Icon::Exclamation,
                        c.answer);
        w.action(QString::fromLatin1(c.action))->trigger();
        auto* serv = static_cast<DataServPanel*>(w.panel(QStringLiteral("frm_data_serv")));
        EXPECT_EQ(serv->isVisible(), c.opens) << c.action;
        if (c.opens) {
            EXPECT_EQ(serv->mode(), c.mode);
            EXPECT_EQ(w.state().UiMode, 0);
            EXPECT_EQ(serv->title(), QStringLiteral("Loading Database"));
            EXPECT_EQ(serv->button(QStringLiteral("cmd_data_do"))->text(),
                      c.mode == DataServMode::OpenDatabase ? QStringLiteral("&Open") : QStringLiteral("&OK"));
        } else {
            EXPECT_EQ(w.state().UiMode, kUiIdle);
        }
    }
}

TEST(DataMenu, NothingWhileAHistoryIsShown) {
    test::ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    w.state().BatchCount = 2;
    w.state().DatabaseModified = true;
    w.panel(QStringLiteral("frm_Hist"))->show();
    for (const char* name : {"mnu_data_serv", "mnu_data_new", "mnu_data_edit"}) w.action(QString::fromLatin1(name))->trigger();
    EXPECT_TRUE(w.panel(QStringLiteral("frm_data_serv"))->isHidden());
    EXPECT_TRUE(w.panel(QStringLiteral("frm_Load_Dbase"))->isHidden());
    EXPECT_EQ(w.state().UiMode, kUiIdle);
}

}  // namespace
}  // namespace karmo

namespace karmo {
namespace {

TEST(DataMenu, SaveHistoryModePresetsTheNameAndFollowsTheLists) {
    test::ScriptedPrompter prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    QDir(f.dir.path()).mkdir(QStringLiteral("sub"));
    w.state().CurrentBatch = 12;
    w.showDataServ(DataServMode::SaveHistory);
    auto* serv = static_cast<DataServPanel*>(w.panel(QStringLiteral("frm_data_serv")));
    EXPECT_EQ(serv->title(), QStringLiteral("Save Stress History"));
    EXPECT_EQ(serv->label(QStringLiteral("Save_to_File"))->text(), QStringLiteral("Save the Stress History to File:"));
    EXPECT_EQ(serv->edit(QStringLiteral("File_Name"))->text(), QStringLiteral("karhs.12"));
    EXPECT_EQ(w.state().SaveFileName, "karhs.12");
    EXPECT_EQ(w.state().DataMode, 2);
    EXPECT_EQ(serv->files()->pattern(), QStringLiteral("karhs.*"));
    serv->dirs()->setPath(f.dir.filePath(QStringLiteral("sub")));
    emit serv->dirs()->pathChanged(serv->dirs()->path());
    EXPECT_EQ(w.state().DatabaseDir, f.dir.filePath(QStringLiteral("sub")).toStdString());
}

}  // namespace
}  // namespace karmo
