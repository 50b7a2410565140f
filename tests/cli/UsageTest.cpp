#include <cstdlib>
#include <limits>

#include "CliPrompter.h"
#include "CliTestSupport.h"
#include "JsonWriter.h"

namespace karmo::test {
namespace {

TEST(Usage, HelpForTheProgramAndEveryCommandHasAnExample) {
    const std::vector<std::vector<std::string>> calls = {
        {"--help"}, {"-h"}, {"history", "--help"}, {"edit", "--help"}, {"spectrum", "--help"}, {"synth", "--help"},
        {"db", "--help"}, {"db", "add", "--help"}, {"report", "--help"}, {"spectrum", "x.txt", "--bogus", "--help"}};
    for (const auto& args : calls) {
        const CliRun r = RunKarmoCli(args);
        const size_t at = r.out.find("Example:\n  karmo-cli ");
        EXPECT_TRUE(r.code == 0 && r.err.empty() && r.out.rfind("Usage: karmo-cli ", 0) == 0) << args[0];
        EXPECT_TRUE(at != std::string::npos && r.out.find("Example:", at + 1) == std::string::npos) << args[0];
    }
}

// Usage errors: exit 2, the reason and the usage text on standard error, nothing else done.
TEST(Usage, UsageErrorsExitWithTwo) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"history", CliData("six.txt")}, "history needs -o OUT"},
        {{"spectrum", CliData("six.txt"), "--bogus"}, "unknown option --bogus"},
        {{"spectrum", CliData("six.txt"), "--fit", "gauss"}, "unknown --fit gauss (beta, weibull or lognorm)"},
        {{"spectrum", "/tmp/history.xyz"}, "cannot tell the format of /tmp/history.xyz from its name: give --format"},
        {{"synth", "--type", "beta"}, "synth needs --q"},
        {{"db", "delete", "/tmp", "first"}, "N must be a batch number, not first"},
        {{"report", "/tmp", "1", "--date", "2026-12-06"}, "--date takes MM-DD-YYYY, not 2026-12-06"},
    };
    for (const auto& [args, reason] : cases) {
        const CliRun r = RunKarmoCli(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("karmo-cli: " + reason + "\n\nUsage: karmo-cli ", 0), 0u) << r.err;
    }
}

TEST(JsonWriter, StringsAndNumbers) {
    const std::pair<std::string, std::string> strings[] = {
        {"say \"hi\"", "\"say \\\"hi\\\"\""}, {"C:\\data", "\"C:\\\\data\""},
        {"two\nlines\r\n\t", "\"two\\nlines\\r\\n\\t\""},
        {std::string("nul\0\x1f\x7f", 6), "\"nul\\u0000\\u001f\\u007f\""},
        {"\xC2\xB5str", "\"\xC2\xB5str\""},  // UTF-8 passes through
    };
    for (const auto& [text, json] : strings) EXPECT_EQ(cli::JsonString(text), json);
    // Every Single written reads back to itself; what has no JSON form is null.
    EXPECT_EQ(cli::JsonNumber(0.1f), "0.100000001");
    EXPECT_EQ(std::strtof(cli::JsonNumber(10.0f / 3.0f).c_str(), nullptr), 10.0f / 3.0f);
    EXPECT_EQ(cli::JsonNumber(std::numeric_limits<float>::quiet_NaN()), "null");
    EXPECT_EQ(cli::JsonNumber(std::numeric_limits<double>::infinity()), "null");
}

// Messages go to standard error as one line (command runs show the rest); with --no every
// question is answered No or Cancel; the JSON keeps the text whole.
TEST(CliPrompter, QuestionsFollowThePolicy) {
    std::ostringstream err;
    cli::CliPrompter yes(err, false), no(err, true);
    EXPECT_EQ(yes.ask(Prompt{"T", "One.\nTwo?", Icon::Question, Buttons::OkCancel, 1}), Answer::Ok);
    EXPECT_EQ(no.ask(Prompt{"T", "Sure?", Icon::Question, Buttons::YesNoCancel, 0}), Answer::No);
    EXPECT_EQ(no.ask(Prompt{"Q", "Go on?", Icon::Question, Buttons::OkCancel, 0}), Answer::Cancel);
    EXPECT_EQ(err.str(), "T: One. Two?\nT: Sure?\nQ: Go on?\n");
    EXPECT_EQ(yes.messages().at(0).text, "One.\nTwo?");
    EXPECT_EQ(cli::OneLine("A. \r\nB.\n"), "A. B. ");
}

}  // namespace
}  // namespace karmo::test
