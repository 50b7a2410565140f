#pragma once
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Canvas.h"
#include "core/Prompter.h"
#include "report/ReportLines.h"

namespace karmo {

// The summary of the current batch, as a text file ("to File...") or on the printer
// ("on &Printer"). Both forms have the same sections; they differ in the left margin
// (the printer's text starts in column 14), a few labels, blank lines and the columns of
// the level table, and the printer leaves out level tables of 31 levels or more.
enum class SummaryForm { File, Printer };

// How the printer is set up before the summary goes on paper: portrait, millimetres,
// 12-point Courier, plain. A column is one character of that fixed-pitch font.
struct SummaryPrinterSetup {
    bool portrait = true;
    std::string scaleUnit = "mm";
    std::string fontName = "Courier";
    int fontSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double columnWidthMm = 25.4 / 10.0;   // ten characters per inch at 12 points
    double lineHeightMm = 25.4 / 6.0;     // six lines per inch
    double topMarginMm = 10;              // inside the printable area of the page
    double bottomMarginMm = 10;
};

struct SummaryReport {
    SummaryForm form = SummaryForm::File;
    SummaryPrinterSetup printer;          // for the printer form
    std::vector<ReportLine> lines;        // UTF-8, columns resolved

    // Every line as plain text (blanks up to each piece's column).
    std::vector<std::string> texts() const;
};

inline constexpr const char* kSummaryFileTitle = "Printing Summary to File...";
inline constexpr const char* kSummaryPrintTitle = "Printing Summary";
inline constexpr const char* kPrinterNotReadyText = "LPT1:  Printer not ready...";
// The save dialog of "to File...": filter and flags (overwrite prompt, no read-only box).
inline constexpr const char* kSummaryFileFilter = "KARMO Results (*.txt)|*.txt";
inline constexpr int kSummaryFileDialogFlags = 6;

// The date of the report's first line: month-day-year, "12-06-2026".
std::string ReportDate(int year, int month, int day);
// Today's date (local time) in that form.
std::string TodayReportDate();

// The summary of batch CurrentBatch. Its body follows BatchKind (1 history, 2 keyboard
// spectrum, 3 spectrum from a distribution, 4 stored distribution); any other kind gives
// the header alone. date is the text of the first line (see ReportDate).
SummaryReport BuildSummaryReport(const AppState& s, SummaryForm form, const std::string& date);

// The file form as it goes on disk: Windows-1252, every line ended by CR LF.
std::string SummaryFileBytes(const AppState& s, const std::string& date);

// Writes the file form to path, replacing the file as a whole (a failed write leaves the
// old file as it was). A failure is shown under "Printing Summary to File..." with the
// system's description; false then.
bool WriteSummaryFile(const AppState& s, Prompter& p, const std::string& path,
                      const std::string& date);

// The file name chosen in the save dialog: an empty name (cancelled) writes nothing.
// True when a file was written.
bool SummaryToChosenFile(const AppState& s, Prompter& p, const std::string& fileName,
                         const std::string& date);

// Number of print jobs for "on &Printer": the copy count of the print setup, at least 1.
int SummaryPrintCopies(int copyCount);

// A print job could not be started or sent: "LPT1:  Printer not ready..." under the
// printing command's title, with Retry and Cancel. True: try again; false: the user chose
// Cancel and the print job is to be ended.
bool AskPrinterNotReady(Prompter& p, const std::string& title = kSummaryPrintTitle);

// The printer form split into pages of the given printable height: [first, end) line
// indices of each page, at least one line a page. A summary longer than a page continues
// on the next.
struct SummaryPage {
    size_t first = 0, end = 0;
};
std::vector<SummaryPage> SummaryPages(const SummaryReport& r, double pageHeightMm);

// Draws one page of the printer form: the scale is set to millimetres from the top-left
// corner of the target, each piece of a line at its column in the fixed-pitch font.
void DrawSummaryPage(Canvas& c, const SummaryReport& r, const SummaryPage& page);

}  // namespace karmo
