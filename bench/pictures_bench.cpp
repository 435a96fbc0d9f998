// Pictures, timed in one run so the ratios compare like with like:
//  1. the catalogue of a folder of camera-sized JPEGs against
//     "exiftool -DateTimeOriginal" over the same folder in one call;
//  2. a 24-megapixel JPEG decoded at the size the picture panel shows
//     (900 pixels) against decoding it whole.
//
//   pictures_bench [FOLDER] [COUNT]    (default: a temp folder, 1000 files)
//
// The folder is filled once (1.5 MB a file) and kept, so a second run reads
// it warm. Each figure is the best of three runs.
#include <QGuiApplication>
#include <QImageReader>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "pictures/picture_catalogue.h"
#include "pictures/test_jpeg.h"
#include "race/race_time.h"

namespace {

namespace fs = std::filesystem;

double bestSeconds(const std::function<void()>& work, int runs = 3) {
    double best = 1e300;
    for (int k = 0; k < runs; ++k) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

void fillFolder(const fs::path& folder, int count) {
    fs::create_directories(folder);
    korvane::tools::TestJpeg jpeg;
    jpeg.width = 640;
    jpeg.height = 480;
    jpeg.paddingBytes = 1500000;
    for (int k = 0; k < count; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.JPG", k);
        if (fs::exists(folder / name)) continue;
        char time[32];
        std::snprintf(time, sizeof time, "2024:05:12 11:%02d:%02d", k / 60 % 60, k % 60);
        jpeg.captureTime = time;
        if (!korvane::tools::writeTestJpeg(folder / name, jpeg)) std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path folder =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "korvane-pictures-bench";
    const int count = argc > 2 ? std::atoi(argv[2]) : 1000;
    fillFolder(folder / "camera", count);

    const korvane::PictureWindow window{*korvane::parseTimestamp("2024/05/12 11:00:00"), -310,
                                        4530};
    int found = 0;
    const double ours =
        bestSeconds([&] { found = korvane::catalogueFolder(folder / "camera", window).count(); });
    std::printf("catalogue of %d JPEGs: %.3f s (%d pictures)\n", count, ours, found);
    const std::string command =
        "exiftool -q -DateTimeOriginal '" + (folder / "camera").string() + "' > /dev/null 2>&1";
    if (std::system("exiftool -ver > /dev/null 2>&1") == 0) {
        const double exiftool = bestSeconds([&] { (void)std::system(command.c_str()); });
        std::printf("exiftool -DateTimeOriginal:   %.3f s   ratio %.1fx\n", exiftool,
                    exiftool / ours);
    } else {
        std::printf("exiftool not installed: no comparison\n");
    }

    const fs::path big = folder / "24mp.jpg";
    if (!fs::exists(big)) {
        korvane::tools::TestJpeg jpeg;
        jpeg.width = 6000;
        jpeg.height = 4000;
        jpeg.quality = 90;
        jpeg.captureTime = "2024:05:12 11:00:00";
        if (!korvane::tools::writeTestJpeg(big, jpeg)) return 1;
    }
    const QString path = QString::fromStdString(big.string());
    const double full = bestSeconds([&] {
        QImageReader r(path);
        r.setAutoTransform(true);
        if (r.read().isNull()) std::exit(1);
    });
    const double shown = bestSeconds([&] {
        QImageReader r(path);
        r.setAutoTransform(true);
        r.setScaledSize(QSize(900, 600));
        if (r.read().isNull()) std::exit(1);
    });
    std::printf("24 MP JPEG whole: %.3f s, at 900 px: %.3f s   ratio %.2f\n", full, shown,
                shown / full);
    return 0;
}
