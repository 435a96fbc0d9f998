#include "coast/datum_shift.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

double dms(double d, double m, double s) {
    return d * 60 + m + s / 60;
}

// The Japanese geodetic datum origin (Tokyo, Azabu) as published by the
// Geospatial Information Authority of Japan: 35°39'17.5148" N,
// 139°44'40.5020" E in the Tokyo datum and 35°39'29.1572" N,
// 139°44'28.8759" E in JGD2000 (the GPS datum to well under a metre).
// The shift lands within half a metre of it; 0.001 minutes of latitude is
// 1.9 m.
TEST(DatumShift, MatchesThePublishedOriginWithinTwoMetres) {
    const double tokyoLat = dms(35, 39, 17.5148);
    const double tokyoLon = dms(139, 44, 40.5020);
    const DatumShift shift = datumShift(tokyoLat, tokyoLon);
    EXPECT_NEAR(tokyoLat + shift.latMinutes, dms(35, 39, 29.1572), 0.001);
    EXPECT_NEAR(tokyoLon + shift.lonMinutes, dms(139, 44, 28.8759), 0.001);
}

}  // namespace
}  // namespace korvane
