#include "analysis/performance_report.h"

#include <functional>
#include <optional>

#include "analysis/leg_figures.h"
#include "analysis/report_format.h"
#include "base/numbers.h"
#include "base/timestamp.h"

namespace korvane {

namespace {

constexpr const char* kEndOfLine = "\r\n";
// A spreadsheet drops an empty line; a single blank keeps the gap.
constexpr const char* kBlankLine = " ";

class ReportWriter {
  public:
    ReportWriter(const RaceModel& model, const CourseGeometry& geometry,
                 const LegAnalysis& analysis)
        : model_(model), geometry_(geometry), figures_(geometry, analysis) {}

    std::string write();

  private:
    void line(const std::string& text) { out_ += text + kEndOfLine; }
    void blank(int count) {
        for (int i = 0; i < count; ++i) line(kBlankLine);
    }
    bool corrected() const { return model_.race.timeMode == TimeMode::Corrected; }
    int n() const { return figures_.pointCount(); }
    int legs() const { return figures_.legCount(); }
    std::string boatName(int b) const { return reportField(model_.boats[b].name); }
    const std::string& pointName(int p) const {
        return geometry_.points.at(static_cast<std::size_t>(p)).name;
    }
    std::string legHeadings() const;
    std::string classRow() const;
    // One row per boat: the name, then `cells` for that boat.
    void boatRows(const std::function<std::string(int)>& cells);

    void header();
    void timeTable();
    void positionTable();
    void courseTable();
    void sailedDistanceTable();
    void speedTable();
    void summary();
    void differenceTables();

    const RaceModel& model_;
    const CourseGeometry& geometry_;
    LegFigures figures_;
    std::string out_;
};

std::string orDash(const std::optional<std::string>& text) {
    return text ? *text : "-";
}

std::string ReportWriter::legHeadings() const {
    std::string text;
    for (int k = 0; k < legs(); ++k)
        // One cell: it is guarded as a whole, for where its text begins.
        text += "," +
                reportField((k == 0 ? std::string("ST") : pointName(k)) + "->" + pointName(k + 1));
    return text;
}

std::string ReportWriter::classRow() const {
    std::string text;
    for (int k = 0; k < legs(); ++k) {
        const LegKind kind = figures_.leg(k).kind;
        text += ",";
        if (kind != LegKind::Across) text += std::string("(") + legKindLabel(kind) + ")";
    }
    return text;
}

void ReportWriter::boatRows(const std::function<std::string(int)>& cells) {
    for (int b = 0; b < figures_.boatCount(); ++b) line(boatName(b) + cells(b));
}

void ReportWriter::header() {
    if (corrected()) line("NOTE: All data related \"time\" including BSP are corrected by TCC/TMF");
    line(reportField(model_.race.caption));
    line("Start Time," + formatTimestamp(model_.race.start));
    line("Mean Wind Dir," + std::to_string(model_.race.windDirection) + " deg");
    blank(1);
}

void ReportWriter::timeTable() {
    line("Time by each leg (Sec)");
    line((corrected() ? "," : "") + classRow());
    line(std::string("Boat Name") + (corrected() ? ",TCC/TMF" : "") + legHeadings() +
         ",Total(A),,Sail Dist(B),BSP(C=B/A),,Start Time");
    boatRows([&](int b) {
        const BoatLegResult& r = figures_.boat(b);
        std::string row;
        if (corrected()) row += "," + formatNumber(model_.boats[b].tcf);
        for (int k = 0; k < legs(); ++k) {
            const auto t = figures_.legTime(b, k);
            row += "," + (t && *t > 0 ? formatWhole(*t) : std::string("-"));
        }
        const auto raceTime = figures_.raceTime(b);
        row += "," + (raceTime && *raceTime > 0 ? formatWhole(*raceTime) : std::string("-"));
        const double metres = r.legDistance(n() - 1);
        row += ",," + (metres > 0 ? formatFourDecimals(metres / kMetresPerMinuteLat) : "-");
        const auto average = figures_.averageSpeed(b);
        row += "," + (r.finished() && average ? formatFourDecimals(*average) : "-");
        const auto start = r.passTime(0);
        if (start && *start > 0) row += ", ," + formatWhole(*start);
        return row;
    });
}

void ReportWriter::positionTable() {
    blank(2);
    line("Position by each Mark/Line");
    std::string heading = "Boat Name";
    for (int p = 0; p < n(); ++p)
        heading += "," + (p == n() - 1 ? std::string("FINISH")
                          : p == 0     ? "START"
                                       : reportField(pointName(p)));
    line(heading);
    boatRows([&](int b) {
        std::string row;
        for (int p = 0; p < n(); ++p)
            row += "," + (figures_.boat(b).passed(p) ? std::to_string(figures_.position(b, p))
                                                     : std::string("-"));
        return row;
    });
}

void ReportWriter::courseTable() {
    blank(2);
    line("Course Length by each leg (N Miles)");
    line("Line/Mark" + legHeadings() + ",Total(A)");
    line("Point of sail" + classRow() + ",,,UP_DIST,DN_DIST");
    std::string lengths = "Length";
    for (int k = 0; k < legs(); ++k)
        lengths += "," + formatFourDecimals(figures_.leg(k).lengthMetres / kMetresPerMinuteLat);
    lengths += "," + formatFourDecimals(geometry_.totalLengthMetres / kMetresPerMinuteLat);
    lengths +=
        ",," + formatNumber(figures_.upCourseNm()) + "," + formatNumber(figures_.downCourseNm());
    line(lengths);
    std::string bearings = "BRG(deg/Mag)";
    for (int k = 0; k < legs(); ++k) {
        double magnetic = figures_.leg(k).bearingDegrees - model_.race.magneticVariation;
        if (magnetic < 0) magnetic += 360;
        if (magnetic > 360) magnetic -= 360;
        bearings += "," + formatDegrees(magnetic);
    }
    line(bearings + ",-");
}

void ReportWriter::sailedDistanceTable() {
    blank(2);
    line("Sailed Distance by each leg (N Miles)");
    line(classRow());
    line("Boat Name" + legHeadings() + ",Total(B)");
    boatRows([&](int b) {
        std::string row;
        for (int k = 0; k < n(); ++k) {
            const double metres = figures_.boat(b).legDistance(k);
            row += "," + (metres > 0 ? formatFourDecimals(metres / kMetresPerMinuteLat) : "-");
        }
        return row;
    });
}

void ReportWriter::speedTable() {
    blank(2);
    line("Boat speed by each leg (KTS)");
    line(classRow());
    line("Boat Name" + legHeadings() + ",Ave(C)");
    boatRows([&](int b) {
        std::string row;
        for (int k = 0; k < legs(); ++k) {
            const auto speed = figures_.legSpeed(b, k);
            row += "," + orDash(speed ? std::optional(formatFourDecimals(*speed)) : std::nullopt);
        }
        const auto average = figures_.averageSpeed(b);
        row += "," + orDash(average ? std::optional(formatFourDecimals(*average)) : std::nullopt);
        return row;
    });
}

void ReportWriter::summary() {
    blank(2);
    line("SUMMARY OF SAILING PERFORMANCE");
    line(",(UP),(UP),(UP),(UP),,(DN),(DN),(DN),(DN)");
    line("BOAT NAME,TIME,DIST,BSP,VMC,,TIME,DIST,BSP,VMC");
    boatRows([&](int b) {
        const BoatLegResult& r = figures_.boat(b);
        // A total over a missed point means nothing.
        auto totals = [](bool complete, double time, double nm, double speed, double vmc) {
            if (!complete) return std::string(",-,-,-,-");
            return "," + formatWhole(time) + "," + formatFiveChars(nm) + "," +
                   formatFiveChars(speed) + "," + formatFiveChars(vmc);
        };
        return totals(r.upTotalsComplete, r.upTimeSeconds, r.upDistanceNm, figures_.upSpeed(b),
                      figures_.upVmc(b)) +
               "," +
               totals(r.downTotalsComplete, r.downTimeSeconds, r.downDistanceNm,
                      figures_.downSpeed(b), figures_.downVmc(b));
    });
}

void ReportWriter::differenceTables() {
    const std::optional<int> best = figures_.bestBoat();
    const BoatLegResult* bestResult = best ? &figures_.boat(*best) : nullptr;
    auto legPassed = [&](const BoatLegResult& r, int k) { return r.passed(k) && r.passed(k + 1); };

    blank(2);
    line("COMPARISON OF DATA (Best boat:=0");
    blank(1);
    line("Difference of Time by each leg (SEC: difference from Best Boat)");
    line(classRow());
    line("Boat Name" + legHeadings() + ",Total(B)");
    boatRows([&](int b) {
        const BoatLegResult& r = figures_.boat(b);
        std::string row;
        for (int k = 0; k < legs(); ++k) {
            const bool known = bestResult && legPassed(r, k) && legPassed(*bestResult, k);
            row += "," + (known ? formatWhole(*figures_.legTime(b, k) - *figures_.legTime(*best, k))
                                : std::string("-"));
        }
        if (bestResult && r.finished()) {
            const double d = *figures_.raceTime(b) - *figures_.raceTime(*best);
            row += "," + withSign(d, formatWhole(d));
        } else {
            row += ",-";
        }
        return row;
    });

    blank(2);
    line("Difference of Sailed Distance by each leg (Meters)");
    line(classRow());
    line("Boat Name" + legHeadings() + ",Total(B)");
    boatRows([&](int b) {
        std::string row;
        for (int k = 0; k < n(); ++k) {
            const double metres = figures_.boat(b).legDistance(k);
            if (bestResult && metres > 0 && bestResult->legDistance(k) > 0) {
                const double d = metres - bestResult->legDistance(k);
                row += "," + withSign(d, formatWhole(d));
            } else {
                row += ",-";
            }
        }
        return row;
    });

    blank(2);
    line("Difference of Boat speed by each leg (KTS)");
    line(classRow());
    line("Boat Name" + legHeadings() + ",Ave(C)");
    boatRows([&](int b) {
        std::string row;
        auto difference = [](std::optional<double> own, std::optional<double> theirs) {
            if (!own || !theirs) return std::string(",-");
            const double d = *own - *theirs;
            return "," + withSign(d, formatFourDecimals(d));
        };
        for (int k = 0; k < legs(); ++k)
            row += difference(figures_.legSpeed(b, k),
                              best ? figures_.legSpeed(*best, k) : std::nullopt);
        row += difference(figures_.averageSpeed(b),
                          best ? figures_.averageSpeed(*best) : std::nullopt);
        return row;
    });
}

std::string ReportWriter::write() {
    header();
    timeTable();
    positionTable();
    courseTable();
    sailedDistanceTable();
    speedTable();
    summary();
    differenceTables();
    return out_;
}

}  // namespace

std::string formatPerformanceReport(const RaceModel& model, const CourseGeometry& geometry,
                                    const LegAnalysis& analysis) {
    return ReportWriter(model, geometry, analysis).write();
}

}  // namespace korvane
