#include "race/fields.h"

#include "base/text.h"

namespace korvane {

const std::string& SplitFields::operator[](int i) const {
    static const std::string kEmpty;
    return i >= 0 && i < count() ? fields[static_cast<std::size_t>(i)] : kEmpty;
}

SplitFields splitFields(std::string_view line, std::string_view separator) {
    SplitFields out;
    if (separator.empty()) {
        out.fields.emplace_back(trimBlanks(line).empty() ? "0" : std::string(trimBlanks(line)));
        return out;
    }
    std::string_view rest = line;
    for (;;) {
        if (out.count() == kMaxFields) {
            out.overflow = true;
            break;
        }
        const std::size_t p = rest.find(separator);
        if (p == std::string_view::npos) {
            const std::string_view last = trimBlanks(rest);
            out.fields.emplace_back(last.empty() ? "0" : std::string(last));
            break;
        }
        const std::string_view field = trimBlanks(rest.substr(0, p));
        out.fields.emplace_back(p == 0 ? "0" : std::string(field.empty() ? "0" : field));
        rest = trimBlanks(rest.substr(p + separator.size()));
    }
    return out;
}

}  // namespace korvane
