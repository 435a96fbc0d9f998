#include "app/ct_banner.h"

namespace korvane {

namespace {
// Right of the compass, which takes the map's first 112 pixels.
constexpr QPoint kOnMap{112, 5};
constexpr QSize kSize{329, 33};
constexpr int kPoints = 20;
}  // namespace

CtBanner::CtBanner(QWidget* parent) : QLabel(parent) {
    // The language switch gives the banner its text.
    setObjectName(QStringLiteral("ctBanner"));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: red; color: white; }"));
    QFont f = font();
    f.setPointSize(kPoints);
    setFont(f);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(kSize);
    hide();
}

void CtBanner::follow(bool correctedTime, bool smallScreen, bool trackPage, QPoint mapTopLeft) {
    // The banner's size was chosen for a smaller screen font; it never cuts
    // its text off.
    resize(kSize.expandedTo(sizeHint()));
    move(mapTopLeft + kOnMap);
    setVisible(correctedTime && !smallScreen && trackPage);
}

}  // namespace korvane
