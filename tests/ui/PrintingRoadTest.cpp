#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "PrintingSupport.h"
#include "Road.h"
#include "report/SummaryReport.h"

#include <sstream>

namespace karmo {
namespace {

using test::FirstBatch;
using test::ReadPdf;
using test::Road;
using test::SaveDialogs;

std::string PageText(const test::PdfPage& page) {
    std::string all;
    for (const std::string& l : page.lines) all += l + "\n";
    return all;
}

// Road 7: after road 1, two copies set up, the summary and the screen on paper (a PDF file,
// as the machine has no printer), the screen in picture files, the window copied on paper.
TEST(PrintingRoad, TwoCopiesOfSummaryAndScreenIntoPdfPicturesAndWindowCopy) {
    KARMO_NEED_PDF_TOOLS();
    Road r;
    FirstBatch(r);
    test::PrintSetupCopies(r.w, 2);
    r.click("cmd_Calculate_Beta");   // the distribution beside the spectrum again
    EXPECT_EQ(r.shown(), "frm_Distr frm_Hist frm_Spectr frm_Stress_Info");

    SaveDialogs dialogs{{r.path("summary.pdf"), r.path("screen.pdf"), r.path("screen.png"), r.path("screen.bmp"),
                         r.path("window.pdf")}};
    dialogs.attach(r.w);
    const std::string date = TodayReportDate();
    r.menu("mnu_pdoc");
    r.menu("mnu_pform");
    r.menu("mnu_szym");
    r.menu("mnu_szym");
    r.menu("mnu_copyscreen");
    EXPECT_EQ(dialogs.titles, (QStringList{"Printing Summary to PDF File (no printer installed)",
                                           "Printing Screen to PDF File (no printer installed)",
                                           "Printing Screen to File", "Printing Screen to File",
                                           "Printing Screen to PDF File (no printer installed)"}));

    // The summary: one portrait page a copy, the printer form of the batch.
    const test::PdfFile summary = ReadPdf(r.path("summary.pdf"));
    ASSERT_EQ(summary.pages.size(), 2u);
    if (TodayReportDate() == date) {
        // The printer form karmo-cli gives for the saved batch: the window's count also knows
        // the omitted cycles, which take the place of the table's closing rule.
        std::vector<std::string> printed = summary.pages[0].lines;
        for (std::string& l : printed)
            if (l.rfind("Omitted cycles:", 0) == 0) l = std::string(32, '-');
        std::vector<std::string> cli;
        std::istringstream report(test::Cli({"report", r.dir.toStdString(), "1", "--printer", "--date", date}));
        for (std::string l; std::getline(report, l);) cli.push_back(l);
        EXPECT_EQ(printed, test::Written(cli));
    }
    EXPECT_EQ(summary.pages[1].lines, summary.pages[0].lines);
    EXPECT_FALSE(summary.pages[0].landscape());

    // The screen: one landscape page a copy with the history, the spectrum and the distribution.
    const test::PdfFile screen = ReadPdf(r.path("screen.pdf"));
    ASSERT_EQ(screen.pages.size(), 2u);
    for (const test::PdfPage& page : screen.pages) {
        EXPECT_TRUE(page.landscape());
        const std::string text = PageText(page);
        for (const char* t : {"Stress History", "POINTS", "CYCLES", "Stress Distribution (Weibull)", "STRESS RANGE"})
            EXPECT_NE(text.find(t), std::string::npos) << t << " in\n" << text;
    }

    // The pictures have the window's size; the window copy is one image on one landscape page.
    for (const char* name : {"screen.png", "screen.bmp"}) EXPECT_EQ(QImage(r.path(name)).size(), r.w.size()) << name;
    const test::PdfFile window = ReadPdf(r.path("window.pdf"));
    ASSERT_EQ(window.pages.size(), 1u);
    EXPECT_TRUE(window.pages[0].landscape());
    EXPECT_EQ(window.images, 1);

    test::ShotOfPdf(r.path("summary.pdf"), "printout-summary");
    test::ShotOfPdf(r.path("screen.pdf"), "printout-screen");
    test::ShotOfPdf(r.path("window.pdf"), "printout-window-copy");
    test::ShotOfPicture(r.path("screen.png"), "printout-screen-picture");

    // Cancel in each file dialog writes nothing.
    const QStringList before = QDir(r.dir).entryList(QDir::Files);
    for (const char* command : {"mnu_pdoc", "mnu_pform", "mnu_szym", "mnu_copyscreen", "mnu_pfile"}) r.menu(command);
    EXPECT_EQ(dialogs.titles.size(), 10);
    EXPECT_EQ(QDir(r.dir).entryList(QDir::Files), before);
    EXPECT_EQ(r.prompter.busyDepth, 0);
}

}  // namespace
}  // namespace karmo
