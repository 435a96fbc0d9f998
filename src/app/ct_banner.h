// The red banner that tells a corrected-time replay from an elapsed-time
// one at a glance. It stands over the map's top left, clear of the compass,
// and only while the map of a full-size window shows a corrected-time race:
// a movie frame (small screen) and the pages carry their own notes.
#pragma once

#include <QLabel>

namespace korvane {

class CtBanner : public QLabel {
    Q_OBJECT
  public:
    explicit CtBanner(QWidget* parent = nullptr);

    void follow(bool correctedTime, bool smallScreen, bool trackPage, QPoint mapTopLeft);
};

}  // namespace korvane
