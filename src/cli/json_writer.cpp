#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvane {

void JsonWriter::newline() {
    out_ += '\n';
    out_.append(first_.size() * 2, ' ');
}

void JsonWriter::separator() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        first_.back() = false;
        newline();
    }
}

JsonWriter& JsonWriter::beginObject() {
    separator();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    out_ += '}';
    if (first_.empty()) out_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separator();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    const bool empty = first_.back();
    first_.pop_back();
    if (!empty) newline();
    out_ += ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separator();
    writeString(name);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separator();
    writeString(text);
    return *this;
}

void JsonWriter::writeString(std::string_view text) {
    out_ += '"';
    for (char c : text) {
        switch (c) {
            case '"':
                out_ += "\\\"";
                break;
            case '\\':
                out_ += "\\\\";
                break;
            case '\n':
                out_ += "\\n";
                break;
            case '\r':
                out_ += "\\r";
                break;
            case '\t':
                out_ += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                    out_ += buffer;
                } else {
                    out_ += c;
                }
        }
    }
    out_ += '"';
}

JsonWriter& JsonWriter::value(double number) {
    separator();
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    // Shortest text that reads back as the same double.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    *result.ptr = '\0';
    out_ += buffer;
    return *this;
}

JsonWriter& JsonWriter::value(int number) {
    return value(static_cast<long long>(number));
}

JsonWriter& JsonWriter::value(long long number) {
    separator();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separator();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separator();
    out_ += "null";
    return *this;
}

}  // namespace korvane
