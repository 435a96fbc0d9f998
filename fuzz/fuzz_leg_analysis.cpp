// The course list and the tracks come from outside (race file, logs): any
// course entries, marks, lines and fixes must resolve or be refused, and the
// analysis and the report must stay inside their tables.
#include <cstdint>
#include <cstring>
#include <string>

#include "analysis/leg_analysis.h"
#include "analysis/performance_report.h"
#include "race/course_geometry.h"
#include "race/race_file_error.h"

namespace {

class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    // Small numbers, so that tracks meet the lines and marks often.
    double coordinate() { return (static_cast<int>(byte()) - 128) / 16.0; }
    std::string entry() {
        static const char* const kPieces[] = {"L", "MK", "M", "1", "2", "3", "0", "-", "x", ","};
        std::string text;
        for (int n = byte() % 4; n >= 0; --n) text += kPieces[byte() % 10];
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace korvane;
    Bytes in(data, size);
    RaceModel m;
    for (int i = in.byte() % 4; i > 0; --i) m.marks.append({in.coordinate(), in.coordinate()});
    for (int i = in.byte() % 3; i > 0; --i)
        m.lines.append({in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()});
    for (int i = in.byte() % 8; i > 0; --i) m.race.course.append(in.entry());
    m.race.windDirection = in.byte() * 2;
    m.race.magneticVariation = in.coordinate();
    for (int b = in.byte() % 4; b > 0; --b) {
        Boat boat;
        boat.name = in.entry();
        boat.mayFinish = in.byte() % 5 != 0;
        double t = -100 + in.byte();
        for (int j = in.byte(); j > 0 && !in.empty(); --j) {
            t += in.byte() % 40;  // times may repeat
            boat.track.push_back({t, in.coordinate(), in.coordinate(), 0, 0});
        }
        m.boats.append(boat);
    }
    std::vector<CoursePoint> points;
    try {
        points = resolveCourse(m, "fuzz.txt");
    } catch (const RaceFileError&) {
        return 0;
    }
    LegAnalysis legs = detectPassings(m, points);
    if (m.race.courseLength() > 1) cutTracksAfterFinish(m, legs);
    computeSailedDistances(m, 1.0, legs);
    const CourseGeometry geometry = computeCourseGeometry(m, std::move(points), LocalPlane(1.0));
    computeLegTotals(geometry, legs);
    const std::string report = formatPerformanceReport(m, geometry, legs);
    if (report.empty()) __builtin_trap();
    return 0;
}
