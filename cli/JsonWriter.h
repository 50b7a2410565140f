#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace karmo::cli {

// A small streaming JSON writer: commas and nesting are tracked, strings are escaped,
// floats are written with 9 significant digits so that every Single reads back exactly
// (doubles with 17). A number that is not finite has no JSON form and becomes null.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);

    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(float v);
    JsonWriter& value(double v);
    JsonWriter& value(int64_t v);
    JsonWriter& value(int32_t v) { return value(static_cast<int64_t>(v)); }
    JsonWriter& value(int16_t v) { return value(static_cast<int64_t>(v)); }
    JsonWriter& value(bool v);
    JsonWriter& null();

    // key(name).value(v) in one call.
    template <class T>
    JsonWriter& field(std::string_view name, const T& v) { return key(name).value(v); }

private:
    void separate();
    std::ostream& out_;
    std::vector<bool> first_;   // per open container: nothing written into it yet
    bool afterKey_ = false;
};

// The escaped, quoted JSON form of a UTF-8 text.
std::string JsonString(std::string_view text);
// The number forms used by the writer.
std::string JsonNumber(float v);
std::string JsonNumber(double v);

}  // namespace karmo::cli
