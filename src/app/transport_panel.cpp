#include "app/transport_panel.h"

#include <QLabel>
#include <QStyle>

namespace korvane {

namespace {

constexpr int kButtonSize = 24;
constexpr int kColumn1 = 8;   // the three transport buttons
constexpr int kColumn2 = 35;  // the step buttons
constexpr int kFirstRow = 17;

QToolButton* makeButton(QWidget* parent, const QString& text, const QString& tip, QPoint at) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setCheckable(false);
    b->setGeometry(at.x(), at.y(), kButtonSize, kButtonSize);
    b->setStyleSheet(QStringLiteral(
        "QToolButton { background: #c0c0c0; border: 1px solid #404040; font-weight: bold; }"
        "QToolButton[lit=\"true\"] { background: #ffff00; }"));
    return b;
}

}  // namespace

TransportPanel::TransportPanel(QWidget* parent) : QWidget(parent) {
    auto* caption = new QLabel(QStringLiteral("GO/STOP"), this);
    caption->setGeometry(4, 0, 80, 16);
    const int step = kButtonSize + 2;
    playForwardButton =
        makeButton(this, QStringLiteral("▲"), tr("Play forward"), {kColumn1, kFirstRow});
    stopButton = makeButton(this, QStringLiteral("■"), tr("Stop"), {kColumn1, kFirstRow + step});
    playBackwardButton = makeButton(this, QStringLiteral("▼"), tr("Play backward"),
                                    {kColumn1, kFirstRow + 2 * step});
    stepForwardButton =
        makeButton(this, QStringLiteral("+"), tr("One second forward"), {kColumn2, kFirstRow});
    stepBackwardButton = makeButton(this, QStringLiteral("−"), tr("One second back"),
                                    {kColumn2, kFirstRow + 2 * step});
    setFixedSize(kColumn2 + kButtonSize + 6, kFirstRow + 3 * step + 2);
}

void TransportPanel::showTransport(Transport transport) {
    const std::pair<QToolButton*, Transport> lit[] = {{playForwardButton, Transport::Forward},
                                                      {stopButton, Transport::Stopped},
                                                      {playBackwardButton, Transport::Backward}};
    for (const auto& [button, state] : lit) {
        button->setProperty("lit", state == transport);
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

}  // namespace korvane
