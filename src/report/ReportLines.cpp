#include "report/ReportLines.h"

#include <utility>

#include "core/NumberForms.h"

namespace karmo {

int TextColumns(std::string_view utf8) {
    int n = 0;
    for (const char c : utf8) {
        // Continuation bytes of a multi-byte character take no column of their own.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

std::string ReportLine::text() const {
    std::string out;
    int column = 1;
    for (const ReportSegment& seg : segments) {
        if (seg.column > column) {
            out.append(static_cast<size_t>(seg.column - column), ' ');
            column = seg.column;
        }
        out += seg.text;
        column += TextColumns(seg.text);
    }
    return out;
}

void ReportWriter::tab(int column) {
    if (column < 1) column = 1;
    if (column_ > column) endLine();
    column_ = column;
}

void ReportWriter::text(std::string_view utf8) {
    if (utf8.empty()) return;
    auto& segs = current_.segments;
    // Continue the last piece when the text follows it directly; a tab that moved the
    // position starts a new one.
    if (!segs.empty() && segs.back().column + TextColumns(segs.back().text) == column_) {
        segs.back().text += utf8;
    } else {
        segs.push_back(ReportSegment{column_, std::string(utf8)});
    }
    column_ += TextColumns(utf8);
}

void ReportWriter::number(int32_t value) { text(PrintNumber(value)); }

void ReportWriter::endLine() {
    lines_.push_back(std::move(current_));
    current_ = ReportLine{};
    column_ = 1;
}

std::vector<ReportLine> ReportWriter::takeLines() {
    std::vector<ReportLine> out = std::move(lines_);
    lines_.clear();
    return out;
}

}  // namespace karmo
