#include "app/picture_exports.h"

#include <QBuffer>
#include <QPixmap>
#include <QWidget>

#include "base/file_io.h"

namespace korvane {

PictureExportResult saveBitmap(const QImage& image, const std::filesystem::path& path) {
    PictureExportResult result;
    result.path = path;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP")) {
        result.error = QStringLiteral("there is no picture to save");
        return result;
    }
    if (!writeFileAtomically(
            path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        result.error = QStringLiteral("cannot write ") + QString::fromStdString(path.string());
    return result;
}

QImage grabShownArea(QWidget* window, const QRect& area) {
    return window->grab(area).toImage();
}

}  // namespace korvane
