#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Prompter.h"

namespace karmo {

// Measured time series: a header of ten items (N samples, sampling interval dt in item 4)
// followed by N samples in display units. The ASCII form ("asc") holds list items; the
// binary form ("bin", "dac") holds little-endian 4-byte floats, the header filling the
// first 512 bytes.
constexpr size_t kBinaryHeaderBytes = 512;
constexpr size_t kSeriesBlockBytes = size_t{1} << 20;   // read size of both readers

// How a time-series read ended.
enum class SeriesRead {
    Loaded,         // the reversals are the batch's new history
    TooFewPoints,   // fewer than 3 reversals (or a binary N below 3): the note has been shown
    Declined,       // "No" at an early end of file, or cancelled: nothing changed
    Failed,         // an error has been shown: nothing changed
};

// Message titles of the readers.
std::string AsciiSeriesTitle(const AppState& s);    // "Real ASCII " + QuantityName + "History"
std::string BinarySeriesTitle(const AppState& s);   // "Real Binary " + QuantityName + "History"
inline constexpr const char* kTimeSeriesNoteTitle = "Reading Time Series";

// Read a measured time series into `batch` (the current batch: Values belong to it) and
// reduce it to its peaks and valleys in one streaming pass. Memory grows with the points
// kept, not with N; N in the header is a claim and never sizes an allocation.
//
// Loaded: PointCount (even), ProcessedCount, Values, RecordTime (N·dt/60 min), Title (the
// file name without its last four characters), MaxValue and MinValue are set and
// FastDisplay becomes -1. TooFewPoints: the "more than 3 Points" note; after a reduction
// that kept fewer than 3 points PointCount and ProcessedCount become 0. Declined / Failed:
// the batch and Values are as before.
//
// Progress goes to Prompter::progress every few MiB; a false answer cancels the read
// like "No" at an early end of file.
SeriesRead ReadAsciiSeries(AppState& s, Prompter& p, const std::string& path, int batch);
SeriesRead ReadBinarySeries(AppState& s, Prompter& p, const std::string& path, int batch);

namespace detail {

// Streaming reduction of samples to reversal points, shared by both readers. Samples are
// fed in blocks of any size; the result does not depend on where blocks split the series.
//  - sample 1 is the first point;
//  - sample 2 sets the direction: rising when greater than sample 1, otherwise falling;
//  - from sample 3 on, a step up makes the direction rising, a step down falling, an
//    equal value keeps it; on a change of direction the previous sample is a point;
//  - finish() appends the last sample read.
class ReversalReducer {
public:
    ReversalReducer();
    ~ReversalReducer();
    ReversalReducer(const ReversalReducer&) = delete;
    ReversalReducer& operator=(const ReversalReducer&) = delete;

    void feed(const float* x, size_t n);
    void finish();

    int64_t samples() const { return samples_; }
    size_t count() const { return count_; }   // points kept so far
    // The points as the history holds them: slot 0 spare, points in 1..count(), and two
    // spare slots after them. Empties the reducer's storage as it copies.
    std::vector<float> takePoints();

private:
    // Points go into fixed-size chunks: growing one array would copy and re-touch all
    // points kept so far at every growth, which dominates a noisy record.
    float* room(size_t& free);
    std::vector<float*> chunks_;
    size_t used_ = 0;   // points in the last chunk
    size_t count_ = 0;
    int64_t samples_ = 0;
    float prev_ = 0;
    uint32_t rising_ = 0;
};

// The readers with a chosen read size, so tests can split plateaus across blocks.
SeriesRead ReadAsciiSeriesBlocks(AppState& s, Prompter& p, const std::string& path, int batch,
                                 size_t blockBytes);
SeriesRead ReadBinarySeriesBlocks(AppState& s, Prompter& p, const std::string& path, int batch,
                                  size_t blockBytes);

}  // namespace detail
}  // namespace karmo
