#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>

#include "core/Units.h"
#include "report/SummaryReport.h"
#include "spectrum/SpectrumLevels.h"
#include "support/RecordingCanvas.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

using namespace karmo;
using karmo::test::ScriptedPrompter;
using karmo::test::TempDir;

namespace {

constexpr const char* kDate = "12-06-2026";

// One batch per kind and unit system, every value set by hand so that each printed number
// can be worked out. Levels run from LevelRange[1], the largest, down; the level count,
// the range limits and the volume follow from them.
struct Batch {
    const char* golden;
    int16_t kind;
    UnitSystem units;
    int16_t type;
    const char* label;
    BatchRecord r;
    int32_t omitted = 0;
};

template <typename T>
std::array<T, kMaxLevels + 1> steps31(T first, T step) {
    std::array<T, kMaxLevels + 1> a{};
    for (int i = 1; i <= 31; ++i) a[static_cast<size_t>(i)] = first + static_cast<T>(i - 1) * step;
    return a;
}

const UnitSystem SI = UnitSystem::SI, US = UnitSystem::US;
const std::vector<Batch> kBatches = {
    {"history-si", 1, SI, 2, "(Weibull)",
     {.Quantity = "Stress ", .RecordTime = 12.5f, .PointCount = 1250, .MaxValue = 245.37f, .MinValue = -118.4f,
      .LevelRange = {0, 340, 280, 220, 160, 100, 40}, .LevelCycles = {0, 1, 3, 8, 20, 57, 142}, .FitQ = 0.2871f,
      .FitR = 1.3456f, .UltimateStrength = 520, .Name = "Axle 3 - proving ground", .YieldStrength = 355,
      .NotchFactor = 1.8f, .Title = "Axle gauge 3, rough road"},
     394},
    {"history-us-31-levels", 1, US, 3, "(Log-norm)",
     {.Quantity = "Stress ", .RecordTime = 60, .PointCount = 4000, .MaxValue = 310, .MinValue = -95.25f,
      .LevelRange = steps31(400.0f, -10.0f), .LevelCycles = steps31(2, 2), .FitQ = -1.2345f, .FitR = 0.4321f,
      .Name = "Bracket B7, 31 levels", .Title = "Bracket B7"},
     1008},
    // Strain: the mean-stress lines use the stress unit. Read from the database: no count of
    // this session, so no omitted-cycles line.
    {"history-us-strain", 1, US, 1, "(Beta)",
     {.Quantity = "Strain ", .RecordTime = 3.75f, .PointCount = 802, .MaxValue = 1520.5f, .MinValue = -640.25f,
      .LevelRange = {0, 2000, 1500, 1000, 500}, .LevelCycles = {0, 2, 9, 40, 300}, .FitQ = 0.8765f, .FitR = 3.2109f,
      .UltimateStrength = 520, .Name = "Weld toe W2", .YieldStrength = 355, .NotchFactor = 2.125f, .Title = "Gauge W2"},
     -1},
    {"keyboard-si", 2, SI, 1, "",
     {.Quantity = "Stress ", .RecordTime = 10, .LevelRange = {0, 250, 200, 150, 100, 50},
      .LevelCycles = {0, 10, 100, 1000, 10000, 100000}, .Name = "Typed spectrum A", .Title = ""}},
    {"keyboard-us", 2, US, 1, "",
     {.Quantity = "Stress ", .RecordTime = 1.5f, .LevelRange = {0, 180, 120, 60}, .LevelCycles = {0, 5, 50, 500},
      .Name = "Typed spectrum B", .Title = ""}},
    {"generated-si", 3, SI, 1, "(Beta)",
     {.Quantity = "Stress ", .LevelRange = {0, 100, 90, 80, 70, 60, 50, 40, 30},
      .LevelCycles = {0, 3, 12, 41, 95, 160, 210, 230, 249}, .Name = "Generated Beta", .SourceQ = 1.5f,
      .SourceR = 2.5f, .Title = ""}},
    {"generated-us", 3, US, 3, "(Log-norm)",
     {.Quantity = "Stress ", .RecordTime = 30, .LevelRange = {0, 300, 250, 200, 150, 100, 50},
      .LevelCycles = {0, 1, 6, 30, 120, 350, 493}, .FitQ = -0.55f, .FitR = 0.58f, .Name = "Generated log-normal",
      .SourceQ = 5.2f, .SourceR = 0.6f, .SourceType = -2, .Title = ""}},
    {"stored-si", 4, SI, 2, "(Weibull)",
     {.Quantity = "Stress ", .RecordTime = 45.25f, .LevelRange = {0, 200, 160, 120, 80, 40},
      .LevelCycles = {0, 2, 25, 180, 900, 2893}, .FitQ = 0.35f, .FitR = 1.8f, .Name = "Stored Weibull",
      .SourceQ = 70, .SourceR = 1.8f, .SourceType = -1, .Title = ""}},
    {"stored-us", 4, US, 2, "(Weibull)",
     {.Quantity = "Stress ", .RecordTime = 2, .LevelRange = {0, 250, 190, 130, 70}, .LevelCycles = {0, 4, 40, 200, 756},
      .FitQ = 0.41f, .FitR = 1.35f, .Name = "Stored \xC2\xB5 Weibull", .SourceType = -1, .Title = ""}},
};

AppState make(const std::string& golden) {
    const Batch& f =
        *std::find_if(kBatches.begin(), kBatches.end(), [&](const Batch& x) { return golden == x.golden; });
    AppState s;
    s.CurrentBatch = s.BatchCount = 1;
    s.BatchKind = f.kind;
    DataBatch& b = s.batch(1);
    static_cast<BatchRecord&>(b) = f.r;
    while (b.LevelRange[static_cast<size_t>(b.LevelCount) + 1] > 0) b.Volume += b.LevelCycles[++b.LevelCount];
    b.MaxRange = b.LevelRange[1];
    b.MinRange = b.LevelRange[static_cast<size_t>(b.LevelCount)];
    SelectUnitSystem(s, f.units);
    ApplyQuantity(s, 1);
    s.OmittedCycles = b.OmittedCycles = f.omitted;
    s.DistributionType = f.type;
    s.DistributionLabel = f.label;
    return s;
}

std::vector<std::string> lines(const AppState& s, SummaryForm form = SummaryForm::File) {
    return BuildSummaryReport(s, form, kDate).texts();
}

bool has(const std::vector<std::string>& ls, const std::string& line) {
    return std::find(ls.begin(), ls.end(), line) != ls.end();
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// The file references are the exact bytes (Windows-1252, CR LF); the printer references the
// printed lines as UTF-8 with LF. KARMO_REPORT_ACTUAL=<dir> writes what was produced there.
TEST(SummaryReport, BothFormsMatchTheReferences) {
    for (const Batch& f : kBatches) {
        const AppState s = make(f.golden);
        std::string printed;
        for (const auto& l : lines(s, SummaryForm::Printer)) printed += l + "\n";
        for (const auto& [name, actual] : {std::pair{std::string(f.golden) + ".txt", SummaryFileBytes(s, kDate)},
                                           std::pair{std::string(f.golden) + ".printer.txt", printed}}) {
            if (const char* dir = std::getenv("KARMO_REPORT_ACTUAL"))
                std::ofstream(std::filesystem::path(dir) / name, std::ios::binary) << actual;
            const auto path = std::filesystem::path(KARMO_TEST_DATA) / "report" / name;
            ASSERT_TRUE(std::filesystem::exists(path)) << path;
            EXPECT_EQ(actual, readFile(path)) << name;
        }
    }
}

// Any other kind: the header alone (its lines are pinned by the references).
TEST(SummaryReport, HeaderOnlyForOtherKinds) {
    for (const auto form : {SummaryForm::File, SummaryForm::Printer}) {
        const auto full = lines(make("history-si"), form);
        for (int16_t kind : {0, 5, -1}) {
            AppState other = make("history-si");
            other.BatchKind = kind;
            EXPECT_EQ(lines(other, form), std::vector<std::string>(full.begin(), full.begin() + 8)) << kind;
        }
    }
}

// No spectrum: the history lines only, and the fit when it has parameters. No history
// loaded: the title is empty.
TEST(SummaryReport, HistoryWithoutSpectrumOrTitle) {
    AppState s = make("history-si");
    s.batch(1).LevelCount = 0;
    s.batch(1).Title.clear();
    auto ls = lines(s);
    ASSERT_EQ(ls.size(), 8u + 6 + 5);
    EXPECT_EQ(ls[8], "Stress History: ");
    EXPECT_EQ(ls[13], "Recording Time [min]:                       12.5");
    EXPECT_EQ(ls[14], "Stress Distribution (Weibull)");
    s.batch(1).FitQ = 0;
    EXPECT_EQ(lines(s).size(), 8u + 6);
}

// Mean-stress lines, and the omitted-cycles line after them, only above Su 1.0011.
TEST(SummaryReport, MeanStressLinesAboveTheThreshold) {
    for (const auto& [su, shown] : {std::pair{0.0f, false}, {1.0011f, false}, {1.0012f, true}, {520.0f, true}}) {
        AppState s = make("history-si");
        s.batch(1).UltimateStrength = su;
        const auto ls = lines(s);
        EXPECT_EQ(has(ls, "Mean Stress Effect:"), shown) << su;
        EXPECT_EQ(has(ls, "Omitted cycles: 394"), shown) << su;
    }
}

// Ranges 2, 6 and 10 on two levels from 10 down to 6: the range 2 is left out, counted by
// the level build itself; the printer puts the line right after the level rows.
TEST(SummaryReport, OmittedCyclesOfTheLastBuild) {
    AppState s = make("history-si");
    DataBatch& b = s.batch(1);
    b.PointCount = 6;
    s.CountedRanges = {0, 2, 6, 10, 0};
    b.LevelCount = 2;
    b.MaxRange = 10;
    b.MinRange = 6;
    ScriptedPrompter p;
    BuildSpectrumLevels(s, p);
    EXPECT_TRUE(has(lines(s), "Omitted cycles: 1"));
    const auto printed = lines(s, SummaryForm::Printer);
    const auto table = std::find(printed.begin(), printed.end(), std::string(13, ' ') + std::string(32, '-'));
    ASSERT_GE(printed.end() - table, 4);
    EXPECT_EQ(table[3], std::string(13, ' ') + "Omitted cycles: 1");

    // A batch whose levels this session did not count (read from the database) has no such line.
    b.OmittedCycles = -1;
    EXPECT_FALSE(has(lines(s), "Omitted cycles: 1"));
    EXPECT_FALSE(has(lines(s, SummaryForm::Printer), std::string(13, ' ') + "Omitted cycles: 1"));
}

// The file always has the level table; the printer only below 31 levels.
TEST(SummaryReport, PrinterLeavesOutTablesOf31Levels) {
    const auto headings = [](const std::vector<std::string>& ls) {
        return std::count_if(ls.begin(), ls.end(), [](const std::string& l) { return l.find("Cycles") != l.npos; });
    };
    for (const int16_t kind : {1, 2, 3, 4}) {
        for (const int16_t levels : {30, 31}) {
            AppState s = make("history-us-31-levels");
            s.BatchKind = kind;
            s.batch(1).LevelCount = levels;
            EXPECT_EQ(headings(lines(s)), 1) << kind << " " << levels;
            EXPECT_EQ(headings(lines(s, SummaryForm::Printer)), levels < 31 ? 1 : 0) << kind << " " << levels;
        }
    }
}

// Kind 3 without FitR ends after the table; kind 4 prints its fit even with zero
// parameters; a keyboard spectrum never prints a distribution.
TEST(SummaryReport, WhenTheFittedSectionIsPrinted) {
    AppState s = make("generated-si");
    s.batch(1).FitQ = 0.5f;
    EXPECT_EQ(lines(s).back(), " 8 " + std::string(20, ' ') + "30.0" + std::string(13, ' ') + "249");
    s.BatchKind = 4;
    s.batch(1).FitQ = 0;
    const auto ls = lines(s);
    EXPECT_EQ(std::vector<std::string>(ls.end() - 5, ls.end()),
              (std::vector<std::string>{"", "Stress Distribution (Beta)", std::string(19, '-'),
                                        "Parameters:                                 Q = 0.0",
                                        "                                            R = 0.0"}));

    AppState k = make("keyboard-si");
    k.DistributionLabel = "(Weibull)";
    k.batch(1).FitQ = 0.3f;
    k.batch(1).FitR = 1.2f;
    for (const auto form : {SummaryForm::File, SummaryForm::Printer})
        for (const auto& l : lines(k, form)) EXPECT_EQ(l.find("Distribution"), std::string::npos) << l;
}

// The printed lines are pieces at their start columns, for placing on paper (the columns
// themselves are pinned by the references).
TEST(SummaryReport, PrinterSegmentsAndSetup) {
    const SummaryReport rep = BuildSummaryReport(make("stored-si"), SummaryForm::Printer, kDate);
    EXPECT_TRUE(rep.printer.portrait && rep.printer.scaleUnit == "mm" && rep.printer.fontName == "Courier");
    EXPECT_EQ(rep.printer.fontSize, 12);
    EXPECT_FALSE(rep.printer.bold || rep.printer.italic || rep.printer.underline);
    const auto parameters = std::find_if(rep.lines.begin(), rep.lines.end(), [](const ReportLine& l) {
        return l.text().find("Parameters:") != std::string::npos;
    });
    ASSERT_NE(parameters, rep.lines.end());
    EXPECT_EQ(parameters->segments, (std::vector<ReportSegment>{{14, "Parameters:"}, {45, "Q = 70.0"}}));
}

TEST(SummaryReport, OverlongTextsContinueOnTheNextLine) {
    AppState s = make("keyboard-si");
    s.CompanyName = std::string(50, 'C');
    s.batch(1).LevelRange[1] = 1.0e30f;  // far too wide for its column
    const auto ls = lines(s);
    EXPECT_EQ(ls[0], std::string(50, 'C'));
    EXPECT_EQ(ls[1], std::string(46, ' ') + kDate);
    const auto row = std::find_if(ls.begin(), ls.end(), [](const std::string& l) { return l.rfind(" 1 ", 0) == 0; });
    ASSERT_NE(row, ls.end());
    EXPECT_GT(row->size(), 40u);
    EXPECT_EQ(*std::next(row), std::string(40, ' ') + "10");
}

// Written over an old file atomically; a failed write is reported and leaves nothing; an
// empty name from the dialog writes nothing.
TEST(SummaryFile, WriteFailureAndCancel) {
    TempDir dir;
    const AppState s = make("history-us-strain");
    dir.write("summary.txt", "old content");
    ScriptedPrompter p;
    EXPECT_TRUE(WriteSummaryFile(s, p, (dir.path() / "summary.txt").string(), kDate));
    EXPECT_EQ(dir.read("summary.txt"), SummaryFileBytes(s, kDate));

    p.expect("Printing Summary to File...", std::string("summary.txt: ") + std::strerror(ENOENT), Icon::Exclamation);
    EXPECT_FALSE(WriteSummaryFile(s, p, (dir.path() / "missing" / "summary.txt").string(), kDate));
    EXPECT_FALSE(SummaryToChosenFile(s, p, "", kDate));
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"summary.txt"});
    EXPECT_STREQ(kSummaryFileFilter, "KARMO Results (*.txt)|*.txt");
    EXPECT_EQ(kSummaryFileDialogFlags, 6);
}

TEST(SummaryPrint, CopiesAndPrinterNotReady) {
    for (const auto& [asked, jobs] : {std::pair{-3, 1}, {0, 1}, {1, 1}, {3, 3}})
        EXPECT_EQ(SummaryPrintCopies(asked), jobs) << asked;
    ScriptedPrompter p;
    p.expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Retry)
        .expect("Printing Summary", "LPT1:  Printer not ready...", Icon::Exclamation, Answer::Cancel);
    EXPECT_TRUE(AskPrinterNotReady(p));   // Retry: try again
    EXPECT_FALSE(AskPrinterNotReady(p));  // Cancel: end the print job
    EXPECT_EQ(p.asked.at(0).buttons, Buttons::RetryCancel);
}

TEST(SummaryPrint, LongSummaryContinuesOnTheNextPage) {
    AppState s = make("history-us-31-levels");
    DataBatch& b = s.batch(1);
    b.Volume -= b.LevelCycles[31];
    b.LevelCycles[31] = 0;
    b.LevelRange[31] = 0;
    b.LevelCount = 30;
    b.MinRange = b.LevelRange[30];
    const SummaryReport r = BuildSummaryReport(s, SummaryForm::Printer, kDate);
    ASSERT_GT(r.lines.size(), 60u) << "the level table is printed below 31 levels";
    // A4 portrait inside 10 mm page margins, a page taller than the report, a tiny one.
    for (const auto& [heightMm, pageCount] : {std::pair{277.0, 2}, {2000.0, 1}, {1.0, 0}}) {
        const std::vector<SummaryPage> pages = SummaryPages(r, heightMm);
        EXPECT_EQ(pages.size(), pageCount ? static_cast<size_t>(pageCount) : r.lines.size()) << heightMm;
        size_t next = 0;
        for (const SummaryPage& p : pages) {
            EXPECT_EQ(p.first, next);
            EXPECT_GT(p.end, p.first);
            next = p.end;
        }
        EXPECT_EQ(next, r.lines.size());
    }

    // Each piece of a line at its column of the fixed pitch, the lines six to the inch.
    const std::vector<SummaryPage> pages = SummaryPages(r, 277.0);
    ASSERT_EQ(pages.size(), 2u);
    karmo::test::RecordingCanvas c(800, 1100, true);
    DrawSummaryPage(c, r, pages[1]);
    const auto texts = c.of(karmo::test::RecordingCanvas::Kind::Text);
    ASSERT_EQ(texts.front()->text, r.lines[pages[1].first].segments.front().text);
    EXPECT_EQ(texts.front()->font.name, "Courier");
    EXPECT_EQ(texts.front()->font.size, 12);
    EXPECT_NEAR(texts.front()->x1, (r.lines[pages[1].first].segments.front().column - 1) * 2.54, 1e-9);
    EXPECT_NEAR(texts.front()->y1, 10, 1e-9);
    size_t lastWritten = pages[1].end - 1;
    while (r.lines[lastWritten].segments.empty()) --lastWritten;   // blank lines write nothing
    EXPECT_NEAR(texts.back()->y1, 10 + static_cast<double>(lastWritten - pages[1].first) * 25.4 / 6, 1e-9);
}

TEST(ReportDate, MonthDayYear) {
    EXPECT_EQ(ReportDate(2026, 12, 6), "12-06-2026");
    EXPECT_EQ(ReportDate(987, 7, 4), "07-04-0987");
    EXPECT_TRUE(std::regex_match(TodayReportDate(), std::regex("[01][0-9]-[0-3][0-9]-[0-9]{4}")));
}
