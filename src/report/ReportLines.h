#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace karmo {

// A piece of report text that starts at a given column (columns count characters from 1).
// Texts are UTF-8; a column is one character, whatever its byte length ("µ" is one).
struct ReportSegment {
    int column = 1;
    std::string text;

    bool operator==(const ReportSegment&) const = default;
};

// One physical line of a report: its pieces in column order, none overlapping.
struct ReportLine {
    std::vector<ReportSegment> segments;

    // The line as plain text, blanks filling the gaps up to each piece's column.
    std::string text() const;
    bool operator==(const ReportLine&) const = default;
};

// Number of characters (not bytes) of a UTF-8 text.
int TextColumns(std::string_view utf8);

// Writes report lines the way a formatted print does: texts follow each other on the
// current line, tab(n) moves the print position to column n, and when the position is
// already past n the line ends and the next one is continued at column n. A column below
// 1 counts as 1.
class ReportWriter {
public:
    void tab(int column);
    void text(std::string_view utf8);
    // A whole number printed as a number: a blank in place of the sign of a value that is
    // not negative, a "-" otherwise, the digits and one trailing blank (" 1000 ").
    void number(int32_t value);
    // Ends the current line (an empty one when nothing was written on it).
    void endLine();
    // Column where the next character goes.
    int column() const { return column_; }

    // The lines ended so far; a line still open is left out.
    const std::vector<ReportLine>& lines() const { return lines_; }
    std::vector<ReportLine> takeLines();

private:
    std::vector<ReportLine> lines_;
    ReportLine current_;
    int column_ = 1;
};

}  // namespace karmo
