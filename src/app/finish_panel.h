// A ranking picture over the map. The overall ranking is drawn whole when
// a race opens and uncovered a row at a time as the replay sees boats
// finish; the class ranking is redrawn at each finish and shown whole.
#pragma once

#include <QImage>
#include <QWidget>

namespace korvane {

class FinishPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 15;
    static constexpr int kMargin = 20;

    explicit FinishPanel(QWidget* parent = nullptr);
    void setPicture(QImage picture);
    // Shows the first `rows` rows of the picture; the panel hides at zero.
    void showRows(int rows);
    // Shows the whole picture.
    void showWhole();
    void clearRows() { showRows(0); }
    int rowCount() const { return rows_; }
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    int rows_ = 0;
};

}  // namespace korvane
