// Cross-check with an independent writer: gpsbabel turns a GPX file of ours
// into NMEA, and both files must load to the same fixes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "log_builders.h"
#include "temp_race.h"
#include "test_window.h"
#include "tracks/gpx_reader.h"
#include "tracks/nmea_reader.h"

namespace korvane {
namespace {

using namespace testlogs;

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Degrees whose minutes have three decimals, the precision gpsbabel writes.
double degreesOf(int degrees, int thousandthsOfMinute) {
    return degrees + thousandthsOfMinute / 1000.0 / 60.0;
}

TEST(GpsbabelCrossCheck, GpxAndItsNmeaConversionLoadTheSameFixes) {
    if (std::system("command -v gpsbabel >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "gpsbabel is not installed";
    TempRoot root;
    std::string gpxText =
        "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"korvane\">\n"
        "<trk><trkseg>\n";
    const int count = 400;
    for (int k = 0; k < count; ++k) {
        // Tacks across every hemisphere sign, some fixes with fractions of
        // a second, which neither reader uses.
        const double sign = k % 4 < 2 ? 1 : -1;
        const double lat = sign * degreesOf(35, 16123 + 7 * k);
        const double lon = (k % 2 ? -1 : 1) * degreesOf(139, 28810 + 11 * k);
        std::string time = isoTime(kStartUnix - 350 + 15 * k);
        if (k % 3 == 0) time.insert(time.size() - 1, ".750");
        char line[200];
        std::snprintf(line, sizeof line,
                      "<trkpt lat=\"%.10f\" lon=\"%.10f\"><time>%s</time></trkpt>\n", lat, lon,
                      time.c_str());
        gpxText += line;
    }
    gpxText += "</trkseg></trk>\n</gpx>\n";
    root.log("a.gpx", gpxText);
    const auto gpxPath = root.path() / "gpsdat" / "a.gpx";
    const auto logPath = root.path() / "gpsdat" / "a.log";
    const std::string command = "TZ=UTC gpsbabel -i gpx -f '" + gpxPath.string() +
                                "' -o nmea -F '" + logPath.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const auto fromGpx = readGpx(slurp(gpxPath), windowFor("gpx"));
    const auto fromNmea = readNmea(slurp(logPath), windowFor("log"));
    // 400 fixes from -350 s every 15 s: the last ones fall after the window
    // (the GPX reader stops there, the NMEA reader passes over them).
    ASSERT_GT(fromGpx.size(), 300u);
    ASSERT_EQ(fromGpx.size(), fromNmea.size());
    for (std::size_t k = 0; k < fromGpx.size(); ++k) {
        EXPECT_EQ(fromGpx[k].timeSeconds, fromNmea[k].timeSeconds) << k;
        EXPECT_NEAR(fromGpx[k].latMinutes, fromNmea[k].latMinutes, 1e-6) << k;
        EXPECT_NEAR(fromGpx[k].lonMinutes, fromNmea[k].lonMinutes, 1e-6) << k;
    }
}

}  // namespace
}  // namespace korvane
