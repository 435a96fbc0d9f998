// GO/STOP: play forward, stop, play backward, and one second either way.
// The lit button shows what the replay is doing.
#pragma once

#include <QToolButton>
#include <QWidget>

#include "replay/replay_clock.h"

namespace korvane {

class TransportPanel : public QWidget {
    Q_OBJECT
  public:
    explicit TransportPanel(QWidget* parent = nullptr);
    void showTransport(Transport transport);

    QToolButton* playForwardButton = nullptr;
    QToolButton* stopButton = nullptr;
    QToolButton* playBackwardButton = nullptr;
    QToolButton* stepForwardButton = nullptr;
    QToolButton* stepBackwardButton = nullptr;
};

}  // namespace korvane
