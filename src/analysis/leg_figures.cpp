#include "analysis/leg_figures.h"

namespace korvane {

std::optional<double> LegFigures::legTime(int b, int k) const {
    const BoatLegResult& r = boat(b);
    const auto end = r.passTime(k + 1);
    if (!end) return std::nullopt;
    if (k == 0) return *end;
    const auto start = r.passTime(k);
    if (!start) return std::nullopt;
    return *end - *start;
}

std::optional<double> LegFigures::legSpeed(int b, int k) const {
    const auto time = legTime(b, k);
    const double metres = boat(b).legDistance(k);
    if (time && *time > 0 && metres > 0) return metres / *time * kKnotsPerMetrePerSecond;
    return std::nullopt;
}

std::optional<double> LegFigures::averageSpeed(int b) const {
    const auto time = raceTime(b);
    const double metres = boat(b).legDistance(pointCount() - 1);
    if (time && *time > 0 && metres > 0) return metres / *time * kKnotsPerMetrePerSecond;
    return std::nullopt;
}

double LegFigures::upSpeed(int b) const {
    const BoatLegResult& r = boat(b);
    return r.upTimeSeconds > 0 ? r.upDistanceNm * 3600 / r.upTimeSeconds : 0;
}

double LegFigures::downSpeed(int b) const {
    const BoatLegResult& r = boat(b);
    return r.downTimeSeconds > 0 ? r.downDistanceNm * 3600 / r.downTimeSeconds : 0;
}

double LegFigures::upVmc(int b) const {
    const BoatLegResult& r = boat(b);
    return r.upTimeSeconds > 0 ? upCourseNm() * 3600 / r.upTimeSeconds : 0;
}

double LegFigures::downVmc(int b) const {
    const BoatLegResult& r = boat(b);
    return r.downTimeSeconds > 0 ? downCourseNm() * 3600 / r.downTimeSeconds : 0;
}

double LegFigures::courseNm(LegKind kind) const {
    double sum = 0;
    for (int k = 0; k < legCount(); ++k)
        if (leg(k).kind == kind) sum += leg(k).lengthMetres / kMetresPerMinuteLat;
    return sum;
}

double LegFigures::upCourseNm() const {
    return courseNm(LegKind::Up);
}
double LegFigures::downCourseNm() const {
    return courseNm(LegKind::Down);
}

int LegFigures::position(int b, int p) const {
    const auto t = boat(b).passTime(p);
    int ahead = 0;
    for (const BoatLegResult& other : analysis_.boats)
        if (passedEarlier(other.passTime(p), t)) ++ahead;
    return 1 + ahead;
}

std::optional<int> LegFigures::bestBoat() const {
    if (pointCount() == 0) return std::nullopt;
    std::optional<int> best;
    double bestTime = 0;
    for (int b = 0; b < boatCount(); ++b) {
        const auto t = raceTime(b);
        if (!t || *t <= 0) continue;
        if (!best || *t < bestTime) {
            best = b;
            bestTime = *t;
        }
    }
    return best;
}

}  // namespace korvane
