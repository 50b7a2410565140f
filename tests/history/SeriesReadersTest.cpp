#include "history/SeriesReaders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>

#include "HistoryTestData.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace karmo {
namespace {

using namespace test;

const char* const kAscii = "Real ASCII Stress History";
const char* const kBinary = "Real Binary Stress History";
const char* const kNote = "Note: Stress History must have more than 3 Points";
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// Writes the series as `name` and reads it in blocks of `block` bytes.
SeriesRead readSeries(AppState& s, Prompter& p, const TempDir& dir, bool binary, const std::string& bytes,
                      size_t block = kSeriesBlockBytes, const std::string& name = "") {
    const std::string file = name.empty() ? (binary ? "s.bin" : "s.asc") : name;
    dir.write(file, bytes);
    const std::string path = dir.str() + "/" + file;
    return binary ? detail::ReadBinarySeriesBlocks(s, p, path, 1, block)
                  : detail::ReadAsciiSeriesBlocks(s, p, path, 1, block);
}

// Straightforward reduction, one sample after the other.
std::vector<float> referenceReduce(const std::vector<float>& x) {
    std::vector<float> pts{x[0]};
    int dir = x[1] > x[0] ? 1 : 2;
    for (size_t i = 2; i < x.size(); ++i) {
        const int nd = x[i] > x[i - 1] ? 1 : (x[i] < x[i - 1] ? 2 : dir);
        if (nd != dir) pts.push_back(x[i - 1]);
        dir = nd;
    }
    pts.push_back(x.back());
    return pts;
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

void expectOld(const AppState& s) {
    expectSameHistory(oldHistory(), s);
    EXPECT_EQ(s.ProcessedCount, 4);
}

TEST(SeriesReaders, WorkedExamples) {
    struct Case {
        std::vector<float> x;
        float factor;
        std::vector<float> ascii, binary;   // binary with StepDirection 0
    } cases[] = {
        {{0, 5, 5, 2, 8}, 1, {0, 5, 2, 8}, {0, 5, 2, 8}},               // a plateau is one reversal
        {{3, 3, 8, 1}, 1, {3, 3, 8, 1}, {3, 3, 8, 1}},                  // equal first samples fall
        {{0, 5, 1, 6, 2}, 1, {0, 5, 1, 6, 2, 6}, {0, 5, 1, 6, 2, 2}},   // five made six
        {{0, 14.5f, -3.25f, 7}, 1 / 6.895f, {0, 14.5f, -3.25f, 7}, {0, 14.5f, -3.25f, 7}},   // ksi
    };
    TempDir dir;
    for (const Case& c : cases) {
        for (bool binary : {false, true}) {
            AppState s = stateWith({});
            s.QuantityFactor = c.factor;
            ScriptedPrompter p;
            ASSERT_EQ(readSeries(s, p, dir, binary, binary ? binarySeries(c.x, {}, 0.5f) : asciiSeries(c.x, {}, 0.5f),
                                 kSeriesBlockBytes, binary ? "run42.bin" : "run42.asc"),
                      SeriesRead::Loaded);
            std::vector<float> expected = binary ? c.binary : c.ascii;
            for (float& v : expected) v /= c.factor;
            EXPECT_EQ(historyPoints(s), expected) << binary;
            EXPECT_EQ(s.ProcessedCount, s.batch().PointCount);
            EXPECT_EQ(s.Values.size(), expected.size() + 2);
            EXPECT_EQ(s.batch().MaxValue, *std::max_element(c.x.begin(), c.x.end()) / c.factor);
            EXPECT_EQ(s.batch().Title, "run42");
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(static_cast<double>(c.x.size()) * 0.5 / 60.0));
            EXPECT_EQ(s.FastDisplay, -1);
            EXPECT_EQ(p.busyDepth, 0);
        }
    }
    // The binary even rule: the previous point + 1 after a rising step; N is truncated.
    AppState s = stateWith({});
    s.StepDirection = 1;
    ScriptedPrompter p;
    ASSERT_EQ(readSeries(s, p, dir, true, binarySeries({0, 5, 1, 6, 2}, 3.9f, 2)), SeriesRead::Loaded);
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, 5, 1, 2}));
    EXPECT_EQ(s.batch().RecordTime, static_cast<float>(3 * 2.0 / 60.0));

    struct Name { const char* file; const char* title; };   // characters, not bytes
    for (const Name& n : {Name{"Achse vorne.ASC", "Achse vorne"}, Name{"Gr\xC3\xBCn.\xC3\xA4sc", "Gr\xC3\xBCn"}}) {
        AppState t = stateWith({});
        ASSERT_EQ(readSeries(t, p, dir, false, asciiSeries({0, 5, 1, 6}), kSeriesBlockBytes, n.file), SeriesRead::Loaded);
        EXPECT_EQ(t.batch().Title, n.title);
    }
}

TEST(SeriesReaders, TooFewPointsGiveTheNote) {
    std::vector<float> rise{-1};   // plateaus inside a rise
    for (int i = 1; i < 1000; ++i) rise.push_back(static_cast<float>(i / 3));
    struct Case { bool binary; std::string bytes; bool keepsOld; } cases[] = {
        {false, asciiSeries(rise), false}, {true, binarySeries(rise), false},   // monotonic
        {true, binarySeries({0, 5, 1, 6}, 2.9f), true},                         // N read as 2
        {true, binarySeries({0, 5, 1, 6}, -5), true},
        {false, "2 0 0 1 0 0 0 0 0 0 1 7 -25 3", false},   // the ASCII form reads its N samples
    };
    for (const Case& c : cases) {
        AppState s = oldHistory();
        ScriptedPrompter p;
        p.expect(kTimeSeriesNoteTitle, kNote, Icon::Critical);
        EXPECT_EQ(readSeries(s, p, TempDir(), c.binary, c.bytes), SeriesRead::TooFewPoints);
        if (c.keepsOld) {
            expectOld(s);
        } else {
            EXPECT_EQ(s.batch().PointCount, 0);
            EXPECT_EQ(s.ProcessedCount, 0);
            EXPECT_EQ(s.batch().Title, "old");
        }
    }
}

TEST(SeriesReaders, ReductionDoesNotDependOnBlockBoundaries) {
    TempDir dir;
    const std::vector<float> x = plateauSeries(3001, 7);
    const std::vector<float> ref = referenceReduce(x);
    ASSERT_GT(ref.size(), 500u);
    std::vector<float> ascii = ref, binary = ref;
    if (ref.size() % 2 == 1) {
        ascii.push_back(ref[ref.size() - 2]);
        binary.push_back(ref.back());   // StepDirection 2
    }
    for (size_t block : {1u, 3u, 4u, 7u, 28u, 4096u, 1u << 20}) {
        for (bool bin : {false, true}) {
            AppState s = stateWith({});
            s.StepDirection = 2;
            ScriptedPrompter p;
            ASSERT_EQ(readSeries(s, p, dir, bin, bin ? binarySeries(x) : asciiSeries(x), block), SeriesRead::Loaded);
            EXPECT_EQ(historyPoints(s), bin ? binary : ascii) << bin << " block " << block;
        }
    }
}

TEST(SeriesReaders, ShortFileAsksWhetherToContinue) {
    const std::vector<float> x{0, 5, 1, 6, 2, 7};
    struct Case { bool binary; std::string bytes; } cases[] = {
        {false, asciiSeries(x, 10)}, {true, binarySeries(x, 1e30f)},
        {true, binarySeries(x, 7) + "\x01\x02"},   // ends inside a record
    };
    for (const Case& c : cases) {
        for (Answer answer : {Answer::Yes, Answer::No}) {
            AppState s = oldHistory();
            ScriptedPrompter p;
            p.expect(c.binary ? kBinary : kAscii, "Can read 6 data points only.\nContinue?", Icon::Question, answer);
            const SeriesRead got = readSeries(s, p, TempDir(), c.binary, c.bytes);
            if (answer == Answer::No) {
                EXPECT_EQ(got, SeriesRead::Declined);
                expectOld(s);
                continue;
            }
            ASSERT_EQ(got, SeriesRead::Loaded);
            EXPECT_EQ(historyPoints(s), x);
            // The record time is that of the samples read, not of the claim.
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(6 * static_cast<double>(0.001f) / 60.0));
        }
    }
}

TEST(SeriesReaders, CancelKeepsTheOldHistory) {
    const std::vector<float> x = plateauSeries(4000, 3);
    for (bool binary : {false, true}) {
        AppState s = oldHistory();
        ScriptedPrompter p;
        p.cancelAfterProgressCalls = 2;
        EXPECT_EQ(readSeries(s, p, TempDir(), binary, binary ? binarySeries(x) : asciiSeries(x), 256),
                  SeriesRead::Declined);
        EXPECT_EQ(p.progressCalls, 3);
        EXPECT_GT(p.lastProgress, 0.0);
        EXPECT_LT(p.lastProgress, 1.0);
        EXPECT_EQ(p.busyDepth, 0);
        expectOld(s);
    }
}

TEST(SeriesReaders, BadInputNamesTheSampleOrItem) {
    const std::string h = "6 0 0 .01 0 0 0 0 0 0\n";
    struct Case { bool binary; std::string bytes; std::string text; float factor = 1; } cases[] = {
        {true, binarySeries({0, 5, 1, 6, 2, 7, kNaN, 3}), "Sample 7 is not a number."},
        {true, binarySeries({0, 5, 1, -kInf}), "Sample 4 is not a number."},
        {true, binarySeries({0, 5, 3e38f, 6}), "Sample 3 is not a number.", 1 / 6.895f},   // overflows in MPa
        {true, binarySeries({0, 5, 1, 6}, kNaN), "Item 1 of the header is not a number."},
        {true, binarySeries({0, 5, 1, 6}, 4, kInf), "Item 4 of the header is not a number."},
        {true, "", "The file holds no data points."},
        {true, binarySeries({}, 100), "The file holds no data points."},
        {false, h + "1 2 abc 4 5 6\n", "Sample 3 is not a number."},
        {false, h + "1,2,3,4,5,nan\n", "Sample 6 is not a number."},
        {false, h + "1 2 3 4 1e999 6\n", "Sample 5 is not a number."},
        {false, h + "1 2 3 4 5 " + std::string(5000, '7') + "\n", "Sample 6 is not a number."},
        {false, "six 0 0 .01 0 0 0 0 0 0\n1 2 3 4 5 6\n", "Item 1 of the header is not a number."},
        {false, "6 0 0 .01 0 0 0 0 0 inf\n1 2 3 4 5 6\n", "Item 10 of the header is not a number."},
        {false, "", "The file holds no data points."},
        {false, "6 0 0 .01 0 0 0\n", "The file holds no data points."},
    };
    for (const Case& c : cases) {
        for (size_t block : {4u, 1u << 20}) {
            AppState s = oldHistory();
            s.QuantityFactor = c.factor;
            ScriptedPrompter p;
            p.expect(c.binary ? kBinary : kAscii, c.text, Icon::Exclamation);
            EXPECT_EQ(readSeries(s, p, TempDir(), c.binary, c.bytes, block), SeriesRead::Failed) << c.text;
            expectOld(s);
        }
    }
}

TEST(SeriesReaders, UnreadablePathsReportTheSystemsError) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "folder.asc");
    dir.write("locked.bin", binarySeries({0, 5, 1, 6}));
    std::filesystem::permissions(dir.path() / "locked.bin", std::filesystem::perms::none);
    struct Case { std::string name; int err; };
    std::vector<Case> cases{{"folder.asc", EISDIR}, {"missing.bin", ENOENT}};
    if (::geteuid() != 0) cases.push_back({"locked.bin", EACCES});   // root reads it anyway
    for (const Case& c : cases) {
        for (bool binary : {false, true}) {
            AppState s = oldHistory();
            ScriptedPrompter p;
            p.expect(binary ? kBinary : kAscii, std::strerror(c.err), Icon::Exclamation);
            const std::string path = dir.str() + "/" + c.name;
            EXPECT_EQ(binary ? ReadBinarySeries(s, p, path, 1) : ReadAsciiSeries(s, p, path, 1), SeriesRead::Failed);
            expectOld(s);
        }
    }
}

TEST(SeriesReaders, AsciiListSyntax) {
    for (const char* body : {"  4\t0 0 .5\r\n0 0 0 0\r\n0 0\r\n\r\n1 ,+7, -2.5e1 ,3",   // no line end at the end
                             "4.7,0,0,0.5,0,0,0,0,0,0,1,7,-25,3,99\n"}) {          // N truncated; extra unread
        for (size_t block : {1u, 5u, 1u << 20}) {
            AppState s = stateWith({});
            ScriptedPrompter p;
            ASSERT_EQ(readSeries(s, p, TempDir(), false, body, block), SeriesRead::Loaded) << body;
            EXPECT_EQ(historyPoints(s), (std::vector<float>{1, 7, -25, 3})) << body << " block " << block;
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(4 * static_cast<double>(0.5f) / 60.0));
        }
    }
}

TEST(SeriesReaders, StrainMessagesUseTheQuantity) {
    TempDir dir;
    AppState s = stateWith({});
    s.QuantityName = "Strain ";
    ScriptedPrompter p;
    p.expect(kTimeSeriesNoteTitle, "Note: Strain History must have more than 3 Points");
    p.expect("Real Binary Strain History", "Can read 4 data points only.\nContinue?", Answer::No);
    EXPECT_EQ(readSeries(s, p, dir, true, binarySeries({1, 2}, 2)), SeriesRead::TooFewPoints);
    EXPECT_EQ(readSeries(s, p, dir, true, binarySeries({1, 2, 0, 3}, 9)), SeriesRead::Declined);
}

}  // namespace
}  // namespace karmo
