#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "CliPrompter.h"
#include "Commands.h"
#include "JsonWriter.h"
#include "Output.h"
#include "Pipeline.h"
#include "core/AtomicFile.h"
#include "core/NumberForms.h"
#include "core/Units.h"
#include "database/BatchOps.h"
#include "database/DatabaseFile.h"
#include "distribution/DistributionFit.h"
#include "history/HistoryChecks.h"
#include "history/HistoryFile.h"
#include "report/SummaryReport.h"
#include "spectrum/MeanStress.h"

namespace karmo::cli {

namespace {

// A batch number as typed: a whole number (range checked against the database later).
int batchNumber(const std::string& text) {
    double v = 0;
    if (!ParseNumericText(text, v) || v != static_cast<double>(static_cast<int>(v)) || v < 1 || v > 1000)
        FailUsage("N must be a batch number, not " + text);
    return static_cast<int>(v);
}

bool databaseExists(const std::string& dir) {
    std::error_code ec;
    return std::filesystem::exists(JoinPath(dir, kDatabaseFileName), ec) ||
           std::filesystem::exists(JoinPath(dir, kPendingDatabaseName), ec);
}

// Opens the Loading Database of dir as "&Open Database" does; throws when it cannot be used.
void openDatabase(AppState& s, CliPrompter& p, const std::string& dir) {
    const size_t before = p.messages().size();
    s.DatabaseDir = dir;
    s.HistoryDir = dir;
    const DatabaseRead r = ReadDatabase(s, p);
    if (r == DatabaseRead::Failed || s.DatabaseReadFailed)
        FailInput(p, before, "karmo-cli: " + dir + ": the Loading Database could not be read");
    if (r == DatabaseRead::Empty) s.BatchCount = 0;
    s.HistoryDir = s.DatabaseDir;
    s.DatabaseModified = false;
}

void checkBatch(const AppState& s, const CliPrompter& p, int n, const std::string& dir) {
    if (n < 1 || n > s.BatchCount)
        FailInput(p, p.messages().size(),
                  "karmo-cli: " + dir + " has no batch " + std::to_string(n) + " (it holds " +
                      std::to_string(s.BatchCount) + ")");
}

int dbList(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    NeedPositional(a, 1, "DBDIR");
    CliPrompter p(err, false);
    AppState s;
    PrepareState(s, false, false);
    openDatabase(s, p, a.positional[0]);

    std::ostringstream text;
    if (a.has("--json")) {
        JsonWriter j(text);
        j.beginObject().field("format", s.DatabaseFormat);
        j.key("batches").beginArray();
        for (int i = 1; i <= s.BatchCount; ++i) WriteBatchJson(j, s, i, i);
        j.endArray().endObject();
        text << '\n';
    } else {
        text << "Loading Database " << a.positional[0] << ": " << s.BatchCount << " batches\n";
        for (int i = 1; i <= s.BatchCount; ++i) {
            const DataBatch& b = s.batch(i);
            text << "  " << i << "  " << b.Name << "  (" << QuantityWord(b.Quantity) << "; "
                 << b.PointCount << " points, " << b.LevelCount << " levels, volume " << b.Volume << ")\n";
        }
    }
    out << text.str();
    return 0;
}

int dbAdd(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    NeedPositional(a, 2, "DBDIR and INPUT");
    const std::string dir = a.positional[0];
    const InputOptions o = InputOptionsFrom(a);
    const SpectrumOptions so = SpectrumOptionsFrom(a);
    CliPrompter p(err, a.has("--no"));
    AppState s;
    PrepareState(s, o.us, o.strain);
    s.DatabaseDir = dir;
    s.HistoryDir = dir;
    if (databaseExists(dir)) openDatabase(s, p, dir);

    size_t before = p.messages().size();
    if (s.BatchCount >= kMaxBatches)
        FailInput(p, before, "karmo-cli: " + dir + " holds " + std::to_string(kMaxBatches) + " batches already");
    SelectNewOrLastBatch(s);
    const int n = s.CurrentBatch;
    if (n != s.BatchCount + 1) FailInput(p, before, "karmo-cli: no room for a new batch in " + dir);
    const std::string name = a.value("--name").value_or("Batch " + std::to_string(n));
    if (const std::string refusal = ValidateBatchName(name); !refusal.empty()) {
        p.tell(std::string(kLoadingDatabaseTitle), refusal, Icon::Critical);
        FailInput(p, before, "");
    }

    SetQuantity(s, o.strain);
    LoadHistory(s, p, a.positional[1], o);
    RemoveConflicts(s, p);
    CountSpectrum(s, p, so);

    // Only now is anything written: the history file of the new batch, then kardt.dat.
    before = p.messages().size();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) FailInput(p, before, "karmo-cli: " + dir + ": " + ec.message());
    const std::string historyPath = HistoryFilePath(dir, n);
    const bool historyExisted = std::filesystem::exists(historyPath, ec);
    DataBatch& b = s.batch();
    b.Name = name;
    s.SaveFileName = HistoryFileName(n);
    int16_t ok = 0;
    WriteHistoryFile(s, p, n, ok);
    if (ok != 1) FailInput(p, before, "karmo-cli: " + historyPath + " could not be written");
    b.HasHistory = true;
    s.BatchCount = static_cast<int16_t>(n);
    s.NewBatch = false;
    CommitBatch(s);
    s.DatabaseModified = true;
    const DatabaseWrite w = WriteDatabase(s, p);
    if (w != DatabaseWrite::Written) {
        if (!historyExisted) std::filesystem::remove(historyPath, ec);
        FailInput(p, before, "karmo-cli: the Loading Database in " + dir + " could not be written");
    }
    out << dir << ": batch " << n << " \"" << b.Name << "\" added (" << b.LevelCount << " levels, volume "
        << b.Volume << ")\n";
    return 0;
}

int dbDelete(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    NeedPositional(a, 2, "DBDIR and N");
    const int n = batchNumber(a.positional[1]);
    CliPrompter p(err, false);
    AppState s;
    PrepareState(s, false, false);
    openDatabase(s, p, a.positional[0]);
    checkBatch(s, p, n, a.positional[0]);
    s.CurrentBatch = static_cast<int16_t>(n);
    ApplyQuantity(s, n);
    ToggleBatchDeleted(s);
    const size_t before = p.messages().size();
    const DatabaseWrite w = WriteDatabase(s, p);
    if (w == DatabaseWrite::Written || w == DatabaseWrite::DeletedAll) {
        out << a.positional[0] << ": batch " << n << " deleted\n";
        return 0;
    }
    FailInput(p, before, "karmo-cli: the Loading Database in " + a.positional[0] + " was not changed");
}

bool validDate(const std::string& d) {
    if (d.size() != 10 || d[2] != '-' || d[5] != '-') return false;
    for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u, 8u, 9u})
        if (d[i] < '0' || d[i] > '9') return false;
    const int month = std::stoi(d.substr(0, 2)), day = std::stoi(d.substr(3, 2)), year = std::stoi(d.substr(6));
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return false;
    return day >= 1 && day <= kDays[month - 1] && (month != 2 || day <= 28 || leap);
}

}  // namespace

int DbCommand(const std::string& sub, const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    if (sub == "list") return dbList(a, out, err);
    if (sub == "add") return dbAdd(a, out, err);
    return dbDelete(a, out, err);
}

void OpenDatabaseBatch(AppState& s, CliPrompter& p, const std::string& dir, const std::string& number) {
    const int n = batchNumber(number);
    openDatabase(s, p, dir);
    checkBatch(s, p, n, dir);
    s.CurrentBatch = static_cast<int16_t>(n);
    ApplyQuantity(s, n);
}

int ReportCommand(const ParsedArgs& a, std::ostream& out, std::ostream& err) {
    NeedPositional(a, 2, "DBDIR and N");
    const int n = batchNumber(a.positional[1]);
    const std::string date = a.value("--date").value_or(TodayReportDate());
    if (!validDate(date)) FailUsage("--date takes MM-DD-YYYY, not " + date);
    CliPrompter p(err, false);
    AppState s;
    PrepareState(s, a.has("--us"), false);
    openDatabase(s, p, a.positional[0]);
    checkBatch(s, p, n, a.positional[0]);
    s.CurrentBatch = static_cast<int16_t>(n);
    ApplyQuantity(s, n);
    DataBatch& b = s.batch();
    s.DistributionType = SourceDistributionType(b);
    s.DistributionLabel = DistributionLabelFor(s.DistributionType);
    s.BatchKind = StoredBatchKind(b);
    if (b.UltimateStrength > 1.001f) RebuildDmseLabel(s);

    // kardt.dat does not keep the history title: it comes from the batch's history file.
    const std::string historyPath = HistoryFilePath(s.HistoryDir, n);
    std::error_code ec;
    if (b.PointCount > 0 && std::filesystem::exists(historyPath, ec)) {
        const BatchRecord stored = b;
        s.HistoryPath = historyPath;
        s.TextHasHeader = -1;
        const OpenHistoryResult r = OpenChkHFile(s, p);
        const bool loaded = r.read == HistoryRead::Loaded;
        const std::string title = loaded ? s.batch().Title : std::string();
        const int32_t points = loaded ? s.batch().PointCount : stored.PointCount;
        static_cast<BatchRecord&>(s.batch()) = stored;   // the report shows the stored fields
        s.batch().Title = title;
        // ... but the points of the history itself, as the window reports a loaded history
        // (kardt.dat counts the closing value too)
        s.batch().PointCount = points;
    }

    const auto target = a.value("-o");
    if (a.has("--printer")) {
        const SummaryReport r = BuildSummaryReport(s, SummaryForm::Printer, date);
        std::string text;
        for (const std::string& line : r.texts()) text += line + "\n";
        if (!target) {
            out << text;
            return 0;
        }
        const size_t before = p.messages().size();
        const std::string error = ReplaceFileAtomically(*target, std::string_view(text));
        if (!error.empty()) {
            p.tell(kSummaryPrintTitle, error, Icon::Exclamation);
            FailInput(p, before, "");
        }
        return 0;
    }
    if (!target) {
        out << SummaryFileBytes(s, date);
        return 0;
    }
    const size_t before = p.messages().size();
    if (!WriteSummaryFile(s, p, *target, date)) FailInput(p, before, "karmo-cli: " + *target + " could not be written");
    return 0;
}

}  // namespace karmo::cli
