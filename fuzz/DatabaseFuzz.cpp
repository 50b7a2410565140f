// kardt.dat, with what an interrupted save may have left beside it (kardt.new, staged
// history files): the recovery, the read, and the save of what was read.
#include <sstream>

#include "FuzzSupport.h"
#include "database/DatabaseFile.h"

using namespace karmo;

namespace {

bool anyPending(const std::filesystem::path& dir) {
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".new") == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    fuzz::BytePrompter p(in.take());
    const uint8_t leftovers = in.take();

    const std::filesystem::path dir = fuzz::scratchDir();
    if (leftovers & 1) fuzz::writeFile(dir / "kardt.new", "-3 \r\n");
    for (int n = 1; n <= 3; ++n)
        if (leftovers & (1u << n)) fuzz::writeFile(dir / PendingHistoryName(n), "\"staged\"\r\n");
    fuzz::writeFile(dir / "kardt.dat", in.rest());

    AppState s;
    s.DatabaseDir = s.HistoryDir = dir.string();
    s.BatchCount = 2;
    s.batch(1).Name = "kept";
    const AppState before = s;
    const DatabaseRead r = ReadDatabase(s, p);
    if (r != DatabaseRead::Loaded) {
        fuzz::check(s.Batches == before.Batches && s.BatchCount == before.BatchCount,
                    "a refused read keeps the batches");
        return 0;
    }
    fuzz::check(!anyPending(dir), "the recovery leaves no staged file");
    fuzz::check(s.BatchCount >= 1 && s.BatchCount <= kMaxBatches, "a batch count within the slots");
    for (int i = 1; i <= s.BatchCount; ++i) {
        const DataBatch& b = s.batch(i);
        fuzz::check(b.LevelCount >= 0 && b.LevelCount <= kMaxLevels, "a level count within the table");
        for (float v : {b.RecordTime, b.MaxValue, b.MinValue, b.MaxRange, b.MinRange, b.FitQ, b.FitR})
            fuzz::check(std::isfinite(v), "finite fields");
    }

    // What was read is written and reads back; once read back, it is written as the same
    // bytes (the first write may move a value within its seventh digit).
    const std::string first = DatabaseFileText(s);
    AppState back;
    std::istringstream firstIn(first);
    fuzz::check(ReadDatabaseStream(back, p, firstIn) == DatabaseRead::Loaded, "a written database reads back");
    fuzz::check(back.BatchCount == s.BatchCount, "every batch reads back");
    const std::string second = DatabaseFileText(back);
    AppState again;
    std::istringstream secondIn(second);
    fuzz::check(ReadDatabaseStream(again, p, secondIn) == DatabaseRead::Loaded, "a database written twice reads back");
    fuzz::check(DatabaseFileText(again) == second, "the same bytes written again");
    return 0;
}
