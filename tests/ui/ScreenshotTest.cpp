#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

#include "UiTestEnv.h"

namespace karmo {
namespace {

// Pictures of the window for the documentation: written only when KARMO_SCREENSHOTS
// names a directory (they are looked at, not compared).
TEST(Screenshots, EmptyWindowAndColours) {
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


        // every panel on its own, for a look at what is cut off (not kept in the repository)
        if (qEnvironmentVariable("KARMO_SCREENSHOTS_PANELS").isEmpty()) continue;
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
