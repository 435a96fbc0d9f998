// The shift from the old Tokyo datum (Bessel ellipsoid) to the GPS datum,
// taken as constant over a race area and computed at its centre.
#pragma once

namespace korvane {

struct DatumShift {
    double latMinutes = 0;
    double lonMinutes = 0;
};

// Minutes to add to an old-datum position near (latMinutes, lonMinutes) to
// get the GPS-datum position. Zero where the conversion has no answer.
DatumShift datumShift(double latMinutes, double lonMinutes);

}  // namespace korvane
