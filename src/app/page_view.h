// The Graph and Analysis pages in the window: the page bitmap drawn by
// analysis/, copied to the screen, with what the mouse points at drawn over
// a copy of it. It takes the map's place while a page is chosen and holds
// the "Show Excel Table" button, which only the Analysis page offers.
#pragma once

#include <QImage>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/analysis_page.h"
#include "analysis/graph_hover.h"
#include "analysis/page_state.h"
#include "session/race_session.h"
#include "view/display_state.h"

namespace korvane {

class PageView : public QWidget {
    Q_OBJECT
  public:
    explicit PageView(QWidget* parent = nullptr);

    void setSession(std::shared_ptr<const RaceSession> session);
    // Draws `page` (Graph or Analysis) at the widget's size and shows it.
    void showPage(Page page, PageState state);
    Page page() const { return page_; }
    const PageState& state() const { return state_; }
    const QImage& bitmap() const { return bitmap_; }
    // What the screen shows: the bitmap with the hover drawn over it.
    const QImage& screen() const { return screen_; }
    // A boat picked out from outside (the boat list); nothing clears it.
    void highlightBoat(std::optional<int> boat);
    // The wind file's traces over the Graph page, until the pointer moves
    // over the page again; nothing on other pages or without wind.
    void showWindOverlay(bool on);
    bool windOverlayShown() const { return windOverlay_; }
    // A wind history being drawn by hand, red over the Graph page.
    void setWindStrokes(std::vector<QPoint> strokes);

  signals:
    void reportRequested();  // "Show Excel Table"
    void pressed(QPoint at);
    void captionChanged(const QString& caption);  // the pointer moved over the page

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPushButton* reportButton_ = nullptr;
    void compose();
    void placeReportButton();

    std::shared_ptr<const RaceSession> session_;
    Page page_ = Page::Track;
    PageState state_;
    QImage bitmap_;
    QImage screen_;
    AnalysisDots dots_;
    std::optional<QPoint> mouse_;
    std::optional<int> boat_;
    bool windOverlay_ = false;
    std::vector<QPoint> windStrokes_;
};

}  // namespace korvane
