#include "app/picture_panel.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPixmap>

namespace korvane {

PicturePanel::PicturePanel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    image_ = new QLabel(this);
    // The language switch gives the picture its hint, found by this name.
    image_->setObjectName(QStringLiteral("pictureImage"));
    image_->setScaledContents(true);
    image_->installEventFilter(this);
    caption_ = new QLabel(this);
}

bool PicturePanel::showPicture(const QString& path, const QString& caption, int sizePixels) {
    caption_->setText(caption);
    caption_->adjustSize();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid()) return false;
    // The reader scales the picture as stored, then turns it upright.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize upright = turned ? stored.transposed() : stored;
    const PictureBox box = pictureBoxFor(upright.width(), upright.height(), sizePixels);
    if (box.width <= 0 || box.height <= 0) return false;
    const QSize shown(box.width, box.height);
    reader.setScaledSize(turned ? shown.transposed() : shown);
    const QImage picture = reader.read();
    if (picture.isNull()) return false;
    box_ = box;
    image_->setPixmap(QPixmap::fromImage(picture));
    image_->setGeometry(kPictureBorder, kPictureBorder, box.width, box.height);
    resize(box.panelWidth, box.panelHeight);
    caption_->move((box.panelWidth - caption_->width()) / 2, box.height + 2 * kPictureBorder);
    return true;
}

void PicturePanel::placeAt(QPoint topLeft) {
    place_ = topLeft;
    move(topLeft);
}

bool PicturePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != image_) return QFrame::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton) {
                pressAt_ = e->position().toPoint();
            } else {
                emit holdToggleRequested();
            }
            return true;
        }
        case QEvent::MouseMove: {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (pressAt_.x() >= 0) placeAt(place_ + (e->position().toPoint() - pressAt_));
            return true;
        }
        case QEvent::MouseButtonRelease:
            pressAt_ = QPoint(-1, -1);
            return true;
        default:
            return QFrame::eventFilter(watched, event);
    }
}

}  // namespace korvane
