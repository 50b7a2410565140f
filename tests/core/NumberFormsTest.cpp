#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <tuple>

#include "core/NumberForms.h"

using namespace karmo;

namespace {

constexpr int64_t kOverflow = std::numeric_limits<int64_t>::min();  // std::overflow_error

// The numbers read from the stream, and the message of the error that ended them ("" if none).
std::pair<std::vector<double>, std::string> readNumbers(std::istream&& in) {
    ListReader r(in);
    std::vector<double> out;
    double v = 0;
    try {
        while (r.readNumber(v)) out.push_back(v);
    } catch (const ListInputError& e) {
        return {out, e.what()};
    }
    return {out, ""};
}

}  // namespace

TEST(NumberForms, RoundHalfEven) {
    const std::tuple<double, int64_t, int64_t> cases[] = {  // value, to a Long, to an Integer
        {0.5, 0, 0},         {1.5, 2, 2},       {2.5, 2, 2},       {-2.5, -2, -2},
        {2.5000001, 3, 3},   {-7.6, -8, -8},    {32767.5, 32768, kOverflow},
        {-32768.5, -32768, -32768},             {2147483646.5, 2147483646, kOverflow},
        {2147483647.5, kOverflow, kOverflow},   {-2147483648.5, -2147483648LL, kOverflow},
        {std::numeric_limits<double>::quiet_NaN(), kOverflow, kOverflow},
    };
    for (const auto& [value, toLong, toInteger] : cases) {
        using E = std::overflow_error;
        if (toLong == kOverflow) EXPECT_THROW(RoundHalfEven(value), E) << value;
        else EXPECT_EQ(RoundHalfEven(value), toLong) << value;
        if (toInteger == kOverflow) EXPECT_THROW(RoundHalfEven16(value), E) << value;
        else EXPECT_EQ(RoundHalfEven16(value), toInteger) << value;
    }
}

// Every mask the program shows numbers with: negatives, halves, zero, exponents, and the
// other mask features.
TEST(NumberForms, FormatMaskTable) {
    const std::tuple<double, const char*, const char*> cases[] = {
        {0, "###0.0##", "0.0"}, {-1.0005, "###0.0##", "-1.001"}, {123.4565, "###0.0##", "123.457"},
        {-0.0001, "###0.0##", "0.0"}, {99.99996, "###0.0##", "100.0"},
        {-250.25, "#####0.0##", "-250.25"}, {1.23456, "#####0.0##", "1.235"},
        {0, "#.0#e+##", ".0e+0"}, {1, "#.0#e+##", "1.0e+0"}, {0.1255, "#.0#e+##", "1.26e-1"},
        {-0.125, "#.0#e+##", "-1.25e-1"}, {99.9996, "#.0#e+##", "1.0e+2"},
        {1.5e-12, "#.0#e+##", "1.5e-12"}, {1e100, "#.0#e+##", "1.0e+100"},
        {0.125, "####0.00", "0.13"}, {-0.125, "####0.00", "-0.13"}, {1.005, "####0.00", "1.01"},
        {-0.004, "####0.00", "0.00"}, {0.1, "##0.00#", "0.10"}, {-3.14159, "##0.00#", "-3.142"},
        {100, "##0.0##", "100.0"}, {-0.6931472, "##0.0##", "-0.693"},
        {19.9995, "##0.0## ", "20.0 "}, {499.5, "####", "500"}, {0.4, "####", ""}, {0, "####", ""},
        {-2.5, "####", "-3"}, {300, "#### ", "300 "}, {0.5, "##.0#", ".5"},
        {2.125, "##.0#", "2.13"}, {-0.5, "##.0#", "-.5"}, {200, "####.0## ", "200.0 "},
        {0.0625, "####.0## ", ".063 "}, {0.125, "####.0# ", ".13 "}, {-7.995, "###0.0# ", "-8.0 "},
        {-0.005, "###0.0#", "-0.01"}, {0, "######", ""}, {1234567, "######", "1234567"},
        {0, "######0", "0"}, {2.5, "######0", "3"}, {0.005, "####0.0#", "0.01"},
        {-1.234, "####0.0#", "-1.23"}, {0.0005, "####0.0##", "0.001"}, {1, "####0.###", "1."},
        {-12.3456, "####0.###", "-12.346"}, {200, "####.## ", "200. "}, {0, "####.## ", ". "},
        {199.999, "####.## ", "200. "}, {0.0001, "###0.0## ", "0.0 "},
        {1234567.891, "#,##0.00", "1,234,567.89"}, {0.125, "0.0%", "12.5%"},
        {0.00012345, "0.00E-00", "1.23E-04"}, {5, "\"Q = \"0.0", "Q = 5.0"}, {5, "\\##0", "#5"},
    };
    for (const auto& [value, mask, expected] : cases)
        EXPECT_EQ(FormatMask(value, mask), expected) << mask << " on " << value;
    // A Single is shown from its 7-digit text, so binary artefacts never reach the mask;
    // integers are shown exactly.
    EXPECT_EQ(FormatMask(2.675f, "####0.00"), "2.68");
    EXPECT_EQ(FormatMask(static_cast<double>(2.675f), "####0.00"), "2.67");
    EXPECT_EQ(FormatMask(16777215.0f, "######"), "16777220");
    EXPECT_EQ(FormatMask(int32_t{16777215}, "######"), "16777215");
    // Worked examples: a mean-stress label, a Weibull scale and an exceedance probability.
    EXPECT_EQ("DMSE(+): Su=" + FormatMask(500.0f, "####") + ", Sy=" + FormatMask(300.0f, "####") +
                  ", Kf=" + FormatMask(1.0f, "##.0#"),
              "DMSE(+): Su=500, Sy=300, Kf=1.0");
    EXPECT_EQ("Q = " + FormatMask(0.5 * 200.0, "##0.0##"), "Q = 100.0");
    EXPECT_EQ(FormatMask(std::exp(-1 / 0.25), "#.0#e+##"), "1.83e-2");
}

// The short (list output) form; what is written reads back to the same text.
TEST(NumberForms, ListAndPrintForms) {
    const std::pair<float, const char*> cases[] = {
        {-0.25f, "-.25"}, {0.0f, "0"}, {2.0f / 3.0f, ".6666667"}, {9999999.0f, "9999999"},
        {12345678.0f, "1.234568E+07"}, {0.0001f, ".0001"}, {-0.000015f, "-1.5E-05"},
        {3.4028235e38f, "3.402823E+38"}, {1.9999999f, "2"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ListNumber(value), text);
        EXPECT_EQ(ListNumber(static_cast<float>(ParseListNumber(text).value())), text);
    }
    EXPECT_EQ(ShortNumber(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(ListNumber(int64_t{2000000000}), "2000000000");
    EXPECT_EQ(ListNumber(0.1), ".1");  // a double is written as its Single
    EXPECT_EQ(PrintNumber(0.5f) + PrintNumber(-0.5f) + PrintNumber(-3), " .5 -.5 -3 ");
    // A quote or line break inside a text would end the item early when read back.
    EXPECT_EQ(ListString("6\" pipe\r\nx"), "\"6' pipe  x\"");
}

TEST(NumberForms, ParseListNumber) {
    const std::pair<const char*, double> good[] = {
        {".5", 0.5}, {"5.", 5}, {"+3", 3}, {"1.5E+07", 1.5e7}, {"1.5D+03", 1500}, {"2d2", 200},
        {"  7  ", 7}, {"1e-400", 0},
    };
    for (const auto& [text, value] : good) EXPECT_EQ(ParseListNumber(text), value) << text;
    for (const char* t : {"", "abc", "1.2.3", "+-1", "1e+", "inf", "nan", "0x10", ".", "1,5",
                          "1 2", "1e999"})
        EXPECT_FALSE(ParseListNumber(t).has_value()) << t;
}

// Separators, empty items, and the messages of items that are not numbers.
TEST(NumberForms, ListReaderNumbers) {
    const std::tuple<std::string, std::vector<double>, std::string> cases[] = {
        {"1\n2\r\n3\r4", {1, 2, 3, 4}, ""},
        {"1 , 2 ,3 ,\r\n", {1, 2, 3}, ""},
        {"1,,2, ,3", {1, 0, 2, 0, 3}, ""},
        {",5", {0, 5}, ""},
        {"1,\r\n2", {1, 2}, ""},
        {"\r\n\r\n  \r\n 4 \r\n\r\n", {4}, ""},
        {"\t1\t2", {1, 2}, ""},
        {"1 abc", {1}, "Item 2 (\"abc\") is not a number"},
        {"1,2,1e999", {1, 2}, "Item 3 (\"1e999\") is out of range"},
        {"\"5\"", {}, "Item 1 (\"5\") is not a number"},
        {"Batch 1", {}, "Item 1 (\"Batch\") is not a number"},
    };
    for (const auto& [text, numbers, error] : cases)
        EXPECT_EQ(readNumbers(std::istringstream(text)), std::make_pair(numbers, error)) << text;
}

TEST(NumberForms, ListReaderStrings) {
    std::istringstream in(
        "\"Title, with comma\"\r\n  1000 \r\n\"quoted\" tail ignored, 7\r\n"
        "  Batch 1  , next\r\n\"\",\"unclosed\r\nlast");
    ListReader r(in);
    std::vector<std::string> texts;
    for (std::string s; r.readString(s);) texts.push_back(s);
    // An unclosed quote ends at the line end, not at the end of the file.
    EXPECT_EQ(texts, (std::vector<std::string>{"Title, with comma", "1000", "quoted", "7",
                                               "Batch 1", "next", "", "unclosed", "last"}));
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.itemsRead(), 9);

    // A text written empty at the end of a list line: the caller asks before reading.
    std::istringstream record(" 200  20 \r\n .5 Batch 1\r\n");
    ListReader d(record);
    double v = 0;
    ASSERT_TRUE(d.readNumber(v) && d.readNumber(v));
    EXPECT_TRUE(d.atLineEnd());
    ASSERT_TRUE(d.readNumber(v));
    EXPECT_FALSE(d.atLineEnd());
}

// A failing device, items without end, and items across the reader's 64 KiB buffer boundary.
TEST(NumberForms, ListReaderBuffers) {
    // A directory opens but cannot be read: the device error is reported.
    EXPECT_EQ(readNumbers(std::ifstream(std::filesystem::temp_directory_path())).second,
              "Device I/O error");

    // An item longer than any of ours stops the read: an endless input without separators
    // costs bounded time and memory.
    EXPECT_EQ(readNumbers(std::istringstream("1 " + std::string(3 << 20, '7') + " 1")).second,
              "Item 2 (\"7777777777777777777777777777777777777777...\") is too long");
    std::string s;
    for (const std::string& text : {std::string(3 << 20, 'x'), "\"" + std::string(3 << 20, 'x'),
                                    "\"a\"" + std::string(3 << 20, 'x')}) {
        std::istringstream hugeText(text + "\r\nnext");
        ListReader t(hugeText);
        EXPECT_THROW(t.readString(s), ListItemTooLong);
    }

    for (size_t pad = 65530; pad <= 65540; ++pad) {
        std::istringstream in(std::string(pad, ' ') + "123.456,\"a long, quoted\",-7.5E-3\r\n");
        ListReader r(in);
        double v = 0, w = 0;
        ASSERT_TRUE(r.readNumber(v) && r.readString(s) && r.readNumber(w)) << pad;
        EXPECT_EQ(v + w, 123.456 - 7.5e-3) << pad;
        EXPECT_EQ(s, "a long, quoted") << pad;
        EXPECT_TRUE(r.atEnd()) << pad;
    }
}

TEST(NumberForms, Cp1252) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);  // undefined bytes survive too
    const std::pair<const char*, const char*> toUtf8[] = {
        {"\x80", "\xE2\x82\xAC"}, {"Stra\xDF" "e", "Stra\xC3\x9F" "e"}, {"\x81", "\xC2\x81"}};
    for (const auto& [cp, utf8] : toUtf8) EXPECT_EQ(Cp1252ToUtf8(cp), utf8);
    const std::pair<const char*, const char*> toCp[] = {
        {"\xE2\x80\x93", "\x96"}, {"\xC2\x80", "?"}, {"\xF0\x9F\x98\x80", "?"},
        {"a\xC3", "a?"},          {"\xC0\x80", "??"}, {"\xED\xA0\x80", "???"}};
    for (const auto& [utf8, cp] : toCp) EXPECT_EQ(Utf8ToCp1252(utf8), cp);
}
