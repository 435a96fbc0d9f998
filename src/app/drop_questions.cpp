#include "app/drop_questions.h"

#include <QInputDialog>
#include <QMessageBox>

namespace korvane {

void BoxQuestions::tell(const QString& text) {
    QMessageBox::information(parent_, QStringLiteral("korvane"), text);
}

std::optional<QString> BoxQuestions::askText(const QString& caption, const QString& prompt,
                                             const QString& suggestion) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, suggestion, &ok);
    if (!ok) return std::nullopt;
    return text;
}

bool BoxQuestions::askYesNo(const QString& caption, const QString& text) {
    return QMessageBox::question(parent_, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace korvane
