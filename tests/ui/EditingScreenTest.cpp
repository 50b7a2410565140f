#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "ui/EditingScreen.h"
#include "ui/FileLists.h"
#include "ui/FocusEdit.h"
#include "ui/HistoryScreen.h"
#include "ui/QtCanvas.h"
#include "ui/panels/FilePanel.h"

namespace karmo {
namespace {

const Answer Y = Answer::Yes, N = Answer::No;
const std::vector<float> kEight = {-2, 12, -4, 11, -1, 10, -3, 12};

// A window with an eight-point history on screen.
struct Editing : test::Ui {
    Panel* info = panel("frm_Stress_Info");
    Panel* corr = panel("frm_Correction");

    explicit Editing(const std::vector<float>& v = kEight) {
        w.show();
        QApplication::processEvents();
        if (!v.empty()) test::ShowHistory(w, v);
    }
    std::vector<float> history() const {
        return std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 1 + s.batch().PointCount);
    }
    // Types into a box and presses Enter, which moves on and checks the entry.
    void type(Panel* p, const char* box, const QString& text) {
        FocusEdit* e = p->edit(QString::fromLatin1(box));
        e->setFocus();
        QApplication::processEvents();
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST(EditingScreen, CorrectionGridGateAndOk) {
    Editing e;
    e.info->button("cmd_Correction")->click();
    ASSERT_TRUE(e.corr->isVisible());
    EXPECT_EQ(std::tuple(e.corr->title(), e.corr->edit("Text1_3")->text(), e.corr->edit("Text2_4")->isEnabled()),
              std::tuple(QString("Stress History Data"), QString("7-8"), false));
    e.type(e.corr, "Text2_1", "-5");
    e.prompter.expect("Edit Stress History", "The value must be numeric", Icon::Critical);
    e.type(e.corr, "Text3_1", "x");
    EXPECT_EQ(e.corr->edit("Text3_1")->text(), "11.");
    e.type(e.corr, "txt_Corr_Gate", "5");
    e.prompter.expect("Stress History", "The History has been changed.\nRefresh the display?", Y);
    e.corr->button("cmd_Corr_OK")->click();
    EXPECT_FALSE(e.corr->isVisible());
    EXPECT_EQ(e.history(), (std::vector<float>{-2, 12, -5, 11, -1, 10, -3, 12}));
    EXPECT_EQ(e.s.UiMode, kUiIdle);
}

TEST(EditingScreen, RescaleSubtractAppend) {
    Editing e;
    Panel* rescale = e.panel("frm_Rescale_Info");
    e.info->button("cmd_Rescale")->click();
    EXPECT_EQ(rescale->title(), "Rescale Stress History");
    e.type(rescale, "txt_RsclFactor", "2");
    e.type(rescale, "txt_RsclOffset", "-10");
    rescale->button("cmd_Rscl_OK")->click();
    EXPECT_EQ(e.history(), (std::vector<float>{-14, 14, -18, 12, -12, 10, -16, 14}));

    // Typed boxes without a mark: a stretch of points.
    Panel* sub = e.panel("frm_Subtract");
    e.prompter.expect("Subtract Stress History",
                      "By multiple subtractions proceed from the end to beginn of the Stress History.");
    e.info->button("cmd_Subtract")->click();
    e.type(sub, "txt_Subtract_From", "3");
    e.type(sub, "txt_Subtract_To", "4");
    e.prompter.expect("Stress History", "2 data points have been removed.\nReduce proportionally the record time?", Y);
    sub->button("cmd_Subtract_OK")->click();
    EXPECT_EQ(e.history(), (std::vector<float>{-14, 14, -12, 10, -16, 14}));
    EXPECT_FLOAT_EQ(e.s.batch().RecordTime, 2.5f * 6 / 8);
    // The hint comes once for each drawing of the plot.
    e.prompter.expect("Subtract Stress History",
                      "By multiple subtractions proceed from the end to beginn of the Stress History.");
    for (int i = 0; i < 2; ++i) {
        e.info->button("cmd_Subtract")->click();
        sub->button("cmd_Subtract_Cancel")->click();
    }

    QFile more(e.f.dir.filePath("karhs.9"));
    ASSERT_TRUE(more.open(QIODevice::WriteOnly));
    more.write("\"more\"\r\n4\r\n1\r\n-7\r\n30\r\n-1\r\n20\r\n");
    more.close();
    auto* append = static_cast<FilePanel*>(e.panel("frm_Append"));
    for (Answer a : {N, Y}) {
        e.info->button("cmd_Append")->click();
        append->dirs()->setPath(e.f.dir.path());
        append->edit("App_name_HS")->setText("karhs.9");
        e.prompter.expect("Append Stress History", "Append the Stress History?", a);
        append->button("cmd_Append_OK")->click();
        EXPECT_FALSE(e.panel("frm_Append_Hist")->isVisible());
        if (a == N) append->button("cmd_Append_Cancel")->click();
    }
    EXPECT_EQ(e.history(), (std::vector<float>{-14, 14, -12, 10, -16, 14, -7, 30, -1, 20}));
    EXPECT_EQ(e.panel("frm_Append_Hist")->label("lbl_Append_SHSmax")->text(), "Smax = 30.0 ,  Smin = -16.0 ");
    EXPECT_EQ(std::tuple(e.s.ViewCount, e.s.HistoryModified), std::tuple(10, true));
}

// Marks drawn with the mouse fill the boxes: the left button a stretch, the right one a
// rectangle whose band removes only the points inside it.
TEST(EditingScreen, SubtractWhatIsMarkedWithTheMouse) {
    std::vector<float> v;
    for (int i = 1; i <= 40; ++i) v.push_back(i % 2 ? -10.0f : 10.0f + i);
    Editing e(v);
    const HistoryGeometry& g = e.w.historyScreen()->geometry();
    auto* pic = e.w.findChild<PlotPicture*>("Pic_Hist");
    const double u0 = pic->toUser(QPointF(0, 0)).y(), u1 = pic->toUser(QPointF(0, 1)).y();
    auto at = [&](int32_t p, double value) {
        const double x = (g.xL + (p - e.s.ViewStart) * g.xs) * g.pixelsPerUnit;
        const double y = (g.yB + (value - g.lower) * g.ys - u0) / (u1 - u0);
        return QPoint(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
    };
    auto mark = [&](Qt::MouseButton b, QPoint from, QPoint to) {
        QTest::mousePress(pic, b, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, pic->mapToGlobal(to), Qt::NoButton, b, {});
        QApplication::sendEvent(pic, &move);
        QTest::mouseRelease(pic, b, {}, to);
    };
    const std::string hint = "By multiple subtractions proceed from the end to beginn of the Stress History.";
    Panel* sub = e.panel("frm_Subtract");
    e.prompter.expect("Subtract Stress History", hint);
    e.info->button("cmd_Subtract")->click();
    mark(Qt::LeftButton, at(31, 0), at(40, 0));
    EXPECT_EQ(std::tuple(sub->edit("txt_Subtract_From")->text(), sub->edit("txt_Subtract_To")->text()),
              std::tuple(QString("31"), QString("40")));
    e.prompter.expect("Stress History", "10 data points have been removed.\nReduce proportionally the record time?", N);
    sub->button("cmd_Subtract_OK")->click();
    v.resize(30);
    EXPECT_EQ(e.history(), v);

    // The valleys of points 11..20 lie in the band; the conflict check joins the peaks.
    e.prompter.expect("Subtract Stress History", hint);
    e.info->button("cmd_Subtract")->click();
    mark(Qt::RightButton, at(11, -14), at(20, -5));
    e.prompter.expect("Check Stress History", "The Stress History has conflicting values at Stress index 11\nRemove the conflict?", Y)
        .expect("Check Stress History", "Remove all conflicts in the Stress History data?", Y)
        .expect("Stress History", "10 data points have been removed.\nReduce proportionally the record time?", N);
    sub->button("cmd_Subtract_OK")->click();
    EXPECT_EQ(e.history(), (std::vector<float>{-10, 12, -10, 14, -10, 16, -10, 18, -10, 30, -10, 32, -10, 34,
                                               -10, 36, -10, 38, -10, 40}));
    // Typed boxes after the mark was erased: a stretch again.
    e.prompter.expect("Subtract Stress History", hint);
    e.info->button("cmd_Subtract")->click();
    e.type(sub, "txt_Subtract_From", "19");
    e.type(sub, "txt_Subtract_To", "20");
    e.prompter.expect("Stress History", "2 data points have been removed.\nReduce proportionally the record time?", N);
    sub->button("cmd_Subtract_OK")->click();
    EXPECT_EQ(e.s.batch().PointCount, 18);
}

// Pictures of the four dialogs for the documentation, written only when KARMO_SCREENSHOTS
// names a directory. The append preview is shot while its question is open.
TEST(Screenshots, EditingDialogs) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set KARMO_SCREENSHOTS to a directory to write them";
    QDir().mkpath(out);
    struct ShootingPrompter : Prompter {
        std::function<void()> onAppend;
        Answer ask(const Prompt& p) override {
            if (p.text.rfind("Append the", 0) == 0 && onAppend) onAppend();
            return Answer::No;
        }
    } prompter;
    test::WindowFixture f(&prompter);
    MainWindow& w = f.w();
    w.show();
    std::vector<float> v;
    for (int i = 0; i < 400; ++i) v.push_back((i % 2 ? 1.0f : -1.0f) * (60 + 40 * std::sin(i / 25.0f)) + 20);
    test::ShowHistory(w, v);
    auto shot = [&](const QString& name) {
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(out + "/" + name + "-1024x768.png"));
    };
    Panel* info = w.panel("frm_Stress_Info");
    info->button("cmd_Correction")->click();
    shot("correction");
    w.panel("frm_Correction")->button("cmd_Corr_Cancel")->click();
    info->button("cmd_Rescale")->click();
    shot("rescale");
    w.panel("frm_Rescale_Info")->button("cmd_Rscl_Cancel")->click();
    info->button("cmd_Subtract")->click();
    shot("subtract");
    w.panel("frm_Subtract")->button("cmd_Subtract_Cancel")->click();
    QFile more(f.dir.filePath("karhs.2"));
    ASSERT_TRUE(more.open(QIODevice::WriteOnly));
    more.write("\"more\"\r\n200\r\n1\r\n");
    for (int i = 0; i < 200; ++i) more.write(QByteArray::number(i % 2 ? 150 - i / 2 : -60 + i / 4) + "\r\n");
    more.close();
    auto* append = static_cast<FilePanel*>(w.panel("frm_Append"));
    info->button("cmd_Append")->click();
    append->dirs()->setPath(f.dir.path());
    append->edit("App_name_HS")->setText("karhs.2");
    prompter.onAppend = [&] { shot("append"); };
    append->button("cmd_Append_OK")->click();
}

}  // namespace
}  // namespace karmo
