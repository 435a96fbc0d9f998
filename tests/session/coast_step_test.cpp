// The opening's coastline step: the race folder's files first, the GSHHG
// shoreline through GMT only where they give nothing for the area.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QStandardPaths>
#include <cmath>
#include <fstream>

#include "session/coast_step.h"
#include "session/race_session.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

const std::filesystem::path kSample = KORVANE_SOURCE_DIR "/sample";

std::shared_ptr<const RaceSession> open(const std::string& race, const ShorelineOptions& shore) {
    OpenRequest request;
    request.dataRoot = kSample;
    request.raceFile = race;
    request.shoreline = shore;
    return openRace(request);
}

TEST(CoastStep, OnlyARaceWithoutCoastlineFilesAsksGmt) {
    testing::TempTree tree;
    const auto runs = tree.root() / "runs";
    const auto gmt = tree.write("gmt", "#!/bin/sh\necho run >> \"" + runs.string() +
                                           "\"\nprintf '>\\n-0.3 39.4\\n-0.31 39.41\\n'\n");
    ::chmod(gmt.c_str(), 0755);
    ShorelineOptions shore;
    shore.program = gmt.string();
    const auto enoshima = open("enoshima-cup.txt", shore);
    EXPECT_FALSE(std::filesystem::exists(runs));
    EXPECT_GT(enoshima->coast.coastline.pointCount(), 0u);

    const auto valencia = open("valencia.txt", shore);
    EXPECT_TRUE(std::filesystem::exists(runs));
    EXPECT_EQ(valencia->coast.coastline.pointCount(), 2u);
    shore.program = (tree.root() / "no-gmt").string();
    const auto without = open("valencia.txt", shore);
    // The shoreline is no file of the race: a rewrite must not name it.
    const auto files = [](const RaceSession& s) {
        return std::vector<std::string>(s.model.race.coastFiles.begin(),
                                        s.model.race.coastFiles.end());
    };
    EXPECT_EQ(files(*valencia), files(*without));
    EXPECT_TRUE(without->coast.coastline.empty());
    ASSERT_FALSE(without->warnings.empty());
    EXPECT_NE(without->warnings.back().find("not installed"), std::string::npos);
}

// With the real GMT and its GSHHG data, the Valencia sample shows the
// Spanish coast, inside the area the map draws.
TEST(CoastStep, RealGmtGivesValenciaItsShoreline) {
    if (QStandardPaths::findExecutable(QStringLiteral("gmt")).isEmpty())
        GTEST_SKIP() << "gmt is not installed";
    testing::TempTree cache;
    ShorelineOptions shore;
    shore.cacheDir = cache.root();
    const auto s = open("valencia.txt", shore);
    ASSERT_GT(s->coast.coastline.pointCount(), 20u);
    const LatLonBox box = coastAreaOf(s->model, s->area).extended();
    for (const auto& line : s->coast.coastline.polylines)
        for (const GeoPoint& p : line) {
            EXPECT_GE(p.latMinutes, std::floor(box.south));
            EXPECT_LE(p.latMinutes, std::ceil(box.north));
            EXPECT_GE(p.lonMinutes, std::floor(box.west));
            EXPECT_LE(p.lonMinutes, std::ceil(box.east));
        }
    EXPECT_FALSE(std::filesystem::is_empty(cache.root()));
}

}  // namespace
}  // namespace korvane
