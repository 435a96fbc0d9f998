// The two languages of the window and how the first one is chosen.
#pragma once

namespace korvane {

enum class Language { Japanese, English };

// Japanese only where the user reads it and the screen can draw it: a
// Japanese locale without a font that covers Japanese would show boxes.
Language startLanguage(bool localeIsJapanese, bool fontCoversJapanese);

// Picks the text of `language` from a pair.
inline const char* pick(Language language, const char* japanese, const char* english) {
    return language == Language::Japanese ? japanese : english;
}

}  // namespace korvane
