#include "app/documents_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvane {

namespace {

constexpr int kFlagWidth = 32;
constexpr int kFlagHeight = 16;

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
    b->setFixedSize(kFlagWidth + 4, kFlagHeight + 2);
    return b;
}

}  // namespace

DocumentsPanel::DocumentsPanel(QWidget* parent) : QWidget(parent) {
    japaneseFlag_ = flagButton(this, japaneseFlagPicture(), "japaneseFlag");
    englishFlag_ = flagButton(this, englishFlagPicture(), "englishFlag");
    helpButton_ = new QPushButton(QStringLiteral("?"), this);
    helpButton_->setObjectName(QStringLiteral("helpButton"));
    helpButton_->setFixedWidth(28);
    helpLabel_ = new QLabel(QStringLiteral("HELP"), this);
    helpLabel_->setObjectName(QStringLiteral("helpLabel"));
    helpLabel_->setCursor(Qt::PointingHandCursor);
    helpLabel_->installEventFilter(this);
    stopwatchButton_ = new QPushButton(QStringLiteral("TIMER/ON"), this);
    stopwatchButton_->setObjectName(QStringLiteral("stopwatchButton"));
    stopwatchReadout_ = new QLabel(this);
    stopwatchReadout_->setObjectName(QStringLiteral("stopwatchReadout"));
    // Room for the longest read-out, a negative time, and no more: with the
    // read-out shown the row must still fit the side column.
    stopwatchReadout_->setMinimumWidth(
        stopwatchReadout_->fontMetrics().horizontalAdvance(QStringLiteral("-00:00:00")) + 8);
    stopwatchReadout_->setAlignment(Qt::AlignCenter);
    stopwatchReadout_->setStyleSheet(QStringLiteral("background: white; border: 1px solid gray;"));
    stopwatchReadout_->hide();

    stopwatchButton_->hide();  // a race must be open
    helpButton_->hide();
    helpLabel_->hide();
    helpLabel_->setText(QStringLiteral(" ? "));
    connect(japaneseFlag_, &QToolButton::clicked, this,
            [this] { emit languageRequested(Language::Japanese); });
    connect(englishFlag_, &QToolButton::clicked, this,
            [this] { emit languageRequested(Language::English); });
    connect(helpButton_, &QPushButton::clicked, this, &DocumentsPanel::helpRequested);
    connect(stopwatchButton_, &QPushButton::clicked, this, &DocumentsPanel::stopwatchPressed);
}

void DocumentsPanel::standIn(QWidget* controls, QPoint flagsAt, const QRect& helpLabelAt,
                             QWidget* logo, const QRect& helpButtonRoom, QWidget* mapArea) {
    for (QToolButton* flag : {japaneseFlag_, englishFlag_}) {
        const bool hidden = flag->isHidden();
        flag->setParent(controls);
        flag->move(flagsAt);
        flag->setVisible(!hidden);
    }
    helpLabel_->setParent(controls);
    helpLabel_->setGeometry(helpLabelAt);
    helpButton_->setParent(logo);
    helpButton_->setGeometry(helpButtonRoom.left(), helpButtonRoom.top(), 28, 18);
    stopwatchButton_->setParent(mapArea);
    stopwatchReadout_->setParent(mapArea);
    hide();
}

void DocumentsPanel::showHelp(bool pagesExist) {
    helpButton_->setVisible(pagesExist);
    helpLabel_->setVisible(pagesExist);
}

void DocumentsPanel::placeStopwatch(const QRect& button, const QRect& readout, bool shown) {
    stopwatchButton_->setGeometry(button);
    stopwatchReadout_->setGeometry(readout);
    stopwatchButton_->setVisible(shown && !button.isEmpty());
    stopwatchReadout_->setVisible(shown && !readout.isEmpty() && readoutShown_);
    stopwatchButton_->raise();
    stopwatchReadout_->raise();
}

void DocumentsPanel::showStopwatch(const QString& caption, const QString& readout,
                                   bool readoutShown) {
    stopwatchButton_->setText(caption);
    stopwatchReadout_->setText(readout);
    readoutShown_ = readoutShown;
    stopwatchReadout_->setVisible(readoutShown && stopwatchButton_->isVisible());
}

void DocumentsPanel::showStopwatchReadout(const QString& readout) {
    stopwatchReadout_->setText(readout);
}

void DocumentsPanel::showLanguage(Language language) {
    japaneseFlag_->setVisible(language != Language::Japanese);
    englishFlag_->setVisible(language != Language::English);
}

bool DocumentsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == helpLabel_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit helpLabelClicked();
    return QWidget::eventFilter(watched, event);
}

}  // namespace korvane
