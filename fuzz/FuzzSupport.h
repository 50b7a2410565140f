#pragma once
// Shared parts of the libFuzzer harnesses: a prompter that answers from the input's bytes,
// scratch files, and the checks every read must pass. A failed check aborts, which
// libFuzzer reports as a crash with the input that caused it.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include "core/AppState.h"
#include "core/Prompter.h"
#include "history/HistoryFile.h"

namespace karmo::fuzz {

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const std::string& what) {
    if (!ok) fail(what);
}

// The input split into a few control bytes at the front and the rest.
class Input {
public:
    Input(const uint8_t* data, size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}
    uint8_t take() {
        if (bytes_.empty()) return 0;
        const auto b = static_cast<uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return b;
    }
    std::string_view rest() const { return bytes_; }
    // The rest up to the next occurrence of sep (consumed), or all of it.
    std::string_view part(std::string_view sep) {
        const size_t at = bytes_.find(sep);
        std::string_view p = bytes_.substr(0, at);
        bytes_.remove_prefix(at == std::string_view::npos ? bytes_.size() : at + sep.size());
        return p;
    }

private:
    std::string_view bytes_;
};

// Answers Yes/No (or OK/Cancel) from the bits of one input byte, one bit per question,
// so every branch after a question is reachable; later questions repeat the bits.
class BytePrompter : public Prompter {
public:
    explicit BytePrompter(uint8_t bits, bool cancelProgress = false) : bits_(bits), cancel_(cancelProgress) {}
    Answer ask(const Prompt& p) override {
        ++asked;
        const bool yes = (bits_ >> (n_++ % 8)) & 1u;
        switch (p.buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::OkCancel: return yes ? Answer::Ok : Answer::Cancel;
        default: return yes ? Answer::Yes : Answer::No;
        }
    }
    bool progress(double) override { return !cancel_; }
    int asked = 0;

private:
    uint8_t bits_;
    unsigned n_ = 0;
    bool cancel_;
};

// A scratch directory of this process; emptied first when the harness needs it clean.
inline std::filesystem::path scratchDir(bool empty = true) {
    static const std::filesystem::path dir = [] {
        const char* base = std::getenv("TMPDIR");
        return std::filesystem::path(base ? base : "/tmp") / ("karmo-fuzz-" + std::to_string(::getpid()));
    }();
    std::error_code ec;
    if (empty) std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir);
    return dir;
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    check(static_cast<bool>(out), "scratch file written");
}

// A loaded history: even, finite, within its extremes, its spare slots 0.
inline void checkLoadedHistory(const AppState& s, int batch) {
    const DataBatch& b = s.batch(batch);
    const int32_t n = b.PointCount;
    check(n >= 2 && n % 2 == 0, "an even point count of at least 2");
    check(s.Values.size() == static_cast<size_t>(n) + 2, "Values holds slots 0..PointCount+1");
    check(s.Values[0] == 0 && s.Values[static_cast<size_t>(n) + 1] == 0, "spare slots hold 0");
    check(s.ProcessedCount == n, "ProcessedCount is PointCount");
    for (int32_t i = 1; i <= n; ++i) {
        const float v = s.Values[static_cast<size_t>(i)];
        check(std::isfinite(v), "a finite value");
        check(v <= b.MaxValue && v >= b.MinValue, "a value within the extremes");
    }
    check(std::isfinite(b.RecordTime), "a finite record time");
}

// Reads a history file as the program's own batch file; the number of questions asked.
inline HistoryRead readBack(AppState& back, const AppState& s, const std::string& text, int& asked) {
    back.CurrentBatch = 1;
    back.QuantityName = s.QuantityName;
    back.TextHasHeader = -1;
    BytePrompter p(0);
    std::istringstream in(text);
    const HistoryRead r = ReadHistoryFile(back, p, 1, in, "karhs.1");
    asked = p.asked;
    return r;
}

// Whatever the program writes of a loaded history, it reads back: the same count, and,
// once read back, the same bytes when written again. (The first write may move a value
// within its seventh digit: see NumbersFuzz.)
inline void checkHistoryRoundTrip(const AppState& s, int batch) {
    std::string first;
    try {
        first = HistoryFileText(s, batch);
    } catch (const std::runtime_error&) {
        return;   // refused, with its message: nothing written
    }
    AppState back;
    int asked = 0;
    const HistoryRead r = readBack(back, s, first, asked);
    // Seven significant digits may make a record flat that was not quite.
    if (r != HistoryRead::Loaded) {
        check(r == HistoryRead::Failed && asked == 1, "a written history reads back");
        return;
    }
    check(asked == 0, "a written history reads back without a question");
    checkLoadedHistory(back, 1);
    check(back.batch(1).PointCount == s.batch(batch).PointCount, "the same point count read back");
    const std::string second = HistoryFileText(back, 1);
    AppState again;
    check(readBack(again, s, second, asked) == HistoryRead::Loaded, "a history written twice reads back");
    check(HistoryFileText(again, 1) == second, "the same bytes written again");
}

// A history file read into `batch` of `s` from the rest of the input, and checked: a loaded
// history is sound and survives a round trip, a refused read changes nothing.
inline HistoryRead readHistoryChecked(AppState& s, BytePrompter& p, Input& in, int batch, const char* name) {
    const AppState before = s;
    std::istringstream file{std::string(in.rest())};
    const HistoryRead r = ReadHistoryFile(s, p, batch, file, name);
    if (r == HistoryRead::Loaded) {
        checkLoadedHistory(s, batch);
        checkHistoryRoundTrip(s, batch);
    } else {
        check(s.Values == before.Values, "a refused read keeps the values");
        check(s.Batches == before.Batches, "a refused read keeps the batches");
    }
    return r;
}

}  // namespace karmo::fuzz
