#pragma once
#include <concepts>
#include <cstdint>
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace karmo {

// Conversions of fractions to integers round half to even (2.5 -> 2, 3.5 -> 4).
// Values outside the target type (and NaN) throw std::overflow_error.
int32_t RoundHalfEven(double v);     // to a Long
int16_t RoundHalfEven16(double v);   // to an Integer

// A display mask: '#' optional digit, '0' required digit, '.' decimal point, literal
// characters (a trailing blank, say) copied as they stand; "#.0#e+##" style masks give
// scientific form. Digits beyond the mask's decimals are rounded half away from zero on
// the decimal value of the number, as the display masks do. A negative value gets a
// leading "-" unless only zeros are shown ("0.0" for -0.0001 in "###0.0##").
//
// The decimal value is the number's general text: 15 significant digits for a double,
// 7 for a float (the float overload), so 0.1f shows as "0.1" in any mask and 2.675f
// rounds to "2.68". Integers are formatted exactly. Details of the mask reading are in
// NumberForms.cpp.
std::string FormatMask(double value, std::string_view mask);
std::string FormatMask(float value, std::string_view mask);
template <std::integral T>
std::string FormatMask(T value, std::string_view mask) {
    return FormatMask(static_cast<double>(value), mask);
}

// Shortest decimal text of a single-precision value with at most 7 significant digits:
// "1", "-2.5", ".5", "-.25", "1.5E+07", "1E-05". No sign blank, no trailing blank.
// Exponent form when the 7-digit value is 1E+07 or more, or below 1E-04 in magnitude.
std::string ShortNumber(float v);
std::string ShortNumber(double v);   // the same form with up to 15 significant digits
// Whole numbers (Long, Integer, counts) are written with all their digits: "16777215".
std::string ShortNumber(int64_t v);
template <std::integral T>
std::string ShortNumber(T v) { return ShortNumber(static_cast<int64_t>(v)); }

// The formatted-print form of a number: a blank in place of the sign of a value that is
// not negative (a "-" otherwise), the short form, one trailing blank: " 1 ", "-.5 ".
std::string PrintNumber(float v);
std::string PrintNumber(int32_t v);
// A double has no single print form here: say which one is meant (float or an integer).
std::string PrintNumber(double v) = delete;

// List output of a number: the short form alone ("1", "-2.5", "1.5E+07").
inline std::string ListNumber(float v) { return ShortNumber(v); }
// A double is written as the Single it is stored as.
inline std::string ListNumber(double v) { return ShortNumber(static_cast<float>(v)); }
template <std::integral T>
std::string ListNumber(T v) { return ShortNumber(static_cast<int64_t>(v)); }

// List output of a text: in double quotes. A double quote inside the text would end the
// item early when read back, so it is written as an apostrophe; line breaks become blanks.
std::string ListString(std::string_view s);

// The number forms that list input accepts: optional blanks, an optional sign, digits
// with an optional point ("1", "-2.5", ".5", "5.", "+3"), an optional exponent with E, e,
// D or d ("1.5E+07", "1e-5", "1.5D+03"), optional blanks. Nothing else (no "inf", no
// hex, no thousands separators). Empty when the text is not such a number or its
// magnitude is beyond a double; magnitudes below the smallest double read as 0.
std::optional<double> ParseListNumber(std::string_view text);

// Thrown by ListReader when an item cannot be read as asked (not a number, say).
struct ListInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};
// An item longer than any number or text of ours: the input is no list of ours.
struct ListItemTooLong : ListInputError {
    using ListInputError::ListInputError;
};

// List input: items separated by blanks, commas or line ends (CR LF, LF or a lone CR);
// leading blanks are skipped; a quoted item is read without its quotes (what follows the
// closing quote up to the next comma or line end is skipped); an unquoted text runs to
// the next comma or line end, without its trailing blanks. Blank lines are no items; an
// empty item between two commas reads as 0 or "". Tabs count as blanks.
//
// Reads through a 64 KiB buffer, so files of any length stream; it reads ahead, so don't
// mix it with other reads of the same stream. An item longer than 1 MiB throws
// ListInputError ("Item n (...) is too long").
class ListReader {
public:
    explicit ListReader(std::istream& in);
    // Next item as a number. False at the end of the input (no item left);
    // throws ListInputError when the item is not a number.
    bool readNumber(double& out);
    // Next item as a text (quoted or not). False at the end of the input.
    bool readString(std::string& out);
    // True when no item is left: what follows is blanks and line ends only (so exactly
    // when readNumber or readString would return false).
    bool atEnd();
    // True when nothing but blanks is left before the next line end (or the end of the
    // input): an unquoted text written empty at the end of a line reads as "" only when
    // the caller checks this first, since a text item otherwise starts on the next line.
    bool atLineEnd();
    // Number of items read so far.
    int64_t itemsRead() const { return items_; }

private:
    int peek() { return pos_ < end_ ? static_cast<unsigned char>(buf_[pos_]) : refill(); }
    void advance() { ++pos_; }
    int refill();
    // Skips blanks, and line ends too when lineEnds is true; returns the next character.
    int skipBlanks(bool lineEnds);
    // After an item: skips blanks and one comma; a line end stays for the next item.
    void finishItem();
    [[noreturn]] void tooLong(std::string_view item) const;
    std::istream& in_;
    std::vector<char> buf_;
    size_t pos_ = 0;
    size_t end_ = 0;
    int64_t items_ = 0;
    std::string token_;
};

// Text in data files is Windows-1252 on disk and UTF-8 in memory. The five bytes that
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control
// characters of the same number, so any byte string survives the round trip.
std::string Cp1252ToUtf8(std::string_view s);
// Characters without a Windows-1252 form, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view s);

}  // namespace karmo
