#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <optional>

#include "UiTestEnv.h"
#include "core/Settings.h"
#include "ui/FocusEdit.h"
#include "ui/HelpWindow.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DataServPanel.h"

namespace karmo {
namespace {

using test::Ui;

void ExpectTips(MainWindow& w, bool shown) {
    EXPECT_EQ(w.action("mnu_tool_0")->isChecked(), shown);
    EXPECT_EQ(w.action("mnu_tool_1")->isChecked(), !shown);
    EXPECT_EQ(w.state().ToolTipsHidden, shown ? 0 : 1);
    // The table's texts are pinned in the settings tests; here the window must show them.
    for (const auto& [name, tip] : HistoryButtonToolTips())
        EXPECT_EQ(w.findChild<QWidget*>(name)->toolTip(), shown ? QString(tip) : QString()) << name;
}

TEST(MainWindowStartUp, SettingsFileDecidesUnitsTipsAndColours) {
    struct Case {
        const char* what;
        QByteArray cfg;
        int32_t displayColors;
        bool us;
        Color graph, history, back, spectrum, beta;
    };
    const Case cases[] = {
        {"no file", {}, -1, false, 0xC000C0, 0x80FFFF, 0xFFFFFF, 0x80FF80, 0xFFFF80},
        {"no file, 256 colours", {}, 256, false, 0xC000C0, 0x00FFFF, 0xFFFFFF, 0x00FF00, 0xFFFF00},
        {"US file", " 0  255  65280  16711680  8421504  4210752  1  0 \r\n", -1, true, 4210752, 255, 16711680,
         8421504, 65280},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Ui ui(test::ScreenPixels(1024, 768), c.cfg, c.displayColors);
        const AppState& s = ui.s;
        EXPECT_EQ(ui.w.objectName(), "form_main");
        EXPECT_EQ(s.UiMode, kUiIdle);
        EXPECT_EQ(s.CompanyName, "Orvex");
        EXPECT_EQ(s.DatabaseDir, ui.f.dir.path().toStdString());
        EXPECT_EQ(s.HistoryDir, ui.f.dir.path().toStdString());
        EXPECT_EQ(s.UnitsUS, c.us);
        EXPECT_EQ(s.StressUnitBracket, c.us ? "[ksi]" : "[MPa]");
        EXPECT_EQ(ui.act("mnu_SI")->isChecked(), !c.us);
        EXPECT_EQ(ui.act("mnu_US")->isChecked(), c.us);
        ExpectTips(ui.w, !c.us);
        EXPECT_EQ((std::vector<Color>{s.GraphColor, s.HistoryColor, s.PlotBackColor, s.SpectrumColor, s.BetaColor}),
                  (std::vector<Color>{c.graph, c.history, c.back, c.spectrum, c.beta}));
        const std::pair<const char*, Color> backgrounds[] = {
            {"frm_Hist", c.history}, {"frm_Spectr", c.spectrum}, {"frm_Distr", c.beta}};
        for (const auto& [name, colour] : backgrounds)
            EXPECT_EQ(ui.panel(name)->palette().color(QPalette::Window), ToQColor(colour)) << name;
        for (const char* p : {"frm_Stress_Info", "frm_Hist", "frm_Spectr", "frm_Distr", "frm_Spectrum_Info",
                              "frm_Spectrum_Params", "frm_Edit_Choice", "frm_Beta_Params", "frm_Mean_Stress",
                              "frm_Hist_Parms", "frm_Correction", "frm_Rescale_Info", "frm_Subtract", "frm_Append",
                              "frm_Append_Hist", "frm_Chk_File", "frm_data_serv", "frm_Load_Dbase", "frm_about"}) {
            ASSERT_NE(ui.panel(p), nullptr) << p;
            EXPECT_TRUE(ui.panel(p)->isHidden()) << p;
        }
        EXPECT_EQ(ui.panel("frm_Subtract")->label("lbl_Subtract_What")->text(), "Cut the Stress History");
    }
}

// Captions after start-up, then the enabling as the work goes on.
TEST(MainWindowMenus, CaptionsAndEnabling) {
    Ui ui;
    std::vector<std::string> bar;
    for (const QAction* a : ui.w.menuBar()->actions()) bar.push_back(a->text().toStdString());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Settings", "&Data", "&Results", "Scree&n", "&Help"}));
    const std::pair<const char*, std::vector<std::string>> menus[] = {
        {"mnu_File", {"E&xit"}},
        {"mnu_Settings", {"&Units", "&Colors...", "&Tip Text", "-", "&Save Settings"}},
        {"mnu_units", {"S&I", "U&S"}},
        {"mnu_tool_text", {"&Show", "&Hide"}},
        {"mnu_Data", {"&Open Database", "&New Database", "-", "&Edit Database", "&Save Database"}},
        {"mnu_Results", {"Print Setup...", "-", "Print &Screen", "Print Summary", "Fatigue &Damage..."}},
        {"mnu_form", {"on &Printer", "to &File..."}},
        {"mnu_summ", {"on &Printer", "to File..."}},
        {"mnu_Screen", {"&Copy Screen on Printer"}},
        {"mnu_Help", {"&Contents", "-", "About KARMO"}},
        {"pop_disp", {"Fast Display", "Full Display"}},
        {"pop_head", {"with header", "no header"}},
    };
    for (const auto& [name, captions] : menus) {
        const QMenu* m = ui.w.findChild<QMenu*>(name);
        ASSERT_NE(m, nullptr) << name;
        std::vector<std::string> got;
        for (const QAction* a : m->actions()) got.push_back(a->isSeparator() ? "-" : a->text().toStdString());
        EXPECT_EQ(got, captions) << name;
    }
    EXPECT_EQ(ui.w.popup("pop_disp")->title(), "History Display ");
    EXPECT_TRUE(ui.act("pop_disp1_1")->isChecked());
    EXPECT_TRUE(ui.act("pop_head1_0")->isChecked());

    struct Step { std::optional<MenuEvent> event; int16_t batches; std::vector<std::pair<const char*, bool>> on; };
    const Step steps[] = {
        {std::nullopt, 0, {{"mnu_form", false}, {"mnu_summ", false}, {"mnu_data_edit", false}, {"mnu_data_save", false},
                           {"mnu_data_serv", true}, {"mnu_data_new", true}, {"mnu_settings", true}, {"mnu_about", true}}},
        {MenuEvent::HistoryDrawn, 0, {{"mnu_form", true}, {"mnu_pdoc", true}, {"mnu_summ", false},
                                      {"mnu_data_serv", false}, {"mnu_data_new", false}, {"mnu_data_edit", false}}},
        {MenuEvent::SpectrumDrawn, 0, {{"mnu_form", true}, {"mnu_summ", true}, {"mnu_pdoc", true}}},
        // closing enables editing and saving only when the database holds batches
        {MenuEvent::HistoryClosed, 0, {{"mnu_data_serv", true}, {"mnu_data_new", true}, {"mnu_data_edit", false},
                                       {"mnu_data_save", false}, {"mnu_form", false}, {"mnu_summ", false}}},
        {MenuEvent::DatabaseOpened, 0, {{"mnu_data_edit", true}, {"mnu_data_save", true}}},
        {MenuEvent::HistoryClosed, 3, {{"mnu_data_edit", true}, {"mnu_data_save", true}}},
        {MenuEvent::SpectrumDrawn, 3, {{"mnu_form", true}, {"mnu_summ", true}}},
        {MenuEvent::SpectrumClosed, 3, {{"mnu_form", false}, {"mnu_pdoc", false}, {"mnu_summ", true},
                                        {"mnu_data_serv", true}, {"mnu_data_edit", true}}},
    };
    int i = 0;
    for (const Step& st : steps) {
        ui.s.BatchCount = st.batches;
        if (st.event) ui.w.applyMenuEvent(*st.event);
        for (const auto& [name, on] : st.on) EXPECT_EQ(ui.act(name)->isEnabled(), on) << "step " << i << " " << name;
        ++i;
    }
}

TEST(MainWindowMenus, CommandsDoNothingUnlessIdle) {
    Ui ui;   // any message fails
    ui.w.show();
    for (int16_t mode : {int16_t{0}, int16_t{2}, int16_t{9}}) {
        ui.s.UiMode = mode;
        ui.s.HistoryModified = true;   // an exit would ask
        for (const char* name : {"mnu_SI", "mnu_US", "mnu_settings", "mnu_tool_0", "mnu_tool_1", "mnu_save_Sett",
                                 "mnu_data_serv", "mnu_data_new", "mnu_data_edit", "mnu_data_save",
                                 "mnu_quit_program", "mnu_contents"})
            ui.act(name)->trigger();
        EXPECT_EQ(ui.s.UiMode, mode);
        EXPECT_FALSE(ui.s.UnitsUS);
        EXPECT_TRUE(ui.act("mnu_SI")->isChecked());
        EXPECT_FALSE(ui.act("mnu_US")->isChecked());
        ExpectTips(ui.w, true);
        EXPECT_FALSE(QFile::exists(ui.f.dir.filePath("Karmo.cfg")));
        EXPECT_EQ(test::ShownPanels(ui.w), "");
        EXPECT_TRUE(ui.w.isVisible());
        EXPECT_EQ(ui.w.helpWindow(), nullptr);
    }
}

TEST(MainWindowMenus, TipTextSettingsPopupsAndHelp) {
    Ui ui;
    MainWindow& w = ui.w;
    w.action("mnu_tool_1")->trigger();
    ExpectTips(w, false);
    EXPECT_EQ(w.findChild<QWidget*>("Label11")->toolTip(), QString());
    w.action("mnu_tool_0")->trigger();
    ExpectTips(w, true);
    w.action("mnu_tool_0")->trigger();   // the checked item again keeps it checked
    ExpectTips(w, true);

    w.action("mnu_US")->trigger();
    w.action("mnu_save_Sett")->trigger();
    QFile cfg(ui.f.dir.filePath("Karmo.cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(cfg.readAll(), QByteArray(" 0  8454143  16777088  16777215  8454016  12583104  0  0 \r\n"));

    struct Pick { const char *item, *other; int16_t fast, header; const char* caption; };
    for (const Pick& p : {Pick{"pop_disp1_0", "pop_disp1_1", -1, -1, "Text File (WH)"},
                          Pick{"pop_disp1_1", "pop_disp1_0", 0, -1, "Text File (WH)"},
                          Pick{"pop_head1_1", "pop_head1_0", 0, 0, "Text File (NH)"},
                          Pick{"pop_head1_0", "pop_head1_1", 0, -1, "Text File (WH)"}}) {
        w.action(p.item)->trigger();
        EXPECT_EQ((std::vector<bool>{w.action(p.item)->isChecked(), w.action(p.other)->isChecked()}),
                  (std::vector<bool>{true, false}));
        EXPECT_EQ((std::vector<int16_t>{ui.s.FastDisplay, ui.s.TextHasHeader}), (std::vector<int16_t>{p.fast, p.header}))
            << p.item;
        EXPECT_EQ(w.control<QRadioButton>("btt_Hist_Choice_3")->text(), p.caption) << p.item;
    }

    w.action("mnu_contents")->trigger();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->isVisible());
    EXPECT_TRUE(w.helpWindow()->showContents());
    w.helpWindow()->close();
}

// About over nothing, then over each panel it can cover: the panel, its caption, its mode
// and UiMode come back with OK.
TEST(AboutPanel, OverEachPanelRestoresIt) {
    struct Case { const char* panel; int16_t mode; DataServMode serv; };
    const Case cases[] = {
        {nullptr, kUiIdle, {}},
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
        SCOPED_TRACE(c.panel ? c.panel : "nothing");
        SCOPED_TRACE(c.mode);
        Ui ui;
        MainWindow& w = ui.w;
        w.show();
        Panel* p = c.panel ? ui.panel(c.panel) : nullptr;
        const bool serv = c.panel && std::string(c.panel) == "frm_data_serv";
        const bool db = c.panel && std::string(c.panel) == "frm_Load_Dbase";
        if (c.serv == DataServMode::Colors) {
            w.action("mnu_settings")->trigger();
        } else if (serv) {
            w.showDataServ(c.serv);
            ui.s.UiMode = 0;
        } else if (p) {
            p->show();
        }
        if (db) p->edit("txt_Batch")->setEnabled(false);
        const QString title = p ? p->title() : QString();
        Panel* about = ui.panel("frm_about");
        w.action("mnu_about")->trigger();
        EXPECT_EQ(test::ShownPanels(w), "frm_about");
        EXPECT_EQ(about->title(), "About KARMO");
        EXPECT_EQ(ui.s.UiMode, c.mode);
        w.action("mnu_about")->trigger();   // a second About is refused while one is open
        EXPECT_EQ(ui.s.UiMode, c.mode);
        about->button("cmd_about")->click();
        EXPECT_EQ(test::ShownPanels(w), c.panel ? c.panel : "");
        EXPECT_EQ(ui.s.UiMode, kUiIdle);
        if (!p) continue;
        EXPECT_EQ(p->title(), title);
        if (serv) { EXPECT_EQ(static_cast<DataServPanel*>(p)->mode(), c.serv); }
        if (db) { EXPECT_TRUE(p->edit("txt_Batch")->isEnabled()); }
    }
}

TEST(ExitQuestions, AskedInTurnUntilOneIsCancelled) {
    const std::string hist = "Changes in the Stress History will be lost!";
    const std::string strain = "Changes in the Strain History will be lost!";
    const std::string db = "Changes in the Database will be lost!";
    struct Case {
        const char* what;
        bool closeBox, history;
        int16_t batches;
        std::vector<std::pair<std::string, Answer>> asks;
        bool closes;
    };
    const Case cases[] = {
        {"Cancel on the history asks nothing more", false, true, 2, {{hist, Answer::Cancel}}, false},
        {"close box, Cancel on the database", true, true, 1, {{strain, Answer::Ok}, {db, Answer::Cancel}}, false},
        {"close box, both accepted", true, true, 1, {{strain, Answer::Ok}, {db, Answer::Ok}}, true},
        {"modified empty database asks nothing", false, false, 0, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Ui ui;
        ui.w.show();
        ui.s.HistoryModified = c.history;
        ui.s.DatabaseModified = true;
        ui.s.BatchCount = c.batches;
        if (c.closeBox) ui.s.QuantityName = "Strain ";
        for (const auto& [text, answer] : c.asks) ui.prompter.expect("Exit Program", text, Icon::Exclamation, answer);
        if (c.closeBox)
            EXPECT_EQ(ui.w.close(), c.closes);
        else
            ui.act("mnu_quit_program")->trigger();
        EXPECT_EQ(ui.w.isVisible(), !c.closes);
        for (const Prompt& p : ui.prompter.asked) {
            EXPECT_EQ(p.buttons, Buttons::OkCancel);
            EXPECT_EQ(p.defaultButton, 1);
        }
    }
}

// Open and New offer to save a changed database; nothing opens while a history is shown.
TEST(DataMenu, OpenAndNewDatabase) {
    struct Case { const char* action; std::optional<Answer> answer; bool opens; DataServMode mode; const char* ok; };
    const Case cases[] = {
        {"mnu_data_serv", Answer::Cancel, false, DataServMode::OpenDatabase, ""},
        {"mnu_data_serv", Answer::No, true, DataServMode::OpenDatabase, "&Open"},
        {"mnu_data_new", Answer::Cancel, false, DataServMode::NewDatabase, ""},
        {"mnu_data_new", Answer::No, true, DataServMode::NewDatabase, "&OK"},
        {"mnu_data_serv", std::nullopt, false, {}, ""},
        {"mnu_data_new", std::nullopt, false, {}, ""},
        {"mnu_data_edit", std::nullopt, false, {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        Ui ui;
        ui.w.show();
        ui.s.BatchCount = 2;
        ui.s.DatabaseModified = true;
        if (c.answer)
            ui.prompter.expect("Loading Database", "Database is changed, would you like to save it?",
                               Icon::Exclamation, *c.answer);
        else
            ui.panel("frm_Hist")->show();
        ui.act(c.action)->trigger();
        auto* serv = static_cast<DataServPanel*>(ui.panel("frm_data_serv"));
        EXPECT_EQ(test::ShownPanels(ui.w), c.opens ? "frm_data_serv" : c.answer ? "" : "frm_Hist");
        EXPECT_EQ(ui.s.UiMode, c.opens ? 0 : kUiIdle);
        if (!c.opens) continue;
        EXPECT_EQ(serv->mode(), c.mode);
        EXPECT_EQ(serv->title(), "Loading Database");
        EXPECT_EQ(serv->button("cmd_data_do")->text(), c.ok);
    }
}

}  // namespace
}  // namespace karmo
