// The flat earth a race is sailed on: minutes of arc turned into metres
// north and east around one latitude, and the bearing and length of such a
// ground vector. Every distance, bearing and speed of the program is worked
// out here, so that the map, the course, the speeds and the leg figures
// agree to the last bit.
#pragma once

namespace korvane {

inline constexpr double kMetresPerMinuteLat = 1852.0;

// Degrees clockwise from north, 0 <= b < 360, of a ground vector; a zero
// vector points north.
double bearingOf(double northMetres, double eastMetres);

struct GroundVector {
    double northMetres = 0;
    double eastMetres = 0;

    double lengthMetres() const;
    double bearingDegrees() const { return bearingOf(northMetres, eastMetres); }
};

class LocalPlane {
  public:
    // cosLat: cosine of the latitude the plane is laid at (the race area's).
    explicit LocalPlane(double cosLat) : metresPerMinuteLon_(kMetresPerMinuteLat * cosLat) {}
    // The plane laid at a latitude given in minutes of arc.
    static LocalPlane atLatitude(double latMinutes);

    double metresPerMinuteLon() const { return metresPerMinuteLon_; }

    // From (lat1, lon1) to (lat2, lon2), minutes of arc. A longitude
    // difference beyond half the globe is taken the short way round, so a
    // leg across ±180° is as long as it looks on the water.
    // Inline: the analyses take one per fix.
    GroundVector vector(double lat1Minutes, double lon1Minutes, double lat2Minutes,
                        double lon2Minutes) const {
        constexpr double kMinutesHalfTurn = 180.0 * 60.0;
        double dLon = lon2Minutes - lon1Minutes;
        if (dLon > kMinutesHalfTurn) dLon -= 2 * kMinutesHalfTurn;
        if (dLon < -kMinutesHalfTurn) dLon += 2 * kMinutesHalfTurn;
        return {(lat2Minutes - lat1Minutes) * kMetresPerMinuteLat, dLon * metresPerMinuteLon_};
    }
    double distanceMetres(double lat1Minutes, double lon1Minutes, double lat2Minutes,
                          double lon2Minutes) const {
        return vector(lat1Minutes, lon1Minutes, lat2Minutes, lon2Minutes).lengthMetres();
    }

  private:
    double metresPerMinuteLon_;
};

}  // namespace korvane
