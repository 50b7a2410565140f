#include "ui/PrintingScreen.h"

#include <QFileDialog>

#include "report/SummaryReport.h"
#include "ui/MainWindow.h"

namespace karmo {

namespace {

// "Description|pattern" of the common dialog as Qt writes a name filter: "Description".
QString QtNameFilter(const char* filter) {
    return QString::fromLatin1(filter).section(QLatin1Char('|'), 0, 0);
}

}  // namespace

PrintingScreen::PrintingScreen(MainWindow& w) : QObject(&w), w_(w) {
    pickSaveFile_ = [this](const QString& title, const QString& filter) {
        // An empty name to start with; Qt asks before a file is overwritten.
        return QFileDialog::getSaveFileName(&w_, title, QString::fromStdString(w_.state().DatabaseDir), filter);
    };
}

void PrintingScreen::mnu_pfile_Click() {
    AppState& s = w_.state();
    if (s.UiMode != kUiIdle) return;
    const QString name = pickSaveFile_(QString::fromLatin1(kSummaryFileTitle), QtNameFilter(kSummaryFileFilter));
    SummaryToChosenFile(s, w_.prompter(), name.toStdString(), TodayReportDate());
}

}  // namespace karmo
