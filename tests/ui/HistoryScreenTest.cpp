#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/QtCanvas.h"
#include "ui/panels/DataServPanel.h"

namespace karmo {
namespace {

// A window with a history of n alternating points (peaks rising slowly) on screen in a batch.
struct HistoryFixture : test::Ui {
    HistoryScreen& hs = *w.historyScreen();
    Panel* info = panel("frm_Stress_Info");
    QPushButton* zoom = info->button("Cmd_Zoom_Refr");
    QLabel* zoom1 = info->label("Zoom1");
    PlotPicture* pic = w.findChild<PlotPicture*>("Pic_Hist");

    explicit HistoryFixture(int32_t n = 0, int16_t batch = 0) {
        s.CurrentBatch = batch;
        w.show();
        QApplication::processEvents();
        std::vector<float> v;
        for (int32_t i = 1; i <= n; ++i) v.push_back(i % 2 ? -10.0f : 10.0f + i * 1e-3f);
        if (n > 0) test::ShowHistory(w, v);
    }

    // The device pixel of point p on the point axis, half-way up the plot.
    QPoint at(int32_t p) const {
        const HistoryGeometry& g = hs.geometry();
        const double x = (g.xL + (p - s.ViewStart) * g.xs) * g.pixelsPerUnit;
        return QPoint(static_cast<int>(std::lround(x)), pic->height() / 2);
    }
    void drag(int32_t from, int32_t to) {
        QTest::mousePress(pic, Qt::LeftButton, {}, at(from));
        QMouseEvent move(QEvent::MouseMove, at(to), pic->mapToGlobal(at(to)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(pic, &move);
        QTest::mouseRelease(pic, Qt::LeftButton, {}, at(to));
    }
    void zoomLabelClick() {
        if (zoom->text() == "&Zoom") zoom->click();
        QApplication::processEvents();
        QTest::mouseClick(zoom1, Qt::LeftButton);
    }
    // An option button takes clicks on its caption.
    static void clickOption(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, b->height() / 2)); }
};

TEST(HistoryScreen, SeriesFromTheListsWithGateAndScale) {
    HistoryFixture h;
    QFile series(h.f.dir.filePath("run7.asc"));   // N, 2 unused, dt, 6 unused; then the samples
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("8 0 0 7.5 0 0 0 0 0 0\r\n0 100 0 100 95 100 0 100\r\n");
    series.close();
    h.s.HistoryDir = h.f.dir.path().toStdString();
    h.hs.openInputPanel();
    QApplication::processEvents();
    Panel* chk = h.panel("frm_Chk_File");
    ASSERT_TRUE(chk->isVisible());
    auto* series1 = chk->control<QRadioButton>("btt_Hist_Choice_1");
    EXPECT_EQ(series1->text(), "Stress-Time History");
    // a press on the text-file option once it is chosen asks about the header
    auto* text = chk->control<QRadioButton>("btt_Hist_Choice_3");
    HistoryFixture::clickOption(text);
    QMenu* header = h.w.popup("pop_head");
    EXPECT_FALSE(header->isVisible());
    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(10, text->height() / 2));
    EXPECT_TRUE(header->isVisible());
    header->close();
    HistoryFixture::clickOption(series1);
    auto* files = chk->control<FileList>("fil_File_Name");
    ASSERT_EQ(files->count(), 1);
    files->setCurrentRow(0);
    EXPECT_EQ(chk->edit("fil_name_HS")->text(), "run7.asc");
    chk->button("cmd_Filepath_OK")->click();

    Panel* parms = h.panel("frm_Hist_Parms");
    ASSERT_EQ(test::ShownPanels(h.w), "frm_Hist frm_Hist_Parms frm_Stress_Info");
    EXPECT_EQ(parms->title(), "Stress -History Parameters");
    EXPECT_EQ(h.s.UiMode, 0);
    parms->edit("txt_Hist_Gate")->setText("10");
    parms->edit("txt_Hist_Scale")->setText("2");
    parms->button("cmd_Hist_Parm_OK")->click();

    EXPECT_EQ(test::ShownPanels(h.w), "frm_Hist frm_Stress_Info");
    EXPECT_EQ(h.s.UiMode, 1);
    const std::pair<const char*, const char*> shown[] = {{"txt_No_Points", "6"},     {"txt_Max_Stress", "200.0"},
                                                         {"txt_Min_Stress", "0.0"},  {"txt_Record_Time", "1.0"},
                                                         {"txt_Batch_No", "run7"}};
    for (const auto& [box, value] : shown) EXPECT_EQ(h.info->edit(box)->text(), value) << box;
    EXPECT_TRUE(h.info->button("cmd_Cycle_Count")->isEnabled());
    const QImage& img = h.pic->buffer();
    int curve = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) curve += ToQColor(h.s.GraphColor).rgb() == img.pixel(x, y);
    EXPECT_GT(curve, 100);   // the curve is on the picture
}

TEST(HistoryScreen, ZoomLabelNarrowsTheWindow) {
    HistoryFixture h(20000);
    const struct { int32_t before, after; } rows[] = {{1000, 833}, {11, 8}, {10, 10}};
    for (const auto& r : rows) {
        h.s.ViewCount = r.before;
        h.hs.drawHistory(1);
        h.zoomLabelClick();
        EXPECT_EQ(h.s.ViewCount, r.after) << r.before;
        EXPECT_EQ(h.s.SelectTo, r.after) << r.before;
        EXPECT_EQ(h.zoom1->text(), "Display Points: 1-" + QString::number(r.after));
        EXPECT_EQ(h.zoom->text(), "Re&fresh");
    }
    h.zoomLabelClick();
    QTest::mouseClick(h.zoom1, Qt::RightButton);   // the whole history
    EXPECT_EQ(h.s.ViewCount, 20000);
}

TEST(HistoryScreen, MarkedZoomRangesAndTheirLimit) {
    HistoryFixture h(20000);
    h.s.ViewCount = 100;
    h.hs.drawHistory(1);
    QTest::mouseMove(h.pic, h.at(4));
    EXPECT_EQ(h.pic->toolTip(), "4: 10.0 ");   // the value tip names the point under the pointer
    h.zoom->click();
    QApplication::processEvents();
    ASSERT_TRUE(h.zoom1->isVisible());
    const QImage before = h.pic->buffer().copy();
    h.drag(11, 19);
    EXPECT_NE(h.pic->buffer(), before);   // the band is on the plot
    EXPECT_EQ(h.zoom1->text(), "Display Points: 11-19");
    EXPECT_TRUE(h.s.ZoomMarked);
    EXPECT_EQ(h.hs.markTag(), "1");
    h.prompter.expect("Zooming Stress History", "The Zoom limit is 10 data points", Icon::Information);
    h.zoom->click();
    EXPECT_EQ(h.s.ViewCount, 100);
    EXPECT_EQ(h.pic->buffer(), before);   // drawn again in not-xor, the band is gone bit for bit
    EXPECT_FALSE(h.zoom1->isVisible());
    EXPECT_EQ(h.zoom->text(), "&Zoom");

    h.zoom->click();
    QApplication::processEvents();
    h.drag(20, 11);   // marked from right to left
    h.zoom->click();
    EXPECT_EQ(h.s.ViewCount, 10);
    EXPECT_EQ(h.s.ViewStart, 11);
    EXPECT_EQ(h.s.ViewEnd, 20);
    EXPECT_EQ(h.s.FastDisplay, -1);   // a history of 15001 points or more
}

TEST(HistoryScreen, ScrollBarAndRightPress) {
    HistoryFixture h(20000);
    auto* scroll = h.w.findChild<QScrollBar*>("hsc_Hist");
    // "Re&fresh" of 500 points from point 1001
    h.s.ViewCount = 600;
    h.hs.drawHistory(1001);
    h.zoomLabelClick();
    EXPECT_EQ(h.s.ViewCount, 500);
    h.zoom->click();
    EXPECT_EQ((std::vector<int>{scroll->maximum(), scroll->pageStep(), scroll->value()}),
              (std::vector<int>{9751, 200, 500}));
    EXPECT_EQ(h.s.ViewStart, 1001);
    EXPECT_EQ(h.s.ViewEnd, 1500);
    // the value 10000 with a window of 5000 points shows the last 5000
    h.s.ViewCount = 5000;
    scroll->setMaximum(10000);
    scroll->setValue(10000);
    EXPECT_EQ(h.s.ViewStart, 15001);
    EXPECT_EQ(h.s.ViewEnd, 20000);

    // a right press on a long window only opens the display pop-up
    h.s.ViewCount = 20000;
    h.hs.drawHistory(1);
    QTest::mousePress(h.pic, Qt::RightButton, {}, h.at(5000));
    QMenu* popup = h.w.popup("pop_disp");
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(h.hs.markTag().isEmpty());
    EXPECT_FALSE(h.zoom1->isVisible());
    popup->close();
}

TEST(HistoryScreen, CloseAnswersAndSave) {
    const char* title = "Stress History";
    const char* question = "Do you want to save the changes to the Stress History file?";
    {   // Yes on a history with a conflict: rotated to 7, 2, 1, 5, the conflict is kept
        HistoryFixture h;
        test::ShowHistory(h.w, {1, 5, 7, 2});
        h.s.HistoryModified = true;
        h.prompter.expect(title, question, Icon::Question, Answer::Yes)
            .expect("Check Stress History",
                    "The Stress History has conflicting values at Stress index 3\nRemove the conflict?", Answer::No)
            .expect(title, "Please use the Correction option to correct the conflicting values.", Icon::Information);
        h.info->button("cmd_Cancel")->click();
        EXPECT_EQ(test::ShownPanels(h.w), "frm_Hist frm_Stress_Info");
        EXPECT_EQ(QApplication::focusWidget(), h.info->button("cmd_Correction"));
        EXPECT_EQ(h.s.Values[1], 7.0f);
    }
    for (Answer a : {Answer::No, Answer::Cancel}) {
        HistoryFixture h(40);
        h.s.batch().Saved.PointCount = 12;
        h.s.HistoryModified = true;
        h.prompter.expect(title, question, a);
        h.info->button("cmd_Cancel")->click();
        const bool no = a == Answer::No;   // No: the stored history comes back, the database panel shows
        EXPECT_EQ(h.s.batch().PointCount, no ? 12 : 40);
        EXPECT_EQ(test::ShownPanels(h.w), no ? "frm_Load_Dbase" : "frm_Hist frm_Stress_Info");
        EXPECT_EQ(h.s.HistoryShown, !no);
        EXPECT_EQ(h.s.HistoryModified, !no);
        EXPECT_EQ(h.act("mnu_data_serv")->isEnabled(), no);
    }
    {   // "Sa&ve": the save panel with the name preset, whose lists set the directory and whose OK writes
        HistoryFixture h(40, 12);
        h.s.DatabaseDir = h.s.HistoryDir = h.f.dir.path().toStdString();
        QDir(h.f.dir.path()).mkdir("sub");
        h.info->button("cmd_Save")->click();
        auto* ds = static_cast<DataServPanel*>(h.panel("frm_data_serv"));
        ASSERT_EQ(test::ShownPanels(h.w), "frm_Hist frm_Stress_Info frm_data_serv");
        EXPECT_TRUE(h.s.SavingHistory);
        EXPECT_EQ(h.s.DataMode, 2);
        EXPECT_EQ(ds->title(), "Save Stress History");
        EXPECT_EQ(ds->label("Save_to_File")->text(), "Save the Stress History to File:");
        EXPECT_EQ(ds->edit("File_Name")->text(), "karhs.12");
        EXPECT_EQ(ds->files()->pattern(), "karhs.*");
        ds->dirs()->setPath(h.f.dir.filePath("sub"));
        emit ds->dirs()->pathChanged(ds->dirs()->path());
        EXPECT_EQ(h.s.DatabaseDir, h.f.dir.filePath("sub").toStdString());
        ds->edit("File_Name")->setText("copy.his");
        ds->button("cmd_data_do")->click();
        EXPECT_EQ(test::ShownPanels(h.w), "frm_Hist frm_Stress_Info");
        EXPECT_TRUE(QFile::exists(h.f.dir.filePath("sub/copy.his")));
        EXPECT_EQ(h.s.UiMode, 1);
    }
}

// Pictures for the documentation, written only when KARMO_SCREENSHOTS names a directory
// (they are looked at, not compared).
TEST(Screenshots, InputPanelAndHistory) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set KARMO_SCREENSHOTS to a directory to write them";
    QDir().mkpath(out);
    HistoryFixture h;
    h.s.HistoryDir = QDir(QStringLiteral(KARMO_TEST_DATA "/../../examples")).absolutePath().toStdString();
    h.hs.openInputPanel();
    Panel* chk = h.panel("frm_Chk_File");
    QApplication::processEvents();
    HistoryFixture::clickOption(chk->control<QRadioButton>("btt_Hist_Choice_1"));
    auto* files = chk->control<FileList>("fil_File_Name");
    files->setCurrentItem(files->findItems("strain-gauge.asc", Qt::MatchExactly).value(0));
    QApplication::processEvents();
    EXPECT_TRUE(h.w.grab().save(out + "/input-panel-1024x768.png"));
    chk->button("cmd_Filepath_OK")->click();
    h.panel("frm_Hist_Parms")->button("cmd_Hist_Parm_OK")->click();
    QApplication::processEvents();
    EXPECT_TRUE(h.w.grab().save(out + "/history-full-1024x768.png"));
    h.zoom->click();
    QApplication::processEvents();
    h.drag(1500, 1800);
    h.zoom->click();
    QApplication::processEvents();
    EXPECT_TRUE(h.w.grab().save(out + "/history-zoomed-1024x768.png"));
}

}  // namespace
}  // namespace karmo
