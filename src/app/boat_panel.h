// The boat list: a check box per boat in its colour, a check box per class
// above its boats, and the title that checks every boat again; the boxes
// scroll when the list is given less height than it needs. The boxes
// only show the BoatSelection; clicks go to it, and the window redraws on
// selectionChanged / highlightChanged.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>
#include <QWidget>
#include <vector>

#include "app/tip_controller.h"
#include "session/race_session.h"
#include "view/boat_selection.h"

namespace korvane {

class BoatPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidth = 265;

    explicit BoatPanel(QWidget* parent = nullptr);

    // Builds the boxes of a newly opened race, every boat checked.
    void setSession(const RaceSession& session);
    const BoatSelection& selection() const { return selection_; }
    // The map found no boat checked: every box is ticked again.
    void recheckAll();
    int neededHeight() const { return neededHeight_; }
    // The window's tip box, which tells what a click on a box does.
    void setTips(TipController* tips) { tips_ = tips; }
    // Picks out boat b on the map, as the pointer over its box does.
    void highlightBoat(int b) { setHighlight(b); }

  signals:
    void selectionChanged();
    void highlightChanged();
    void classClicked();  // a class box was pressed: the list beeps
    // The pointer is over the list between its boxes.
    void pointerOverList();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showSelection();
    void setHighlight(std::optional<int> b);
    void showBoxTip(const QCheckBox* box, PointerTip tip);

    bool isBox(const QWidget* w) const;

    BoatSelection selection_;
    QLabel* title_ = nullptr;
    // The boxes scroll when the window cannot give the list all it needs
    // above the controls; the title stays on top.
    QScrollArea* scroll_ = nullptr;
    QWidget* rows_ = nullptr;
    std::vector<QCheckBox*> boatBoxes_;
    std::vector<QCheckBox*> classBoxes_;
    int neededHeight_ = 0;
    TipController* tips_ = nullptr;
};

}  // namespace korvane
