#include "Road.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "core/AppState.h"
#include "database/DatabaseFile.h"
#include "ui/FocusEdit.h"
#include "ui/QtCanvas.h"

namespace karmo::test {

namespace {

void copyTree(const QString& from, const QString& to) {
    if (QFileInfo(from).isDir()) {
        QDir().mkpath(to);
        for (const QString& e : QDir(from).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            copyTree(from + '/' + e, to + '/' + e);
    } else {
        QDir().mkpath(QFileInfo(to).path());
        ASSERT_TRUE(QFile::copy(from, to)) << from.toStdString();
    }
}

}  // namespace

Road::Road() : f(&prompter), w(f.w()), dir(f.dir.path()) {
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
}

void Road::copyExample(const QString& name, const QString& as) const {
    copyTree(QStringLiteral(KARMO_EXAMPLES_DIR "/") + name, path(as));
}

void Road::menu(const char* action) {
    QAction* a = w.action(QString::fromLatin1(action));
    ASSERT_TRUE(a) << action;
    ASSERT_TRUE(a->isEnabled()) << action << " is disabled";
    a->trigger();
    QApplication::processEvents();
}

void Road::click(const char* button) {
    auto* b = w.findChild<QAbstractButton*>(QString::fromLatin1(button));
    ASSERT_TRUE(b) << button;
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << button << " cannot be pressed";
    QTest::mouseClick(b, Qt::LeftButton);
    QApplication::processEvents();
}

void Road::choose(const char* option) { click(option); }

void Road::type(const char* box, const QString& t) {
    auto* e = w.findChild<FocusEdit*>(QString::fromLatin1(box));
    ASSERT_TRUE(e && e->isVisible() && e->isEnabled()) << box;
    e->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    e->selectAll();
    QTest::keyClicks(e, t);
    QTest::keyClick(e, Qt::Key_Return);
    QApplication::processEvents();
}

void Road::openDir(const char* list, const QString& target) {
    auto* l = w.findChild<QListWidget*>(QString::fromLatin1(list));
    ASSERT_TRUE(l && l->isVisible()) << list;
    for (int i = 0; i < l->count(); ++i) {
        QListWidgetItem* it = l->item(i);
        if (QDir(it->data(Qt::UserRole).toString()) != QDir(target)) continue;
        l->scrollToItem(it);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(it).center());
        QTest::keyClick(l, Qt::Key_Return);
        QApplication::processEvents();
        return;
    }
    FAIL() << target.toStdString() << " is not in " << list;
}

void Road::pickFile(const char* list, const QString& name) {
    auto* l = w.findChild<QListWidget*>(QString::fromLatin1(list));
    ASSERT_TRUE(l && l->isVisible()) << list;
    const auto found = l->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString() << " in " << list;
    l->scrollToItem(found[0]);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found[0]).center());
    QApplication::processEvents();
}

void Road::clickPlot(const char* picture) {
    auto* p = w.findChild<PlotPicture*>(QString::fromLatin1(picture));
    ASSERT_TRUE(p && p->isVisible()) << picture;
    QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(p->width() / 2, p->height() / 2));
    QApplication::processEvents();
}

QString Road::text(const char* control) const {
    const QString name = QString::fromLatin1(control);
    if (auto* e = w.findChild<QLineEdit*>(name)) return e->text();
    if (auto* l = w.findChild<QLabel*>(name)) return l->text();
    if (auto* b = w.findChild<QAbstractButton*>(name)) return b->text();
    if (auto* p = w.findChild<QGroupBox*>(name)) return p->title();
    ADD_FAILURE() << "no control " << control;
    return {};
}

bool Road::enabled(const char* action) const { return w.action(QString::fromLatin1(action))->isEnabled(); }

void Road::shot(const char* name) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) return;
    QDir().mkpath(out);
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out + '/' + QString::fromLatin1(name) + QStringLiteral("-1024x768.png")));
}

// The example series read into the current batch through the input panel: the
// "Stress-Time History" source, the directory and the file picked in the lists.
void ReadExampleSeries(Road& r) {
    EXPECT_EQ(r.shown(), "frm_Chk_File");
    r.choose("btt_Hist_Choice_1");
    r.openDir("dir_File_Directory", r.path("series"));
    r.pickFile("fil_File_Name", "strain-gauge.asc");
    EXPECT_EQ(r.text("fil_name_HS"), "strain-gauge.asc");
    r.click("cmd_Filepath_OK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Hist_Parms frm_Stress_Info");
    r.click("cmd_Hist_Parm_OK");
}

// "C&ycle" with the mean-stress correction, 12 levels down to 25.5 MPa, a Weibull fit.
void CountExampleSeries(Road& r) {
    r.prompter.expect("Stress History", "The Stress History has been rearranged.");
    r.click("cmd_Cycle_Count");
    r.choose("chk_MSE_1");
    r.type("txt_Ultimate_Strength", "520");
    r.type("txt_Yield_Strength", "355");
    r.type("txt_Concent_Factor", "1.6");
    r.click("cmd_Mean_OK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectrum_Params frm_Stress_Info");
    r.type("txt_Spectr_Levels", "12");
    r.type("txt_Spectr_Min", "25.5");
    r.choose("chk_Weibull");
    r.click("cmd_Spectr_EditOK");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    r.click("cmd_Calculate_Beta");
    EXPECT_EQ(r.shown(), "frm_Distr frm_Hist frm_Spectr frm_Stress_Info");
}

// Road 1: a new database, its first batch counted from the example series and saved.
void FirstBatch(Road& r) {
    r.copyExample("strain-gauge.asc", "series/strain-gauge.asc");
    r.menu("mnu_data_new");
    EXPECT_EQ(r.text("frm_data_serv"), "Loading Database");
    EXPECT_EQ(r.text("Select_data_option"), "Select the location for the new Database...");
    r.click("cmd_data_do");
    EXPECT_EQ(r.shown(), "frm_Load_Dbase");
    EXPECT_EQ(r.text("txt_Batch"), "1");
    EXPECT_EQ(r.text("txt_Batch_Name"), "Batch 1");
    EXPECT_TRUE(r.enabled("mnu_data_edit") && r.enabled("mnu_data_save"));
    r.shot("new-database");
    r.click("Cmd_Edit_History");
    EXPECT_EQ(r.text("lbl_Chk_File_Text"), "Please make a choice (and select a History file).");
    ReadExampleSeries(r);
    CountExampleSeries(r);
    r.clickPlot("Pic_Spectr");      // the spectrum's panel again, with its Save
    r.click("cmd_Spectrum_Save");
    r.click("cmd_Save");
    EXPECT_EQ(r.text("frm_data_serv"), "Save Stress History");
    EXPECT_EQ(r.text("File_Name"), "karhs.1");
    r.click("cmd_data_do");
    EXPECT_EQ(r.shown(), "frm_Hist frm_Spectr frm_Spectrum_Info frm_Stress_Info");
    r.shot("history-saved");
}

AppState ReadBack(const QString& dir) {
    AppState s;
    InitAppState(s, dir.toStdString(), "/", -1);
    ScriptedPrompter quiet;
    EXPECT_EQ(ReadDatabase(s, quiet), DatabaseRead::Loaded);
    return s;
}

}  // namespace karmo::test
