#include "core/NumberForms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace karmo {

// ---------------------------------------------------------------------------------------
// Rounding to integers

namespace {

// Half to even without depending on the floating-point rounding mode of the thread.
double roundHalfEvenValue(double v) {
    const double f = std::floor(v);
    const double d = v - f;  // exact for every finite double
    if (d > 0.5) return f + 1.0;
    if (d == 0.5 && std::fmod(f, 2.0) != 0.0) return f + 1.0;
    return f;
}

}  // namespace

int32_t RoundHalfEven(double v) {
    const double r = roundHalfEvenValue(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw std::overflow_error("Overflow");
    return static_cast<int32_t>(r);
}

int16_t RoundHalfEven16(double v) {
    const double r = roundHalfEvenValue(v);
    if (!(r >= -32768.0 && r <= 32767.0)) throw std::overflow_error("Overflow");
    return static_cast<int16_t>(r);
}

// ---------------------------------------------------------------------------------------
// Decimal digits of a number

namespace {

// A finite number as decimal digits: value = 0.d1 d2 ... dn x 10^point, no leading or
// trailing zero digits; zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }

    void stripTrailingZeros() {
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
        if (digits.empty()) point = 0;
    }

    // Keeps the first `keep` digits, rounding half away from zero on the digits.
    void roundToDigits(int keep) {
        if (keep >= static_cast<int>(digits.size())) return;
        if (keep < 0) {
            digits.clear();
            point = 0;
            return;
        }
        const bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++point;
            }
        }
        stripTrailingZeros();
    }

    // Digit at position k counted from the first digit (k may be out of range: '0').
    char at(int k) const {
        return (k >= 0 && k < static_cast<int>(digits.size())) ? digits[static_cast<size_t>(k)]
                                                              : '0';
    }
};

// The general text of a value rounded to `significant` digits, taken apart.
template <typename F>
Decimal toDecimal(F v, int significant) {
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0) return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                                   significant - 1);
    const std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    size_t i = (text[0] == '-') ? 1 : 0;
    for (; i < text.size() && text[i] != 'e'; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    int exp = 0;
    std::from_chars(text.data() + i + 1 + (text[i + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    exp);
    d.point = exp + 1;
    d.stripTrailingZeros();
    return d;
}

Decimal integerDecimal(int64_t v) {
    Decimal d;
    d.negative = v < 0;
    if (v == 0) return d;
    // Through the unsigned magnitude so that the most negative value has one.
    uint64_t m = d.negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, m);
    d.digits.assign(buf, res.ptr);
    d.point = static_cast<int>(d.digits.size());
    d.stripTrailingZeros();
    return d;
}

// The short form: fixed notation for 10^-5 < |v| < 10^precision (as rounded), else one
// digit, the other digits after a point, "E", the exponent's sign and at least two digits.
std::string shortForm(const Decimal& d, int precision) {
    if (d.isZero()) return "0";
    std::string s;
    if (d.negative) s.push_back('-');
    const int n = static_cast<int>(d.digits.size());
    const int exp10 = d.point - 1;
    if (exp10 < -4 || exp10 >= precision) {
        s.push_back(d.digits[0]);
        if (n > 1) {
            s.push_back('.');
            s.append(d.digits, 1);
        }
        s.push_back('E');
        s.push_back(exp10 < 0 ? '-' : '+');
        const int a = std::abs(exp10);
        if (a < 10) s.push_back('0');
        s += std::to_string(a);
        return s;
    }
    if (d.point <= 0) {
        s.push_back('.');
        s.append(static_cast<size_t>(-d.point), '0');
        s += d.digits;
        return s;
    }
    for (int k = 0; k < d.point; ++k) s.push_back(d.at(k));
    if (n > d.point) {
        s.push_back('.');
        s.append(d.digits, static_cast<size_t>(d.point));
    }
    return s;
}

std::string nonFinite(double v) {
    if (std::isnan(v)) return "NaN";
    return v < 0 ? "-Inf" : "Inf";
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Short, print and list forms

std::string ShortNumber(float v) {
    if (!std::isfinite(v)) return nonFinite(v);
    return shortForm(toDecimal(v, 7), 7);
}

std::string ShortNumber(double v) {
    if (!std::isfinite(v)) return nonFinite(v);
    return shortForm(toDecimal(v, 15), 15);
}

std::string ShortNumber(int64_t v) {
    return std::to_string(v);
}

std::string PrintNumber(float v) {
    std::string s = ShortNumber(v);
    if (s[0] != '-') s.insert(s.begin(), ' ');
    s.push_back(' ');
    return s;
}

std::string PrintNumber(int32_t v) {
    std::string s = std::to_string(v);
    if (v >= 0) s.insert(s.begin(), ' ');
    s.push_back(' ');
    return s;
}

std::string ListString(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out.push_back('"');
    for (char c : s) {
        if (c == '"')
            out.push_back('\'');
        else if (c == '\r' || c == '\n')
            out.push_back(' ');
        else
            out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// ---------------------------------------------------------------------------------------
// Display masks
//
// How a mask is read (the classic numeric Format masks):
// - '0' is a required digit, '#' an optional one. Integer digits beyond the mask's
//   placeholders are all shown, at the first placeholder. An integer part of only '#'
//   shows no digit for a value below 1 (".5", and "" for 0 in "####"); once a '0' stands
//   to the left, every later placeholder shows a digit.
// - '.' is the decimal point and is always shown when the mask has one ("200." in
//   "####.## "). The value is rounded half away from zero to as many decimals as the mask
//   has placeholders after the point; trailing zeros are dropped down to the last '0'.
// - "e+", "e-", "E+", "E-" followed by digit placeholders give scientific form. The
//   mantissa has one integer digit per '0' before the point (at least one) and the digits
//   after the point as above. "e+" always shows the exponent's sign, "e-" only a minus.
//   The exponent has no leading zeros beyond its '0' placeholders and at least one digit:
//   exp(-4) in "#.0#e+##" is "1.83e-2", 1 is "1.0e+0", 0 is ".0e+0".
// - ',' between integer placeholders groups the integer digits by thousands; '%' scales
//   by 100 and shows itself; '\' shows the next character; text in double quotes shows as
//   it stands; every other character (a blank, say) is copied where it stands. ';'
//   sections are not supported: ';' is copied like any other character.
// - A negative value gets a leading "-", unless nothing but zeros is shown ("0.0", not
//   "-0.0"). An empty mask gives the short form.
// - The digits are those of the number's general text (15 significant digits for a
//   double, 7 for a float), which is what keeps 0.1f from showing as 0.1000000015 and
//   rounds 1.005 up as a decimal value.

namespace {

struct MaskToken {
    enum Kind { Zero, Hash, Point, Literal } kind;
    std::string text;  // Literal only
};

struct Mask {
    std::vector<MaskToken> intPart, fracPart, expPart;
    bool hasPoint = false;
    bool hasExp = false;
    char expLetter = 'e';
    char expSign = '+';
    bool grouping = false;
    bool percent = false;
};

Mask parseMask(std::string_view m) {
    Mask mask;
    std::vector<MaskToken>* part = &mask.intPart;
    auto literal = [&](std::string text) {
        if (!part->empty() && part->back().kind == MaskToken::Literal)
            part->back().text += text;
        else
            part->push_back({MaskToken::Literal, std::move(text)});
    };
    for (size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        if (c == '0' || c == '#') {
            part->push_back({c == '0' ? MaskToken::Zero : MaskToken::Hash, {}});
        } else if (c == '.' && part == &mask.intPart) {
            mask.hasPoint = true;
            part = &mask.fracPart;
        } else if ((c == 'e' || c == 'E') && part != &mask.expPart && i + 1 < m.size() &&
                   (m[i + 1] == '+' || m[i + 1] == '-') &&
                   m.find_first_of("0#", i + 2) != std::string_view::npos) {
            mask.hasExp = true;
            mask.expLetter = c;
            mask.expSign = m[i + 1];
            ++i;
            part = &mask.expPart;
        } else if (c == ',' && part == &mask.intPart) {
            mask.grouping = true;
        } else if (c == '\\' && i + 1 < m.size()) {
            literal(std::string(1, m[++i]));
        } else if (c == '"') {
            const size_t close = m.find('"', i + 1);
            const size_t stop = close == std::string_view::npos ? m.size() : close;
            literal(std::string(m.substr(i + 1, stop - i - 1)));
            i = stop;
        } else {
            if (c == '%') mask.percent = true;
            literal(std::string(1, c));
        }
    }
    return mask;
}

int countKind(const std::vector<MaskToken>& part, MaskToken::Kind kind) {
    return static_cast<int>(std::count_if(part.begin(), part.end(),
                                          [kind](const MaskToken& t) { return t.kind == kind; }));
}

int countPlaceholders(const std::vector<MaskToken>& part) {
    return countKind(part, MaskToken::Zero) + countKind(part, MaskToken::Hash);
}

void appendGrouped(std::string& out, const std::string& digits) {
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
}

// Integer placeholders take the digits right-aligned; the first one takes the excess.
void emitInteger(std::string& out, const Mask& mask, const std::string& digits) {
    const auto& part = mask.intPart;
    const int n = countPlaceholders(part);
    const int d = static_cast<int>(digits.size());
    if (mask.grouping) {
        // Literals before the first and after the last placeholder stay where they are.
        size_t first = part.size(), last = 0;
        for (size_t i = 0; i < part.size(); ++i)
            if (part[i].kind != MaskToken::Literal) {
                first = std::min(first, i);
                last = i;
            }
        std::string shown = digits;
        bool zeroSeen = false;
        int k = 0;
        for (const auto& t : part) {
            if (t.kind == MaskToken::Literal) continue;
            zeroSeen = zeroSeen || t.kind == MaskToken::Zero;
            if (n - k > d && zeroSeen) shown.insert(shown.begin(), '0');
            ++k;
        }
        for (size_t i = 0; i < part.size(); ++i) {
            if (part[i].kind == MaskToken::Literal && (i < first || i > last))
                out += part[i].text;
            if (i == first) appendGrouped(out, shown);
        }
        if (first == part.size()) appendGrouped(out, shown);
        return;
    }
    bool zeroSeen = false;
    int k = 0;
    for (const auto& t : part) {
        if (t.kind == MaskToken::Literal) {
            out += t.text;
            continue;
        }
        zeroSeen = zeroSeen || t.kind == MaskToken::Zero;
        const int r = n - 1 - k;  // position counted from the right
        if (k == 0 && d > n) out.append(digits, 0, static_cast<size_t>(d - n));
        if (r < d)
            out.push_back(digits[static_cast<size_t>(d - 1 - r)]);
        else if (zeroSeen)
            out.push_back('0');
        ++k;
    }
    if (n == 0) out += digits;
}

// Fraction placeholders: `digits` holds exactly as many digits as there are placeholders.
void emitFraction(std::string& out, const Mask& mask, const std::string& digits) {
    int required = 0, k = 0;
    for (const auto& t : mask.fracPart) {
        if (t.kind == MaskToken::Literal) continue;
        ++k;
        if (t.kind == MaskToken::Zero) required = k;
    }
    int keep = static_cast<int>(digits.size());
    while (keep > required && digits[static_cast<size_t>(keep - 1)] == '0') --keep;
    k = 0;
    for (const auto& t : mask.fracPart) {
        if (t.kind == MaskToken::Literal) {
            out += t.text;
            continue;
        }
        if (k < keep) out.push_back(digits[static_cast<size_t>(k)]);
        ++k;
    }
}

void emitExponent(std::string& out, const Mask& mask, int exponent) {
    out.push_back(mask.expLetter);
    if (exponent < 0)
        out.push_back('-');
    else if (mask.expSign == '+')
        out.push_back('+');
    std::string digits = std::to_string(std::abs(exponent));
    const int width = countKind(mask.expPart, MaskToken::Zero);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
    bool placed = false;
    for (const auto& t : mask.expPart) {
        if (t.kind == MaskToken::Literal) {
            out += t.text;
        } else if (!placed) {
            out += digits;
            placed = true;
        }
    }
}

std::string formatDecimal(Decimal d, std::string_view maskText, int precision) {
    if (maskText.empty()) return shortForm(d, precision);
    const Mask mask = parseMask(maskText);
    if (mask.percent && !d.isZero()) d.point += 2;
    const int fracCount = countPlaceholders(mask.fracPart);
    std::string intDigits, fracDigits;
    int exponent = 0;
    if (mask.hasExp) {
        const int intCount = std::max(1, countKind(mask.intPart, MaskToken::Zero));
        d.roundToDigits(intCount + fracCount);
        if (!d.isZero()) {
            exponent = d.point - intCount;
            for (int k = 0; k < intCount; ++k) intDigits.push_back(d.at(k));
            for (int k = 0; k < fracCount; ++k) fracDigits.push_back(d.at(intCount + k));
        } else {
            fracDigits.assign(static_cast<size_t>(fracCount), '0');
        }
    } else {
        d.roundToDigits(d.point + fracCount);
        for (int k = 0; k < d.point; ++k) intDigits.push_back(d.at(k));
        for (int k = 0; k < fracCount; ++k) fracDigits.push_back(d.at(d.point + k));
    }
    std::string out;
    if (d.negative && !d.isZero()) out.push_back('-');
    emitInteger(out, mask, intDigits);
    if (mask.hasPoint) {
        out.push_back('.');
        emitFraction(out, mask, fracDigits);
    }
    if (mask.hasExp) emitExponent(out, mask, exponent);
    return out;
}

}  // namespace

std::string FormatMask(double value, std::string_view mask) {
    if (!std::isfinite(value)) return nonFinite(value);
    // Whole numbers are formatted with all their digits, as for a Long.
    if (value == std::floor(value) && std::fabs(value) < 9223372036854775808.0) {
        Decimal d = integerDecimal(static_cast<int64_t>(value));
        d.negative = d.negative || std::signbit(value);
        return formatDecimal(std::move(d), mask, 15);
    }
    return formatDecimal(toDecimal(value, 15), mask, 15);
}

std::string FormatMask(float value, std::string_view mask) {
    if (!std::isfinite(value)) return nonFinite(value);
    return formatDecimal(toDecimal(value, 7), mask, 7);
}

// ---------------------------------------------------------------------------------------
// List input

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

namespace {

// The list-input number form; `outOfRange` tells a well-formed number beyond a double.
std::optional<double> parseNumber(std::string_view t, bool& outOfRange) {
    outOfRange = false;
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    if (t.empty()) return std::nullopt;
    bool negative = false;
    size_t p = 0;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        p = 1;
    }
    const size_t start = p;
    // Checked by hand: from_chars would also take "inf", "nan" and hex digits.
    int leadingZeros = 0, intDigits = 0, fracZeros = 0, fracDigits = 0;
    bool nonZero = false;
    while (p < t.size() && isDigit(t[p])) {
        if (!nonZero && t[p] == '0') ++leadingZeros;
        else nonZero = true;
        ++intDigits;
        ++p;
    }
    const bool intNonZero = nonZero;
    if (p < t.size() && t[p] == '.') {
        ++p;
        while (p < t.size() && isDigit(t[p])) {
            if (!nonZero && t[p] == '0') ++fracZeros;
            else nonZero = true;
            ++fracDigits;
            ++p;
        }
    }
    if (intDigits + fracDigits == 0) return std::nullopt;
    size_t expLetter = std::string_view::npos;
    long long exp = 0;
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E' || t[p] == 'd' || t[p] == 'D')) {
        expLetter = p++;
        bool expNegative = false;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) expNegative = t[p++] == '-';
        const size_t expStart = p;
        while (p < t.size() && isDigit(t[p])) {
            if (exp < 100000) exp = exp * 10 + (t[p] - '0');
            ++p;
        }
        if (p == expStart) return std::nullopt;
        if (expNegative) exp = -exp;
    }
    if (p != t.size()) return std::nullopt;
    if (!nonZero) return negative ? -0.0 : 0.0;

    std::string_view body = t.substr(start);
    std::string copy;
    if (expLetter != std::string_view::npos && (t[expLetter] == 'd' || t[expLetter] == 'D')) {
        copy.assign(body);
        copy[expLetter - start] = 'e';
        body = copy;
    }
    double v = 0;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v,
                                     std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decimal exponent of the first significant digit tells overflow from underflow.
        const long long magnitude =
            exp + (intNonZero ? intDigits - leadingZeros - 1 : -(fracZeros + 1));
        if (magnitude > 0) {
            outOfRange = true;
            return std::nullopt;
        }
        v = 0.0;
    } else if (res.ec != std::errc() || res.ptr != body.data() + body.size()) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

}  // namespace

std::optional<double> ParseListNumber(std::string_view text) {
    bool outOfRange = false;
    return parseNumber(text, outOfRange);
}

namespace {

constexpr size_t kBufferSize = 64 * 1024;
// No item of ours comes near this; a longer one stops the read, so an endless input
// without separators (a device, a pipe) costs bounded time and memory.
constexpr size_t kMaxItem = 1 << 20;
constexpr int kEnd = -1;

bool endsNumber(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }
bool endsText(char c) { return c == ',' || c == '\r' || c == '\n'; }

// An item as a message shows it: cut, and control characters (a NUL of a device, say) as '?'.
std::string shown(std::string_view token) {
    std::string out(token.substr(0, 40));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    return token.size() > 40 ? out + "..." : out;
}

}  // namespace

ListReader::ListReader(std::istream& in) : in_(in), buf_(kBufferSize) {}

void ListReader::tooLong(std::string_view item) const {
    throw ListItemTooLong("Item " + std::to_string(items_ + 1) + " (\"" + shown(item) +
                          "\") is too long");
}

int ListReader::refill() {
    pos_ = 0;
    end_ = 0;
    if (in_.bad()) throw ListInputError("Device I/O error");
    if (!in_.good()) return kEnd;
    in_.read(buf_.data(), static_cast<std::streamsize>(buf_.size()));
    if (in_.bad()) throw ListInputError("Device I/O error");
    end_ = static_cast<size_t>(in_.gcount());
    return end_ > 0 ? static_cast<unsigned char>(buf_[0]) : kEnd;
}

int ListReader::skipBlanks(bool lineEnds) {
    for (;;) {
        const int c = peek();
        if (c == ' ' || c == '\t' || (lineEnds && (c == '\r' || c == '\n')))
            advance();
        else
            return c;
    }
}

void ListReader::finishItem() {
    if (skipBlanks(false) == ',') advance();
    ++items_;
}

bool ListReader::atEnd() { return skipBlanks(true) == kEnd; }

bool ListReader::atLineEnd() {
    const int c = skipBlanks(false);
    return c == kEnd || c == '\r' || c == '\n';
}

bool ListReader::readNumber(double& out) {
    int c = skipBlanks(true);
    if (c == kEnd) return false;
    if (c == ',') {  // an empty item
        advance();
        ++items_;
        out = 0;
        return true;
    }
    if (c == '"') {
        std::string text;
        readString(text);
        throw ListInputError("Item " + std::to_string(items_) + " (\"" + shown(text) +
                             "\") is not a number");
    }
    // The token is parsed in place in the buffer unless it runs across a refill.
    token_.clear();
    bool spilled = false;
    size_t start = pos_;
    for (;;) {
        while (pos_ < end_ && !endsNumber(buf_[pos_])) ++pos_;
        if (pos_ < end_) break;
        spilled = true;
        token_.append(buf_.data() + start, pos_ - start);
        start = 0;
        if (token_.size() > kMaxItem) tooLong(token_);
        if (refill() == kEnd) break;
    }
    std::string_view token;
    if (spilled) {
        token_.append(buf_.data() + start, pos_ - start);
        token = token_;
    } else {
        token = std::string_view(buf_.data() + start, pos_ - start);
    }
    if (token.size() > kMaxItem) tooLong(token);
    bool outOfRange = false;
    const std::optional<double> v = parseNumber(token, outOfRange);
    if (!v)
        throw ListInputError("Item " + std::to_string(items_ + 1) + " (\"" + shown(token) +
                             (outOfRange ? "\") is out of range" : "\") is not a number"));
    out = *v;
    finishItem();
    return true;
}

bool ListReader::readString(std::string& out) {
    out.clear();
    int c = skipBlanks(true);
    if (c == kEnd) return false;
    if (c == ',') {
        advance();
        ++items_;
        return true;
    }
    if (c == '"') {
        advance();
        // An unclosed quote ends at the line end, so it cannot swallow the rest of a file.
        for (c = peek(); c != kEnd && c != '"' && c != '\r' && c != '\n'; c = peek()) {
            if (out.size() >= kMaxItem) tooLong(out);
            out.push_back(static_cast<char>(c));
            advance();
        }
        if (c == '"') advance();
        for (size_t skipped = 0; (c = peek()) != kEnd && !endsText(static_cast<char>(c)); ++skipped) {
            if (skipped >= kMaxItem) tooLong(out);
            advance();
        }
        if (c == ',') advance();
        ++items_;
        return true;
    }
    for (; c != kEnd && !endsText(static_cast<char>(c)); c = peek()) {
        if (out.size() >= kMaxItem) tooLong(out);
        out.push_back(static_cast<char>(c));
        advance();
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
    if (c == ',') advance();
    ++items_;
    return true;
}

// ---------------------------------------------------------------------------------------
// Windows-1252

namespace {

// 0x80..0x9F; 0 marks the five bytes without a character, kept as C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

int cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        const char32_t mapped = kCp1252High[i] ? kCp1252High[i] : char32_t(0x80 + i);
        if (mapped == cp) return 0x80 + i;
    }
    return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out.push_back(ch);
        else if (b < 0xA0)
            appendUtf8(out, kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : char32_t(b));
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((b & 0xE0) == 0xC0) {
            len = 2, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4, cp = b & 0x07, min = 0x10000;
        }
        bool ok = len > 0 && i + static_cast<size_t>(len) <= s.size();
        for (int k = 1; ok && k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (c & 0x3F);
        }
        ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!ok) {
            // One '?' per malformed byte; the next byte may start a good sequence.
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(static_cast<char>(cp1252Byte(cp)));
        i += static_cast<size_t>(len);
    }
    return out;
}

}  // namespace karmo
