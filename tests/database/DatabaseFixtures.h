#pragma once
#include <fstream>
#include <iterator>
#include <string>

#include "core/AppState.h"
#include "support/TempDir.h"
#include "database/DatabaseFile.h"
#include "database/FileOps.h"
#include "history/HistoryFile.h"

namespace karmo::test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string historyBytes(int batch) {
    return "\"history of batch " + std::to_string(batch) + "\"\r\n 4\r\n 1\r\n1\r\n2\r\n";
}

// A batch with values that tell it apart from the others.
inline void fillBatch(DataBatch& b, int n, int32_t points = 1000) {
    static_cast<BatchRecord&>(b) = BatchRecord{};
    b.Quantity = "Stress ";
    b.RecordTime = 10.0f * static_cast<float>(n);
    b.PointCount = points;
    b.MaxValue = 100.0f + static_cast<float>(n);
    b.MinValue = -50.0f - static_cast<float>(n);
    b.LevelCount = 2;
    b.LevelRange[1] = 150.0f + static_cast<float>(n);
    b.LevelCycles[1] = 10 * n;
    b.LevelRange[2] = 75.5f;
    b.LevelCycles[2] = 100 * n;
    b.MaxRange = b.LevelRange[1];
    b.MinRange = 75.5f;
    b.Volume = 110 * n;
    b.UltimateStrength = 500.0f + static_cast<float>(n);
    b.YieldStrength = 300.0f;
    b.NotchFactor = 1.5f;
    b.Name = "Batch " + std::to_string(n);
    b.Saved = b;
    b.Deleted = false;
    b.HasHistory = points > 0;
}

// A database of `count` batches in dir: kardt.dat and karhs.1..count on disk, the state
// as ReadDatabase leaves it.
inline void makeDatabase(AppState& s, const TempDir& dir, int count) {
    s.DatabaseDir = dir.str();
    s.HistoryDir = dir.str();
    s.BatchCount = static_cast<int16_t>(count);
    s.CurrentBatch = 1;
    for (int i = 1; i <= count; ++i) {
        fillBatch(s.batch(i), i);
        dir.write(HistoryFileName(i), historyBytes(i));
    }
    dir.write("kardt.dat", DatabaseFileText(s));
}

// File operations that fail (or stop the program) at one chosen step of a save.
struct Crash {};
class FaultyOps : public FileOps {
public:
    int failAt = -1;        // 1-based number of the changing operation that goes wrong
    bool crash = false;     // true: the program stops there (nothing after runs)
    int steps = 0;          // changing operations attempted so far

    FileError write(const std::string& path, std::string_view bytes) override {
        if (FileError e = step()) return e;
        return FileOps::write(path, bytes);
    }
    FileError copy(const std::string& from, const std::string& to) override {
        if (FileError e = step()) return e;
        return FileOps::copy(from, to);
    }
    FileError rename(const std::string& from, const std::string& to) override {
        if (FileError e = step()) return e;
        return FileOps::rename(from, to);
    }
    FileError remove(const std::string& path) override {
        if (FileError e = step()) return e;
        return FileOps::remove(path);
    }

private:
    FileError step() {
        if (++steps != failAt) return {};
        if (crash) throw Crash{};
        return FileError{5, "Input/output error"};
    }
};

}  // namespace karmo::test
