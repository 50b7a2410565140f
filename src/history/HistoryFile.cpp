#include "history/HistoryFile.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "core/AtomicFile.h"
#include "core/NumberForms.h"
#include "core/Single.h"

namespace karmo {

namespace {

// Room reserved up front for the values a header announces when the length of the input
// is unknown: the count is only a claim, so beyond this the storage grows with the values
// that actually arrive.
constexpr size_t kReserveCap = size_t{1} << 20;

// The most values the rest of the input can hold (each takes at least one character and a
// separator), so that a true count is reserved at once and a false one costs nothing.
size_t roomForValues(std::istream& in) {
    const std::istream::pos_type here = in.tellg();
    if (here == std::istream::pos_type(-1)) return kReserveCap;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.clear();
    in.seekg(here);
    if (end == std::istream::pos_type(-1) || !in) {
        in.clear();
        return kReserveCap;
    }
    return (static_cast<size_t>(end - here) + 1) / 2;
}

std::string lastPathPart(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte length of the first n characters of a UTF-8 text.
size_t utf8PrefixBytes(std::string_view s, size_t n) {
    size_t i = 0;
    for (size_t chars = 0; i < s.size() && chars < n; ++chars) {
        ++i;
        while (i < s.size() && isUtf8Continuation(s[i])) ++i;
    }
    return i;
}

size_t utf8Length(std::string_view s) {
    return static_cast<size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return !isUtf8Continuation(c); }));
}

// The chosen file name without its extension and point (its last four characters).
std::string titleFromFileName(std::string_view fileName) {
    const std::string name = lastPathPart(fileName);
    const size_t len = utf8Length(name);
    std::string title = len > 4 ? name.substr(0, utf8PrefixBytes(name, len - 4)) : std::string();
    return title.substr(0, utf8PrefixBytes(title, kTitleLength));
}

bool endsWithTxt(std::string_view fileName) {
    return fileName.size() >= 3 && fileName.substr(fileName.size() - 3) == "txt";
}

// A failed read: the message has been shown; the caller keeps the state from before.
struct ReadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void failRead(const std::string& text) { throw ReadFailure(text); }

// The read history before it is accepted into the batch.
struct ReadResult {
    std::string title;               // UTF-8, cut to 30 characters
    bool hasHeader = false;
    float recordTime = 0;
    int32_t claimed = 0;             // the header's count, or the header-less limit
    int32_t pointCount = 0;
    std::vector<float> values;       // slot 0 spare, then the values read
    float maxValue = 0, minValue = 0;
    bool modified = false;           // shortened by the end of the file
};

int32_t headerCount(double claimed) {
    if (!std::isfinite(claimed) || claimed >= 2147483647.5 || claimed <= -2147483648.5)
        failRead("The number of data points in the file header is out of range.");
    return RoundHalfEven(claimed);
}

// A number read into a Single and divided by the display factor of its file; false when
// it does not fit (a Single cannot hold it, or it is not finite).
bool toSingle(double item, float divisor, float& out) {
    const std::optional<float> v = ToSingle(item);
    if (!v) return false;
    out = *v / divisor;
    return IsFiniteSingle(out);
}

// The next list item as a number; an item that is not one is named in the message.
bool readNumber(ListReader& list, double& out, const std::string& what, size_t index = 0) {
    try {
        return list.readNumber(out);
    } catch (const ListItemTooLong&) {
        throw;
    } catch (const ListInputError&) {
        failRead(what + (index > 0 ? std::to_string(index) : std::string()) +
                 " is not a number.");
    }
    return false;
}

std::string flatText(const AppState& s, int32_t count) {
    return "All " + std::to_string(count) + " data points are equal.\nA " + s.QuantityName +
           "History needs at least 3.";
}

std::string readErrorText(const std::istream& in) {
    return in.bad() ? std::string(std::strerror(errno != 0 ? errno : EIO)) : std::string();
}

}  // namespace

std::string HistoryFileName(int batch) { return "karhs." + std::to_string(batch); }

std::string HistoryFilePath(std::string_view dir, int batch) {
    return JoinPath(dir, HistoryFileName(batch));
}

std::string ReadingHistoryTitle(const AppState& s) { return "Reading " + s.QuantityName + "History"; }
std::string SavingHistoryTitle(const AppState& s) { return "Saving " + s.QuantityName + "History"; }

HistoryRead ReadHistoryFile(AppState& s, Prompter& p, int batch, std::istream& in,
                            std::string_view fileName) {
    DataBatch& b = s.batch(batch);
    const int32_t expected = b.PointCount;   // what the database holds for this batch
    s.ProcessedCount = 0;
    BusyScope busy(p);
    p.processPendingEvents();

    const std::string title = ReadingHistoryTitle(s);
    auto question = [&](const std::string& text) {
        return p.ask(Prompt{title, text, Icon::Question, Buttons::YesNo, 0});
    };
    auto decline = [&](HistoryRead how) {
        s.LoadedCount = 0;
        b.PointCount = expected;
        return how;
    };

    ReadResult r;
    try {
        const size_t room = roomForValues(in);
        ListReader list(in);
        errno = 0;
        int32_t& claimed = r.claimed;
        claimed = kHeaderlessCount;
        if (s.TextHasHeader == -1) {
            r.hasHeader = true;
            std::string rawTitle;
            double count = 0, recordTime = 0;
            if (!list.readString(rawTitle) ||
                !readNumber(list, count, "The number of data points in the file header") ||
                !readNumber(list, recordTime, "The record time in the file header")) {
                const std::string err = readErrorText(in);
                failRead(err.empty() ? "The file ends within its header." : err);
            }
            r.title = Cp1252ToUtf8(std::string_view(rawTitle).substr(0, kTitleLength));
            claimed = headerCount(count);
            if (claimed < 3)
                failRead("The file announces " + std::to_string(claimed) + " data points.\nA " +
                         s.QuantityName + "History needs at least 3.");
            if (!toSingle(recordTime, 1.0f, r.recordTime))
                failRead("The record time in the file header is out of range.");
        } else {
            r.title = titleFromFileName(fileName);
        }

        const float divisor = endsWithTxt(fileName) ? s.QuantityFactor : 1.0f;
        r.values.reserve(std::min(static_cast<size_t>(claimed), room) + 2);
        r.values.push_back(0.0f);
        double item = 0;
        float v = 0;
        while (static_cast<int64_t>(r.values.size()) <= claimed &&
               readNumber(list, item, "Data point ", r.values.size())) {
            if (!toSingle(item, divisor, v))
                failRead("Data point " + std::to_string(r.values.size()) + " is out of range.");
            r.values.push_back(v);
        }
        if (const std::string err = readErrorText(in); !err.empty()) failRead(err);

        const auto read = static_cast<int32_t>(r.values.size() - 1);
        if (read < 2)
            failRead("The file holds " + std::to_string(read) + " data points only.\nA " +
                     s.QuantityName + "History needs at least 2.");
        r.pointCount = claimed;
        if (read < claimed) {
            if (r.hasHeader &&
                question("Can read " + std::to_string(read) + " data points only.\nContinue?") !=
                    Answer::Yes)
                return decline(HistoryRead::DeclinedShort);
            r.pointCount = read;
            r.modified = true;
        }
        r.values.push_back(0.0f);   // spare slot PointCount + 1

        r.maxValue = r.minValue = r.values[1];
        for (size_t i = 2; i <= static_cast<size_t>(r.pointCount); ++i) {
            if (r.values[i] > r.maxValue) r.maxValue = r.values[i];
            if (r.values[i] < r.minValue) r.minValue = r.values[i];
        }
        // A flat record has no peak or valley: its reduction leaves two equal points, which
        // no history file can hold.
        if (r.maxValue == r.minValue) failRead(flatText(s, r.pointCount));
        // Counting takes differences of values: the largest must fit a Single too.
        if (!ToSingle(static_cast<double>(r.maxValue) - r.minValue))
            failRead("The range of the " + s.QuantityName + "History is out of range.");
    } catch (const std::exception& e) {   // our own failures, list input errors, no memory
        p.ask(Prompt{title, e.what(), Icon::Exclamation, Buttons::Ok, 0});
        return decline(HistoryRead::Failed);
    }

    int32_t processed = r.pointCount - r.pointCount % 2;
    float maxValue = b.MaxValue, minValue = b.MinValue;
    if (!(r.maxValue == maxValue && r.minValue == minValue)) {
        maxValue = r.maxValue;
        minValue = r.minValue;
    }

    // A history stored for this batch must have the length the database gives it and be
    // closed: start and end at the same extreme.
    bool mismatchAccepted = false;
    if (expected != 0) {
        const float first = r.values[1];
        const float last = r.values[static_cast<size_t>(r.pointCount)];
        const bool closed =
            (first == maxValue && last == maxValue) || (first == minValue && last == minValue);
        const int64_t diff = static_cast<int64_t>(r.pointCount) - expected;
        if (diff > 1 || diff < -1 || !closed) {
            if (question("The " + s.QuantityName +
                         "History does not match to that one specified in the Database.\n"
                         "Continue?") != Answer::Yes)
                return decline(HistoryRead::DeclinedMismatch);
            mismatchAccepted = true;
        }
    }

    // Accepted: commit everything at once.
    b.Title = std::move(r.title);
    if (r.hasHeader) b.RecordTime = r.recordTime;
    b.MaxValue = maxValue;
    b.MinValue = minValue;
    // The display mode follows the announced length, as the plot is prepared for it.
    s.FastDisplay = r.claimed < kFastDisplayCount ? 0 : -1;
    if (r.modified) s.HistoryModified = true;
    if (mismatchAccepted) {
        s.BackupValues.assign(static_cast<size_t>(processed) + 2, 0.0f);
        b.Saved.PointCount = processed + 1;
        s.HistoryModified = true;
    }
    // An odd history loses its last point; its slot becomes the spare one.
    b.PointCount = processed;
    r.values.resize(static_cast<size_t>(processed) + 2);
    r.values.back() = 0.0f;
    // Don't keep the room reserved for a count the file did not hold.
    if (r.values.capacity() - r.values.size() > r.values.size() / 4 + 1024) r.values.shrink_to_fit();
    s.Values = std::move(r.values);
    s.ProcessedCount = processed;
    s.LoadedCount = processed;
    return HistoryRead::Loaded;
}

OpenHistoryResult OpenChkHFile(AppState& s, Prompter& p) {
    OpenHistoryResult result;
    const std::string& path = s.HistoryPath;
    {
        std::error_code ec;
        errno = 0;
        std::ifstream in;
        if (std::filesystem::is_directory(path, ec)) {
            errno = EISDIR;
        } else {
            in.open(path, std::ios::binary);
        }
        if (!in.is_open()) {
            const int err = errno != 0 ? errno : ENOENT;
            p.ask(Prompt{ReadingHistoryTitle(s), std::strerror(err), Icon::Exclamation,
                         Buttons::Ok, 0});
            return result;
        }
        BusyScope busy(p);
        p.processPendingEvents();
        result.read = ReadHistoryFile(s, p, s.CurrentBatch, in, path);
    }
    result.focusNextBatch = result.read == HistoryRead::DeclinedMismatch;
    if (result.read != HistoryRead::Loaded) return result;

    // Loading a batch's own file while the database is being edited.
    if (path == HistoryFilePath(s.HistoryDir, s.CurrentBatch) && s.DatabaseEditFlag) {
        DataBatch& b = s.batch();
        if (b.Name.empty()) b.Name = "Batch " + std::to_string(s.CurrentBatch);
        if (s.BackupValues.size() > 1 && s.BackupValues[1] == kUnstoredHistoryMarker)
            s.HistoryModified = true;
    }
    s.ViewStart = 1;
    s.HistoryShown = true;
    result.drawHistory = true;
    return result;
}

namespace {

// Number of values written (PointCount, clamped to the values held) and the closing value
// if one is due.
struct HistoryLayout {
    size_t count = 0;
    bool closing = false;
    float closingValue = 0;
};

HistoryLayout historyLayout(const AppState& s, int batch) {
    const DataBatch& b = s.batch(batch);
    HistoryLayout l;
    const size_t held = s.Values.empty() ? 0 : s.Values.size() - 1;
    l.count = std::min(static_cast<size_t>(std::max(b.PointCount, 0)), held);
    if (l.count >= 2) {
        const float first = s.Values[1], second = s.Values[2], last = s.Values[l.count];
        if (first <= second) {
            l.closing = last != b.MinValue;
            l.closingValue = b.MinValue;
        } else {
            l.closing = last != b.MaxValue;
            l.closingValue = b.MaxValue;
        }
    }
    return l;
}

constexpr size_t kWriteBlock = size_t{1} << 16;

// What the reader would refuse is not written: a file the program cannot read back loses
// the history it was meant to keep.
void checkWritable(const AppState& s, int batch, const HistoryLayout& l) {
    const DataBatch& b = s.batch(batch);
    const std::string q = s.QuantityName;
    const size_t written = l.count + (l.closing ? 1 : 0);
    if (written < 3)
        throw std::runtime_error("The " + q + "History has " + std::to_string(written) +
                                 " data points to write.\nA " + q + "History needs at least 3.");
    // Flat as the reader sees it: every value written, the closing one included, equal.
    const auto first = s.Values.begin() + 1, end = first + static_cast<std::ptrdiff_t>(l.count);
    if (std::all_of(first, end, [&](float v) { return v == *first; }) && (!l.closing || l.closingValue == *first))
        throw std::runtime_error(flatText(s, static_cast<int32_t>(written)));
    for (size_t i = 1; i <= l.count; ++i)
        if (!IsFiniteSingle(s.Values[i]))
            throw std::runtime_error("Data point " + std::to_string(i) + " of batch " +
                                     std::to_string(batch) + " is not a number.");
    if (!IsFiniteSingle(b.RecordTime))
        throw std::runtime_error("The record time of batch " + std::to_string(batch) + " is not a number.");
    if (l.closing && !IsFiniteSingle(l.closingValue))
        throw std::runtime_error("The extremes of batch " + std::to_string(batch) + " are not numbers.");
}

void writeHistory(std::ostream& out, const AppState& s, int batch) {
    const DataBatch& b = s.batch(batch);
    const HistoryLayout l = historyLayout(s, batch);
    checkWritable(s, batch, l);
    out << ListString(Utf8ToCp1252(b.Title)) << "\r\n"
        << ListNumber(l.count + (l.closing ? 1 : 0)) << "\r\n"
        << ListNumber(b.RecordTime) << "\r\n";
    // Lines are gathered into blocks: a stream insertion per value costs more than its text.
    std::string block;
    block.reserve(kWriteBlock + 64);
    auto line = [&](float v) {
        block += ListNumber(v);
        block += "\r\n";
        if (block.size() >= kWriteBlock) {
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
            block.clear();
        }
    };
    for (size_t i = 1; i <= l.count && out; ++i) line(s.Values[i]);
    if (l.closing) line(l.closingValue);
    out.write(block.data(), static_cast<std::streamsize>(block.size()));
    // Report the failed write itself (a full disk, say) while errno still tells it.
    if (!out) throw std::runtime_error(std::strerror(errno != 0 ? errno : EIO));
}

}  // namespace

std::string HistoryFileText(const AppState& s, int batch) {
    std::ostringstream out;
    writeHistory(out, s, batch);
    return std::move(out).str();
}

void WriteHistoryFile(AppState& s, Prompter& p, int batch, int16_t& ok) {
    BusyScope busy(p);
    p.processPendingEvents();
    const std::string path = JoinPath(s.DatabaseDir, s.SaveFileName);
    // Stored into its own batch's file, the history is no longer modified.
    const bool ownFile =
        s.HistoryDir == s.DatabaseDir && s.SaveFileName == HistoryFileName(s.CurrentBatch);
    const std::string error =
        ReplaceFileAtomically(path, [&](std::ostream& out) { writeHistory(out, s, batch); });
    if (!error.empty()) {
        p.ask(Prompt{SavingHistoryTitle(s), error, Icon::Exclamation, Buttons::Ok, 0});
        return;
    }
    if (ownFile) s.HistoryModified = false;
    ok = 1;
}

int RenameHistoryFile(std::string_view dir, int from, int to) {
    // rename() replaces an existing target in one step, so a failed move leaves it in place.
    const std::string source = HistoryFilePath(dir, from);
    const std::string target = HistoryFilePath(dir, to);
    errno = 0;
    if (std::rename(source.c_str(), target.c_str()) != 0) return errno != 0 ? errno : EIO;
    return 0;
}

}  // namespace karmo
