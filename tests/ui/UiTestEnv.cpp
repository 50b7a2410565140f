#include "UiTestEnv.h"

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/Units.h"
#include "ui/HistoryScreen.h"
#include "ui/PrintingScreen.h"

namespace karmo::test {

namespace {

// One QApplication for the whole test program, made before the first test and ended
// after the last (gtest_main owns main()).
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

WindowFixture::WindowFixture(Prompter* prompter, QSizeF screen, const QByteArray& settings, int32_t colors) {
    if (!settings.isNull()) {
        QFile f(dir.filePath(QStringLiteral("Karmo.cfg")));
        if (f.open(QIODevice::WriteOnly)) f.write(settings);
    }
    MainWindowOptions o;
    o.startDir = dir.path();
    o.prompter = prompter;
    o.screenTwips = screen;
    o.displayNumColors = colors;
    window = std::make_unique<MainWindow>(o);
    // No test prints on a printer of the machine it runs on: the pages go into PDF files.
    window->printingScreen()->setPrinterLookup([] { return false; });
}

WindowFixture::~WindowFixture() {
    // Nothing may ask on the way out of a test.
    window->state().HistoryModified = false;
    window->state().DatabaseModified = false;
    window.reset();
}

void FillExampleBatch(AppState& s) {
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
}

std::string ShownPanels(const MainWindow& w) {
    std::vector<std::string> names;
    for (const Panel* p : w.findChildren<Panel*>())
        if (!p->isHidden()) names.push_back(p->objectName().toStdString());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : " ") + n;
    return out;
}

void ShowHistory(MainWindow& w, const std::vector<float>& v, const char* quantity) {
    AppState& s = w.state();
    DataBatch& b = s.batch();
    b.Quantity = quantity;
    ApplyQuantity(s, s.CurrentBatch);
    s.Values.assign(1, 0.0f);
    s.Values.insert(s.Values.end(), v.begin(), v.end());
    s.Values.push_back(0.0f);
    b.PointCount = static_cast<int32_t>(v.size());
    b.MaxValue = *std::max_element(v.begin(), v.end());
    b.MinValue = *std::min_element(v.begin(), v.end());
    b.RecordTime = 2.5f;
    b.HasHistory = true;
    b.Saved = static_cast<const BatchRecord&>(b);
    w.historyScreen()->showLoadedHistory();
}

}  // namespace karmo::test
