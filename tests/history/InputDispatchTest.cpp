#include "history/InputDispatch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "HistoryTestData.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace karmo {
namespace {

using namespace test;

TEST(ConfirmInputPanel, DispatchesBySourceAndExtension) {
    TempDir d;
    d.write("run.asc", asciiSeries({0, 5, 1, 6}));
    d.write("RUN2.BIN", binarySeries({0, 5, 1, 6}));
    d.write("run3.Dac", binarySeries({0, 5, 1, 6}));
    d.write("run.txt", asciiSeries({0, 5, 1, 6}));
    d.write("flat.asc", asciiSeries({1, 2, 3, 4}));
    d.write("bad.asc", "4 0 0 0.5 0 0 0 0 0 0\n1 2 x 4\n");
    d.write("karhs.1", "\"Axle\"\r\n4\r\n2.5\r\n0\r\n5\r\n1\r\n6\r\n");
    d.write("plain.txt", "0 5 1 6 2 7\r\n");
    std::filesystem::create_directories(d.path() / "folder.bin");
    using S = HistorySource;
    using N = InputNext;
    const std::string notFound = "File not Found! ";
    struct Case { HistorySource source; std::string name; InputNext next; std::vector<float> points; std::string title = "", message = ""; };
    const Case cases[] = {
        {S::TimeSeries, "run.asc", N::HistoryParameters, {0, 5, 1, 6}},
        {S::TimeSeries, "RUN2.BIN", N::HistoryParameters, {0, 5, 1, 6}},
        {S::TimeSeries, "run3.Dac", N::HistoryParameters, {0, 5, 1, 6}},
        {S::TimeSeries, "run.txt", N::StayOnInput, {}, "Reading Stress History", NotATimeSeriesText("run.txt")},
        {S::TimeSeries, "flat.asc", N::StayOnInput, {}, "Reading Time Series",
         "Note: Stress History must have more than 3 Points"},
        {S::TimeSeries, "bad.asc", N::StayOnInput, {}, "Real ASCII Stress History", "Sample 3 is not a number."},
        {S::TimeSeries, "folder.bin", N::StayOnInput, {}, "Real Binary Stress History", std::strerror(EISDIR)},
        {S::KarmoFile, "karhs.1", N::HistoryFileOpened, {0, 5, 1, 6}},
        {S::TextFile, "plain.txt", N::HistoryFileOpened, {0, 5, 1, 6, 2, 7}},
        {S::KarmoFile, "gone", N::StayOnInput, {}, "Reading Stress History", notFound},
        {S::TimeSeries, "gone.asc", N::StayOnInput, {}, "Reading Stress History", notFound},
        {S::TextFile, "gone.txt", N::StayOnInput, {}, "Reading Stress History", notFound},
        {S::TimeSeries, "", N::ShowDatabasePanel, {}},
        {S::Keyboard, "", N::KeyboardEntry, {}},
    };
    bool slash = false;
    for (const Case& c : cases) {
        AppState s = stateWith({}, 1);
        s.UiMode = 0;
        if (c.source == S::TextFile) s.TextHasHeader = 0;
        ScriptedPrompter p;
        if (!c.message.empty()) p.expect(c.title, c.message);
        slash = !slash;   // the directory with and without a trailing separator
        const InputConfirmResult r = ConfirmInputPanel(s, p, {c.source, d.str() + (slash ? "/" : ""), c.name});
        EXPECT_EQ(r.next, c.next) << c.name;
        EXPECT_EQ(historyPoints(s), c.points) << c.name;
        const bool read = c.source != S::Keyboard && c.message != notFound && c.name != "run.txt" && !c.name.empty();
        EXPECT_EQ(std::tuple(s.HistoryPath, s.HistoryModified, s.HistoryShown),
                  std::tuple(read ? d.str() + "/" + c.name : "", read || c.source == S::Keyboard, !c.points.empty()))
            << c.name;
        // The parameters dialog is open after a series was read.
        const bool parms = c.next == N::HistoryParameters;
        EXPECT_EQ(std::tuple(s.UiMode, r.parms.caption), std::tuple(parms ? 0 : 1, parms ? "Stress -History Parameters" : ""));
    }
}

}  // namespace
}  // namespace karmo
