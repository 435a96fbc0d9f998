// Every caption of the window in both languages, keyed by the widget's
// objectName. A widget joins the language switch by carrying its name and
// adding a row here; nothing else needs to change.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "ui_text/language.h"

namespace korvane {

enum class CaptionTarget {
    Text,     // the button's, check box's, label's or group box's own text
    ToolTip,  // the hint shown by the platform
};

struct CaptionRow {
    const char* objectName;
    const char* japanese;
    const char* english;
    CaptionTarget target = CaptionTarget::Text;
};

std::span<const CaptionRow> captionTable();

inline const char* captionText(const CaptionRow& row, Language language) {
    return pick(language, row.japanese, row.english);
}

// The caption of the row for `objectName`, for a text that repeats a
// control's caption elsewhere (a question's title); "" without a row.
const char* captionOf(std::string_view objectName, Language language);

// The two column titles over the boat list, padded to the columns of the
// boat panel.
const char* boatListHeader(Language language);

// The text behind the logo: name, what it is, the maker and the web site.
std::string aboutText(Language language);

// Where a click on the logo leads.
inline constexpr const char* kWebSiteAddress = "https://korvane.example.org/";

}  // namespace korvane
