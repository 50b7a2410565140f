#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Canvas.h"

namespace karmo {

constexpr int kMaxBatches = 20;     // slots 1..20 are database batches
constexpr int kBatchSlots = 22;     // slot 0 working slot, slot 21 never stored
constexpr int kMaxLevels = 100;
constexpr int kUiIdle = 1;

// The stored fields of one data batch (the record of kardt.dat), plus the history title
// that travels with it. Stresses are in MPa, strains in microstrain.
struct BatchRecord {
    std::string Quantity;           // "Stress " or "Strain "; empty counts as "Stress "
    float RecordTime = 0;           // minutes
    int16_t LevelCount = 0;
    int32_t PointCount = 0;
    float MaxValue = 0;
    float MinValue = 0;
    std::array<float, kMaxLevels + 1> LevelRange{};     // index 0 is not a level
    std::array<int32_t, kMaxLevels + 1> LevelCycles{};
    float MaxRange = 0;
    float MinRange = 0;
    int32_t Volume = 0;
    float FitQ = 0;
    float FitR = 0;
    float UltimateStrength = 0;
    std::string Name;
    float SourceQ = 0;
    float SourceR = 0;
    float SourceType = 0;           // 0 Beta, -1 Weibull, -2 Log-norm
    float YieldStrength = 0;
    float NotchFactor = 0;
    std::string Title;              // history title (not stored in kardt.dat)
    // Counted cycles below the lowest level when the levels were built from a count in
    // this session; -1 when not known (a batch read from kardt.dat, a typed spectrum).
    int32_t OmittedCycles = -1;

    bool operator==(const BatchRecord&) const = default;
};

// Copies the spectrum with its fit, source distribution and material values (the levels,
// MaxRange, MinRange, Volume, FitQ/R, SourceQ/R/Type, Su, Sy, Kf): what an abandoned
// spectrum edit puts back.
void CopySpectrumFields(const BatchRecord& from, BatchRecord& to);

struct DataBatch : BatchRecord {
    BatchRecord Saved;              // as loaded / last committed; restored when an edit is abandoned
    bool Deleted = false;
    bool HasHistory = false;
};

// One counted cycle as the rainflow matrix sees it: its range after any mean-stress
// correction and its mean as counted.
struct CountedCycle {
    float range = 0;
    float mean = 0;
};

// The whole program-wide state. One instance, owned by the window, the command-line
// tool or a test, and passed by reference.
struct AppState {
    // --- batches and database ---
    std::array<DataBatch, kBatchSlots> Batches{};
    int16_t CurrentBatch = 0;
    int16_t BatchCount = 0;
    std::string DatabaseDir;        // set to the current directory at start-up
    std::string HistoryDir;
    std::string CurrentDrive;
    int16_t DatabaseFormat = 0;
    bool DatabaseModified = false;
    bool DatabaseReadFailed = false;
    bool HistoryFilesRenumbered = false;
    bool DatabaseEditFlag = false;  // edit flag of the Loading Database panel
    int16_t DataMode = 0;           // Data Services dialog: 1 save database, 2 save history,
                                    // 3 open, 5 colours, 6 new database
    bool NewBatch = false;          // CurrentBatch is a fresh slot behind the last batch
    bool NewDatabaseSession = false;    // a new database not written yet
    bool SavingHistory = false;     // the Data Services dialog saves the current history
    int16_t ClosingPointAdded = 0;  // 1: the history is stored with its closing extreme
    bool LevelsAtHistoryEdit = false;   // the batch held spectrum levels when its history edit began
    bool SpectrumRebuilt = false;   // the spectrum was rebuilt since the history last changed

    DataBatch& batch() { return Batches[static_cast<size_t>(CurrentBatch)]; }
    const DataBatch& batch() const { return Batches[static_cast<size_t>(CurrentBatch)]; }
    DataBatch& batch(int i) { return Batches[static_cast<size_t>(i)]; }
    const DataBatch& batch(int i) const { return Batches[static_cast<size_t>(i)]; }

    // --- current history (current batch only; 1-based, slots 0 and PointCount+1 spare) ---
    std::vector<float> Values = std::vector<float>(2, 0.0f);
    std::vector<float> BackupValues = std::vector<float>(2, 0.0f);
    int32_t ProcessedCount = 0;
    int32_t LoadedCount = 0;
    bool HistoryModified = false;
    bool HistoryShown = false;
    std::string HistoryPath;        // the file chosen for reading (full path)
    std::string SaveFileName;       // text of the save-name box (File_Name)
    int16_t TextHasHeader = -1;
    int16_t FastDisplay = 0;
    int32_t ViewStart = 1;          // first point of the history window
    // --- history plot window and zoom selection ---
    int32_t ViewCount = 0;          // points in the window; PointCount when a history is loaded
    int32_t ViewEnd = 0;            // last point of the window as last drawn
    int32_t DrawnViewCount = 0;     // ViewCount at the last drawing; an abandoned zoom returns to it
    int32_t SelectFrom = 0;         // requested window: the next drawing starts at SelectFrom
    int32_t SelectTo = 0;
    float BandLow = 0;              // value band of a rectangle mark (BandLow <= BandHigh)
    float BandHigh = 0;
    bool ZoomMarked = false;        // a zoom range was marked and waits for "Re&fresh"
    bool ScrollRedraws = false;     // a change of the scroll bar redraws the plot
    float HistDisplayMax = 0;       // extremes of the drawn history (MaxValue >= MinValue order)
    float HistDisplayMin = 0;
    int16_t StepDirection = 0;      // last step examined by the conflict check: 1 up, 2 down, 0 equal

    // --- interaction ---
    int16_t UiMode = kUiIdle;
    int16_t ToolTipsHidden = 0;
    std::string CompanyName = "Orvex";

    // --- colours ---
    int32_t DisplayNumColors = -1;  // -1: more than 256 colours
    Color GraphColor = 0xC000C0;
    Color HistoryColor = 0x80FFFF;
    Color SpectrumColor = 0x80FF80;
    Color BetaColor = 0xFFFF80;
    Color PlotBackColor = 0xFFFFFF;

    // --- units and quantity ---
    float StressFactor = 1.0f;
    float LengthFactor = 1.0f;
    std::string StressUnit = "MPa";
    std::string StressUnitBracket = "[MPa]";
    std::string LengthUnit = "mm";
    std::string LengthUnitShort = "m";
    std::string QuantityName = "Stress ";
    float QuantityFactor = 1.0f;
    std::string QuantityUnit = "MPa";
    std::string QuantityUnitBracket = "[MPa]";
    bool UnitsUS = false;           // which of "S&I" / "U&S" is checked

    // --- counting, spectrum, mean stress, distribution ---
    std::vector<float> CountedRanges;
    int32_t MaxLevels = kMaxLevels;
    float MinCountedRange = 0;
    bool CountedFromHistory = false;
    bool CountingCancelled = false;
    // With KeepCycles the count also keeps every cycle, in the order found, for the
    // rainflow matrix; otherwise CountedCycles is left empty.
    bool KeepCycles = false;
    std::vector<CountedCycle> CountedCycles;
    bool MseIncluded = false;
    float KfInUse = 0;
    std::string DmseLabel = "DMSE(-)  ";
    int32_t OmittedCycles = 0;      // counted cycles below the lowest level of the last build
    bool HistoryPlotOutdated = false;   // the history was rearranged since it was last drawn
    // The levels as the information panel shows and edits them (both single precision).
    std::array<float, kMaxLevels + 1> WorkLevelRange{};
    std::array<float, kMaxLevels + 1> WorkLevelCycles{};
    BatchRecord SpectrumBackup;     // the batch's spectrum and material values when counting began
    bool AfterCounting = false;
    bool EditingStoredSpectrum = false;
    bool EditingStoredDistribution = false;
    bool NewSpectrum = false;
    bool SpectrumChanged = false;
    int16_t EditChoice = 0;
    int16_t DistributionType = 1;   // 1 Beta, 2 Weibull, 3 Log-norm
    int16_t BatchKind = 0;          // 1 history, 2 keyboard spectrum, 3 generated, 4 stored distribution

    // --- distribution fit, synthesis and plot ---
    int16_t SourceParamsType = 1;   // the type SourceQ and SourceR of the batch belong to
    bool ShowFitted = false;        // the plot shows the fitted set (else the source set)
    std::string DistributionLabel;  // "(Beta)", "(Weibull)", "(Log-norm)" or empty
    float ShownQ = 0;               // the parameter set drawn last, as stored
    float ShownR = 0;
    double MaxDensity = 0;          // largest density drawn / (LevelCount - 1), for the bars
};

// The values every variable takes at start-up, before the settings file is read,
// with the factory colours of the display.
// currentDir becomes DatabaseDir and HistoryDir; displayNumColors is the display's
// colour count capability (-1 above 256 colours).
void InitAppState(AppState& s, const std::string& currentDir, const std::string& currentDrive,
                  int32_t displayNumColors);

}  // namespace karmo
