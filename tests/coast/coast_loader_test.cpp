#include "coast/coast_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

#include "coast/datum_shift.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class CoastLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("korvane-coast-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }

    // A small race off Enoshima: 2113'-2116' N, 8368'-8370' E.
    static CoastArea smallArea() {
        CoastArea a;
        a.known = true;
        a.trackBox = {2116, 2113, 8370, 8368};
        a.centreLat = 2114.5;
        a.centreLon = 8369;
        a.cosLat = std::cos(2114.5 / 60 * std::numbers::pi / 180);
        a.latSpan = 3.6;
        a.lonSpan = 3.6 / a.cosLat;
        return a;
    }

    fs::path folder_;
};

TEST_F(CoastLoader, ChosenTilesAreReadAndShiftedToTheGpsDatum) {
    // Tiles 5239 and 5339 cover the area with its 5' margin; only 5239 exists.
    write("5239.CST",
          "M 523954\n"
          "L                                                    2\n"
          " 5000 5000 6000 6000\n");
    const CoastData data = loadCoastline(folder_, {}, smallArea(), {});
    EXPECT_EQ(data.files, (std::vector<std::string>{"5239", "5339"}));
    ASSERT_EQ(data.coastline.pointCount(), 2u);
    const DatumShift shift = datumShift(2114.5, 8369);
    const GeoPoint p = data.coastline.polylines[0][0];
    EXPECT_DOUBLE_EQ(p.latMinutes, 2105 + 2.5 + shift.latMinutes);
    EXPECT_DOUBLE_EQ(p.lonMinutes, 8370 + 3.75 + shift.lonMinutes);
}

TEST_F(CoastLoader, NamedUserFileIsFoundWhateverItsCase) {
    write("abura.cst", "R,2114,8369\n2115,8370\n");
    const CoastData data = loadCoastline(folder_, {"Abura.cst"}, smallArea(), {});
    EXPECT_EQ(data.files, std::vector<std::string>{"Abura"});
    EXPECT_EQ(data.coastline.pointCount(), 2u);
}

TEST_F(CoastLoader, NamedWholeCountryFileIsFilteredByTheTracks) {
    std::string bytes;
    auto put = [&](float lat, float lon) {
        char b[8];
        std::memcpy(b, &lat, 4);
        std::memcpy(b + 4, &lon, 4);
        bytes.append(b, 8);
    };
    put(-2114, 8369);
    put(2115, 8370);
    put(-1500, 8000);  // far away
    put(1501, 8001);
    write("jcoast.cst", bytes);
    const std::vector<std::vector<GeoPoint>> tracks{{{2113, 8368}, {2116, 8370}}};
    const CoastData data = loadCoastline(folder_, {"JCOAST.CST"}, smallArea(), tracks);
    ASSERT_EQ(data.coastline.polylines.size(), 1u);
    EXPECT_EQ(data.coastline.pointCount(), 2u);
}

TEST_F(CoastLoader, FirstLandmarkFileFoundIsTheOnlyOneRead) {
    write("toba.lh", "T_Toba,3514,13929,4,1,R,1\n");
    write("JLH.LH", "J_Jlh,3514,13929,4,1,G,1\nJ_Far,3000,13000,4,1,G,1\n");
    const CoastData data = loadCoastline(folder_, {}, smallArea(), {});
    ASSERT_EQ(data.landmarks.size(), 1u);
    EXPECT_EQ(data.landmarks[0].name, "Jlh");
}

TEST_F(CoastLoader, UnknownAreaLoadsNothing) {
    write("5239.cst",
          "M 523955\nL                                                    1\n 5000 5000\n");
    write("jpnlh.lh", "J_Light,3514,13929,4,1,R,1\n");
    const CoastData data = loadCoastline(folder_, {}, CoastArea{}, {});
    EXPECT_TRUE(data.files.empty());
    EXPECT_TRUE(data.coastline.empty());
    EXPECT_TRUE(data.landmarks.empty());
}

TEST_F(CoastLoader, MissingFolderIsNoCoastline) {
    const CoastData data = loadCoastline(folder_ / "absent", {"bay", "5239"}, smallArea(), {});
    EXPECT_TRUE(data.coastline.empty());
    EXPECT_TRUE(data.landmarks.empty());
}

}  // namespace
}  // namespace korvane
