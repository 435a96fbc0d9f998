// The yellow tip box beside the control under the mouse. It watches every
// widget the tip table names (by objectName) and places the box as the row
// says; panels whose tips depend on what is under the pointer call showTip
// themselves.
#pragma once

#include <QLabel>
#include <QObject>
#include <functional>

#include "ui_text/language.h"
#include "ui_text/tip_table.h"

namespace korvane {

class TipController : public QObject {
    Q_OBJECT
  public:
    // The box lives in `area`, the window's client area, whose coordinates
    // the tips are placed in.
    explicit TipController(QWidget* area);

    // Watches the named widgets now under the area; call again after new
    // panels were added.
    void attach();
    void setLanguage(Language language) { language_ = language; }
    void setTipsEnabled(bool on) { tipsEnabled_ = on; }
    bool tipsEnabled() const { return tipsEnabled_; }
    void setPlayingQuery(std::function<bool()> playing) { playing_ = std::move(playing); }
    // Tips that follow the pointer over the replay belong to the map's page.
    void setTrackPageQuery(std::function<bool()> trackPage) { trackPage_ = std::move(trackPage); }
    bool playing() const { return playing_ && playing_(); }
    bool trackPage() const { return !trackPage_ || trackPage_(); }

    // Whether the tips that follow the pointer (boat list, time bar, map,
    // overview) may show now.
    bool pointerTipsOn() const { return tipsEnabled_ && (!trackPage_ || trackPage_()); }
    // `tip` in the language on show, at (0, 0), for the caller to place.
    // It is at least as large as its text needs.
    TipBox pointerTip(PointerTip tip, std::string_view fill = {}) const;
    // Shows `tip`, whose rectangle is in `over`'s coordinates.
    void showOver(const QWidget* over, TipBox tip);

    void showTip(const TipBox& tip);
    void hideTip();
    QLabel* box() const { return box_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tipFor(QWidget* control, const TipRow& row);
    TipRect rectOf(const QWidget* w) const;
    TipRect textSize(const std::string& text) const;

    QWidget* area_;
    QLabel* box_;
    Language language_ = Language::English;
    bool tipsEnabled_ = true;
    std::function<bool()> playing_;
    std::function<bool()> trackPage_;
    TipRect last_;
};

}  // namespace korvane
