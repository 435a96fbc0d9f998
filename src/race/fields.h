// The field splitter every text reader of the race folders shares.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

inline constexpr int kMaxFields = 20;

struct SplitFields {
    std::vector<std::string> fields;
    bool overflow = false;  // the line had more than kMaxFields fields

    int count() const { return static_cast<int>(fields.size()); }
    // Field i, or "" when the line has fewer fields.
    const std::string& operator[](int i) const;
};

// Splits at `separator`. Each field is trimmed; an empty field between two
// separators (or a trailing empty rest) becomes "0", so a missing value never
// reaches a reader as empty while a missing trailing field does. The rest of
// the line is trimmed before each search, so runs of spaces count as one
// separator when the separator is a space.
SplitFields splitFields(std::string_view line, std::string_view separator);

}  // namespace korvane
