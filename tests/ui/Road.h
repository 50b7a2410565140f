#pragma once
#include <QPointF>
#include <QString>
#include <string>
#include <vector>

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
    // A press of `button` on a plot, a move with it held and its release; the places are
    // fractions of the plot's width and height from its top left corner.
    void drag(const char* picture, Qt::MouseButton button, QPointF from, QPointF to);

    std::string shown() const { return ShownPanels(w); }
    QString text(const char* control) const;
    bool enabled(const char* action) const;
    // A picture for the documentation when KARMO_SCREENSHOTS names a directory.
    void shot(const char* name);
};

// A Loading Database read back from disk, in a state of its own.
AppState ReadBack(const QString& dir);

// What karmo-cli prints for these arguments, run in-process; it must succeed.
std::string Cli(const std::vector<std::string>& args);

// The levels of a spectrum as "range cycles", the range with the 7 digits kardt.dat keeps:
// from the JSON of "karmo-cli spectrum", and from a stored batch.
std::vector<std::string> JsonLevels(const std::string& json);
std::vector<std::string> StoredLevels(const DataBatch& b);

// Steps shared by the roads.
// The example series read into the current batch through the input panel: the
// "Stress-Time History" source, the directory and the file picked in the lists.
void ReadExampleSeries(Road& r, const QString& dir);
// "C&ycle" with the mean-stress correction, 12 levels down to 25.5 MPa, a Weibull fit.
void CountExampleSeries(Road& r);
// The example series read, the batch named, counted, the spectrum stored, and "Sa&ve" of
// the history pressed: the save dialog is open.
void CountAndSaveExampleSeries(Road& r, const QString& seriesDir);
// karmo-cli's spectrum options for the same count.
extern const std::vector<std::string> kExampleCountOptions;
// Road 1 of the window: a new database in the start directory, its first batch read from
// the example series (copied to series/), counted with the mean-stress correction into 12
// levels, a Weibull fit, the spectrum and the history saved. Ends with the history, the
// spectrum and its information panel shown.
void FirstBatch(Road& r);

}  // namespace karmo::test
