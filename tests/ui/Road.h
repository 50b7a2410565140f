#pragma once
#include <QString>
#include <string>

#include "UiTestEnv.h"

class QListWidget;

namespace karmo::test {

// A freshly started window in an empty temporary directory, driven only as a user drives
// it: menu commands, buttons, typing with the focus moved on, list entries picked, and the
// messages answered through the ScriptedPrompter.
struct Road {
    ScriptedPrompter prompter;
    WindowFixture f;
    MainWindow& w;
    QString dir;    // the directory the program started in

    Road();
    // A path inside the start directory.
    QString path(const QString& name) const { return dir + QLatin1Char('/') + name; }
    // Copies a file or a directory of examples/ into the start directory under `as`.
    void copyExample(const QString& name, const QString& as) const;

    void menu(const char* action);
    void click(const char* button);
    void choose(const char* option);
    // Types into a box and presses Enter, which moves the focus on and checks the entry.
    void type(const char* box, const QString& text);
    // A directory of a directory list picked and opened with Enter; a file of a file list picked.
    void openDir(const char* list, const QString& path);
    void pickFile(const char* list, const QString& name);
    // A click in the middle of a plot.
    void clickPlot(const char* picture);

    std::string shown() const { return ShownPanels(w); }
    QString text(const char* control) const;
    bool enabled(const char* action) const;
    // A picture for the documentation when KARMO_SCREENSHOTS names a directory.
    void shot(const char* name);
};

// Road 1 of the window: a new database in the start directory, its first batch read from
// the example series, counted with the mean-stress correction into 12 levels, a Weibull fit,
// the spectrum and the history saved. Ends with the history, the spectrum and its
// information panel shown.
void FirstBatch(Road& r);
// Its steps: the series read through the input panel, and "C&ycle" up to the fit.
void ReadExampleSeries(Road& r);
void CountExampleSeries(Road& r);

// A Loading Database read back from disk, in a state of its own.
AppState ReadBack(const QString& dir);

}  // namespace karmo::test
