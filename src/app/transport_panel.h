// GO/STOP: play forward, stop, play backward, and one second either way.
// The buttons trigger the window's actions; the lit one shows what the
// replay is doing.
#pragma once

#include <QToolButton>
#include <QWidget>

#include "app/window_actions.h"
#include "replay/replay_clock.h"

namespace korvane {

class TransportPanel : public QWidget {
    Q_OBJECT
  public:
    TransportPanel(const WindowActions& actions, QWidget* parent = nullptr);
    void showTransport(Transport transport);
    // The button lit now (tests and the diagnostics read it).
    Transport litTransport() const { return lit_; }

  private:
    QToolButton* playForwardButton_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QToolButton* playBackwardButton_ = nullptr;
    Transport lit_ = Transport::Stopped;
};

}  // namespace korvane
