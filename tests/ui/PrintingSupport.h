#pragma once
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/MainWindow.h"

namespace karmo::test {

// A printed PDF file read back with poppler-utils (pdfinfo, pdftotext, pdfimages).
struct PdfPage {
    double widthPt = 0, heightPt = 0;
    std::vector<std::string> lines;   // the page's text lines, blanks collapsed, empty ones left out
    bool landscape() const { return widthPt > heightPt; }
};
struct PdfFile {
    std::vector<PdfPage> pages;
    int images = 0;
};
// An empty result (and a test failure) when the file cannot be read.
PdfFile ReadPdf(const QString& path);
// Whether the poppler tools are installed (karmo.sh installs them).
bool PdfToolsPresent();

// A line of text as the PDF reading gives it: blanks collapsed to one, none at the ends.
std::string Collapsed(const std::string& line);
// The lines that are not empty, each collapsed.
std::vector<std::string> Written(const std::vector<std::string>& lines);

// The first page of a PDF file, and a picture file, as PNG pictures for the documentation
// when KARMO_SCREENSHOTS names a directory (looked at, not compared).
void ShotOfPdf(const QString& pdf, const char* name);
void ShotOfPicture(const QString& picture, const char* name);

// "Print Setup..." as a user does it: the number typed into the copies box of the dialog
// shown when no printer is installed, then OK.
void PrintSetupCopies(MainWindow& w, int copies);

// Save dialogs answered by a list of names, one a dialog, with the titles and filters asked.
struct SaveDialogs {
    explicit SaveDialogs(QStringList names) : answers(std::move(names)) {}
    QStringList answers;
    QStringList titles, filters;
    void attach(MainWindow& w);
};

}  // namespace karmo::test

// Reading PDF files back needs poppler-utils: skipped with a note where it is missing, and a
// failure on CI, which installs it.
#define KARMO_NEED_PDF_TOOLS()                                                                      \
    do {                                                                                            \
        if (!::karmo::test::PdfToolsPresent()) {                                                    \
            if (qEnvironmentVariable("CI") == QLatin1String("true"))                                \
                FAIL() << "pdfinfo/pdftotext missing: karmo.sh installs poppler-utils";             \
            GTEST_SKIP() << "pdfinfo/pdftotext (Debian package poppler-utils) are not installed; " \
                            "./karmo.sh installs them";                                            \
        }                                                                                           \
    } while (0)
