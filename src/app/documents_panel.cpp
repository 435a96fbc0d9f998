#include "app/documents_panel.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

namespace korvane {

namespace {

constexpr int kFlagWidth = 36;
constexpr int kFlagHeight = 24;

QPixmap japaneseFlagPicture() {
    QPixmap p(kFlagWidth, kFlagHeight);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(188, 0, 45));
    const int r = kFlagHeight * 3 / 10;
    g.drawEllipse(QPoint(kFlagWidth / 2, kFlagHeight / 2), r, r);
    g.setPen(Qt::gray);
    g.setBrush(Qt::NoBrush);
    g.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return p;
}

QPixmap englishFlagPicture() {
    QPixmap p(kFlagWidth, kFlagHeight);
    p.fill(Qt::white);
    QPainter g(&p);
    const QColor red(178, 34, 52), blue(60, 59, 110);
    // Thirteen stripes, the canton over the top seven.
    for (int i = 0; i < 13; i += 2)
        g.fillRect(QRectF(0, i * kFlagHeight / 13.0, kFlagWidth, kFlagHeight / 13.0), red);
    g.fillRect(QRectF(0, 0, kFlagWidth * 0.4, kFlagHeight * 7 / 13.0), blue);
    g.setPen(Qt::gray);
    g.drawRect(p.rect().adjusted(0, 0, -1, -1));
    return p;
}

QToolButton* flagButton(QWidget* parent, const QPixmap& picture, const char* name) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(picture);
    b->setIconSize(picture.size());
    b->setAutoRaise(true);
    return b;
}

}  // namespace

DocumentsPanel::DocumentsPanel(QWidget* parent) : QWidget(parent) {
    japaneseFlag = flagButton(this, japaneseFlagPicture(), "japaneseFlag");
    englishFlag = flagButton(this, englishFlagPicture(), "englishFlag");
    helpButton = new QPushButton(QStringLiteral("?"), this);
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setFixedWidth(28);
    helpLabel = new QLabel(QStringLiteral("HELP"), this);
    helpLabel->setObjectName(QStringLiteral("helpLabel"));
    helpLabel->setCursor(Qt::PointingHandCursor);
    helpLabel->installEventFilter(this);
    stopwatchButton = new QPushButton(QStringLiteral("TIMER/ON"), this);
    stopwatchButton->setObjectName(QStringLiteral("stopwatchButton"));
    // The style's least button width is wider than "STOP" needs; the row
    // may take the button down to its longest caption.
    stopwatchButton->setMinimumWidth(
        stopwatchButton->fontMetrics().horizontalAdvance(QStringLiteral("TIMER/OFF")) + 12);
    stopwatchReadout = new QLabel(this);
    stopwatchReadout->setObjectName(QStringLiteral("stopwatchReadout"));
    // Room for the longest read-out, a negative time, and no more: with the
    // read-out shown the row must still fit the side column.
    stopwatchReadout->setMinimumWidth(
        stopwatchReadout->fontMetrics().horizontalAdvance(QStringLiteral("-00:00:00")) + 8);
    stopwatchReadout->setAlignment(Qt::AlignCenter);
    stopwatchReadout->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));
    stopwatchReadout->hide();

    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    l->setSpacing(2);
    for (QWidget* w : std::initializer_list<QWidget*>{japaneseFlag, englishFlag, helpButton,
                                                      helpLabel, stopwatchButton, stopwatchReadout})
        l->addWidget(w);
    l->addStretch(1);
}

void DocumentsPanel::showLanguage(Language language) {
    japaneseFlag->setVisible(language != Language::Japanese);
    englishFlag->setVisible(language != Language::English);
}

bool DocumentsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == helpLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit helpLabelClicked();
    return QWidget::eventFilter(watched, event);
}

}  // namespace korvane
