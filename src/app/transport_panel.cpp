#include "app/transport_panel.h"

#include <QLabel>
#include <QStyle>

namespace korvane {

namespace {

constexpr int kButtonSize = 17;  // three rows in the panel's 72 pixels
constexpr int kColumn1 = 8;      // the three transport buttons
constexpr int kColumn2 = 35;     // the step buttons
constexpr int kFirstRow = 17;

QToolButton* makeButton(QWidget* parent, const QString& text, QPoint at) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setCheckable(false);
    b->setGeometry(at.x(), at.y(), kButtonSize, kButtonSize);
    b->setStyleSheet(QStringLiteral(
        "QToolButton { background: #c0c0c0; border: 1px solid #404040; font-weight: bold; }"
        "QToolButton[lit=\"true\"] { background: #ffff00; }"));
    return b;
}

}  // namespace

TransportPanel::TransportPanel(const WindowActions& actions, QWidget* parent) : QWidget(parent) {
    auto* caption = new QLabel(QStringLiteral("GO/STOP"), this);
    caption->setGeometry(4, 0, 80, 16);
    const int step = kButtonSize;
    // The language switch gives each button its hint, found by this name.
    const auto button = [&](Command command, QPoint at) {
        QToolButton* b = makeButton(this, actions[command]->text(), at);
        b->setObjectName(actions[command]->objectName().chopped(6));
        connect(b, &QToolButton::clicked, actions[command], &QAction::trigger);
        connect(actions[command], &QAction::enabledChanged, b, &QWidget::setEnabled);
        return b;
    };
    playForwardButton_ = button(Command::PlayForward, {kColumn1, kFirstRow});
    stopButton_ = button(Command::Stop, {kColumn1, kFirstRow + step});
    playBackwardButton_ = button(Command::PlayBackward, {kColumn1, kFirstRow + 2 * step});
    button(Command::StepForward, {kColumn2, kFirstRow});
    button(Command::StepBackward, {kColumn2, kFirstRow + 2 * step});
    setFixedSize(kColumn2 + kButtonSize + 6, kFirstRow + 3 * step + 2);
}

void TransportPanel::showTransport(Transport transport) {
    lit_ = transport;
    const std::pair<QToolButton*, Transport> lit[] = {{playForwardButton_, Transport::Forward},
                                                      {stopButton_, Transport::Stopped},
                                                      {playBackwardButton_, Transport::Backward}};
    for (const auto& [button, state] : lit) {
        button->setProperty("lit", state == transport);
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

}  // namespace korvane
