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
SeriesRead readSeries(AppState& s, Prompter& p, bool binary, const std::string& bytes,
                      size_t block = kSeriesBlockBytes, const std::string& name = "s") {
    TempDir dir;
    dir.write(name, bytes);
    const std::string path = dir.str() + "/" + name;
    return binary ? detail::ReadBinarySeriesBlocks(s, p, path, 1, block)
                  : detail::ReadAsciiSeriesBlocks(s, p, path, 1, block);
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
        {{0, 14.5f, -3.25f, 7}, 1 / 6.895f, {0, 14.5f, -3.25f, 7}, {0, 14.5f, -3.25f, 7}},   // ksi to MPa
    };
    for (const Case& c : cases) {
        for (bool binary : {false, true}) {
            AppState s = stateWith({});
            s.QuantityFactor = c.factor;
            ScriptedPrompter p;
            // The title drops the last four characters (not bytes) of the name.
            ASSERT_EQ(readSeries(s, p, binary, binary ? binarySeries(c.x, {}, 0.5f) : asciiSeries(c.x, {}, 0.5f),
                                 kSeriesBlockBytes, "Gr\xC3\xBCn 42.\xC3\xA4sc"),
                      SeriesRead::Loaded);
            std::vector<float> expected = binary ? c.binary : c.ascii;
            for (float& v : expected) v /= c.factor;
            EXPECT_EQ(historyPoints(s), expected) << binary;
            const auto n = static_cast<int32_t>(expected.size());
            const auto [mn, mx] = std::minmax_element(c.x.begin(), c.x.end());
            EXPECT_EQ(batchFields(s), std::tuple(n, *mx / c.factor, *mn / c.factor,
                                                 static_cast<float>(static_cast<double>(c.x.size()) * 0.5 / 60.0),
                                                 "Gr\xC3\xBCn 42"));
            EXPECT_EQ(std::tuple(s.ProcessedCount, s.Values.size(), s.FastDisplay, p.busyDepth),
                      std::tuple(n, n + 2u, -1, 0));
        }
    }
    // The binary even rule after a rising step: the previous point + 1; N 3.9 is read as 3.
    AppState s = stateWith({});
    s.StepDirection = 1;
    ScriptedPrompter p;
    ASSERT_EQ(readSeries(s, p, true, binarySeries({0, 5, 1, 6, 2}, 3.9f, 2)), SeriesRead::Loaded);
    EXPECT_EQ(historyPoints(s), (std::vector<float>{0, 5, 1, 2}));
    EXPECT_EQ(s.batch().RecordTime, static_cast<float>(3 * 2.0 / 60.0));
    // A point added above the largest value becomes the maximum: the extremes hold every value.
    ASSERT_EQ(readSeries(s, p, true, binarySeries({5, 0, 6, 1, 7})), SeriesRead::Loaded);
    EXPECT_EQ(historyPoints(s), (std::vector<float>{5, 0, 6, 1, 7, 8}));
    EXPECT_EQ(std::tuple(s.batch().MaxValue, s.batch().MinValue), std::tuple(8.0f, 0.0f));
}

TEST(SeriesReaders, ReductionDoesNotDependOnBlockBoundaries) {
    // A series full of plateaus of every length, so that block ends fall inside them.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> level(0, 4), run(1, 6);
    std::vector<float> x;
    while (x.size() < 3001) x.insert(x.end(), static_cast<size_t>(run(rng)), static_cast<float>(level(rng)) * 2.5f - 3);
    // The reference: one sample after the other.
    std::vector<float> ref{x[0]};
    for (size_t i = 2, dir = x[1] > x[0]; i < x.size(); ++i) {
        const size_t nd = x[i] > x[i - 1] ? 1 : (x[i] < x[i - 1] ? 0 : dir);
        if (nd != dir) ref.push_back(x[i - 1]);
        dir = nd;
    }
    ref.push_back(x.back());
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
            ASSERT_EQ(readSeries(s, p, bin, bin ? binarySeries(x) : asciiSeries(x), block), SeriesRead::Loaded);
            EXPECT_EQ(historyPoints(s), bin ? binary : ascii) << bin << " block " << block;
        }
    }
}

TEST(SeriesReaders, CancelKeepsTheOldHistory) {
    const std::vector<float> x(4000, 1);
    for (bool binary : {false, true}) {
        AppState s = oldHistory();
        ScriptedPrompter p;
        p.cancelAfterProgressCalls = 2;
        EXPECT_EQ(readSeries(s, p, binary, binary ? binarySeries(x) : asciiSeries(x), 256), SeriesRead::Declined);
        EXPECT_EQ(std::tuple(p.progressCalls, p.busyDepth), std::tuple(3, 0));
        EXPECT_TRUE(p.lastProgress > 0 && p.lastProgress < 1) << p.lastProgress;
        expectOld(s);
    }
}

// Early ends, too few points and bad input: the question, the note or the error, and the
// batch keeps its history unless the reduction left too few points.
TEST(SeriesReaders, QuestionsNotesAndErrors) {
    const std::vector<float> x{0, 5, 1, 6, 2, 7};
    std::vector<float> rise{-1};   // plateaus inside a rise
    for (int i = 1; i < 1000; ++i) rise.push_back(static_cast<float>(i / 3));
    std::vector<float> zigzag;
    for (int i = 0; i < 300; ++i) zigzag.push_back(static_cast<float>(i % 2 * 10 + i % 7));
    const std::string h = "6 0 0 .01 0 0 0 0 0 0\n", can6 = "Can read 6 data points only.\nContinue?";
    const SeriesRead L = SeriesRead::Loaded, D = SeriesRead::Declined, T = SeriesRead::TooFewPoints;
    struct Case { bool binary; std::string bytes, text; SeriesRead read = SeriesRead::Failed; bool deletes = false; float factor = 1; };
    const Case cases[] = {
        {false, asciiSeries(x, 10), can6, L}, {false, asciiSeries(x, 10), can6, D},
        {true, binarySeries(x, 1e30f), can6, L}, {true, binarySeries(x, 1e30f), can6, D},   // a huge N is a claim
        {true, binarySeries(x, 7) + "\x01\x02", can6, L},   // ends inside a record
        {false, asciiSeries(rise), kNote, T, true}, {true, binarySeries(rise), kNote, T, true},   // monotonic
        {true, binarySeries({0, 5, 1, 6}, 2.9f), kNote, T}, {true, binarySeries({0, 5, 1, 6}, -5), kNote, T},
        {false, "2 0 0 1 0 0 0 0 0 0 1 7 -25 3", kNote, T, true},   // the ASCII form reads its N samples
        {true, binarySeries({0, 5, 1, 6, 2, 7, kNaN, 3}), "Sample 7 is not a number."},
        {true, binarySeries({0, 5, 3e38f, 6}), "Sample 3 is not a number.", SeriesRead::Failed, false, 1 / 6.895f},
        {true, binarySeries({0, 5, 1, 6}, kNaN), "Item 1 of the header is not a number."},
        {true, binarySeries({0, 5, 1, 6}, 4, kInf), "Item 4 of the header is not a number."},
        {true, "", "The file holds no data points."},
        {true, binarySeries({}, 100), "The file holds no data points."},
        {false, h + "1 2 abc 4 5 6\n", "Sample 3 is not a number."},
        {false, h + "1 2 3 4 1e999 6\n", "Sample 5 is out of range."},
        {false, h + "1 2 3 4 1e39 6\n", "Sample 5 is out of range."},
        {false, "6 0 0 1e39 0 0 0 0 0 0\n1 2 3 4 5 6\n", "Item 4 of the header is out of range."},
        // N times dt overflows the record time: nothing is taken over.
        {false, asciiSeries(zigzag, {}, 1e38f), "The record time (300 samples of 1E+38) is out of range."},
        {true, binarySeries(zigzag, {}, 3e38f), "The record time (300 samples of 3E+38) is out of range."},
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
            if (c.read == T) p.expect(kTimeSeriesNoteTitle, c.text, Icon::Critical);
            else if (c.text == can6) p.expect(c.binary ? kBinary : kAscii, c.text, Icon::Question, c.read == L ? Answer::Yes : Answer::No);
            else p.expect(c.binary ? kBinary : kAscii, c.text, Icon::Exclamation);
            EXPECT_EQ(readSeries(s, p, c.binary, c.bytes, block), c.read) << c.text;
            if (c.read == L) {
                EXPECT_EQ(historyPoints(s), x);
                // The record time is that of the samples read, not of the claim.
                EXPECT_EQ(s.batch().RecordTime, static_cast<float>(6 * static_cast<double>(0.001f) / 60.0));
            } else if (c.deletes) {
                EXPECT_EQ(std::tuple(s.batch().PointCount, s.ProcessedCount, s.batch().Title), std::tuple(0, 0, "old"));
            } else {
                expectOld(s);
            }
        }
    }
}

TEST(SeriesReaders, UnreadablePathsReportTheSystemsError) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "folder.asc");
    dir.write("locked.bin", binarySeries({0, 5, 1, 6}));
    std::filesystem::permissions(dir.path() / "locked.bin", std::filesystem::perms::none);
    std::vector<std::pair<std::string, int>> cases{{"folder.asc", EISDIR}, {"missing.bin", ENOENT}};
    if (::geteuid() != 0) cases.emplace_back("locked.bin", EACCES);   // root reads it anyway
    for (const auto& [name, err] : cases) {
        for (bool binary : {false, true}) {
            AppState s = oldHistory();
            ScriptedPrompter p;
            p.expect(binary ? kBinary : kAscii, std::strerror(err), Icon::Exclamation);
            const std::string path = dir.str() + "/" + name;
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
            ASSERT_EQ(readSeries(s, p, false, body, block), SeriesRead::Loaded) << body;
            EXPECT_EQ(historyPoints(s), (std::vector<float>{1, 7, -25, 3})) << body << " block " << block;
            EXPECT_EQ(s.batch().RecordTime, static_cast<float>(4 * static_cast<double>(0.5f) / 60.0));
        }
    }
}

}  // namespace
}  // namespace karmo
