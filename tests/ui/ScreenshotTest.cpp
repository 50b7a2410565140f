#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

#include <vector>

#include "UiTestEnv.h"

namespace karmo {
namespace {

// Pictures of the window for the documentation: written only when KARMO_SCREENSHOTS
// names a directory (they are looked at, not compared).
TEST(Screenshots, EmptyWindowColoursAndDatabase) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set KARMO_SCREENSHOTS to a directory to write them";
    QDir().mkpath(out);
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
        test::Ui ui(test::ScreenPixels(w, h));
        MainWindow& win = ui.w;
        const QString size = QString::number(w) + "x" + QString::number(h);
        auto shot = [&](QWidget* what, const QString& name) {
            QApplication::processEvents();
            EXPECT_TRUE(what->grab().save(out + "/" + name + "-" + size + ".png"));
        };
        win.show();
        shot(&win, "window");
        ui.act("mnu_settings")->trigger();
        shot(&win, "colors");
        ui.panel("frm_data_serv")->button("cmd_data_cancel")->click();

        ui.s.CurrentBatch = 1;
        ui.s.BatchCount = 1;
        DataBatch& b = ui.s.batch();
        b.Name = "Crane runway, girder 3";
        b.Quantity = "Stress ";
        b.PointCount = 48213;
        b.MaxValue = 212.75f;
        b.MinValue = -64.5f;
        b.RecordTime = 1440;
        b.MaxRange = 271.5f;
        b.MinRange = 12.25f;
        b.LevelCount = 8;
        b.Volume = 2000000;
        b.FitQ = 0.8125f;
        b.FitR = 3.5f;
        b.SourceType = 0;
        b.UltimateStrength = 510;
        b.YieldStrength = 355;
        b.NotchFactor = 1.6f;
        b.HasHistory = true;
        ui.act("mnu_data_edit")->setEnabled(true);
        ui.act("mnu_data_edit")->trigger();
        shot(&win, "database");

        // every view and panel on its own, for a look at what is cut off (not kept in the repository)
        if (qEnvironmentVariable("KARMO_SCREENSHOTS_PANELS").isEmpty()) continue;
        ui.panel("frm_Load_Dbase")->hide();
        const std::pair<const char*, std::vector<const char*>> views[] = {
            {"view-history", {"frm_Hist", "frm_Stress_Info"}}, {"view-spectrum", {"frm_Spectr", "frm_Spectrum_Info"}}};
        for (const auto& [name, panels] : views) {
            for (const char* p : panels) ui.panel(p)->show();
            shot(&win, name);
            for (const char* p : panels) ui.panel(p)->hide();
        }
        for (Panel* p : win.findChildren<Panel*>()) {
            const bool was = p->isVisible();
            p->show();
            shot(p, "panel-" + p->objectName());
            p->setVisible(was);
        }
    }
}

}  // namespace
}  // namespace karmo
