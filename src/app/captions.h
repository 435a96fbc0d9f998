// Applies a language to the whole window at once: the font that draws it and
// every caption of the caption table, found by objectName.
#pragma once

#include <QFont>
#include <QWidget>

#include "ui_text/language.h"
#include "ui_text/message_table.h"

namespace korvane {

// Whether an installed font can draw Japanese.
bool japaneseFontInstalled();

// The family for `language`: a font covering Japanese, or a Times face.
QString languageFontFamily(Language language);

// Sets the font family of `window` (its controls inherit it) and the text or
// hint of every widget under it named in the caption table.
void applyLanguage(QWidget* window, Language language);

// The language last applied to the window of `widget`, so that a part of the
// window can speak it without being handed it; English before any.
Language shownLanguage(const QWidget* widget);
// `message` in the language of the window of `widget`.
QString shownMessage(const QWidget* widget, Message message);

}  // namespace korvane
