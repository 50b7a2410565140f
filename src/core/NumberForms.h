#pragma once
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace karmo {

// Conversions of fractions to integers round half to even (2.5 -> 2, 3.5 -> 4).
// Values outside the target type throw std::overflow_error.
int32_t RoundHalfEven(double v);     // to a Long
int16_t RoundHalfEven16(double v);   // to an Integer

// A display mask: '#' optional digit, '0' required digit, '.' decimal point, literal
// characters (a trailing blank, say) copied as they stand; "#.0#e+##" style masks give
// scientific form. Digits beyond the mask's decimals are rounded half away from zero on
// the decimal value of the number, as the display masks do.
std::string FormatMask(double value, std::string_view mask);

// Shortest decimal text of a single-precision value with at most 7 significant digits:
// "1", "-2.5", ".5", "-.25", "1.5E+07", "1E-05". No sign blank, no trailing blank.
std::string ShortNumber(float v);
std::string ShortNumber(double v);   // the same form with up to 15 significant digits
// The formatted-print form of a number: a blank in place of the sign of a value that is
// not negative (a "-" otherwise), the short form, one trailing blank: " 1 ", "-.5 ".
std::string PrintNumber(float v);
std::string PrintNumber(int32_t v);
// List output of a number: the short form alone ("1", "-2.5", "1.5E+07").
inline std::string ListNumber(float v) { return ShortNumber(v); }
// List output of a text: in double quotes.
std::string ListString(std::string_view s);

// Thrown by ListReader when an item cannot be read as asked (not a number, say).
struct ListInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// List input: items separated by blanks, commas or line ends (CR LF or LF); leading
// blanks are skipped; a quoted item is read without its quotes; an unquoted text runs to
// the next comma or line end. Reads through a buffer, so files of any length stream.
class ListReader {
public:
    explicit ListReader(std::istream& in);
    // Next item as a number. False at the end of the input (no item left);
    // throws ListInputError when the item is not a number.
    bool readNumber(double& out);
    // Next item as a text (quoted or not). False at the end of the input.
    bool readString(std::string& out);
    // True when nothing but separators is left.
    bool atEnd();
    // Number of items read so far.
    int64_t itemsRead() const { return items_; }

private:
    int peek();
    int get();
    void skipBlanks();
    void finishItem();
    std::istream& in_;
    int64_t items_ = 0;
};

// Text in data files is Windows-1252 on disk and UTF-8 in memory.
std::string Cp1252ToUtf8(std::string_view s);
// Characters without a Windows-1252 form become '?'.
std::string Utf8ToCp1252(std::string_view s);

}  // namespace karmo
