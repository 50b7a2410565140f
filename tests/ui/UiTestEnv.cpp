#include "UiTestEnv.h"

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

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
}

WindowFixture::~WindowFixture() {
    // Nothing may ask on the way out of a test.
    window->state().HistoryModified = false;
    window->state().DatabaseModified = false;
    window.reset();
}

}  // namespace karmo::test
