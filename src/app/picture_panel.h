// The floating white panel that shows one photograph with its caption. It
// decodes the JPEG at the shown size (a camera's 24-megapixel file appears
// at once) and stands it the way the camera's orientation says. The user
// drags it with the left button; a right or middle click asks to hold or
// release the picture.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPoint>
#include <QString>

#include "pictures/picture_box.h"

namespace korvane {

class PicturePanel : public QFrame {
    Q_OBJECT
  public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // Shows the caption, then the picture at `sizePixels`; false when the
    // file cannot be read, leaving the previous picture and size in place.
    bool showPicture(const QString& path, const QString& caption, int sizePixels);
    // Where the panel stands when shown; it goes there at once.
    void placeAt(QPoint topLeft);
    QPoint placedAt() const { return place_; }
    const PictureBox& box() const { return box_; }
    QString captionText() const { return caption_->text(); }
    QSize pictureSize() const { return image_->pixmap().size(); }

  signals:
    void holdToggleRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* image_ = nullptr;
    QLabel* caption_ = nullptr;
    PictureBox box_;
    QPoint place_;
    QPoint pressAt_{-1, -1};
};

}  // namespace korvane
