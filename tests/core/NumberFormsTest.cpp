#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <streambuf>

#include "core/NumberForms.h"

using namespace karmo;

namespace {

struct RoundCase {
    double value;
    int64_t expected;  // kOverflow: std::overflow_error
};
constexpr int64_t kOverflow = std::numeric_limits<int64_t>::min();

struct MaskCase {
    double value;
    const char* mask;
    const char* expected;
};

struct FloatMaskCase {
    float value;
    const char* mask;
    const char* expected;
};

std::vector<double> readAllNumbers(const std::string& text) {
    std::istringstream in(text);
    ListReader r(in);
    std::vector<double> out;
    double v = 0;
    while (r.readNumber(v)) out.push_back(v);
    return out;
}

}  // namespace

TEST(NumberForms, RoundHalfEvenToLong) {
    const RoundCase cases[] = {
        {0.5, 0},           {1.5, 2},           {2.5, 2},
        {3.5, 4},           {-0.5, 0},          {-1.5, -2},
        {-2.5, -2},         {2.4999999, 2},     {2.5000001, 3},
        {-7.6, -8},         {0.0, 0},           {1e-300, 0},
        {2147483647.4, 2147483647},             {2147483646.5, 2147483646},
        {2147483647.5, kOverflow},              {-2147483648.5, -2147483648LL},
        {-2147483649.0, kOverflow},             {1e12, kOverflow},
        {std::numeric_limits<double>::quiet_NaN(), kOverflow},
        {std::numeric_limits<double>::infinity(), kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.expected == kOverflow)
            EXPECT_THROW(RoundHalfEven(c.value), std::overflow_error);
        else
            EXPECT_EQ(RoundHalfEven(c.value), c.expected);
    }
}

TEST(NumberForms, RoundHalfEvenToInteger) {
    const RoundCase cases[] = {
        {32766.5, 32766},   {32767.49, 32767},  {32767.5, kOverflow}, {-32768.5, -32768},
        {-32769.0, kOverflow}, {4.5, 4},        {5.5, 6},             {-100000.0, kOverflow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.expected == kOverflow)
            EXPECT_THROW(RoundHalfEven16(c.value), std::overflow_error);
        else
            EXPECT_EQ(RoundHalfEven16(c.value), c.expected);
    }
    // A Single passes through unchanged: 2.5f is exact.
    EXPECT_EQ(RoundHalfEven(2.5f), 2);
}

// Every mask the program shows numbers with, on the same values.
TEST(NumberForms, FormatMaskTable) {
    const MaskCase cases[] = {
        // "###0.0##": report values, history extremes
        {0, "###0.0##", "0.0"},
        {1, "###0.0##", "1.0"},
        {-1, "###0.0##", "-1.0"},
        {0.5, "###0.0##", "0.5"},
        {-0.5, "###0.0##", "-0.5"},
        {0.125, "###0.0##", "0.125"},
        {1.0005, "###0.0##", "1.001"},
        {-1.0005, "###0.0##", "-1.001"},
        {123.4565, "###0.0##", "123.457"},
        {1234567.891, "###0.0##", "1234567.891"},
        {-0.0001, "###0.0##", "0.0"},
        {99.99996, "###0.0##", "100.0"},
        {1e20, "###0.0##", "100000000000000000000.0"},
        // "#####0.0##": information panels
        {0, "#####0.0##", "0.0"},
        {-250.25, "#####0.0##", "-250.25"},
        {1.23456, "#####0.0##", "1.235"},
        {12345678, "#####0.0##", "12345678.0"},
        // "#.0#e+##": exceedance probability
        {std::exp(-4.0), "#.0#e+##", "1.83e-2"},
        {0, "#.0#e+##", ".0e+0"},
        {1, "#.0#e+##", "1.0e+0"},
        {0.5, "#.0#e+##", "5.0e-1"},
        {0.125, "#.0#e+##", "1.25e-1"},
        {0.1255, "#.0#e+##", "1.26e-1"},
        {-0.125, "#.0#e+##", "-1.25e-1"},
        {99.9996, "#.0#e+##", "1.0e+2"},
        {0.0099999, "#.0#e+##", "1.0e-2"},
        {12345678, "#.0#e+##", "1.23e+7"},
        {1.5e-12, "#.0#e+##", "1.5e-12"},
        {1e100, "#.0#e+##", "1.0e+100"},
        // "####0.00": spectrum level grid
        {0, "####0.00", "0.00"},
        {0.125, "####0.00", "0.13"},
        {-0.125, "####0.00", "-0.13"},
        {1.005, "####0.00", "1.01"},
        {2.675, "####0.00", "2.68"},
        {-0.004, "####0.00", "0.00"},
        {123456.789, "####0.00", "123456.79"},
        // "##0.00#" and "##0.0##" / "##0.0## ": spectrum parameters, distribution
        {0, "##0.00#", "0.00"},
        {0.1, "##0.00#", "0.10"},
        {20.0005, "##0.00#", "20.001"},
        {-3.14159, "##0.00#", "-3.142"},
        {0, "##0.0##", "0.0"},
        {100, "##0.0##", "100.0"},
        {1.8, "##0.0##", "1.8"},
        {-0.6931472, "##0.0##", "-0.693"},
        {19.9995, "##0.0## ", "20.0 "},
        {0.25, "##0.0## ", "0.25 "},
        // "####" and "#### ": strengths
        {500, "####", "500"},
        {499.5, "####", "500"},
        {0.4, "####", ""},
        {0.5, "####", "1"},
        {0, "####", ""},
        {-2.5, "####", "-3"},
        {123456, "####", "123456"},
        {300, "#### ", "300 "},
        {0, "#### ", " "},
        // "##.0#": notch factor
        {1, "##.0#", "1.0"},
        {0.5, "##.0#", ".5"},
        {2.125, "##.0#", "2.13"},
        {0, "##.0#", ".0"},
        {-0.5, "##.0#", "-.5"},
        {123.4, "##.0#", "123.4"},
        // "####.0## " and "####.0# ": largest range captions
        {200, "####.0## ", "200.0 "},
        {0.5, "####.0## ", ".5 "},
        {0.0625, "####.0## ", ".063 "},
        {-12.5, "####.0## ", "-12.5 "},
        {200, "####.0# ", "200.0 "},
        {0.125, "####.0# ", ".13 "},
        // "###0.0# " and "###0.0#": value tips, largest range
        {0, "###0.0# ", "0.0 "},
        {0.125, "###0.0# ", "0.13 "},
        {-7.995, "###0.0# ", "-8.0 "},
        {42.42, "###0.0#", "42.42"},
        {-0.005, "###0.0#", "-0.01"},
        // "######" and "######0": level count, volume, cycles
        {20, "######", "20"},
        {0, "######", ""},
        {1234567, "######", "1234567"},
        {1e6, "######", "1000000"},
        {0, "######0", "0"},
        {2.5, "######0", "3"},
        {1500000, "######0", "1500000"},
        // "####0.0#" and "####0.0##": report levels, largest range box
        {150, "####0.0#", "150.0"},
        {0.005, "####0.0#", "0.01"},
        {-1.234, "####0.0#", "-1.23"},
        {150, "####0.0##", "150.0"},
        {0.0004, "####0.0##", "0.0"},
        {0.0005, "####0.0##", "0.001"},
        // "####0.###": correction grid (the point stays when no decimal is left)
        {1, "####0.###", "1."},
        {0, "####0.###", "0."},
        {-12.3456, "####0.###", "-12.346"},
        {0.1, "####0.###", "0.1"},
        // "####.## ": tool tip of the largest range
        {200, "####.## ", "200. "},
        {0, "####.## ", ". "},
        {0.125, "####.## ", ".13 "},
        {199.999, "####.## ", "200. "},
        // "###0.0## ": distribution caption
        {200, "###0.0## ", "200.0 "},
        {0.0001, "###0.0## ", "0.0 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " on " + std::to_string(c.value));
        EXPECT_EQ(FormatMask(c.value, c.mask), c.expected);
    }
}

// The mask features beyond the program's own masks.
TEST(NumberForms, FormatMaskOtherFeatures) {
    const MaskCase cases[] = {
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {999.5, "#,##0", "1,000"},
        {0.5, "#,##0.0", "0.5"},
        {0.125, "0.0%", "12.5%"},
        {12345, "0.00E+00", "1.23E+04"},
        {12345, "0.00E-00", "1.23E04"},
        {0.00012345, "0.00E-00", "1.23E-04"},
        {5, "\"Q = \"0.0", "Q = 5.0"},
        {5, "\\##0", "#5"},
        {5, "00.0", "05.0"},
        {123.456, ".00", "123.46"},
        {0.5, "", ".5"},
        {-2, "(0)", "-(2)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " on " + std::to_string(c.value));
        EXPECT_EQ(FormatMask(c.value, c.mask), c.expected);
    }
}

// A Single is shown from its 7-digit text, so binary artefacts never reach the mask.
TEST(NumberForms, FormatMaskOfSingles) {
    const FloatMaskCase cases[] = {
        {0.1f, "####0.###", "0.1"},
        {2.675f, "####0.00", "2.68"},
        {123456.7f, "#####0.0##", "123456.7"},
        {-0.3f, "###0.0##", "-0.3"},
        {16777215.0f, "######", "16777220"},  // a Single keeps 7 digits
        {1.0e-3f, "#.0#e+##", "1.0e-3"},
        {0.0f, "#.0#e+##", ".0e+0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " on " + std::to_string(c.value));
        EXPECT_EQ(FormatMask(c.value, c.mask), c.expected);
    }
    // The same Single widened to double shows its binary tail.
    EXPECT_EQ(FormatMask(static_cast<double>(2.675f), "####0.00"), "2.67");
    EXPECT_EQ(FormatMask(static_cast<double>(123456.7f), "#####0.0##"), "123456.703");
    // Whole numbers of any integer type are formatted exactly.
    EXPECT_EQ(FormatMask(int16_t{12}, "######"), "12");
    EXPECT_EQ(FormatMask(int32_t{16777215}, "######"), "16777215");
    EXPECT_EQ(FormatMask(int32_t{0}, "######"), "");
    EXPECT_EQ(FormatMask(int64_t{9007199254740992}, "0"), "9007199254740992");
}

TEST(NumberForms, WorkedExamples) {
    // DMSE(+): Su=500, Sy=300, Kf=1.0
    EXPECT_EQ("DMSE(+): Su=" + FormatMask(500.0f, "####") + ", Sy=" + FormatMask(300.0f, "####") +
                  ", Kf=" + FormatMask(1.0f, "##.0#"),
              "DMSE(+): Su=500, Sy=300, Kf=1.0");
    // Weibull Q = 0.5 · 200 shown as Q = 100.0, P = exp(-4) as 1.83e-2, Beta P = 0.
    EXPECT_EQ("Q = " + FormatMask(0.5 * 200.0, "##0.0##"), "Q = 100.0");
    EXPECT_EQ(FormatMask(std::exp(-1 / 0.25), "#.0#e+##"), "1.83e-2");
    EXPECT_EQ(FormatMask(0.0, "#.0#e+##"), ".0e+0");
}

TEST(NumberForms, ShortNumberOfSingles) {
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {1.0f, "1"},
        {-2.5f, "-2.5"},
        {0.5f, ".5"},
        {-0.25f, "-.25"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {0.1f, ".1"},
        {0.3f, ".3"},
        {1.0f / 3.0f, ".3333333"},
        {2.0f / 3.0f, ".6666667"},
        {100.0f, "100"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {12345678.0f, "1.234568E+07"},
        {1e7f, "1E+07"},
        {1.5e7f, "1.5E+07"},
        {123456789.0f, "1.234568E+08"},
        {16777215.0f, "1.677722E+07"},
        {0.001f, ".001"},
        {0.0001f, ".0001"},
        {0.00012345678f, ".0001234568"},
        {0.00001f, "1E-05"},
        {-0.000015f, "-1.5E-05"},
        {3.4028235e38f, "3.402823E+38"},
        {1e-45f, "1.401298E-45"},
        {-273.15f, "-273.15"},
        {1.9999999f, "2"},  // 1.99999988... rounds up in the 7th digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(ShortNumber(c.value), c.expected);
        EXPECT_EQ(ListNumber(c.value), c.expected);
    }
}

TEST(NumberForms, ShortNumberOfDoublesAndIntegers) {
    EXPECT_EQ(ShortNumber(0.1), ".1");
    EXPECT_EQ(ShortNumber(1.0 / 3.0), ".333333333333333");
    EXPECT_EQ(ShortNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(ShortNumber(1e15), "1E+15");
    EXPECT_EQ(ShortNumber(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(ShortNumber(1e300), "1E+300");
    EXPECT_EQ(ShortNumber(16777215), "16777215");
    EXPECT_EQ(ShortNumber(int16_t{-32768}), "-32768");
    EXPECT_EQ(ListNumber(12345678), "12345678");
    EXPECT_EQ(ListNumber(int64_t{2000000000}), "2000000000");
    EXPECT_EQ(ListNumber(0.5), ".5");  // a double is written as its Single
    EXPECT_EQ(ListNumber(0.1), ".1");
}

TEST(NumberForms, PrintNumber) {
    EXPECT_EQ(PrintNumber(1.0f), " 1 ");
    EXPECT_EQ(PrintNumber(-0.5f), "-.5 ");
    EXPECT_EQ(PrintNumber(0.5f), " .5 ");
    EXPECT_EQ(PrintNumber(0.0f), " 0 ");
    EXPECT_EQ(PrintNumber(1.5e7f), " 1.5E+07 ");
    EXPECT_EQ(PrintNumber(-3), "-3 ");
    EXPECT_EQ(PrintNumber(16777215), " 16777215 ");
    EXPECT_EQ(PrintNumber(int16_t{0}), " 0 ");
    EXPECT_EQ(PrintNumber(std::numeric_limits<int32_t>::min()), "-2147483648 ");
    // The factory settings line in SI units.
    const std::string line = PrintNumber(std::floor(1.0f)) + PrintNumber(8454143) +
                             PrintNumber(16777088) + PrintNumber(16777215) + PrintNumber(8454016) +
                             PrintNumber(12583104) + PrintNumber(int16_t{0}) +
                             PrintNumber(int16_t{0}) + "\r\n";
    EXPECT_EQ(line, " 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n");
    // In US units the unit flag is the floor of 1/2.54.
    EXPECT_EQ(PrintNumber(std::floor(1.0f / 2.54f)), " 0 ");
}

TEST(NumberForms, ListString) {
    EXPECT_EQ(ListString("Stress "), "\"Stress \"");
    EXPECT_EQ(ListString(""), "\"\"");
    EXPECT_EQ(ListString("a, b"), "\"a, b\"");
    EXPECT_EQ(ListString("6\" pipe"), "\"6' pipe\"");
    EXPECT_EQ(ListString("two\r\nlines"), "\"two  lines\"");
}

TEST(NumberForms, ParseListNumber) {
    const struct {
        const char* text;
        double expected;
    } good[] = {
        {"1", 1},          {"-2.5", -2.5},      {".5", 0.5},       {"5.", 5},
        {"+3", 3},         {"1.5E+07", 1.5e7},  {"1e-5", 1e-5},    {"1.5D+03", 1500},
        {"2d2", 200},      {"  7  ", 7},        {"-0", 0},         {"1e-400", 0},
        {"0.000e999", 0},  {"8454143", 8454143}, {"1.401298E-45", 1.401298e-45},
    };
    for (const auto& c : good) {
        SCOPED_TRACE(c.text);
        const auto v = ParseListNumber(c.text);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(*v, c.expected);
    }
    EXPECT_TRUE(std::signbit(*ParseListNumber("-0")));
    const char* bad[] = {"", " ",    "abc", "1.2.3", "--1", "+-1", "1e",  "1e+", "inf",
                         "nan", "0x10", "e5",  ".",     "-",   "1,5", "1 2", "1e999", "&H10"};
    for (const char* t : bad) {
        SCOPED_TRACE(t);
        EXPECT_FALSE(ParseListNumber(t).has_value());
    }
}

TEST(NumberForms, ListReaderSeparators) {
    const struct {
        const char* text;
        std::vector<double> expected;
    } cases[] = {
        {" 1  8454143  16777088  16777215  8454016  12583104  0  0 \r\n",
         {1, 8454143, 16777088, 16777215, 8454016, 12583104, 0, 0}},
        {"1\n2\n3\n", {1, 2, 3}},
        {"1\r\n2\r\n3", {1, 2, 3}},
        {"1\r2\r3\r", {1, 2, 3}},
        {"1,2,3", {1, 2, 3}},
        {"1 , 2 ,3 ,\r\n", {1, 2, 3}},
        {"1,,2", {1, 0, 2}},
        {",5", {0, 5}},
        {"1, ,2", {1, 0, 2}},
        {"1,,", {1, 0}},
        {"1,\r\n2", {1, 2}},
        {"\r\n\r\n  \r\n 4 \r\n\r\n", {4}},
        {"\t1\t2", {1, 2}},
        {"", {}},
        {" \r\n ", {}},
        {"-.5 .25E+01 1.5D+03", {-0.5, 2.5, 1500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readAllNumbers(c.text), c.expected);
    }
}

TEST(NumberForms, ListReaderStrings) {
    std::istringstream in(
        "\"Title, with comma\"\r\n"
        "  1000 \r\n"
        "\"Stress \"\r\n"
        "\"quoted\" tail ignored, 7\r\n"
        "  Batch 1  , next\r\n"
        "\"\",\"unclosed\r\n"
        "last");
    ListReader r(in);
    std::string s;
    double v = 0;
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "Title, with comma");
    ASSERT_TRUE(r.readNumber(v));
    EXPECT_EQ(v, 1000);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "Stress ");
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "quoted");
    ASSERT_TRUE(r.readNumber(v));
    EXPECT_EQ(v, 7);
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "Batch 1");
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "next");
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "");
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "unclosed");
    EXPECT_FALSE(r.atEnd());
    ASSERT_TRUE(r.readString(s));
    EXPECT_EQ(s, "last");
    EXPECT_TRUE(r.atEnd());
    EXPECT_FALSE(r.readString(s));
    EXPECT_FALSE(r.readNumber(v));
    EXPECT_EQ(r.itemsRead(), 10);
}

// A text written empty at the end of a list line: the caller asks before reading.
TEST(NumberForms, ListReaderEmptyTextAtLineEnd) {
    std::istringstream in(" 200  20  520 \r\n .5  0 \r\n");
    ListReader r(in);
    double v = 0;
    for (double expected : {200.0, 20.0, 520.0}) {
        ASSERT_TRUE(r.readNumber(v));
        EXPECT_EQ(v, expected);
    }
    EXPECT_TRUE(r.atLineEnd());
    ASSERT_TRUE(r.readNumber(v));
    EXPECT_EQ(v, 0.5);
    EXPECT_FALSE(r.atLineEnd());
    ASSERT_TRUE(r.readNumber(v));
    EXPECT_TRUE(r.atLineEnd());
    EXPECT_TRUE(r.atEnd());
}

// A database file: quoted lines, list lines, a text at the end of a list line.
TEST(NumberForms, ListReaderDatabaseLayout) {
    std::istringstream in(
        "-3 \r\n 1 \r\n\"Stress \"\r\n 10  2  101  250.5 -120 \r\n 300  1000 \r\n"
        " 150  5000 \r\n 300  150  6000  0  0  520 Batch 1\r\n 0  0  0  300  1 \r\n");
    ListReader r(in);
    std::vector<double> numbers;
    std::string quantity, name;
    double v = 0;
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(r.readNumber(v));
        numbers.push_back(v);
    }
    ASSERT_TRUE(r.readString(quantity));
    for (int i = 0; i < 15; ++i) {
        ASSERT_TRUE(r.readNumber(v));
        numbers.push_back(v);
    }
    EXPECT_FALSE(r.atLineEnd());
    ASSERT_TRUE(r.readString(name));
    while (r.readNumber(v)) numbers.push_back(v);
    EXPECT_EQ(quantity, "Stress ");
    EXPECT_EQ(name, "Batch 1");
    EXPECT_EQ(numbers, (std::vector<double>{-3, 1, 10, 2, 101, 250.5, -120, 300, 1000, 150, 5000,
                                            300, 150, 6000, 0, 0, 520, 0, 0, 0, 300, 1}));
    EXPECT_EQ(r.itemsRead(), 24);
}

TEST(NumberForms, ListReaderRefusesWhatIsNotANumber) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"1 abc", "Item 2 (\"abc\") is not a number"},
        {"1,2,1e999", "Item 3 (\"1e999\") is out of range"},
        {"\"5\"", "Item 1 (\"5\") is not a number"},
        {"1.2.3", "Item 1 (\"1.2.3\") is not a number"},
        {"inf", "Item 1 (\"inf\") is not a number"},
        {"Batch 1", "Item 1 (\"Batch\") is not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::istringstream in(c.text);
        ListReader r(in);
        double v = 0;
        try {
            while (r.readNumber(v)) {
            }
            ADD_FAILURE() << "no error";
        } catch (const ListInputError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

// Items that run across the reader's 64 KiB buffer boundary.
TEST(NumberForms, ListReaderItemsAcrossBuffers) {
    for (size_t pad = 65530; pad <= 65540; ++pad) {
        SCOPED_TRACE(pad);
        std::string text(pad, ' ');
        text += "123.456,\"a long, quoted text\",-7.5E-3\r\n";
        std::istringstream in(text);
        ListReader r(in);
        double v = 0;
        std::string s;
        ASSERT_TRUE(r.readNumber(v));
        EXPECT_EQ(v, 123.456);
        ASSERT_TRUE(r.readString(s));
        EXPECT_EQ(s, "a long, quoted text");
        ASSERT_TRUE(r.readNumber(v));
        EXPECT_EQ(v, -7.5e-3);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(NumberForms, ListReaderStreamsLongInput) {
    constexpr int kCount = 1000000;
    std::string text;
    text.reserve(kCount * 12);
    for (int i = 0; i < kCount; ++i) {
        text += ShortNumber(static_cast<float>(i % 10000) / 8.0f - 500.0f);
        text += (i % 3 == 0) ? "\r\n" : (i % 3 == 1 ? "," : " ");
    }
    std::istringstream in(text);
    ListReader r(in);
    double v = 0;
    int n = 0;
    bool allEqual = true;
    while (r.readNumber(v)) {
        allEqual = allEqual && static_cast<float>(v) == static_cast<float>(n % 10000) / 8.0f - 500.0f;
        ++n;
    }
    EXPECT_EQ(n, kCount);
    EXPECT_TRUE(allEqual);
    EXPECT_EQ(r.itemsRead(), kCount);
}

namespace {
// A stream whose device fails after the first chunk.
class FailingBuf : public std::streambuf {
    std::string first_ = "1 2 3 ";
    bool served_ = false;

protected:
    int_type underflow() override {
        if (served_) throw std::runtime_error("device gone");
        served_ = true;
        setg(first_.data(), first_.data(), first_.data() + first_.size());
        return traits_type::to_int_type(first_[0]);
    }
};
}  // namespace

TEST(NumberForms, ListReaderReportsDeviceErrors) {
    FailingBuf buf;
    std::istream in(&buf);
    ListReader r(in);
    double v = 0;
    EXPECT_THROW(
        {
            while (r.readNumber(v)) {
            }
        },
        ListInputError);
}

TEST(NumberForms, SinglesSurviveListOutputAndInput) {
    // Values with 7 or fewer significant digits come back as the same Single.
    const float values[] = {0.1f, -273.15f, 1.5e7f, 1e-5f, 12345.67f, 3.402823e38f, 0.0f};
    for (float f : values) {
        SCOPED_TRACE(f);
        const auto back = ParseListNumber(ListNumber(f));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(static_cast<float>(*back), f);
    }
}

TEST(NumberForms, Cp1252RoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);

    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");        // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\x9F"), "\xC5\xB8");            // Y with diaeresis
    EXPECT_EQ(Cp1252ToUtf8("Stra\xDF" "e"), "Stra\xC3\x9F" "e");
    EXPECT_EQ(Cp1252ToUtf8("\xB0"), "\xC2\xB0");            // degree sign
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");            // undefined: kept as U+0081
    EXPECT_EQ(Utf8ToCp1252("\xE2\x80\x93"), "\x96");        // en dash
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");               // U+0080 has no byte
    EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5\xE6\x9C\xAC"), "??");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");       // beyond the BMP
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");                 // cut sequence
    EXPECT_EQ(Utf8ToCp1252("\xC0\x80"), "??");              // overlong
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80"), "???");         // surrogate
    EXPECT_EQ(Utf8ToCp1252("\xC3\xA4x"), "\xE4x");
}
