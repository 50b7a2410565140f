#include "report/SummaryReport.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <exception>
#include <string_view>

#include "core/AtomicFile.h"
#include "core/NumberForms.h"
#include "distribution/DistributionFit.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo {

namespace {

constexpr int kPrinterMargin = 14;
constexpr int kValueColumn = 45;
// The printer has room for the level table only below this many levels.
constexpr int kPrinterTableLimit = 31;

const std::string kDashes43(43, '-');
const std::string kDashes32(32, '-');
constexpr const char* kBanner = "PROGRAM  >>> K A R M O <<< ";
constexpr const char* kRecordTimeLabel = "Recording Time [min]:";

class SummaryBuilder {
public:
    SummaryBuilder(const AppState& s, SummaryForm form)
        : s_(s), b_(s.batch()), printer_(form == SummaryForm::Printer) {}

    std::vector<ReportLine> build(const std::string& date) {
        header(date);
        switch (s_.BatchKind) {
        case 1: historyBody(); break;
        case 2: keyboardBody(); break;
        case 3:
        case 4: distributionBody(); break;
        default: break;
        }
        return w_.takeLines();
    }

private:
    // Every line of the printer form starts at the margin.
    void start(int margin = kPrinterMargin) {
        if (printer_) w_.tab(margin);
    }
    void line(std::string_view text) {
        start();
        w_.text(text);
        w_.endLine();
    }
    void blank() { w_.endLine(); }
    void valueLine(std::string_view label, std::string_view value) {
        start();
        w_.text(label);
        w_.tab(kValueColumn);
        w_.text(value);
        w_.endLine();
    }

    void header(const std::string& date) {
        start();
        w_.text(s_.CompanyName);
        w_.tab(47);
        w_.text(date);
        w_.endLine();
        blank();
        line(kDashes43);
        start();
        w_.tab(23);
        w_.text(kBanner);
        w_.endLine();
        line(kDashes43);
        blank();
        line("DATA:   " + b_.Name);
        blank();
    }

    float f() const { return s_.QuantityFactor; }

    void historyBody() {
        const std::string& qn = s_.QuantityName;
        line(qn + "History: " + b_.Title);
        line("--------------");
        start();
        w_.text("Number of points:");
        w_.tab(44);
        w_.number(b_.PointCount);
        w_.endLine();
        valueLine("Maximum " + qn + "(Smax)" + s_.QuantityUnitBracket + ":",
                  FormatMask(f() * b_.MaxValue, "###0.0##"));
        valueLine("Minimum " + qn + "(Smin)" + s_.QuantityUnitBracket + ":",
                  FormatMask(f() * b_.MinValue, "###0.0##"));
        valueLine(kRecordTimeLabel, FormatMask(b_.RecordTime, "###0.0##"));

        if (b_.LevelCount > 0) {
            blank();
            if (printer_) {
                line("Rainflow Counting:");
            } else {
                line("Rainflow Counting:  ");
                blank();
            }
            if (b_.UltimateStrength > 1.0011f) {
                const float sf = s_.StressFactor;
                line("Mean Stress Effect:");
                valueLine("Ultimate Strength " + s_.StressUnitBracket + ":",
                          FormatMask(sf * b_.UltimateStrength, "#### "));
                valueLine("Yield Strength:" + s_.StressUnitBracket + ":",
                          FormatMask(sf * b_.YieldStrength, "#### "));
                valueLine("Notch Factor:", FormatMask(b_.NotchFactor, "##.0#"));
                // The blank line closes the mean-stress lines, with or without the line after it.
                if (!printer_) {
                    blank();
                    if (omittedKnown()) line(omittedCyclesLine());
                }
            }
            if (printer_) blank();
            spectrumSection(true, "Spectrum Volume [cyc]:", printer_ ? 40 : 41, printer_ ? 41 : 40);
            line(printer_ && omittedKnown() ? omittedCyclesLine() : kDashes32);
        }
        if (b_.FitQ != 0 && b_.FitR != 0) {
            fittedSection(kPrinterMargin);
            blank();
        }
    }

    void keyboardBody() {
        blank();
        line("Source:   " + s_.QuantityName + "Spectrum");
        line("          ---------------");
        spectrumSection(false, printer_ ? "Spectrum Volume [cyc]" : "Spectrum Volume [cyc]:", 40, 41);
        if (printer_) line(kDashes32);
    }

    void distributionBody() {
        const bool generated = s_.BatchKind == 3;
        if (generated) {
            blank();
            if (printer_) {
                line("Source:   " + s_.QuantityName + "Distribution " + s_.DistributionLabel);
                line("          -------------------");
            } else {
                line("Source:   " + s_.DistributionLabel + " Distribution ");
                line("          ---------------------");
            }
            parameterLines(sourceQText(), b_.SourceR);
        }
        blank();
        spectrumSection(true, printer_ ? "Spectrum Volume [cyc]:" : "Spectrum Volume [cyc]",
                        printer_ ? 41 : 40, 41);
        if (b_.FitR == 0 && generated) return;
        blank();
        fittedSection(kPrinterMargin - 1);
    }

    void spectrumSection(bool titled, std::string_view volumeLabel, int headingColumn,
                         int cyclesColumn) {
        const std::string& qn = s_.QuantityName;
        const std::string& qub = s_.QuantityUnitBracket;
        if (titled) {
            line(qn + "Spectrum");
            line("---------------");
        }
        valueLine("No. of Levels:", FormatMask(b_.LevelCount, "######"));
        valueLine("Maximum " + qn + "Range" + " " + qub + ":", FormatMask(f() * b_.MaxRange, "###0.0##"));
        valueLine("Minimum " + qn + "Range" + " " + qub + ":", FormatMask(f() * b_.MinRange, "###0.0##"));
        valueLine(volumeLabel, FormatMask(b_.Volume, "######"));
        valueLine(kRecordTimeLabel, FormatMask(b_.RecordTime, "###0.0##"));
        if (printer_ && b_.LevelCount >= kPrinterTableLimit) return;

        blank();
        start();
        w_.text("Level");
        w_.tab(23);
        w_.text("S (range)" + qub);
        w_.tab(headingColumn);
        w_.text("Cycles");
        w_.endLine();
        line(kDashes32);
        // A level count beyond the tables is no spectrum this program writes; stay inside.
        const int levels = std::min<int>(b_.LevelCount, kMaxLevels);
        for (int i = 1; i <= levels; ++i) {
            const auto k = static_cast<size_t>(i);
            start();
            w_.number(i);
            w_.tab(24);
            w_.text(FormatMask(f() * b_.LevelRange[k], "####0.0#"));
            w_.tab(cyclesColumn);
            w_.text(FormatMask(b_.LevelCycles[k], "######0"));
            w_.endLine();
        }
    }

    void fittedSection(int titleMargin) {
        start(titleMargin);
        w_.text(s_.QuantityName + "Distribution " + s_.DistributionLabel);
        w_.endLine();
        line("-------------------");
        parameterLines(fittedQText(), b_.FitR);
    }

    void parameterLines(const std::string& qText, float r) {
        start();
        w_.text("Parameters:");
        w_.tab(kValueColumn);
        w_.text("Q = " + qText);
        w_.endLine();
        start();
        w_.text("           ");
        w_.tab(kValueColumn);
        w_.text("R = " + FormatMask(r, "###0.0##"));
        w_.endLine();
    }

    // Beta and Weibull values are singles and are shown with a single's digits; the
    // Log-norm mean comes with a logarithm taken in double.
    std::string qText(double shown) const {
        if (s_.DistributionType == 3) return FormatMask(shown, "##0.0##");
        return FormatMask(static_cast<float>(shown), "##0.0##");
    }
    std::string sourceQText() const {
        return qText(DisplayedSourceQ(s_.DistributionType, b_.SourceQ, f()));
    }
    std::string fittedQText() const {
        return qText(DisplayedFitQ(s_.DistributionType, b_.FitQ, f(), b_.MaxRange));
    }

    // The cycles of the last count that fell below the lowest level, as the spectrum
    // information panel shows them. Only the batch whose levels that count built has them:
    // another batch (read from the database, say) must not report a count that is not its own.
    bool omittedKnown() const { return b_.OmittedCycles >= 0; }
    std::string omittedCyclesLine() const { return OmittedCyclesText(b_.OmittedCycles); }

    const AppState& s_;
    const DataBatch& b_;
    const bool printer_;
    ReportWriter w_;
};

}  // namespace

std::vector<std::string> SummaryReport::texts() const {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const ReportLine& l : lines) out.push_back(l.text());
    return out;
}

std::string ReportDate(int year, int month, int day) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", month, day, year);
    return buf;
}

std::string TodayReportDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ReportDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

SummaryReport BuildSummaryReport(const AppState& s, SummaryForm form, const std::string& date) {
    SummaryReport r;
    r.form = form;
    r.lines = SummaryBuilder(s, form).build(date);
    return r;
}

std::string SummaryFileBytes(const AppState& s, const std::string& date) {
    std::string out;
    for (const ReportLine& l : BuildSummaryReport(s, SummaryForm::File, date).lines) {
        out += Utf8ToCp1252(l.text());
        out += "\r\n";
    }
    return out;
}

bool WriteSummaryFile(const AppState& s, Prompter& p, const std::string& path,
                      const std::string& date) {
    std::string error;
    try {
        error = ReplaceFileAtomically(path, SummaryFileBytes(s, date));
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (error.empty()) return true;
    p.tell(kSummaryFileTitle, error, Icon::Exclamation);
    return false;
}

bool SummaryToChosenFile(const AppState& s, Prompter& p, const std::string& fileName,
                         const std::string& date) {
    if (fileName.empty()) return false;
    return WriteSummaryFile(s, p, fileName, date);
}

int SummaryPrintCopies(int copyCount) { return copyCount < 1 ? 1 : copyCount; }

bool AskPrinterNotReady(Prompter& p, const std::string& title) {
    return p.ask(Prompt{title, kPrinterNotReadyText, Icon::Exclamation, Buttons::RetryCancel, 0}) ==
           Answer::Retry;
}

std::vector<SummaryPage> SummaryPages(const SummaryReport& r, double pageHeightMm) {
    const SummaryPrinterSetup& p = r.printer;
    const double usable = pageHeightMm - p.topMarginMm - p.bottomMarginMm;
    const size_t perPage = std::max<size_t>(1, static_cast<size_t>(std::max(0.0, usable / p.lineHeightMm)));
    std::vector<SummaryPage> pages;
    for (size_t first = 0; first < r.lines.size(); first += perPage)
        pages.push_back({first, std::min(r.lines.size(), first + perPage)});
    if (pages.empty()) pages.push_back({});
    return pages;
}

void DrawSummaryPage(Canvas& c, const SummaryReport& r, const SummaryPage& page) {
    const SummaryPrinterSetup& p = r.printer;
    const double dpi = c.dotsPerInch() > 0 ? c.dotsPerInch() : 96.0;
    const double mmPerDot = 25.4 / dpi;
    c.setScale(0, 0, c.deviceWidth() * mmPerDot, c.deviceHeight() * mmPerDot);
    c.setColor(kBlack);
    c.setFont(Font{p.fontName, static_cast<double>(p.fontSize), p.bold, p.italic});
    double y = p.topMarginMm;
    for (size_t i = page.first; i < page.end && i < r.lines.size(); ++i, y += p.lineHeightMm)
        for (const ReportSegment& seg : r.lines[i].segments)
            c.text((seg.column - 1) * p.columnWidthMm, y, seg.text);
}

}  // namespace karmo
