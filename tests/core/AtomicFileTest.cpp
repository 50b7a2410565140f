#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "core/AtomicFile.h"
#include "support/TempDir.h"

using namespace karmo;
using karmo::test::TempDir;

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
    EXPECT_EQ(JoinPath("/data/run", "Karmo.cfg"), "/data/run/Karmo.cfg");
    EXPECT_EQ(JoinPath("", "Karmo.cfg"), "Karmo.cfg");
    TempDir dir;
    const std::string path = JoinPath(dir.str() + "/", "out.txt");
    EXPECT_EQ(path, dir.str() + "/out.txt");
    ASSERT_EQ(ReplaceFileAtomically(path, std::string_view("first\r\n")), "");

    // A writer that gives up half-way leaves the old file and no temporary file.
    EXPECT_EQ(ReplaceFileAtomically(path, [](std::ostream& out) {
                  out << "half";
                  throw std::runtime_error("disk went away");
              }),
              "out.txt: disk went away");
    EXPECT_EQ(dir.read("out.txt"), "first\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});

    // A file size limit makes the write fail part way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = ReplaceFileAtomically(path, std::string(200000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, std::string("out.txt: ") + std::strerror(EFBIG));
    EXPECT_EQ(dir.read("out.txt"), "first\r\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.txt"});

    EXPECT_EQ(ReplaceFileAtomically(path, std::string_view("second")), "");
    EXPECT_EQ(dir.read("out.txt"), "second");
}
