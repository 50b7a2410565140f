#include "history/SeriesReaders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>

#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
namespace fs = std::filesystem;

const char* const kAsciiTitle = "Real ASCII Stress History";
const char* const kBinaryTitle = "Real Binary Stress History";
const char* const kNote = "Note: Stress History must have more than 3 Points";

class SeriesDir {
public:
    SeriesDir() {
        static int serial = 0;
        path_ = fs::temp_directory_path() /
                ("karmo-series-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(path_);
    }
    ~SeriesDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string p = (path_ / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string num(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// ASCII series: N, two whole numbers, dt, four whole numbers, two numbers, the samples.
std::string asciiSeries(const std::vector<float>& x, std::optional<float> n = {}, float dt = 0.001f) {
    std::string t = (n ? num(*n) : std::to_string(x.size())) + " 0 0 " +
                    num(dt) + "\r\n1 2 3 4 0.5 0.25\r\n";
    for (size_t i = 0; i < x.size(); ++i) t += num(x[i]) + (i % 7 == 6 ? "\r\n" : ",");
    return t + "\r\n";
}

void putFloat(std::string& out, float v) {
    const uint32_t u = std::bit_cast<uint32_t>(v);
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((u >> (8 * b)) & 0xFF));
}

std::string binarySeries(const std::vector<float>& x, std::optional<float> n = {}, float dt = 0.001f) {
    std::string out;
    putFloat(out, n ? *n : static_cast<float>(x.size()));
    putFloat(out, 0);
    putFloat(out, 0);
    putFloat(out, dt);
    out.resize(kBinaryHeaderBytes, '\0');
    for (float v : x) putFloat(out, v);
    return out;
}

// Straightforward reduction, one sample after the other, as an engineer would write it.
std::vector<float> referenceReduce(const std::vector<float>& x) {
    std::vector<float> pts;
    if (x.empty()) return pts;
    pts.push_back(x[0]);
    int dir = 0;
    for (size_t i = 1; i < x.size(); ++i) {
        if (i == 1) {
            dir = x[1] > x[0] ? 1 : 2;
            continue;
        }
        int nd = dir;
        if (x[i] > x[i - 1]) nd = 1;
        if (x[i] < x[i - 1]) nd = 2;
        if (nd != dir) {
            pts.push_back(x[i - 1]);
            dir = nd;
        }
    }
    pts.push_back(x.back());
    return pts;
}

std::vector<float> history(const AppState& s) {
    const int32_t n = s.batch().PointCount;
    return std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 1 + n);
}

// A series full of plateaus of every length, so that block ends fall inside them.
std::vector<float> plateauSeries(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> level(0, 4), run(1, 6);
    std::vector<float> x;
    while (x.size() < n) {
        const float v = static_cast<float>(level(rng)) * 2.5f - 3.0f;
        for (int r = run(rng); r > 0 && x.size() < n; --r) x.push_back(v);
    }
    return x;
}

AppState freshState() {
    AppState s;
    s.CurrentBatch = 1;
    return s;
}

// A batch holding an old history, to check that failed reads leave it alone.
AppState stateWithOldHistory() {
    AppState s = freshState();
    s.Values = {0, 1, 9, 2, 8, 0};
    s.ProcessedCount = 4;
    DataBatch& b = s.batch();
    b.PointCount = 4;
    b.MaxValue = 9;
    b.MinValue = 1;
    b.RecordTime = 3;
    b.Title = "old";
    return s;
}

void expectOldHistory(const AppState& s) {
    EXPECT_EQ(s.Values, (std::vector<float>{0, 1, 9, 2, 8, 0}));
    EXPECT_EQ(s.ProcessedCount, 4);
    EXPECT_EQ(s.batch().PointCount, 4);
    EXPECT_EQ(s.batch().MaxValue, 9);
    EXPECT_EQ(s.batch().MinValue, 1);
    EXPECT_EQ(s.batch().RecordTime, 3);
    EXPECT_EQ(s.batch().Title, "old");
    EXPECT_EQ(s.FastDisplay, 0);
}

// --- the worked examples -------------------------------------------------------------

TEST(SeriesReaders, PlateauGivesOneReversal) {
    SeriesDir dir;
    AppState s = freshState();
    ScriptedPrompter p;
    const std::string path = dir.write("run42.asc", asciiSeries({0, 5, 5, 2, 8}, {}, 0.5f));
    ASSERT_EQ(ReadAsciiSeries(s, p, path, 1), SeriesRead::Loaded);
    EXPECT_EQ(history(s), (std::vector<float>{0, 5, 2, 8}));
    EXPECT_EQ(s.batch().PointCount, 4);
    EXPECT_EQ(s.ProcessedCount, 4);
    EXPECT_EQ(s.Values.size(), 6u);
    EXPECT_EQ(s.batch().MaxValue, 8);
    EXPECT_EQ(s.batch().MinValue, 0);
    EXPECT_EQ(s.batch().Title, "run42");
    EXPECT_EQ(s.batch().RecordTime, static_cast<float>(5 * 0.5 / 60.0));
    EXPECT_EQ(s.FastDisplay, -1);
    EXPECT_EQ(p.busyDepth, 0);
}

TEST(SeriesReaders, EqualFirstSamplesStartFalling) {
    SeriesDir dir;
    for (bool binary : {false, true}) {
        AppState s = freshState();
        ScriptedPrompter p;
        const std::vector<float> x{3, 3, 8, 1};
        const std::string path = binary ? dir.write("a.bin", binarySeries(x)) : dir.write("a.asc", asciiSeries(x));
        ASSERT_EQ(binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1), SeriesRead::Loaded);
        EXPECT_EQ(history(s), (std::vector<float>{3, 3, 8, 1})) << binary;
    }
}

TEST(SeriesReaders, MonotonicSeriesIsRefused) {
    SeriesDir dir;
    for (bool binary : {false, true}) {
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.expect(kTimeSeriesNoteTitle, kNote, Icon::Critical);
        std::vector<float> x;
        for (int i = 0; i < 1000; ++i) x.push_back(i == 0 ? -1.0f : static_cast<float>(i / 3));   // plateaus inside a rise
        const std::string path = binary ? dir.write("m.dac", binarySeries(x)) : dir.write("m.asc", asciiSeries(x));
        EXPECT_EQ(binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1),
                  SeriesRead::TooFewPoints);
        EXPECT_EQ(s.batch().PointCount, 0);
        EXPECT_EQ(s.ProcessedCount, 0);
        EXPECT_EQ(s.batch().Title, "old");
    }
}

TEST(SeriesReaders, OddCountIsMadeEvenByEachFormsRule) {
    SeriesDir dir;
    const std::vector<float> x{0, 5, 1, 6, 2};   // five reversals
    {
        AppState s = freshState();
        ScriptedPrompter p;
        ASSERT_EQ(ReadAsciiSeries(s, p, dir.write("o.asc", asciiSeries(x)), 1), SeriesRead::Loaded);
        EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 6, 2, 6}));   // copy of the fourth
        EXPECT_EQ(s.ProcessedCount, 6);
        EXPECT_EQ(s.Values.size(), 8u);
    }
    struct Case { int16_t step; float last; };
    for (Case c : {Case{1, 3}, Case{2, 2}, Case{0, 2}}) {
        AppState s = freshState();
        s.StepDirection = c.step;
        ScriptedPrompter p;
        ASSERT_EQ(ReadBinarySeries(s, p, dir.write("o.bin", binarySeries(x)), 1), SeriesRead::Loaded);
        EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 6, 2, c.last})) << c.step;
        // The extremes are those of the reversals read.
        EXPECT_EQ(s.batch().MaxValue, 6);
        EXPECT_EQ(s.batch().MinValue, 0);
    }
}

TEST(SeriesReaders, BinaryCountIsTruncatedAndBelowThreeRefused) {
    SeriesDir dir;
    for (float n : {2.9f, 2.0f, 0.0f, -5.0f, -1e30f}) {
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.expect(kTimeSeriesNoteTitle, kNote, Icon::Critical);
        EXPECT_EQ(ReadBinarySeries(s, p, dir.write("n.bin", binarySeries({0, 5, 1, 6}, n)), 1),
                  SeriesRead::TooFewPoints);
        expectOldHistory(s);
    }
    AppState s = freshState();
    ScriptedPrompter p;
    ASSERT_EQ(ReadBinarySeries(s, p, dir.write("n.bin", binarySeries({0, 5, 1, 6, 9}, 3.9f, 2)), 1),
              SeriesRead::Loaded);
    EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 1}));
    EXPECT_EQ(s.batch().RecordTime, static_cast<float>(3 * 2.0 / 60.0));
}

TEST(SeriesReaders, KsiSamplesAreStoredInMegapascal) {
    SeriesDir dir;
    const std::vector<float> x{0, 14.5f, -3.25f, 7};
    for (bool binary : {false, true}) {
        AppState s = freshState();
        s.QuantityFactor = 1.0f / 6.895f;
        ScriptedPrompter p;
        const std::string path = binary ? dir.write("k.bin", binarySeries(x)) : dir.write("k.asc", asciiSeries(x));
        ASSERT_EQ(binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1), SeriesRead::Loaded);
        std::vector<float> expected;
        for (float v : x) expected.push_back(v / s.QuantityFactor);
        EXPECT_EQ(history(s), expected);
        EXPECT_FLOAT_EQ(s.batch().MaxValue, 14.5f * 6.895f);
    }
}

// --- blocks ----------------------------------------------------------------------------

TEST(SeriesReaders, ReductionDoesNotDependOnBlockBoundaries) {
    SeriesDir dir;
    const std::vector<float> x = plateauSeries(3001, 7);
    std::vector<float> expected = referenceReduce(x);
    ASSERT_GT(expected.size(), 500u);
    if (expected.size() % 2 == 1) expected.push_back(expected[expected.size() - 2]);
    const std::string asc = dir.write("p.asc", asciiSeries(x));
    const std::string bin = dir.write("p.bin", binarySeries(x));
    for (size_t block : {1u, 2u, 3u, 4u, 5u, 7u, 8u, 12u, 20u, 28u, 64u, 4096u, 1u << 20}) {
        AppState a = freshState();
        ScriptedPrompter pa;
        ASSERT_EQ(detail::ReadAsciiSeriesBlocks(a, pa, asc, 1, block), SeriesRead::Loaded);
        EXPECT_EQ(history(a), expected) << "ASCII block " << block;

        AppState b = freshState();
        b.StepDirection = 2;   // binary even rule then repeats the last point
        ScriptedPrompter pb;
        ASSERT_EQ(detail::ReadBinarySeriesBlocks(b, pb, bin, 1, block), SeriesRead::Loaded);
        std::vector<float> expectedBinary = referenceReduce(x);
        if (expectedBinary.size() % 2 == 1) expectedBinary.push_back(expectedBinary.back());
        EXPECT_EQ(history(b), expectedBinary) << "binary block " << block;
    }
}

TEST(SeriesReaders, ReducerMatchesReferenceForAnyFeedSizes) {
    std::mt19937 rng(11);
    for (unsigned seed = 0; seed < 20; ++seed) {
        const std::vector<float> x = plateauSeries(500 + seed * 37, seed);
        detail::ReversalReducer r;
        std::uniform_int_distribution<size_t> piece(0, 9);
        size_t at = 0;
        while (at < x.size()) {
            const size_t n = std::min(piece(rng), x.size() - at);
            r.feed(x.data() + at, n);
            at += n;
        }
        r.finish();
        const size_t count = r.count();
        const std::vector<float> v = r.takePoints();
        ASSERT_EQ(v.size(), count + 3);
        EXPECT_EQ(std::vector<float>(v.begin() + 1, v.begin() + 1 + static_cast<long>(count)), referenceReduce(x))
            << seed;
    }
}

// --- end of file, cancel, bad input -----------------------------------------------------

TEST(SeriesReaders, ShortFileAsksWhetherToContinue) {
    SeriesDir dir;
    const std::vector<float> x{0, 5, 1, 6, 2, 7};
    struct Case { bool binary; float n; };
    for (Case c : {Case{false, 10}, Case{true, 10}, Case{true, 1e30f}, Case{true, 3e9f}}) {
        const std::string path = c.binary ? dir.write("s.bin", binarySeries(x, c.n))
                                          : dir.write("s.asc", asciiSeries(x, c.n));
        const std::string title = c.binary ? kBinaryTitle : kAsciiTitle;
        {
            AppState s = freshState();
            ScriptedPrompter p;
            p.expect(title, "Can read 6 data points only.\nContinue?", Icon::Question, Answer::Yes);
            ASSERT_EQ(c.binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1),
                      SeriesRead::Loaded);
            EXPECT_EQ(history(s), x);
            // The record time is that of the samples read, not of the claim.
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(6 * static_cast<double>(0.001f) / 60.0));
        }
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.expect(title, "Can read 6 data points only.\nContinue?", Icon::Question, Answer::No);
        EXPECT_EQ(c.binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1),
                  SeriesRead::Declined);
        expectOldHistory(s);
    }
}

TEST(SeriesReaders, BinaryFileEndingInsideARecordKeepsWholeRecords) {
    SeriesDir dir;
    std::string bytes = binarySeries({0, 5, 1, 6, 2, 7}, 7);
    bytes += "\x01\x02";
    AppState s = freshState();
    ScriptedPrompter p;
    p.expect(kBinaryTitle, "Can read 6 data points only.\nContinue?", Answer::Yes);
    ASSERT_EQ(ReadBinarySeries(s, p, dir.write("r.bin", bytes), 1), SeriesRead::Loaded);
    EXPECT_EQ(s.batch().PointCount, 6);
}

TEST(SeriesReaders, CancelKeepsTheOldHistory) {
    SeriesDir dir;
    const std::vector<float> x = plateauSeries(4000, 3);
    for (bool binary : {false, true}) {
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.cancelAfterProgressCalls = 2;
        const std::string path = binary ? dir.write("c.bin", binarySeries(x)) : dir.write("c.asc", asciiSeries(x));
        EXPECT_EQ(binary ? detail::ReadBinarySeriesBlocks(s, p, path, 1, 256)
                         : detail::ReadAsciiSeriesBlocks(s, p, path, 1, 256),
                  SeriesRead::Declined);
        EXPECT_EQ(p.progressCalls, 3);
        EXPECT_GT(p.lastProgress, 0.0);
        EXPECT_LT(p.lastProgress, 1.0);
        EXPECT_EQ(p.busyDepth, 0);
        expectOldHistory(s);
    }
}

TEST(SeriesReaders, BadSamplesNameTheirNumber) {
    SeriesDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { std::vector<float> x; float factor; std::string text; };
    const Case cases[] = {
        {{0, 5, 1, 6, 2, 7, nan, 3}, 1, "Sample 7 is not a number."},
        {{nan, 5, 1, 6}, 1, "Sample 1 is not a number."},
        {{0, 5, 1, -inf}, 1, "Sample 4 is not a number."},
        {{0, 5, 3e38f, 6}, 1.0f / 6.895f, "Sample 3 is not a number."},   // overflows in MPa
    };
    for (const Case& c : cases) {
        for (size_t block : {4u, 12u, 1u << 20}) {
            AppState s = stateWithOldHistory();
            s.QuantityFactor = c.factor;
            ScriptedPrompter p;
            p.expect(kBinaryTitle, c.text, Icon::Exclamation);
            EXPECT_EQ(detail::ReadBinarySeriesBlocks(s, p, dir.write("b.bin", binarySeries(c.x)), 1, block),
                      SeriesRead::Failed);
            expectOldHistory(s);
        }
    }
    struct Text { std::string body; std::string text; };
    const Text texts[] = {
        {"6 0 0 .01 0 0 0 0 0 0\n1 2 abc 4 5 6\n", "Sample 3 is not a number."},
        {"6 0 0 .01 0 0 0 0 0 0\n1,2,3,4,5,nan\n", "Sample 6 is not a number."},
        {"6 0 0 .01 0 0 0 0 0 0\n1 2 3 4 1e999 6\n", "Sample 5 is not a number."},
        {"6 0 0 .01 0 0 0 0 0 0\n1 2 3 4 5 \"6\"\n", "Sample 6 is not a number."},
        {"6 0 0 .01 0 0 0 0 0 0\n1 2 3 4 5 " + std::string(5000, '7') + "\n", "Sample 6 is not a number."},
        {"six 0 0 .01 0 0 0 0 0 0\n1 2 3 4 5 6\n", "Item 1 of the header is not a number."},
        {"6 0 0 x 0 0 0 0 0 0\n1 2 3 4 5 6\n", "Item 4 of the header is not a number."},
        {"6 0 0 .01 0 0 0 0 0 inf\n1 2 3 4 5 6\n", "Item 10 of the header is not a number."},
        {"", "The file holds no data points."},
        {"6 0 0 .01 0 0 0\n", "The file holds no data points."},
        {"6 0 0 .01 0 0 0 0 0 0\r\n", "The file holds no data points."},
    };
    for (const Text& t : texts) {
        for (size_t block : {3u, 1u << 20}) {
            AppState s = stateWithOldHistory();
            ScriptedPrompter p;
            p.expect(kAsciiTitle, t.text, Icon::Exclamation);
            EXPECT_EQ(detail::ReadAsciiSeriesBlocks(s, p, dir.write("t.asc", t.body), 1, block),
                      SeriesRead::Failed);
            expectOldHistory(s);
        }
    }
}

TEST(SeriesReaders, BadBinaryHeadersAndFiles) {
    SeriesDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case { std::string bytes; std::string text; };
    const Case cases[] = {
        {"", "The file holds no data points."},
        {std::string(10, '\0'), "The file holds no data points."},
        {binarySeries({}, 100), "The file holds no data points."},
        {binarySeries({0, 5, 1, 6}, nan), "Item 1 of the header is not a number."},
        {binarySeries({0, 5, 1, 6}, std::numeric_limits<float>::infinity()),
         "Item 1 of the header is not a number."},
        {binarySeries({0, 5, 1, 6}, 4, nan), "Item 4 of the header is not a number."},
    };
    for (const Case& c : cases) {
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.expect(kBinaryTitle, c.text, Icon::Exclamation);
        EXPECT_EQ(ReadBinarySeries(s, p, dir.write("h.bin", c.bytes), 1), SeriesRead::Failed);
        expectOldHistory(s);
    }
}

TEST(SeriesReaders, UnreadablePathsReportTheSystemsError) {
    SeriesDir dir;
    fs::create_directories(dir.path("folder.asc"));
    struct Case { std::string path; int err; };
    std::vector<Case> cases{{dir.path("folder.asc"), EISDIR}, {dir.path("missing.bin"), ENOENT}};
    const std::string locked = dir.write("locked.bin", binarySeries({0, 5, 1, 6}));
    fs::permissions(locked, fs::perms::none);
    if (::geteuid() != 0) cases.push_back({locked, EACCES});   // root reads it anyway
    for (const Case& c : cases) {
        for (bool binary : {false, true}) {
            AppState s = stateWithOldHistory();
            ScriptedPrompter p;
            p.expect(binary ? kBinaryTitle : kAsciiTitle, std::strerror(c.err), Icon::Exclamation);
            EXPECT_EQ(binary ? ReadBinarySeries(s, p, c.path, 1) : ReadAsciiSeries(s, p, c.path, 1),
                      SeriesRead::Failed);
            expectOldHistory(s);
        }
    }
}

TEST(SeriesReaders, AsciiListSyntax) {
    SeriesDir dir;
    struct Case { std::string body; std::vector<float> points; };
    const Case cases[] = {
        {"4,0,0,0.5,0,0,0,0,0,0,1,+7,-2.5e1,3\n", {1, 7, -25, 3}},
        {"  4\t0 0 .5\r\n0 0 0 0\r\n0 0\r\n\r\n1 ,7, -25 ,3", {1, 7, -25, 3}},
        {"4.7 0 0 .5 0 0 0 0 0 0 1 7 -25 3 99 99", {1, 7, -25, 3}},   // N truncated; extra items unread
        {"4 0 0 .5 0 0 0 0 0 0 1 7 -25 3", {1, 7, -25, 3}},           // no line end at the end
    };
    for (const Case& c : cases) {
        for (size_t block : {1u, 2u, 5u, 1u << 20}) {
            AppState s = freshState();
            ScriptedPrompter p;
            ASSERT_EQ(detail::ReadAsciiSeriesBlocks(s, p, dir.write("l.asc", c.body), 1, block), SeriesRead::Loaded)
                << c.body;
            EXPECT_EQ(history(s), c.points) << c.body << " block " << block;
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(4 * static_cast<double>(0.5f) / 60.0));
        }
    }
}

TEST(SeriesReaders, AsciiCountBelowThreeReadsItsSamples) {
    SeriesDir dir;
    for (const char* body : {"2 0 0 1 0 0 0 0 0 0 1 7 -25 3", "0 0 0 1 0 0 0 0 0 0 1 7", "-4 0 0 1 0 0 0 0 0 0"}) {
        AppState s = stateWithOldHistory();
        ScriptedPrompter p;
        p.expect(kTimeSeriesNoteTitle, kNote, Icon::Critical);
        EXPECT_EQ(ReadAsciiSeries(s, p, dir.write("f.asc", body), 1), SeriesRead::TooFewPoints);
        EXPECT_EQ(s.batch().PointCount, 0);
    }
}

TEST(SeriesReaders, TitleDropsTheLastFourCharacters) {
    SeriesDir dir;
    struct Case { std::string name; std::string title; };
    for (const Case& c : {Case{"Achse vorne.ASC", "Achse vorne"}, Case{"Mess\xC3\xBC" "ng.asc", "Mess\xC3\xBC" "ng"},
                          Case{"x.asc", "x"}, Case{"\xC3\xA4\xC3\xB6.asc", "\xC3\xA4\xC3\xB6"}}) {
        AppState s = freshState();
        ScriptedPrompter p;
        ASSERT_EQ(ReadAsciiSeries(s, p, dir.write(c.name, asciiSeries({0, 5, 1, 6})), 1), SeriesRead::Loaded);
        EXPECT_EQ(s.batch().Title, c.title);
    }
}

TEST(SeriesReaders, StrainMessagesUseTheQuantity) {
    SeriesDir dir;
    AppState s = freshState();
    s.QuantityName = "Strain ";
    ScriptedPrompter p;
    p.expect(kTimeSeriesNoteTitle, "Note: Strain History must have more than 3 Points");
    p.expect("Real Binary Strain History", "Can read 4 data points only.\nContinue?", Answer::No);
    EXPECT_EQ(ReadBinarySeries(s, p, dir.write("s.bin", binarySeries({1, 2}, 2)), 1), SeriesRead::TooFewPoints);
    EXPECT_EQ(ReadBinarySeries(s, p, dir.write("s.bin", binarySeries({1, 2, 0, 3}, 9)), 1), SeriesRead::Declined);
}

}  // namespace
}  // namespace karmo
