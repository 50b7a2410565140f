#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/AtomicFile.h"

using namespace karmo;
using karmo::test::TempDir;

TEST(AtomicFile, JoinPath) {
    EXPECT_EQ(JoinPath("/data/run", "Karmo.cfg"), "/data/run/Karmo.cfg");
    EXPECT_EQ(JoinPath("/data/run/", "Karmo.cfg"), "/data/run/Karmo.cfg");
    EXPECT_EQ(JoinPath("/", "kardt.dat"), "/kardt.dat");
    EXPECT_EQ(JoinPath("", "Karmo.cfg"), "Karmo.cfg");
}

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    TempDir dir;
    const std::string path = JoinPath(dir.str(), "out.txt");
    EXPECT_EQ(ReplaceFileAtomically(path, std::string_view("first\r\n")), "");
    EXPECT_EQ(dir.read("out.txt"), "first\r\n");

    // A writer that gives up half-way leaves the old file and no temporary file.
    const std::string error = ReplaceFileAtomically(path, [](std::ostream& out) {
        out << "half";
        throw std::runtime_error("disk went away");
    });
    EXPECT_EQ(error, "disk went away");
    EXPECT_EQ(dir.read("out.txt"), "first\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});

    EXPECT_EQ(ReplaceFileAtomically(path, std::string_view("second")), "");
    EXPECT_EQ(dir.read("out.txt"), "second");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});
}
