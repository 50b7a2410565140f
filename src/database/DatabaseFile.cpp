#include "database/DatabaseFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/AtomicFile.h"
#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/HistoryFile.h"

namespace karmo {

namespace {

const std::string kTitle(kLoadingDatabaseTitle);

void showError(Prompter& p, const std::string& title, const std::string& text) {
    p.ask(Prompt{title, text, Icon::Exclamation, Buttons::Ok, 0});
}

// ---------------------------------------------------------------------------------------
// Reading

struct EndOfFile {};                 // the file ends within a batch
struct ReadStop {                    // the read cannot go on; the message says why
    std::string message;
};

class BatchReader {
public:
    explicit BatchReader(std::istream& in) : r_(in) {}

    // The batch and field being read, for the messages.
    void at(int slot, std::string field) {
        slot_ = slot;
        field_ = std::move(field);
    }

    double number() {
        double v = 0;
        try {
            if (!r_.readNumber(v)) throw EndOfFile{};
        } catch (const ListInputError& e) {
            throw ReadStop{where() + e.what()};
        }
        return v;
    }
    float single() {
        const double v = number();
        const std::optional<float> f = ToSingle(v);
        if (!f) throw ReadStop{outOfRange(v)};
        return *f;
    }
    int16_t integer() {
        const double v = number();
        if (!(v > -32768.5 && v < 32767.5)) throw ReadStop{outOfRange(v)};
        return RoundHalfEven16(v);
    }
    int32_t longInteger() {
        const double v = number();
        if (!(v > -2147483648.5 && v < 2147483647.5)) throw ReadStop{outOfRange(v)};
        return RoundHalfEven(v);
    }
    std::string text() {
        std::string out;
        try {
            if (!r_.readString(out)) throw EndOfFile{};
        } catch (const ListInputError& e) {
            throw ReadStop{where() + e.what()};
        }
        return Cp1252ToUtf8(out);
    }
    // A text written empty at the end of its line (an empty Name) reads as "".
    std::string textToLineEnd() {
        if (r_.atLineEnd()) return {};
        return text();
    }

private:
    std::string where() const {
        if (slot_ < 1) return {};
        return "Data batch " + std::to_string(slot_) + ", " + field_ + ": ";
    }
    std::string outOfRange(double v) const {
        return where() + "Item " + std::to_string(r_.itemsRead()) + " (" + ShortNumber(v) +
               ") is out of range";
    }
    ListReader r_;
    int slot_ = 0;
    std::string field_;
};

void readBatch(BatchReader& r, int16_t format, int slot, BatchRecord& b) {
    auto at = [&](const char* field) { r.at(slot, field); };
    at("Quantity");
    b.Quantity = format == -3 ? r.text() : std::string("Stress ");
    at("RecordTime");
    b.RecordTime = r.single();
    at("LevelCount");
    const int16_t levels = r.integer();
    if (levels < 0 || levels > kMaxLevels)
        throw ReadStop{"Data batch " + std::to_string(slot) + " of the Database has " +
                       std::to_string(levels) + " spectrum levels.\n" +
                       (levels < 0 ? std::string("The number cannot be negative.")
                                   : "A data batch holds at most " + std::to_string(kMaxLevels) +
                                         ".")};
    b.LevelCount = levels;
    at("PointCount");
    b.PointCount = r.longInteger();
    at("MaxValue");
    b.MaxValue = r.single();
    at("MinValue");
    b.MinValue = r.single();
    for (int j = 1; j <= levels; ++j) {
        r.at(slot, "LevelRange(" + std::to_string(j) + ")");
        b.LevelRange[static_cast<size_t>(j)] = r.single();
        r.at(slot, "LevelCycles(" + std::to_string(j) + ")");
        b.LevelCycles[static_cast<size_t>(j)] = r.longInteger();
    }
    at("MaxRange");
    b.MaxRange = r.single();
    at("MinRange");
    b.MinRange = r.single();
    at("Volume");
    b.Volume = r.longInteger();
    at("FitQ");
    b.FitQ = r.single();
    at("FitR");
    b.FitR = r.single();
    at("UltimateStrength");
    b.UltimateStrength = r.single();
    at("Name");
    b.Name = r.textToLineEnd();
    if (format < 0) {
        at("SourceQ");
        b.SourceQ = r.single();
        at("SourceR");
        b.SourceR = r.single();
        at("SourceType");
        b.SourceType = r.single();
    }
    if (format < -1) {
        at("YieldStrength");
        b.YieldStrength = r.single();
        at("NotchFactor");
        b.NotchFactor = r.single();
    } else if (b.UltimateStrength > 1.0f) {
        // Files from before the yield strength was stored: the ultimate strength stands in.
        b.NotchFactor = 1.0f;
        b.YieldStrength = b.UltimateStrength;
    }
    // kardt.dat holds no history title: it comes with the history when that is loaded.
    b.Title.clear();
    b.OmittedCycles = -1;
}

// ---------------------------------------------------------------------------------------
// Writing

std::string nameField(std::string_view name) {
    const std::string cp = Utf8ToCp1252(name);
    // The reader ends an unquoted text at a comma or line end and drops its outer blanks, and
    // a leading quote would start a quoted value: such names are written quoted.
    const bool quote =
        cp.find_first_of(",\r\n") != std::string::npos ||
        (!cp.empty() && (cp.front() == '"' || cp.front() == ' ' || cp.front() == '\t' ||
                         cp.back() == ' ' || cp.back() == '\t'));
    return quote ? ListString(cp) : cp;
}

// A field that is not a finite Single would make the whole file unreadable: the write is
// refused instead, naming the batch and the field.
void checkWritable(const BatchRecord& b, int slot) {
    const int16_t levels = std::clamp<int16_t>(b.LevelCount, 0, kMaxLevels);
    auto check = [&](float v, const std::string& field) {
        if (!IsFiniteSingle(v))
            throw std::runtime_error("Data batch " + std::to_string(slot) + " cannot be saved: its " +
                                     field + " is not a number.");
    };
    check(b.RecordTime, "RecordTime");
    check(b.MaxValue, "MaxValue");
    check(b.MinValue, "MinValue");
    for (size_t j = 1; j <= static_cast<size_t>(levels); ++j)
        check(b.LevelRange[j], "LevelRange(" + std::to_string(j) + ")");
    check(b.MaxRange, "MaxRange");
    check(b.MinRange, "MinRange");
    check(b.FitQ, "FitQ");
    check(b.FitR, "FitR");
    check(b.UltimateStrength, "UltimateStrength");
    check(b.SourceQ, "SourceQ");
    check(b.SourceR, "SourceR");
    check(b.SourceType, "SourceType");
    check(b.YieldStrength, "YieldStrength");
    check(b.NotchFactor, "NotchFactor");
}

void appendBatch(std::string& out, const BatchRecord& b) {
    const std::string_view eol = "\r\n";
    out += ListString(Utf8ToCp1252(b.Quantity.empty() ? "Stress " : b.Quantity));
    out += eol;
    const int16_t levels = std::clamp<int16_t>(b.LevelCount, 0, kMaxLevels);
    out += PrintNumber(b.RecordTime);
    out += PrintNumber(int32_t{levels});
    out += PrintNumber(WrittenPointCount(b.PointCount));
    out += PrintNumber(b.MaxValue);
    out += PrintNumber(b.MinValue);
    out += eol;
    for (size_t j = 1; j <= static_cast<size_t>(levels); ++j) {
        out += PrintNumber(b.LevelRange[j]);
        out += PrintNumber(b.LevelCycles[j]);
        out += eol;
    }
    out += PrintNumber(b.MaxRange);
    out += PrintNumber(b.MinRange);
    out += PrintNumber(b.Volume);
    out += PrintNumber(b.FitQ);
    out += PrintNumber(b.FitR);
    out += PrintNumber(b.UltimateStrength);
    out += nameField(b.Name);
    out += eol;
    out += PrintNumber(b.SourceQ);
    out += PrintNumber(b.SourceR);
    out += PrintNumber(b.SourceType);
    out += PrintNumber(b.YieldStrength);
    out += PrintNumber(b.NotchFactor);
    out += eol;
}

int lastSlot(const AppState& s) { return std::clamp<int>(s.BatchCount, 0, kMaxBatches); }

// Removes the staged files of an abandoned save, kardt.new last: as long as kardt.new
// exists, a later recovery knows that staged files must go, not be renamed into place.
void undoStaging(const std::string& dir, const std::vector<int>& staged, FileOps& ops) {
    for (int n : staged) {
        const std::string path = JoinPath(dir, PendingHistoryName(n));
        if (FileError e = ops.remove(path); e && ops.exists(path)) return;
    }
    ops.remove(JoinPath(dir, kPendingDatabaseName));
}

}  // namespace

std::string PendingHistoryName(int batch) { return HistoryFileName(batch) + ".new"; }

int WrittenNumber(const AppState& s, int slot) {
    if (slot < 1 || slot > lastSlot(s) || s.batch(slot).Deleted) return 0;
    int n = 0;
    for (int i = 1; i <= slot; ++i)
        if (!s.batch(i).Deleted) ++n;
    return n;
}

int32_t WrittenPointCount(int32_t pointCount) {
    if (pointCount <= 0) return 0;
    return pointCount % 2 == 0 ? pointCount + 1 : pointCount;
}

std::string ValidateBatchName(std::string_view name) {
    if (name.find('"') == std::string_view::npos) return {};
    return "A batch name cannot contain a double quote (\").";
}

std::string DatabaseFileText(const AppState& s) {
    int32_t count = 0;
    for (int i = 1; i <= lastSlot(s); ++i)
        if (!s.batch(i).Deleted) ++count;
    std::string out = PrintNumber(int32_t{kDatabaseFormat}) + "\r\n" + PrintNumber(count) + "\r\n";
    for (int i = 1; i <= lastSlot(s); ++i)
        if (!s.batch(i).Deleted) {
            checkWritable(s.batch(i), i);
            appendBatch(out, s.batch(i));
        }
    return out;
}

DatabaseRead ReadDatabaseStream(AppState& s, Prompter& p, std::istream& in) {
    // Fields a format does not hold keep what the slot had, so the copy starts from the tables.
    std::array<BatchRecord, kBatchSlots> read;
    for (size_t i = 0; i < read.size(); ++i) read[i] = s.Batches[i];
    int16_t format = 0;
    int complete = 0;
    try {
        BatchReader r(in);
        int16_t count = 0;
        try {
            format = r.integer();
            count = format > 0 ? format : r.integer();
        } catch (const EndOfFile&) {
            s.DatabaseReadFailed = false;
            return DatabaseRead::Empty;
        }
        if (count < 0 || count > kMaxBatches)
            throw ReadStop{"The Database lists " + std::to_string(count) + " data batches.\n" +
                           (count < 0 ? std::string("The number cannot be negative.")
                                      : "A Database holds at most " +
                                            std::to_string(kMaxBatches) + ".")};
        try {
            for (int i = 1; i <= count; ++i) {
                readBatch(r, format, i, read[static_cast<size_t>(i)]);
                complete = i;
            }
        } catch (const EndOfFile&) {
            // The batches read completely stay usable.
        }
    } catch (const ReadStop& e) {
        showError(p, kTitle, e.message);
        s.DatabaseReadFailed = true;
        return DatabaseRead::Failed;
    } catch (const std::exception& e) {
        showError(p, kTitle, e.what());
        s.DatabaseReadFailed = true;
        return DatabaseRead::Failed;
    }
    s.DatabaseReadFailed = false;
    if (complete == 0) return DatabaseRead::Empty;
    for (int i = 1; i <= complete; ++i) {
        DataBatch& b = s.batch(i);
        static_cast<BatchRecord&>(b) = read[static_cast<size_t>(i)];
        b.Saved = read[static_cast<size_t>(i)];
        b.Deleted = false;
        b.HasHistory = b.PointCount > 0;
    }
    s.BatchCount = static_cast<int16_t>(complete);
    s.DatabaseFormat = format;
    return DatabaseRead::Loaded;
}

FileError RecoverInterruptedSave(const std::string& dir, FileOps& ops) {
    const std::string pending = JoinPath(dir, kPendingDatabaseName);
    if (ops.exists(pending)) {
        // Not committed: the old kardt.dat and its history files are still in place.
        for (int n = 1; n <= kMaxBatches; ++n) {
            const std::string staged = JoinPath(dir, PendingHistoryName(n));
            if (ops.exists(staged))
                if (FileError e = ops.remove(staged)) return e;
        }
        return ops.remove(pending);
    }
    // Committed: kardt.dat is the new one; its history files are completed.
    for (int n = 1; n <= kMaxBatches; ++n) {
        const std::string staged = JoinPath(dir, PendingHistoryName(n));
        if (ops.exists(staged))
            if (FileError e = ops.rename(staged, HistoryFilePath(dir, n))) return e;
    }
    return {};
}

DatabaseRead ReadDatabase(AppState& s, Prompter& p, FileOps& ops) {
    if (FileError e = RecoverInterruptedSave(s.DatabaseDir, ops)) {
        showError(p, kTitle, e.text);
        s.DatabaseReadFailed = true;
        return DatabaseRead::Failed;
    }
    const std::string path = JoinPath(s.DatabaseDir, kDatabaseFileName);
    std::error_code ec;
    int err = 0;
    if (std::filesystem::is_directory(path, ec)) err = EISDIR;
    errno = 0;
    std::ifstream in;
    if (err == 0) {
        in.open(path, std::ios::binary);
        if (!in) err = errno != 0 ? errno : ENOENT;
    }
    if (err != 0) {
        showError(p, kTitle, std::strerror(err));
        s.DatabaseReadFailed = true;
        return DatabaseRead::Failed;
    }
    return ReadDatabaseStream(s, p, in);
}

int RenameHistory(AppState& s, Prompter& p, int from, int to, FileOps& ops) {
    const FileError e = ops.copy(HistoryFilePath(s.HistoryDir, from),
                                 JoinPath(s.HistoryDir, PendingHistoryName(to)));
    if (!e) return 0;
    showError(p, "Rename " + s.QuantityName + "History File", e.text);
    return e.code;
}

// How a save keeps every batch's history readable.
//
// Renumbering cannot be done by moving files in place: with batch 2 of 1 (deleted), 2, 3
// moved to 1 and 3 to 2, karhs.2 is still needed by the old kardt.dat when karhs.3 would
// replace it, and the new kardt.dat needs it replaced. Walking the slots upwards does keep
// every file the NEW database needs (a target number j is below its slot i, and the
// survivor that had slot j has moved on already), but until kardt.dat is replaced the OLD
// database would find foreign histories. Two files cannot change in one step, so the save
// is staged and committed by one rename:
//   1. recover what an earlier interrupted save left in DatabaseDir;
//   2. write the new kardt.dat as kardt.new (it marks the save as not committed);
//   3. copy each history file that gets a new number or directory to "karhs.<j>.new";
//   4. rename kardt.new to kardt.dat: the commit;
//   5. rename each "karhs.<j>.new" to karhs.<j>;
//   6. remove the files a renumbering moved away (not in another directory).
// Up to step 4 the old kardt.dat and all its history files are untouched; a failure removes
// the staged files and then kardt.new. After step 4, staged files without kardt.new mean
// "rename me into place", which ReadDatabase completes if the save was cut short. Files of
// deleted batches stay, unless a renumbered history replaces them.
DatabaseWrite WriteDatabase(AppState& s, Prompter& p, FileOps& ops) {
    if (s.BatchCount <= 0) return DatabaseWrite::Nothing;
    BusyScope busy(p);
    const std::string dir = s.DatabaseDir;
    const bool sameDir = s.HistoryDir == s.DatabaseDir;

    struct Move {
        int from, to;
    };
    std::vector<Move> moves;
    int survivors = 0;
    for (int i = 1; i <= lastSlot(s); ++i) {
        const DataBatch& b = s.batch(i);
        if (b.Deleted) continue;
        ++survivors;
        if (b.PointCount > 0 && (i != survivors || !sameDir)) moves.push_back({i, survivors});
    }

    if (survivors == 0) {
        const Answer a = p.ask(Prompt{"Write Loading Database",
                                      "You have deleted all data in this Database. Press Yes to "
                                      "delete the Database, or No to stop saving the Database",
                                      Icon::Question, Buttons::YesNo, 0});
        if (a != Answer::Yes) return DatabaseWrite::KeptAll;
        const FileError e = ops.remove(JoinPath(dir, kDatabaseFileName));
        if (e && e.code != ENOENT) {
            showError(p, kTitle, e.text);
            return DatabaseWrite::Failed;
        }
        s.DatabaseModified = false;
        return DatabaseWrite::DeletedAll;
    }

    std::string text;
    try {
        text = DatabaseFileText(s);
    } catch (const std::exception& e) {
        showError(p, kTitle, e.what());
        return DatabaseWrite::Failed;
    }
    if (FileError e = RecoverInterruptedSave(dir, ops)) {
        showError(p, kTitle, e.text);
        return DatabaseWrite::Failed;
    }
    if (FileError e = ops.write(JoinPath(dir, kPendingDatabaseName), text)) {
        // The staging name means nothing to the user: name the database file.
        const std::string staged = std::string(kPendingDatabaseName) + ":";
        if (e.text.starts_with(staged)) e.text.replace(0, staged.size(), std::string(kDatabaseFileName) + ":");
        showError(p, kTitle, e.text);
        undoStaging(dir, {}, ops);
        return DatabaseWrite::Failed;
    }
    std::vector<int> staged;
    for (const Move& m : moves) {
        if (sameDir) {
            if (RenameHistory(s, p, m.from, m.to, ops) != 0) {
                undoStaging(dir, staged, ops);
                return DatabaseWrite::Failed;
            }
        } else if (FileError e = ops.copy(HistoryFilePath(s.HistoryDir, m.from),
                                          JoinPath(dir, PendingHistoryName(m.to)))) {
            showError(p, kTitle, e.text);
            undoStaging(dir, staged, ops);
            return DatabaseWrite::Failed;
        }
        staged.push_back(m.to);
    }
    if (FileError e = ops.rename(JoinPath(dir, kPendingDatabaseName),
                                 JoinPath(dir, kDatabaseFileName))) {
        showError(p, kTitle, e.text);
        undoStaging(dir, staged, ops);
        return DatabaseWrite::Failed;
    }

    // Committed. What fails from here on is completed by the next ReadDatabase.
    s.DatabaseModified = false;
    s.HistoryDir = dir;
    for (const Move& m : moves)
        if (m.from != m.to) s.HistoryFilesRenumbered = true;
    if (FileError e = RecoverInterruptedSave(dir, ops)) {
        showError(p, kTitle, e.text);
        return DatabaseWrite::Written;
    }
    if (sameDir) {
        for (const Move& m : moves) {
            const bool stillUsed = std::any_of(moves.begin(), moves.end(),
                                               [&](const Move& o) { return o.to == m.from; });
            if (!stillUsed) ops.remove(HistoryFilePath(dir, m.from));
        }
    }
    return DatabaseWrite::Written;
}

}  // namespace karmo
