#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>

#include "support/TempDir.h"
#include "report/SummaryReport.h"
#include "spectrum/SpectrumLevels.h"
#include "SummaryFixtures.h"
#include "support/ScriptedPrompter.h"

using namespace karmo;
using karmo::test::kReportDate;
using karmo::test::ReportBatch;
using karmo::test::ScriptedPrompter;
using karmo::test::TempDir;

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The printer form as text: one line per printed line, UTF-8, LF.
std::string printerText(const AppState& s) {
    std::string out;
    for (const auto& line : BuildSummaryReport(s, SummaryForm::Printer, kReportDate).texts())
        out += line + "\n";
    return out;
}

// Compares with tests/data/report/<name>. With KARMO_REPORT_ACTUAL set to a directory,
// what was produced is written there too, for reading against the reference line by line.
void expectGolden(const std::string& name, const std::string& actual) {
    if (const char* dir = std::getenv("KARMO_REPORT_ACTUAL")) {
        std::ofstream(std::filesystem::path(dir) / name, std::ios::binary) << actual;
    }
    const auto path = std::filesystem::path(KARMO_TEST_DATA) / "report" / name;
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(actual, readFile(path)) << name;
}

struct GoldenCase {
    const char* name;
    std::function<ReportBatch()> make;
};

const std::vector<GoldenCase>& goldenCases() {
    static const std::vector<GoldenCase> cases = {
        {"history-si", karmo::test::HistorySi},
        {"history-us-31-levels", karmo::test::HistoryUs31},
        {"history-us-strain", karmo::test::HistoryUsStrain},
        {"keyboard-si", karmo::test::KeyboardSi},
        {"keyboard-us", karmo::test::KeyboardUs},
        {"generated-si", karmo::test::GeneratedSi},
        {"generated-us", karmo::test::GeneratedUs},
        {"stored-si", karmo::test::StoredSi},
        {"stored-us", karmo::test::StoredUs},
    };
    return cases;
}

std::vector<std::string> fileLines(const AppState& s) {
    return BuildSummaryReport(s, SummaryForm::File, kReportDate).texts();
}

}  // namespace

TEST(SummaryReport, FileFormMatchesReference) {
    for (const auto& c : goldenCases()) {
        ReportBatch r = c.make();
        expectGolden(std::string(c.name) + ".txt", SummaryFileBytes(r.s, kReportDate));
    }
}

TEST(SummaryReport, PrinterFormMatchesReference) {
    for (const auto& c : goldenCases()) {
        ReportBatch r = c.make();
        expectGolden(std::string(c.name) + ".printer.txt", printerText(r.s));
    }
}

TEST(SummaryReport, HeaderOnlyForOtherKinds) {
    const std::vector<std::string> header = {
        "Orvex                                         12-06-2026",
        "",
        "-------------------------------------------",
        "                      PROGRAM  >>> K A R M O <<< ",
        "-------------------------------------------",
        "",
        "DATA:   Axle 3 - proving ground",
        "",
    };
    for (int16_t kind : {0, 5, -1}) {
        ReportBatch r = karmo::test::HistorySi();
        r.s.BatchKind = kind;
        EXPECT_EQ(fileLines(r.s), header) << kind;
        const auto printed = BuildSummaryReport(r.s, SummaryForm::Printer, kReportDate).texts();
        ASSERT_EQ(printed.size(), header.size());
        EXPECT_EQ(printed[0], std::string(13, ' ') + "Orvex" + std::string(28, ' ') + "12-06-2026");
        EXPECT_EQ(printed[3], header[3]);   // the banner keeps its column
        EXPECT_EQ(printed[6], "             DATA:   Axle 3 - proving ground");
    }
}

TEST(SummaryReport, HistoryWithoutSpectrum) {
    ReportBatch r = karmo::test::HistorySi();
    r.b().LevelCount = 0;
    r.b().FitQ = 0;
    const std::vector<std::string> body = {
        "Stress History: Axle gauge 3, rough road",
        "--------------",
        "Number of points:                           1250 ",
        "Maximum Stress (Smax)[MPa]:                 245.37",
        "Minimum Stress (Smin)[MPa]:                 -118.4",
        "Recording Time [min]:                       12.5",
    };
    auto lines = fileLines(r.s);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 8, lines.end()), body);

    // A fit is still printed, with its blank line.
    r.b().FitQ = 0.2871f;
    lines = fileLines(r.s);
    ASSERT_EQ(lines.size(), 8 + body.size() + 5);
    EXPECT_EQ(lines[14], "Stress Distribution (Weibull)");
    EXPECT_EQ(lines.back(), "");
}

TEST(SummaryReport, HistoryWithoutLoadedHistoryPrintsAnEmptyTitle) {
    ReportBatch r = karmo::test::HistorySi();
    r.b().Title.clear();
    EXPECT_EQ(fileLines(r.s)[8], "Stress History: ");
}

TEST(SummaryReport, MeanStressLinesAboveTheThreshold) {
    struct Case {
        float su;
        bool shown;
    };
    for (const Case c : {Case{0, false}, Case{1.0011f, false}, Case{1.0012f, true}, Case{520, true}}) {
        ReportBatch r = karmo::test::HistorySi();
        r.b().UltimateStrength = c.su;
        const auto lines = fileLines(r.s);
        const bool found = std::find(lines.begin(), lines.end(), "Mean Stress Effect:") != lines.end();
        EXPECT_EQ(found, c.shown) << c.su;
        const bool omitted = std::find(lines.begin(), lines.end(), "Omitted cycles: 394") != lines.end();
        EXPECT_EQ(omitted, c.shown) << c.su;
    }
}

TEST(SummaryReport, OmittedCyclesOfTheLastBuild) {
    // Ranges 2, 6 and 10 on two levels from 10 down to 6: the range 2 is left out.
    ReportBatch r = karmo::test::HistorySi();
    r.b().PointCount = 6;
    r.s.CountedRanges = {0, 2, 6, 10, 0};
    r.b().LevelCount = 2;
    r.b().MaxRange = 10;
    r.b().MinRange = 6;
    ScriptedPrompter p;
    BuildSpectrumLevels(r.s, p);
    const auto file = fileLines(r.s);
    EXPECT_NE(std::find(file.begin(), file.end(), "Omitted cycles: 1"), file.end());
    const auto printed = BuildSummaryReport(r.s, SummaryForm::Printer, kReportDate).texts();
    const auto table = std::find(printed.begin(), printed.end(), std::string(13, ' ') + std::string(32, '-'));
    ASSERT_NE(table, printed.end());
    ASSERT_GE(printed.end() - table, 4);
    EXPECT_EQ(table[3], std::string(13, ' ') + "Omitted cycles: 1");   // right after the two rows
}

TEST(SummaryReport, PrinterLeavesOutTablesOf31Levels) {
    for (const int16_t kind : {1, 2, 3, 4}) {
        for (const int16_t levels : {30, 31}) {
            ReportBatch r = karmo::test::HistoryUs31();
            r.s.BatchKind = kind;
            r.b().LevelCount = levels;
            const auto hasTable = [](const std::vector<std::string>& lines) {
                return std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
                    return l.find("Level") != std::string::npos && l.find("Cycles") != std::string::npos;
                });
            };
            EXPECT_TRUE(hasTable(fileLines(r.s))) << kind << " " << levels;
            const auto printed = BuildSummaryReport(r.s, SummaryForm::Printer, kReportDate).texts();
            EXPECT_EQ(hasTable(printed), levels < 31) << kind << " " << levels;
        }
    }
}

TEST(SummaryReport, GeneratedWithoutFitEndsAfterTheTable) {
    ReportBatch r = karmo::test::GeneratedSi();
    r.b().FitQ = 0.5f;   // FitR alone decides
    // Level at 1 (sign place), range from column 24, cycles from column 41.
    EXPECT_EQ(fileLines(r.s).back(), " 8 " + std::string(20, ' ') + "30.0" + std::string(13, ' ') + "249");

    r.s.BatchKind = 4;   // a stored distribution prints its fit even with zero parameters
    r.b().FitQ = 0;
    auto lines = fileLines(r.s);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"", "Stress Distribution (Beta)", "-------------------",
                                        "Parameters:                                 Q = 0.0",
                                        "                                            R = 0.0"}));
}

TEST(SummaryReport, KeyboardSpectrumHasNoDistribution) {
    ReportBatch r = karmo::test::KeyboardSi();
    r.s.DistributionLabel = "(Weibull)";
    r.b().FitQ = 0.3f;
    r.b().FitR = 1.2f;
    for (const auto form : {SummaryForm::File, SummaryForm::Printer}) {
        for (const auto& l : BuildSummaryReport(r.s, form, kReportDate).texts())
            EXPECT_EQ(l.find("Distribution"), std::string::npos) << l;
    }
}

TEST(SummaryReport, PrinterColumnsAndSetup) {
    ReportBatch r = karmo::test::StoredSi();
    const SummaryReport rep = BuildSummaryReport(r.s, SummaryForm::Printer, kReportDate);
    EXPECT_EQ(rep.form, SummaryForm::Printer);
    EXPECT_TRUE(rep.printer.portrait);
    EXPECT_EQ(rep.printer.scaleUnit, "mm");
    EXPECT_EQ(rep.printer.fontName, "Courier");
    EXPECT_EQ(rep.printer.fontSize, 12);
    EXPECT_FALSE(rep.printer.bold || rep.printer.italic || rep.printer.underline);
    // The fitted title of a stored distribution starts one column left of the others.
    const auto title = std::find_if(rep.lines.begin(), rep.lines.end(), [](const ReportLine& l) {
        return l.text().find("Stress Distribution") != std::string::npos;
    });
    ASSERT_NE(title, rep.lines.end());
    EXPECT_EQ(title->segments, (std::vector<ReportSegment>{{13, "Stress Distribution (Weibull)"}}));
    EXPECT_EQ(std::next(title)->segments, (std::vector<ReportSegment>{{14, "-------------------"}}));
    // Every other line that has text starts at the margin or is the banner.
    for (const auto& l : rep.lines) {
        if (l.segments.empty() || &l == &*title) continue;
        EXPECT_TRUE(l.segments.front().column == 14 || l.segments.front().column == 23) << l.text();
    }
}

TEST(SummaryReport, OverlongTextsContinueOnTheNextLine) {
    ReportBatch r = karmo::test::KeyboardSi();
    r.s.CompanyName = std::string(50, 'C');
    r.b().LevelRange[1] = 1.0e30f;   // a range far too wide for its column
    const auto lines = fileLines(r.s);
    EXPECT_EQ(lines[0], std::string(50, 'C'));
    EXPECT_EQ(lines[1], std::string(46, ' ') + "12-06-2026");
    const auto row = std::find_if(lines.begin(), lines.end(),
                                  [](const std::string& l) { return l.rfind(" 1 ", 0) == 0; });
    ASSERT_NE(row, lines.end());
    ASSERT_GT(row->size(), 40u);
    EXPECT_EQ(*std::next(row), std::string(40, ' ') + "10");
}

TEST(SummaryFile, WrittenInWindows1252WithCrLf) {
    TempDir dir;
    ReportBatch r = karmo::test::HistoryUsStrain();
    r.b().Name = "Stored strain \xC2\xB5 Beta";
    const std::string path = (dir.path() / "summary.txt").string();
    dir.write("summary.txt", "old content");
    ScriptedPrompter p;
    EXPECT_TRUE(WriteSummaryFile(r.s, p, path, kReportDate));
    const std::string bytes = dir.read("summary.txt");
    EXPECT_EQ(bytes, SummaryFileBytes(r.s, kReportDate));
    EXPECT_NE(bytes.find("DATA:   Stored strain \xB5 Beta\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("S (range)[\xB5str]"), std::string::npos);
    EXPECT_EQ(bytes.find("\xC2"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"summary.txt"});
}

TEST(SummaryFile, FailureIsReportedAndLeavesNoFile) {
    TempDir dir;
    ReportBatch r = karmo::test::KeyboardSi();
    const std::string path = (dir.path() / "missing" / "summary.txt").string();
    ScriptedPrompter p;
    p.expect("Printing Summary to File...", std::strerror(ENOENT), Icon::Exclamation);
    EXPECT_FALSE(WriteSummaryFile(r.s, p, path, kReportDate));
    EXPECT_TRUE(dir.entries().empty());
}

TEST(SummaryFile, CancelledDialogWritesNothing) {
    TempDir dir;
    ReportBatch r = karmo::test::KeyboardSi();
    ScriptedPrompter p;
    EXPECT_FALSE(SummaryToChosenFile(r.s, p, "", kReportDate));
    EXPECT_TRUE(SummaryToChosenFile(r.s, p, (dir.path() / "a.txt").string(), kReportDate));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.txt"});
    EXPECT_STREQ(kSummaryFileFilter, "KARMO Results (*.txt)|*.txt");
    EXPECT_EQ(kSummaryFileDialogFlags, 6);
}

TEST(SummaryPrint, CopiesAndPrinterNotReady) {
    const std::vector<std::pair<int, int>> copies = {{-3, 1}, {0, 1}, {1, 1}, {3, 3}};
    for (const auto& [asked, jobs] : copies) EXPECT_EQ(SummaryPrintCopies(asked), jobs) << asked;

    ScriptedPrompter p;
    p.expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Ok)
        .expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Cancel);
    EXPECT_TRUE(AskPrinterNotReady(p));
    EXPECT_FALSE(AskPrinterNotReady(p));
    ASSERT_EQ(p.asked.size(), 2u);
    EXPECT_EQ(p.asked[0].buttons, Buttons::OkCancel);
}

TEST(ReportDate, MonthDayYear) {
    EXPECT_EQ(ReportDate(2026, 12, 6), "12-06-2026");
    EXPECT_EQ(ReportDate(2027, 1, 31), "01-31-2027");
    EXPECT_EQ(ReportDate(987, 7, 4), "07-04-0987");
    EXPECT_TRUE(std::regex_match(TodayReportDate(), std::regex("[01][0-9]-[0-3][0-9]-[0-9]{4}")));
}
