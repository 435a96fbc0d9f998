#include "ui_text/language.h"

namespace korvane {

Language startLanguage(bool localeIsJapanese, bool fontCoversJapanese) {
    return localeIsJapanese && fontCoversJapanese ? Language::Japanese : Language::English;
}

}  // namespace korvane
