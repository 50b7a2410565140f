#include "ExampleDatabase.h"

#include <filesystem>
#include <iostream>
#include <sstream>
#include <vector>

#include "Cli.h"
#include "CliPrompter.h"
#include "Pipeline.h"
#include "core/Units.h"
#include "database/BatchOps.h"
#include "database/DatabaseFile.h"
#include "distribution/DistributionFit.h"
#include "spectrum/SpectrumLevels.h"

namespace karmo::tools {

namespace {

// Opens the database written so far and positions on a new batch behind the last.
bool openForNewBatch(AppState& s, cli::CliPrompter& p, const std::string& dir) {
    cli::PrepareState(s, false, false);
    s.DatabaseDir = dir;
    s.HistoryDir = dir;
    if (ReadDatabase(s, p) != DatabaseRead::Loaded) return false;
    SelectNewOrLastBatch(s);
    cli::SetQuantity(s, false);
    return s.CurrentBatch == s.BatchCount + 1;
}

bool store(AppState& s, cli::CliPrompter& p, const std::string& name) {
    s.batch().Name = name;
    s.BatchCount = s.CurrentBatch;
    s.NewBatch = false;
    FillWorkingLevels(s);
    CommitBatch(s);
    s.DatabaseModified = true;
    return WriteDatabase(s, p) == DatabaseWrite::Written;
}

}  // namespace

bool MakeExampleDatabase(const std::string& dir, const std::string& seriesPath) {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
    std::filesystem::create_directories(dir, ec);

    // Batch 1: the measured series, counted with the mean-stress correction and fitted, as
    // "karmo-cli db add" does it.
    std::ostringstream out, err;
    const int status = cli::RunCli({"db", "add", dir, seriesPath, "--gate", "1", "--levels", "12", "--mse",
                                    "520,355,1.6", "--fit", "weibull", "--name", "Axle bracket B1, test track"},
                                   out, err);
    if (status != 0) {
        std::cerr << "make-examples: batch 1: " << err.str();
        return false;
    }

    // Batch 2: a spectrum typed in level by level (a block programme from a test rig).
    {
        AppState s;
        cli::CliPrompter p(std::cerr, false);
        if (!openForNewBatch(s, p, dir)) return false;
        DataBatch& b = s.batch();
        const std::vector<int32_t> cycles = {2, 16, 120, 850, 5200, 24000, 98000, 310000};
        b.LevelCount = static_cast<int16_t>(cycles.size());
        b.MaxRange = 320;
        b.MinRange = 40;
        // The levels as keyboard entry lays them: from the largest range down in equal steps.
        const float dS = (b.MaxRange - b.MinRange) / static_cast<float>(b.LevelCount - 1);
        b.Volume = 0;
        for (int j = 1; j <= b.LevelCount; ++j) {
            b.LevelRange[static_cast<size_t>(j)] = b.MaxRange - dS * static_cast<float>(j - 1);
            b.LevelCycles[static_cast<size_t>(j)] = cycles[static_cast<size_t>(j - 1)];
            b.Volume += cycles[static_cast<size_t>(j - 1)];
        }
        b.RecordTime = 600;
        s.BatchKind = 2;
        s.EditChoice = 1;
        if (!store(s, p, "Rig block programme, 10 h")) return false;
    }

    // Batch 3: a spectrum generated from a Weibull distribution, then fitted again.
    {
        AppState s;
        cli::CliPrompter p(std::cerr, false);
        if (!openForNewBatch(s, p, dir)) return false;
        cli::SynthOptions o{"weibull", "48", "1.25", "280", "20", "15", "1000000"};
        cli::SynthesizeFromOptions(s, p, o);
        s.batch().RecordTime = 1200;
        if (!store(s, p, "Design spectrum, Weibull")) return false;
    }
    return true;
}

}  // namespace karmo::tools
