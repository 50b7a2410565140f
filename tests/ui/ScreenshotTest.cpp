#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

#include "UiTestEnv.h"
#include "support/ScriptedPrompter.h"
#include "ui/panels/Panel.h"

namespace karmo {
namespace {

// Pictures of the window for the documentation: written only when KARMO_SCREENSHOTS
// names a directory (they are looked at, not compared).
TEST(Screenshots, EmptyWindowColoursAndDatabase) {
    const QString out = qEnvironmentVariable("KARMO_SCREENSHOTS");
    if (out.isEmpty()) GTEST_SKIP() << "set KARMO_SCREENSHOTS to a directory to write them";
    QDir().mkpath(out);
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
        test::ScriptedPrompter prompter;
        test::WindowFixture f(&prompter, test::ScreenPixels(w, h));
        MainWindow& win = f.w();
        win.show();
        QApplication::processEvents();
        const QString size = QString::number(w) + QLatin1Char('x') + QString::number(h);
        EXPECT_TRUE(win.grab().save(out + QStringLiteral("/window-") + size + QStringLiteral(".png")));

        win.action(QStringLiteral("mnu_settings"))->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(win.grab().save(out + QStringLiteral("/colors-") + size + QStringLiteral(".png")));
        win.panel(QStringLiteral("frm_data_serv"))->button(QStringLiteral("cmd_data_cancel"))->click();

        AppState& s = win.state();
        s.CurrentBatch = 1;
        s.BatchCount = 1;
        DataBatch& b = s.batch();
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
        win.action(QStringLiteral("mnu_data_edit"))->setEnabled(true);
        win.action(QStringLiteral("mnu_data_edit"))->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(win.grab().save(out + QStringLiteral("/database-") + size + QStringLiteral(".png")));

        // every panel on its own, for a look at what is cut off (not kept in the repository)
        if (!qEnvironmentVariable("KARMO_SCREENSHOTS_PANELS").isEmpty()) {
            win.panel(QStringLiteral("frm_Load_Dbase"))->hide();
            for (const char* name : {"frm_Hist", "frm_Stress_Info"}) win.panel(QString::fromLatin1(name))->show();
            QApplication::processEvents();
            win.grab().save(out + QStringLiteral("/view-history-") + size + QStringLiteral(".png"));
            win.panel(QStringLiteral("frm_Stress_Info"))->hide();
            for (const char* name : {"frm_Spectr", "frm_Spectrum_Info"}) win.panel(QString::fromLatin1(name))->show();
            QApplication::processEvents();
            win.grab().save(out + QStringLiteral("/view-spectrum-") + size + QStringLiteral(".png"));
            for (const char* name : {"frm_Hist", "frm_Spectr", "frm_Spectrum_Info"})
                win.panel(QString::fromLatin1(name))->hide();
            for (Panel* p : win.findChildren<Panel*>()) {
                const bool was = p->isVisible();
                p->show();
                QApplication::processEvents();
                p->grab().save(out + QStringLiteral("/panel-") + p->objectName() + QLatin1Char('-') + size +
                               QStringLiteral(".png"));
                p->setVisible(was);
            }
        }
    }
}

}  // namespace
}  // namespace karmo
