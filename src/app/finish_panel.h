// The finishers as the replay sees them cross the line: one row each, the
// panel growing by a row at every finish.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <vector>

namespace korvane {

struct FinishRow {
    QString name;
    QColor colour;
    QString elapsed;  // "h:mm:ss" from the gun
};

class FinishPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kRowHeight = 15;
    static constexpr int kWidth = 210;

    explicit FinishPanel(QWidget* parent = nullptr);
    void addRow(FinishRow row);
    void clearRows();
    int rowCount() const { return static_cast<int>(rows_.size()); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<FinishRow> rows_;
};

}  // namespace korvane
