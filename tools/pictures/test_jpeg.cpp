#include "pictures/test_jpeg.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <exception>
#include <exiv2/exiv2.hpp>
#include <fstream>

namespace korvane::tools {

namespace {

QImage drawPicture(const TestJpeg& p) {
    QImage image(p.width, p.height, QImage::Format_RGB32);
    const int hue = static_cast<int>(std::hash<std::string>{}(p.label + p.captureTime) % 360);
    image.fill(QColor::fromHsv(hue, 120, 200));
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.drawRect(2, 2, p.width - 5, p.height - 5);
    // An arrow pointing up, so a turned picture shows which way it stands.
    painter.drawLine(p.width / 2, p.height / 4, p.width / 2, p.height * 3 / 4);
    painter.drawLine(p.width / 2, p.height / 4, p.width / 2 - 10, p.height / 4 + 10);
    painter.drawLine(p.width / 2, p.height / 4, p.width / 2 + 10, p.height / 4 + 10);
    painter.drawText(QRect(0, 0, p.width, p.height / 4), Qt::AlignCenter,
                     QString::fromStdString(p.label));
    return image;
}

// JPEG bytes, with `padding` bytes of scan data before the end marker: a
// camera file's size, where a metadata reader never looks.
QByteArray encode(const QImage& image, int quality, int padding) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", quality)) return {};
    if (padding > 0) bytes.insert(bytes.size() - 2, QByteArray(padding, 'x'));
    return bytes;
}

bool writeExif(const std::filesystem::path& path, const TestJpeg& p) {
    try {
        auto image = Exiv2::ImageFactory::open(path.string());
        image->readMetadata();
        Exiv2::ExifData& exif = image->exifData();
        exif["Exif.Image.Make"] = "korvane";
        if (p.exif == ExifKind::CaptureNotText) {
            exif["Exif.Photo.DateTimeOriginal"] = uint32_t{20240512};
        } else {
            exif["Exif.Photo.DateTimeOriginal"] = p.captureTime;
        }
        if (p.orientation > 0) exif["Exif.Image.Orientation"] = uint16_t(p.orientation);
        image->writeMetadata();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// Points the first directory of the EXIF block far past its end.
bool breakExif(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadWrite)) return false;
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf(QByteArray("Exif\0\0", 6));
    if (at < 0 || at + 14 > bytes.size()) return false;
    for (int k = 0; k < 4; ++k) bytes[at + 10 + k] = '\x7F';
    file.seek(0);
    return file.write(bytes) == bytes.size();
}

}  // namespace

bool writeTestJpeg(const std::filesystem::path& path, const TestJpeg& picture) {
    const QByteArray bytes = encode(drawPicture(picture), picture.quality, picture.paddingBytes);
    if (bytes.isEmpty()) return false;
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.constData(), bytes.size());
        if (!out) return false;
    }
    if (picture.exif == ExifKind::None) return true;
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    if (!writeExif(path, picture)) return false;
    return picture.exif != ExifKind::Broken || breakExif(path);
}

}  // namespace korvane::tools
