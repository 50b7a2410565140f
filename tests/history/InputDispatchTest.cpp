#include "history/InputDispatch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "support/ScriptedPrompter.h"

namespace karmo {
namespace {

using test::ScriptedPrompter;
namespace fs = std::filesystem;

class InputDir {
public:
    InputDir() {
        static int serial = 0;
        path_ = fs::temp_directory_path() /
                ("karmo-input-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::create_directories(path_);
    }
    ~InputDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    // The directory list's path, with or without a trailing separator.
    std::string dir(bool trailingSlash = false) const { return path_.string() + (trailingSlash ? "/" : ""); }

private:
    fs::path path_;
};

const std::string kSeries = "4 0 0 0.5 0 0 0 0 0 0\n0 5 1 6\n";

std::string binarySeries() {
    std::string out(512, '\0');
    auto put = [&](size_t at, float v) { std::memcpy(out.data() + at, &v, 4); };
    put(0, 4);
    put(12, 0.5f);
    for (float v : {0.0f, 5.0f, 1.0f, 6.0f}) {
        out.resize(out.size() + 4);
        put(out.size() - 4, v);
    }
    return out;
}

AppState freshState() {
    AppState s;
    s.CurrentBatch = 1;
    s.UiMode = 0;
    return s;
}

std::vector<float> history(const AppState& s) {
    return std::vector<float>(s.Values.begin() + 1, s.Values.begin() + 1 + s.batch().PointCount);
}

TEST(ConfirmInputPanel, TimeSeriesByExtension) {
    InputDir d;
    d.write("run.asc", kSeries);
    d.write("RUN2.BIN", binarySeries());
    d.write("run3.Dac", binarySeries());
    for (const char* name : {"run.asc", "RUN2.BIN", "run3.Dac"}) {
        for (bool slash : {false, true}) {
            AppState s = freshState();
            ScriptedPrompter p;
            const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::TimeSeries, d.dir(slash), name});
            EXPECT_EQ(r.next, InputNext::HistoryParameters) << name;
            EXPECT_EQ(r.series, SeriesRead::Loaded);
            EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 6}));
            EXPECT_EQ(s.HistoryPath, d.dir() + "/" + name);
            EXPECT_EQ(r.parms.caption, "Stress -History Parameters");
            EXPECT_EQ(s.UiMode, 0);   // the history parameters dialog is open
            EXPECT_TRUE(s.HistoryModified);
            EXPECT_TRUE(s.HistoryShown);
        }
    }
}

TEST(ConfirmInputPanel, OtherExtensionsReadNothing) {
    InputDir d;
    d.write("run.txt", kSeries);
    d.write("as", kSeries);
    for (const char* name : {"run.txt", "as"}) {
        AppState s = freshState();
        ScriptedPrompter p;
        const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::TimeSeries, d.dir(), name});
        EXPECT_EQ(r.next, InputNext::StayOnInput);
        EXPECT_EQ(s.batch().PointCount, 0);
        EXPECT_EQ(s.UiMode, 1);
    }
}

TEST(ConfirmInputPanel, RefusedOrFailedSeriesStaysOnThePanel) {
    InputDir d;
    d.write("flat.asc", "4 0 0 0.5 0 0 0 0 0 0\n1 2 3 4\n");
    d.write("bad.asc", "4 0 0 0.5 0 0 0 0 0 0\n1 2 x 4\n");
    struct Case { const char* name; const char* title; const char* text; SeriesRead read; };
    for (const Case& c : {Case{"flat.asc", "Reading Time Series", "Note: Stress History must have more than 3 Points",
                               SeriesRead::TooFewPoints},
                          Case{"bad.asc", "Real ASCII Stress History", "Sample 3 is not a number.", SeriesRead::Failed}}) {
        AppState s = freshState();
        ScriptedPrompter p;
        p.expect(c.title, c.text);
        const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::TimeSeries, d.dir(), c.name});
        EXPECT_EQ(r.next, InputNext::StayOnInput);
        EXPECT_EQ(r.series, c.read);
        EXPECT_EQ(s.UiMode, 1);
        EXPECT_FALSE(s.HistoryShown);
    }
}

TEST(ConfirmInputPanel, DirectoryNamedLikeASeriesIsAnError) {
    InputDir d;
    fs::create_directories(d.dir() + "/folder.bin");
    AppState s = freshState();
    ScriptedPrompter p;
    p.expect("Real Binary Stress History", std::strerror(EISDIR), Icon::Exclamation);
    const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::TimeSeries, d.dir(), "folder.bin"});
    EXPECT_EQ(r.next, InputNext::StayOnInput);
    EXPECT_EQ(r.series, SeriesRead::Failed);
}

TEST(ConfirmInputPanel, MissingFileIsNotFound) {
    InputDir d;
    for (HistorySource src : {HistorySource::KarmoFile, HistorySource::TimeSeries, HistorySource::TextFile}) {
        AppState s = freshState();
        s.QuantityName = "Strain ";
        ScriptedPrompter p;
        p.expect("Reading Strain History", "File not Found! ", Icon::Exclamation);
        const InputConfirmResult r = ConfirmInputPanel(s, p, {src, d.dir(), "gone.asc"});
        EXPECT_EQ(r.next, InputNext::StayOnInput);
        EXPECT_FALSE(s.HistoryModified);
        EXPECT_TRUE(s.HistoryPath.empty());
    }
}

TEST(ConfirmInputPanel, EmptyNameGoesBackToTheDatabasePanel) {
    for (HistorySource src : {HistorySource::KarmoFile, HistorySource::TimeSeries, HistorySource::TextFile}) {
        AppState s = freshState();
        ScriptedPrompter p;
        const InputConfirmResult r = ConfirmInputPanel(s, p, {src, "/tmp", ""});
        EXPECT_EQ(r.next, InputNext::ShowDatabasePanel);
        EXPECT_FALSE(s.HistoryModified);
        EXPECT_EQ(s.UiMode, 1);
    }
}

TEST(ConfirmInputPanel, KeyboardOpensTheEntryPanel) {
    AppState s = freshState();
    ScriptedPrompter p;
    const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::Keyboard, "", ""});
    EXPECT_EQ(r.next, InputNext::KeyboardEntry);
    EXPECT_TRUE(s.HistoryModified);
}

TEST(ConfirmInputPanel, HistoryAndTextFilesGoThroughTheHistoryFileReader) {
    InputDir d;
    d.write("karhs.1", "\"Axle\"\r\n4\r\n2.5\r\n0\r\n5\r\n1\r\n6\r\n");
    d.write("plain.txt", "0 5 1 6 2 7\r\n");
    {
        AppState s = freshState();
        ScriptedPrompter p;
        const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::KarmoFile, d.dir(), "karhs.1"});
        EXPECT_EQ(r.next, InputNext::HistoryFileOpened);
        EXPECT_EQ(r.opened.read, HistoryRead::Loaded);
        EXPECT_TRUE(r.opened.drawHistory);
        EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 6}));
        EXPECT_EQ(s.batch().Title, "Axle");
    }
    {
        AppState s = freshState();
        s.TextHasHeader = 0;
        ScriptedPrompter p;
        const InputConfirmResult r = ConfirmInputPanel(s, p, {HistorySource::TextFile, d.dir(), "plain.txt"});
        EXPECT_EQ(r.next, InputNext::HistoryFileOpened);
        EXPECT_EQ(r.opened.read, HistoryRead::Loaded);
        EXPECT_EQ(history(s), (std::vector<float>{0, 5, 1, 6, 2, 7}));
        EXPECT_TRUE(s.HistoryModified);
    }
}

}  // namespace
}  // namespace karmo
