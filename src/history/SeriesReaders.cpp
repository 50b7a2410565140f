#include "history/SeriesReaders.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>

#include "core/NumberForms.h"
#include "core/Single.h"
#include "history/Extremes.h"

namespace karmo {

std::string AsciiSeriesTitle(const AppState& s) { return "Real ASCII " + s.QuantityName + "History"; }
std::string BinarySeriesTitle(const AppState& s) { return "Real Binary " + s.QuantityName + "History"; }

namespace detail {

// ---------------------------------------------------------------------------------------
// The reduction loop. Hot path of an import of 10^8 samples: no branch depends on the
// data (a third of the samples are reversals in a typical record, so such a branch would
// be mispredicted constantly). Every sample is stored as a candidate in the next free
// slot and the write index only moves on a change of direction.
namespace {

size_t reduceBlock(const float* x, size_t n, float* out, float& prev, uint32_t& rising) {
    size_t k = 0;
    float pv = prev;
    uint32_t r = rising;
    for (size_t i = 0; i < n; ++i) {
        const float v = x[i];
        const uint32_t up = v > pv;
        const uint32_t down = v < pv;
        const uint32_t nr = up | (r & (down ^ 1u));
        out[k] = pv;
        k += nr ^ r;
        r = nr;
        pv = v;
    }
    prev = pv;
    rising = r;
    return k;
}

}  // namespace

constexpr size_t kChunkPoints = size_t{1} << 20;

ReversalReducer::ReversalReducer() = default;

ReversalReducer::~ReversalReducer() {
    for (float* c : chunks_) delete[] c;
}

float* ReversalReducer::room(size_t& free) {
    if (chunks_.empty() || used_ == kChunkPoints) {
        chunks_.push_back(new float[kChunkPoints]);
        used_ = 0;
    }
    free = kChunkPoints - used_;
    return chunks_.back() + used_;
}

void ReversalReducer::feed(const float* x, size_t n) {
    if (n == 0) return;
    size_t free = 0;
    if (samples_ == 0) {
        *room(free) = x[0];
        ++used_;
        count_ = 1;
        prev_ = x[0];
        samples_ = 1;
        ++x;
        --n;
    }
    if (samples_ == 1 && n > 0) {
        rising_ = x[0] > prev_;   // equal first samples count as falling
        prev_ = x[0];
        samples_ = 2;
        ++x;
        --n;
    }
    while (n > 0) {
        // Sample i of a run stores its candidate at index <= i, so m samples need at
        // most m free slots.
        float* out = room(free);
        const size_t m = std::min(n, free);
        const size_t k = reduceBlock(x, m, out, prev_, rising_);
        used_ += k;
        count_ += k;
        samples_ += static_cast<int64_t>(m);
        x += m;
        n -= m;
    }
}

void ReversalReducer::finish() {
    if (samples_ == 0) return;
    size_t free = 0;
    *room(free) = prev_;
    ++used_;
    ++count_;
}

std::vector<float> ReversalReducer::takePoints() {
    std::vector<float> v;
    v.reserve(count_ + 3);
    v.push_back(0.0f);
    for (size_t i = 0; i < chunks_.size(); ++i) {
        const size_t n = i + 1 == chunks_.size() ? used_ : kChunkPoints;
        v.insert(v.end(), chunks_[i], chunks_[i] + n);
        delete[] chunks_[i];
        chunks_[i] = nullptr;
    }
    chunks_.clear();
    used_ = 0;
    v.push_back(0.0f);
    v.push_back(0.0f);
    return v;
}

// ---------------------------------------------------------------------------------------
namespace {

constexpr size_t kMaxTokenBytes = 4096;           // longer items cannot be numbers
constexpr size_t kAsciiChunk = 16384;             // samples parsed before one reduction
constexpr size_t kMaxPoints = static_cast<size_t>(std::numeric_limits<int32_t>::max()) - 3;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Samples arrive in display units; the history holds internal units. Also tells whether
// any sample is NaN or infinite (or overflowed by the division), without a branch per
// sample, so the loop vectorises.
template <bool Divide>
bool toInternalUnits(float* x, size_t n, float factor) {
    uint32_t bad = 0;
    for (size_t i = 0; i < n; ++i) {
        const float v = Divide ? x[i] / factor : x[i];
        x[i] = v;
        bad |= (std::bit_cast<uint32_t>(v) & 0x7f800000u) == 0x7f800000u;
    }
    return bad != 0;
}

// Index of the first bad sample, or n when none; only called when toInternalUnits said so.
size_t firstNonFinite(const float* x, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(x[i])) return i;
    return n;
}

bool convertBlock(float* x, size_t n, float factor, size_t& badIndex) {
    const bool bad = factor == 1.0f ? toInternalUnits<false>(x, n, factor)
                                    : toInternalUnits<true>(x, n, factor);
    if (bad) badIndex = firstNonFinite(x, n);
    return !bad;
}

std::string dropLastChars(std::string name, size_t chars) {
    // Counts UTF-8 characters, not bytes: file names are UTF-8 in memory.
    while (chars > 0 && !name.empty()) {
        size_t i = name.size() - 1;
        while (i > 0 && (static_cast<unsigned char>(name[i]) & 0xC0u) == 0x80u) --i;
        name.resize(i);
        --chars;
    }
    return name;
}

std::string noDataText() { return "The file holds no data points."; }
std::string headerItemText(int item) {
    return "Item " + std::to_string(item) + " of the header is not a number.";
}
std::string sampleText(int64_t sample) {
    return "Sample " + std::to_string(sample) + " is not a number.";
}
std::string sampleOutOfRangeText(int64_t sample) {
    return "Sample " + std::to_string(sample) + " is out of range.";
}
std::string headerItemOutOfRangeText(int item) {
    return "Item " + std::to_string(item) + " of the header is out of range.";
}

// Everything a reader shares: messages, the early-end question, the commit.
class SeriesJob {
public:
    SeriesJob(AppState& s, Prompter& p, const std::string& path, int batch, std::string title)
        : s_(s), p_(p), path_(path), batch_(batch), title_(std::move(title)) {}

    SeriesRead fail(const std::string& text) {
        p_.ask(Prompt{title_, text, Icon::Exclamation, Buttons::Ok, 0});
        return SeriesRead::Failed;
    }
    SeriesRead failErrno(int err) { return fail(std::strerror(err)); }

    SeriesRead tooFew() {
        p_.ask(Prompt{kTimeSeriesNoteTitle,
                      "Note: " + s_.QuantityName + "History must have more than 3 Points",
                      Icon::Critical, Buttons::Ok, 0});
        return SeriesRead::TooFewPoints;
    }

    // The directory check first: opening a directory for reading succeeds on this
    // platform and only the first read fails.
    File open() {
        std::error_code ec;
        if (std::filesystem::is_directory(path_, ec)) {
            errno = EISDIR;
            return File{};
        }
        return File{std::fopen(path_.c_str(), "rb")};
    }

    uint64_t fileSize() const {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path_, ec);
        return ec ? 0 : static_cast<uint64_t>(size);
    }

    // True to go on with the samples read.
    bool continueShort(int64_t samplesRead) {
        const Answer a = p_.ask(Prompt{title_,
                                       "Can read " + std::to_string(samplesRead) +
                                           " data points only.\nContinue?",
                                       Icon::Question, Buttons::YesNo, 0});
        return a == Answer::Yes;
    }

    // Steps after the reduction: reject too few points, make the count even, commit.
    SeriesRead commit(ReversalReducer& r, int64_t samples, float dt, bool asciiForm) {
        r.finish();
        DataBatch& b = s_.batch(batch_);
        const std::optional<float> time = ToSingle(static_cast<double>(samples) * static_cast<double>(dt) / 60.0);
        if (!time) return fail("The record time (" + std::to_string(samples) + " samples of " + ShortNumber(dt) +
                               ") is out of range.");
        const float recordTime = *time;
        const size_t count = r.count();
        if (count < 3) {
            b.PointCount = 0;
            s_.ProcessedCount = 0;
            return tooFew();
        }
        std::vector<float> v = r.takePoints();
        float maxV = v[1], minV = v[1];
        MergeExtremes(v.data() + 2, count - 1, maxV, minV);
        size_t n = count;
        if (n % 2 == 1) {
            // ASCII: the previous reversal of the same kind. Binary: the last point, one
            // higher when the last step examined by the conflict check rose; that one may
            // lie beyond the extremes, which must hold every value.
            v[n + 1] = asciiForm ? v[n - 1] : v[n] + (s_.StepDirection == 1 ? 1.0f : 0.0f);
            maxV = std::max(maxV, v[n + 1]);
            ++n;
        }
        // Counting takes differences of values: the largest must fit a Single too.
        if (!ToSingle(static_cast<double>(maxV) - minV))
            return fail("The range of the " + s_.QuantityName + "History is out of range.");
        v.resize(n + 2);
        v[n + 1] = 0.0f;

        s_.Values.swap(v);
        s_.ProcessedCount = static_cast<int32_t>(n);
        s_.FastDisplay = -1;
        b.PointCount = static_cast<int32_t>(n);
        b.RecordTime = recordTime;
        b.MaxValue = maxV;
        b.MinValue = minV;
        b.Title = dropLastChars(std::filesystem::path(path_).filename().string(), 4);
        return SeriesRead::Loaded;
    }

    bool progress(double fraction) { return p_.progress(std::min(1.0, fraction)); }

    AppState& s_;
    Prompter& p_;
    const std::string& path_;
    int batch_;
    std::string title_;
};

// Splits a text file into list items (separated by blanks, tabs, commas and line ends)
// through a buffer of blockBytes, reporting progress every few blocks.
class TokenStream {
public:
    enum Status { Token, End, TooLong, IoError, Cancelled };

    TokenStream(std::FILE* f, size_t blockBytes, SeriesJob& job)
        : f_(f), block_(std::max<size_t>(blockBytes, 1)), buf_(block_ + kMaxTokenBytes + 1),
          total_(job.fileSize()), job_(job) {
        p_ = e_ = buf_.data();
        progressStep_ = 4 * block_;
    }

    Status next(std::string_view& tok) {
        for (;;) {
            while (p_ < e_ && isSep(*p_)) ++p_;
            if (p_ == e_) {
                if (eof_) return End;
                if (Status st = refill(); st != Token) return st;
                continue;
            }
            const char* start = p_;
            while (p_ < e_ && !isSep(*p_)) ++p_;
            if (p_ == e_ && !eof_) {
                p_ = start;   // the item may go on in the next block
                if (Status st = refill(); st != Token) return st;
                continue;
            }
            tok = std::string_view(start, static_cast<size_t>(p_ - start));
            return Token;
        }
    }

private:
    static bool isSep(char c) {
        return c == ' ' || c == ',' || c == '\n' || c == '\r' || c == '\t';
    }

    Status refill() {
        const size_t carry = static_cast<size_t>(e_ - p_);
        if (carry >= kMaxTokenBytes) return TooLong;
        std::memmove(buf_.data(), p_, carry);
        const size_t got = std::fread(buf_.data() + carry, 1, block_, f_);
        if (got < block_ && std::ferror(f_)) return IoError;
        if (got == 0) eof_ = true;
        p_ = buf_.data();
        e_ = buf_.data() + carry + got;
        read_ += got;
        sinceProgress_ += got;
        if (sinceProgress_ >= progressStep_) {
            sinceProgress_ = 0;
            if (!job_.progress(total_ ? static_cast<double>(read_) / static_cast<double>(total_) : 0.0))
                return Cancelled;
        }
        return Token;
    }

    std::FILE* f_;
    size_t block_;
    std::vector<char> buf_;
    const char* p_;
    const char* e_;
    bool eof_ = false;
    uint64_t read_ = 0, sinceProgress_ = 0, progressStep_ = 0;
    uint64_t total_;
    SeriesJob& job_;
};

// The whole token as a number; a leading '+' is allowed (but not "+-").
template <class T>
bool parseNumber(std::string_view t, T& out) {
    const char* b = t.data();
    const char* e = b + t.size();
    if (b != e && *b == '+') {
        ++b;
        if (b != e && *b == '-') return false;
    }
    const auto r = std::from_chars(b, e, out, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == e;
}

bool parseFloat(std::string_view t, float& out) { return parseNumber(t, out); }

bool parseFinite(std::string_view t, double& out) { return parseNumber(t, out) && std::isfinite(out); }

// A token that is a number, but one no Single can hold (1e39, say): the Single parse
// refused it for its size, not its form.
bool beyondSingle(std::string_view t) {
    double v = 0;
    const char* b = t.data();
    const char* e = b + t.size();
    if (b != e && *b == '+') ++b;
    const auto r = std::from_chars(b, e, v, std::chars_format::general);
    return r.ptr == e && b != e && (r.ec == std::errc() || r.ec == std::errc::result_out_of_range);
}

// A header count: its fraction is dropped; counts beyond any file are kept as a claim.
int64_t countFromHeader(double n) {
    const double t = std::trunc(n);
    if (t <= 0) return 0;
    if (t >= 9.0e18) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(t);
}

float littleEndianFloat(const unsigned char* b) {
    const uint32_t u = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                       static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    return std::bit_cast<float>(u);
}

void fromLittleEndian(float* x, size_t n) {
    if constexpr (std::endian::native == std::endian::big) {
        for (size_t i = 0; i < n; ++i)
            x[i] = littleEndianFloat(reinterpret_cast<const unsigned char*>(x + i));
    } else {
        (void)x;
        (void)n;
    }
}

}  // namespace

SeriesRead ReadAsciiSeriesBlocks(AppState& s, Prompter& p, const std::string& path, int batch,
                                 size_t blockBytes) {
    BusyScope busy(p);
    SeriesJob job(s, p, path, batch, AsciiSeriesTitle(s));
    try {
        File f = job.open();
        if (!f) return job.failErrno(errno);
        TokenStream in(f.get(), blockBytes, job);
        std::string_view tok;

        auto streamError = [&](TokenStream::Status st, const std::string& itemText) {
            if (st == TokenStream::Cancelled) return SeriesRead::Declined;
            if (st == TokenStream::IoError) return job.failErrno(errno);
            return job.fail(itemText);   // TooLong: no number is that long
        };

        // Ten header items, all numbers; N is item 1 and the sampling interval (a Single)
        // item 4.
        double count = 0;
        float dt = 0;
        for (int item = 1; item <= 10; ++item) {
            const TokenStream::Status st = in.next(tok);
            if (st == TokenStream::End) return job.fail(noDataText());
            if (st != TokenStream::Token) return streamError(st, headerItemText(item));
            double value = 0;
            if (!parseFinite(tok, value)) return job.fail(headerItemText(item));
            if (item == 1) count = value;
            if (item == 4 && !(parseFloat(tok, dt) && std::isfinite(dt)))
                return job.fail(beyondSingle(tok) ? headerItemOutOfRangeText(item) : headerItemText(item));
        }
        const int64_t n = countFromHeader(count);

        const float factor = s.QuantityFactor;
        ReversalReducer reducer;
        std::vector<float> chunk(kAsciiChunk);
        int64_t done = 0;
        bool ended = false;
        while (done < n && !ended) {
            size_t k = 0;
            const size_t want = static_cast<size_t>(std::min<int64_t>(kAsciiChunk, n - done));
            while (k < want) {
                const TokenStream::Status st = in.next(tok);
                if (st == TokenStream::End) {
                    ended = true;
                    break;
                }
                const int64_t sample = done + static_cast<int64_t>(k) + 1;
                if (st != TokenStream::Token) return streamError(st, sampleText(sample));
                if (!parseFloat(tok, chunk[k]))
                    return job.fail(tok.size() <= kMaxTokenBytes && beyondSingle(tok) ? sampleOutOfRangeText(sample)
                                                                                      : sampleText(sample));
                ++k;
            }
            size_t bad = 0;
            if (!convertBlock(chunk.data(), k, factor, bad))
                return job.fail(sampleText(done + static_cast<int64_t>(bad) + 1));
            reducer.feed(chunk.data(), k);
            done += static_cast<int64_t>(k);
            if (reducer.count() > kMaxPoints) return job.failErrno(EFBIG);
        }
        if (done < n) {
            if (done == 0) return job.fail(noDataText());
            if (!job.continueShort(done)) return SeriesRead::Declined;
        }
        return job.commit(reducer, done, dt, true);
    } catch (const std::bad_alloc&) {
        return job.failErrno(ENOMEM);
    }
}

SeriesRead ReadBinarySeriesBlocks(AppState& s, Prompter& p, const std::string& path, int batch,
                                  size_t blockBytes) {
    BusyScope busy(p);
    SeriesJob job(s, p, path, batch, BinarySeriesTitle(s));
    try {
        File f = job.open();
        if (!f) return job.failErrno(errno);

        unsigned char head[16];
        const size_t got = std::fread(head, 1, sizeof head, f.get());
        if (got < sizeof head && std::ferror(f.get())) return job.failErrno(errno);
        if (got < sizeof head) return job.fail(noDataText());
        const float nf = littleEndianFloat(head);
        const float dt = littleEndianFloat(head + 12);
        if (!std::isfinite(nf)) return job.fail(headerItemText(1));
        if (std::trunc(nf) < 3.0f) return job.tooFew();
        if (!std::isfinite(dt)) return job.fail(headerItemText(4));
        const int64_t n = countFromHeader(nf);

        // The claim is only believed as far as the file reaches.
        const uint64_t size = job.fileSize();
        const uint64_t present = size > kBinaryHeaderBytes ? (size - kBinaryHeaderBytes) / 4 : 0;
        const double expected = static_cast<double>(std::min<uint64_t>(static_cast<uint64_t>(n), present ? present : 1));

        if (std::fseek(f.get(), static_cast<long>(kBinaryHeaderBytes), SEEK_SET) != 0)
            return job.failErrno(errno);

        const size_t blockFloats = std::max<size_t>(blockBytes / 4, 1);
        std::vector<float> buf(blockFloats);
        const uint64_t progressStep = 4 * blockFloats;
        uint64_t sinceProgress = 0;
        const float factor = s.QuantityFactor;
        ReversalReducer reducer;
        int64_t done = 0;
        while (done < n) {
            const size_t want = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(blockFloats), n - done));
            const size_t read = std::fread(buf.data(), 4, want, f.get());
            if (read < want && std::ferror(f.get())) return job.failErrno(errno);
            if (read == 0) break;
            fromLittleEndian(buf.data(), read);
            size_t bad = 0;
            if (!convertBlock(buf.data(), read, factor, bad))
                return job.fail(sampleText(done + static_cast<int64_t>(bad) + 1));
            reducer.feed(buf.data(), read);
            done += static_cast<int64_t>(read);
            if (reducer.count() > kMaxPoints) return job.failErrno(EFBIG);
            sinceProgress += read;
            if (sinceProgress >= progressStep) {
                sinceProgress = 0;
                if (!job.progress(static_cast<double>(done) / expected)) return SeriesRead::Declined;
            }
            if (read < want) break;   // end of file
        }
        if (done < n) {
            if (done == 0) return job.fail(noDataText());
            if (!job.continueShort(done)) return SeriesRead::Declined;
        }
        return job.commit(reducer, done, dt, false);
    } catch (const std::bad_alloc&) {
        return job.failErrno(ENOMEM);
    }
}

}  // namespace detail

SeriesRead ReadAsciiSeries(AppState& s, Prompter& p, const std::string& path, int batch) {
    return detail::ReadAsciiSeriesBlocks(s, p, path, batch, kSeriesBlockBytes);
}

SeriesRead ReadBinarySeries(AppState& s, Prompter& p, const std::string& path, int batch) {
    return detail::ReadBinarySeriesBlocks(s, p, path, batch, kSeriesBlockBytes);
}

}  // namespace karmo
