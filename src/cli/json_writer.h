// A small streaming JSON writer that keeps keys in the order they are
// written, so `info --json` reads like the model it mirrors.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(double number);
    JsonWriter& value(int number);
    JsonWriter& value(long long number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    template <class T>
    JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }

    const std::string& text() const { return out_; }

  private:
    void separator();
    void writeString(std::string_view text);
    void newline();

    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written yet
    bool afterKey_ = false;
};

}  // namespace korvane
