// Applies a language to the whole window at once: the font that draws it and
// every caption of the caption table, found by objectName.
#pragma once

#include <QFont>
#include <QWidget>

#include "ui_text/language.h"

namespace korvane {

// Whether an installed font can draw Japanese.
bool japaneseFontInstalled();

// The family for `language`: a font covering Japanese, or a Times face.
QString languageFontFamily(Language language);

// Sets the font family of `window` (its controls inherit it) and the text or
// hint of every widget under it named in the caption table.
void applyLanguage(QWidget* window, Language language);

}  // namespace korvane
