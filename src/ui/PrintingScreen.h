#pragma once
#include <QObject>
#include <QString>
#include <functional>

namespace karmo {

class MainWindow;

// The "&Results" commands that put the current batch on paper or into a file.
class PrintingScreen : public QObject {
    Q_OBJECT
public:
    // Asks for a file to write: (dialog title, name filter) -> path, empty when cancelled.
    using SaveFilePicker = std::function<QString(const QString& title, const QString& filter)>;

    explicit PrintingScreen(MainWindow& w);

    void setSaveFilePicker(SaveFilePicker pick) { pickSaveFile_ = std::move(pick); }

    // "Print Summary" > "to File...": the summary of the current batch as a text file.
    void mnu_pfile_Click();

private:
    MainWindow& w_;
    SaveFilePicker pickSaveFile_;
};

}  // namespace karmo
