#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "CliPrompter.h"
#include "JsonWriter.h"

namespace karmo::test {
namespace {

TEST(JsonWriter, StringsAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\data", "\"C:\\\\data\""},
        {"two\nlines\r\n", "\"two\\nlines\\r\\n\""},
        {"tab\there", "\"tab\\there\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
        {"\xC2\xB5str", "\"\xC2\xB5str\""},   // UTF-8 passes through
    };
    for (const auto& [text, json] : cases) EXPECT_EQ(cli::JsonString(text), json);
}

// Every Single written reads back to itself; what has no JSON form is null.
TEST(JsonWriter, NumbersReadBackExactly) {
    const float floats[] = {0.0f, 1.0f, -2.5f, 0.1f, 10.0f / 3.0f, 1e-30f, 3.4e38f, 16777217.0f, 1.17549435e-38f};
    for (const float f : floats) EXPECT_EQ(std::strtof(cli::JsonNumber(f).c_str(), nullptr), f) << cli::JsonNumber(f);
    const double doubles[] = {0.1, 1.0 / 3.0, 8.9841899661580728e-07, -1e300};
    for (const double d : doubles) EXPECT_EQ(std::strtod(cli::JsonNumber(d).c_str(), nullptr), d);
    EXPECT_EQ(cli::JsonNumber(std::numeric_limits<float>::quiet_NaN()), "null");
    EXPECT_EQ(cli::JsonNumber(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(cli::JsonNumber(0.1f), "0.100000001");
}

TEST(JsonWriter, NestingAndCommas) {
    std::ostringstream out;
    cli::JsonWriter j(out);
    j.beginObject().field("a", int32_t{1}).key("b").beginArray();
    j.value(true).value("x").beginObject().endObject().null();
    j.endArray().key("c").beginObject().field("d", 2.5f).endObject().endObject();
    EXPECT_EQ(out.str(), "{\"a\":1,\"b\":[true,\"x\",{},null],\"c\":{\"d\":2.5}}");
}

TEST(CliPrompter, MessagesGoToStandardErrorAndQuestionsFollowThePolicy) {
    std::ostringstream err;
    cli::CliPrompter yes(err, false), no(err, true);
    EXPECT_EQ(yes.ask(Prompt{"T", "One.\nTwo?", Icon::Question, Buttons::YesNo, 1}), Answer::Yes);
    EXPECT_EQ(no.ask(Prompt{"T", "Sure?", Icon::Question, Buttons::YesNoCancel, 0}), Answer::No);
    EXPECT_EQ(yes.tell("Note", "Said.", Icon::Information), Answer::Ok);
    EXPECT_EQ(no.ask(Prompt{"Q", "Go on?", Icon::Question, Buttons::OkCancel, 0}), Answer::Cancel);
    EXPECT_TRUE(yes.progress(0.5));
    EXPECT_EQ(err.str(), "T: One. Two?\nT: Sure?\nNote: Said.\nQ: Go on?\n");
    ASSERT_EQ(yes.messages().size(), 2u);
    EXPECT_EQ(yes.messages()[0].text, "One.\nTwo?");   // kept whole for the JSON
    EXPECT_EQ(cli::OneLine("A. \r\nB.\n"), "A. B. ");
}

}  // namespace
}  // namespace karmo::test
