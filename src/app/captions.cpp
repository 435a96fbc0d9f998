#include "app/captions.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>

#include "ui_text/caption_table.h"

namespace korvane {

namespace {

// Where the window keeps the language it shows.
constexpr const char* kLanguageProperty = "korvaneLanguage";

}  // namespace

bool japaneseFontInstalled() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

QString languageFontFamily(Language language) {
    if (language == Language::English) return QStringLiteral("Times New Roman");
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    // A sans-serif Japanese face reads best at the controls' small size.
    for (const QString& f : families)
        if (f.contains(QLatin1String("Sans")) && f.contains(QLatin1String("JP"))) return f;
    for (const QString& f : families)
        if (f.contains(QLatin1String("Gothic"))) return f;
    return families.isEmpty() ? QString() : families.first();
}

void applyLanguage(QWidget* window, Language language) {
    QFont font = window->font();
    const QString family = languageFontFamily(language);
    if (!family.isEmpty()) font.setFamilies({family});
    window->setFont(font);
    window->setProperty(kLanguageProperty, static_cast<int>(language));
    // Parts with words of their own (a table's headings) retranslate on
    // Qt's own signal for it.
    QEvent change(QEvent::LanguageChange);
    for (QWidget* w : window->findChildren<QWidget*>()) QCoreApplication::sendEvent(w, &change);
    for (const CaptionRow& row : captionTable()) {
        const QString text = QString::fromUtf8(captionText(row, language));
        const QString name = QString::fromUtf8(row.objectName);
        for (QWidget* w : window->findChildren<QWidget*>(name)) {
            if (row.target == CaptionTarget::ToolTip) {
                w->setToolTip(text);
            } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                b->setText(text);
            } else if (auto* l = qobject_cast<QLabel*>(w)) {
                l->setText(text);
            } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
                g->setTitle(text);
            }
        }
    }
}

Language shownLanguage(const QWidget* widget) {
    const QVariant shown = widget->window()->property(kLanguageProperty);
    return shown.isValid() && shown.toInt() == static_cast<int>(Language::Japanese)
               ? Language::Japanese
               : Language::English;
}

QString shownMessage(const QWidget* widget, Message message) {
    return QString::fromUtf8(messageText(message, shownLanguage(widget)));
}

}  // namespace korvane
