// korvane-test-jpeg OUT.jpg [--size WxH] [--time "YYYY:MM:DD hh:mm:ss"]
//                   [--orientation N] [--label TEXT] [--no-exif] [--broken-exif]
//                   [--pad BYTES]
// Writes one small JPEG with its capture time in EXIF, as a camera would.
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "pictures/test_jpeg.h"

namespace {

int usage() {
    std::fputs(
        "usage: korvane-test-jpeg OUT.jpg [--size WxH] [--time \"YYYY:MM:DD hh:mm:ss\"]\n"
        "                         [--orientation N] [--label TEXT] [--no-exif] [--broken-exif]\n"
        "                         [--pad BYTES]\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    korvane::tools::TestJpeg p;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &p.width, &p.height) != 2 || p.width < 1 ||
                p.height < 1)
                return usage();
        } else if (a == "--time" && hasValue) {
            p.captureTime = argv[++i];
        } else if (a == "--orientation" && hasValue) {
            p.orientation = std::atoi(argv[++i]);
        } else if (a == "--label" && hasValue) {
            p.label = argv[++i];
        } else if (a == "--pad" && hasValue) {
            p.paddingBytes = std::atoi(argv[++i]);
        } else if (a == "--no-exif") {
            p.exif = korvane::tools::ExifKind::None;
        } else if (a == "--broken-exif") {
            p.exif = korvane::tools::ExifKind::Broken;
        } else {
            return usage();
        }
    }
    if (p.exif != korvane::tools::ExifKind::None && p.captureTime.empty()) return usage();
    if (!korvane::tools::writeTestJpeg(argv[1], p)) {
        std::fprintf(stderr, "korvane-test-jpeg: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
