#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/ScriptedPrompter.h"
#include "ui/MainWindow.h"
#include "ui/panels/Panel.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace karmo::test {

// A screen of w x h pixels at 96 dpi, in twips.
inline QSizeF ScreenPixels(double w, double h) { return QSizeF(w * 15, h * 15); }

// A main window started in its own empty directory, so Karmo.cfg is read from there.
struct WindowFixture {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(Prompter* prompter, QSizeF screen = ScreenPixels(1024, 768),
                           const QByteArray& settings = {}, int32_t colors = -1);
    ~WindowFixture();
    MainWindow& w() { return *window; }
};

// The usual test set-up: a window on a 1024 x 768 screen whose every message is scripted.
struct Ui {
    ScriptedPrompter prompter;
    WindowFixture f;
    MainWindow& w;
    AppState& s;

    explicit Ui(QSizeF screen = ScreenPixels(1024, 768), const QByteArray& settings = {}, int32_t colors = -1)
        : f(&prompter, screen, settings, colors), w(f.w()), s(w.state()) {}
    Panel* panel(const char* name) const { return w.panel(QString::fromLatin1(name)); }
    QAction* act(const char* name) const { return w.action(QString::fromLatin1(name)); }
};

// Batch 1 of a one-batch database: a measured stress history with its counted spectrum,
// a Beta fit and the mean-stress values.
void FillExampleBatch(AppState& s);

// The names of the panels not hidden, sorted and separated by blanks.
std::string ShownPanels(const MainWindow& w);

// A history with the given values (Values(1..n)) shown for editing as if just read.
void ShowHistory(MainWindow& w, const std::vector<float>& v, const char* quantity = "Stress ");

}  // namespace karmo::test
