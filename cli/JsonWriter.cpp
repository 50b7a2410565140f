#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

namespace karmo::cli {

std::string JsonString(std::string_view text) {
    std::string r;
    r.reserve(text.size() + 2);
    r += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': r += "\\\""; break;
        case '\\': r += "\\\\"; break;
        case '\b': r += "\\b"; break;
        case '\f': r += "\\f"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                r += buf;
            } else {
                r += ch;   // UTF-8 bytes pass through
            }
        }
    }
    r += '"';
    return r;
}

std::string JsonNumber(float v) {
    if (!std::isfinite(v)) return "null";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
    return buf;
}

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ << ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ << '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    first_.pop_back();
    out_ << '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ << '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    first_.pop_back();
    out_ << ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    out_ << JsonString(name) << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    out_ << JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::value(float v) {
    separate();
    out_ << JsonNumber(v);
    return *this;
}

JsonWriter& JsonWriter::value(double v) {
    separate();
    out_ << JsonNumber(v);
    return *this;
}

JsonWriter& JsonWriter::value(int64_t v) {
    separate();
    out_ << v;
    return *this;
}

JsonWriter& JsonWriter::value(bool v) {
    separate();
    out_ << (v ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ << "null";
    return *this;
}

}  // namespace karmo::cli
