#pragma once
#include <map>
#include <sstream>
#include <string>

#include "core/AppState.h"
#include "support/TempDir.h"
#include "database/DatabaseFile.h"
#include "database/FileOps.h"
#include "history/HistoryFile.h"

namespace karmo::test {

inline DatabaseRead readText(AppState& s, Prompter& p, const std::string& text) {
    std::istringstream in(text);
    return ReadDatabaseStream(s, p, in);
}

inline std::string historyBytes(int batch) {
    return "\"history of batch " + std::to_string(batch) + "\"\r\n 4\r\n 1\r\n1\r\n2\r\n";
}

// The files of dir other than kardt.dat, name -> content.
inline std::map<std::string, std::string> histories(const TempDir& dir) {
    std::map<std::string, std::string> out;
    for (const std::string& name : dir.entries())
        if (name != "kardt.dat") out[name] = dir.read(name);
    return out;
}

// A batch with values that tell it apart from the others, as a read leaves it.
inline void fillBatch(DataBatch& b, int n, int32_t points = 1000) {
    const float f = static_cast<float>(n);
    static_cast<BatchRecord&>(b) = BatchRecord{.Quantity = "Stress ", .RecordTime = 10 * f,
        .LevelCount = 2, .PointCount = points, .MaxValue = 100 + f, .MinValue = -50 - f,
        .LevelRange = {0, 150 + f, 75.5f}, .LevelCycles = {0, 10 * n, 100 * n},
        .MaxRange = 150 + f, .MinRange = 75.5f, .Volume = 110 * n, .UltimateStrength = 500 + f,
        .Name = "Batch " + std::to_string(n), .YieldStrength = 300, .NotchFactor = 1.5f, .Title = {}};
    b.Saved = b;
    b.Deleted = false;
    b.HasHistory = points > 0;
}

// `count` batches, current batch 1; with a dir: kardt.dat and karhs.1..count on disk.
inline AppState database(int count, int current = 1, const TempDir* dir = nullptr) {
    AppState s;
    for (int i = 1; i <= count; ++i) fillBatch(s.batch(i), i);
    s.BatchCount = static_cast<int16_t>(count);
    s.CurrentBatch = static_cast<int16_t>(current);
    if (dir) {
        s.DatabaseDir = s.HistoryDir = dir->str();
        for (int i = 1; i <= count; ++i) dir->write(HistoryFileName(i), historyBytes(i));
        dir->write("kardt.dat", DatabaseFileText(s));
    }
    return s;
}

// File operations that fail (or stop the program) at one chosen step of a save.
struct Crash {};
class FaultyOps : public FileOps {
public:
    int failAt = -1;        // 1-based number of the changing operation that goes wrong
    bool crash = false;     // true: the program stops there (nothing after runs)
    int steps = 0;          // changing operations attempted so far

    using S = const std::string&;

    FileError write(S p, std::string_view b) override { return step([&] { return FileOps::write(p, b); }); }
    FileError copy(S f, S t) override { return step([&] { return FileOps::copy(f, t); }); }
    FileError rename(S f, S t) override { return step([&] { return FileOps::rename(f, t); }); }
    FileError remove(S p) override { return step([&] { return FileOps::remove(p); }); }

private:
    template <class Op>
    FileError step(Op op) {
        if (++steps != failAt) return op();
        if (crash) throw Crash{};
        return FileError{5, "Input/output error"};
    }
};

}  // namespace karmo::test
