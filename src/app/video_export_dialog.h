// The "Video" button's question: which span of the race, how fast, how
// large and into which file. It only asks; VideoExport makes the film.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "video/film_export.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace korvane {

class VideoExportDialog : public QDialog {
    Q_OBJECT
  public:
    explicit VideoExportDialog(QWidget* parent);

    // Offers the race's timeline, from `nowSeconds` when the replay is
    // inside it, into `suggestedFile`.
    void prepare(double timelineBeginSeconds, double timelineEndSeconds, double nowSeconds,
                 const std::filesystem::path& suggestedFile);
    // What the user chose.
    FilmJob job() const;

  signals:
    // "Make" with a plan that can be filmed.
    void jobChosen(const korvane::FilmJob& job);

  private:
    void showFilmLength();
    void browse();

    QSpinBox* from_;
    QSpinBox* to_;
    QSpinBox* speed_;
    QComboBox* size_;
    QComboBox* fps_;
    QComboBox* codec_;
    QCheckBox* standings_;
    QLineEdit* file_;
    QLabel* length_;
};

}  // namespace korvane
