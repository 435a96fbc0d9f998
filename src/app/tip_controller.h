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

    void showTip(const TipBox& tip);
    void hideTip();
    QLabel* box() const { return box_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tipFor(QWidget* control, const TipRow& row);
    TipRect rectOf(const QWidget* w) const;

    QWidget* area_;
    QLabel* box_;
    Language language_ = Language::English;
    bool tipsEnabled_ = true;
    std::function<bool()> playing_;
    TipRect last_;
};

}  // namespace korvane
