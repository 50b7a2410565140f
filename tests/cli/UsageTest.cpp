#include <gtest/gtest.h>

#include "CliTestSupport.h"

namespace karmo::test {
namespace {

TEST(Usage, HelpForTheProgramAndEveryCommandHasAnExample) {
    const std::vector<std::vector<std::string>> calls = {
        {"--help"}, {"-h"}, {"history", "--help"}, {"spectrum", "--help"}, {"synth", "--help"},
        {"db", "--help"}, {"db", "add", "--help"}, {"report", "--help"}, {"spectrum", "x.txt", "--bogus", "--help"}};
    for (const auto& args : calls) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.rfind("Usage: karmo-cli ", 0), 0u);
        // One example, and it is a karmo-cli command line.
        const size_t at = r.out.find("Example:\n  karmo-cli ");
        EXPECT_NE(at, std::string::npos);
        EXPECT_EQ(r.out.find("Example:", at + 1), std::string::npos);
    }
}

// Usage errors: exit 2, the reason and the usage text on standard error, nothing else done.
TEST(Usage, UsageErrorsExitWithTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "karmo-cli: no command given\n"},
        {{"count", "x"}, "karmo-cli: unknown command count\n"},
        {{"history", CliData("six.txt")}, "karmo-cli: history needs -o OUT\n"},
        {{"history", "-o", "/tmp/never"}, "karmo-cli: missing INPUT\n"},
        {{"spectrum", CliData("six.txt"), "--bogus"}, "karmo-cli: unknown option --bogus\n"},
        {{"spectrum", CliData("six.txt"), "--levels"}, "karmo-cli: option --levels needs a value\n"},
        {{"spectrum", CliData("six.txt"), "extra"}, "karmo-cli: unexpected argument extra\n"},
        {{"spectrum", CliData("six.txt"), "--fit", "gauss"}, "karmo-cli: unknown --fit gauss (beta, weibull or lognorm)\n"},
        {{"spectrum", CliData("six.txt"), "--format", "xls"}, "karmo-cli: unknown --format xls\n"},
        {{"spectrum", "/tmp/history.xyz"}, "karmo-cli: cannot tell the format of /tmp/history.xyz from its name: give --format\n"},
        {{"synth", "--type", "beta"}, "karmo-cli: synth needs --q\n"},
        {{"synth", "--type", "gamma", "--q", "1", "--r", "1", "--max", "1", "--min", "0.5", "--levels", "2", "--volume", "9"},
         "karmo-cli: unknown --type gamma (beta, weibull or lognorm)\n"},
        {{"db"}, "karmo-cli: db needs list, add or delete\n"},
        {{"db", "copy", "x"}, "karmo-cli: unknown db command copy\n"},
        {{"db", "delete", "/tmp", "first"}, "karmo-cli: N must be a batch number, not first\n"},
        {{"report", "/tmp", "1", "--date", "2026-12-06"}, "karmo-cli: --date takes MM-DD-YYYY, not 2026-12-06\n"},
    };
    for (const auto& [args, reason] : cases) {
        SCOPED_TRACE(reason);
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.substr(0, reason.size()), reason);
        EXPECT_NE(r.err.find("\nUsage: karmo-cli "), std::string::npos);
    }
}

}  // namespace
}  // namespace karmo::test
