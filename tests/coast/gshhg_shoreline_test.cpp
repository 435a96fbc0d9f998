// The GSHHG shoreline through GMT, with stand-ins for GMT that are missing,
// slow, fail, write garbage or write without end, and the cache per area.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "coast/gshhg_shoreline.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

// 39°20'–39°40' N, 0°30'–0°10' W: the Valencia sample's waters.
const LatLonBox kValencia{39 * 60 + 40, 39 * 60 + 20, -10, -30};

// Two segments as `gmt coast -M` writes them, one empty between them, and a
// longitude counted past 180.
const char* kGoodOutput =
    "> Shore Bin # 4679, Level 1\n"
    "-0.28\t39.30\n-0.31\t39.35\n-0.33\t39.42\n"
    "> Shore Bin # 4680, Level 1\n"
    "> Shore Bin # 4681, Level 2\n"
    "359.9\t39.5\n-0.1\t39.6\n";

class FakeGmt : public ::testing::Test {
  protected:
    // A stand-in program that notes each run and its arguments, then runs `body`.
    std::string program(const std::string& body) {
        const auto path =
            tree.write("bin/gmt", "#!/bin/sh\necho \"$HOME $*\" >> \"" +
                                      (tree.root() / "runs").string() + "\"\n" + body + "\n");
        ::chmod(path.c_str(), 0755);
        return path.string();
    }
    std::vector<std::string> runs() const {
        std::ifstream in(tree.root() / "runs");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    ShorelineOptions options(const std::string& body) {
        ShorelineOptions o;
        o.program = program(body);
        o.timeLimit = std::chrono::milliseconds(500);
        o.outputLimitBytes = 64 << 10;
        o.cacheDir = tree.root() / "cache";
        return o;
    }

    testing::TempTree tree;
};

TEST_F(FakeGmt, AGmtThatCannotGiveAShorelineIsAWarningAndNoCoast) {
    struct Case {
        const char* name;
        std::string body;  // empty: no program at all
        const char* warning;
    };
    const Case cases[] = {
        {"missing", "", "not installed"},
        {"slow", "sleep 30", "too long"},
        {"garbage", "echo 'gmt: this is no shoreline'", "no shoreline"},
        {"huge", "yes '1.0 2.0'", "more than"},
        {"failing", "echo 'coast: bad region' >&2; exit 3", "status 3): coast: bad region"},
    };
    for (const Case& c : cases) {
        ShorelineOptions o = options(c.body);
        if (c.body.empty()) o.program = (tree.root() / "no-such-gmt").string();
        const ShorelineLookup got = lookUpShoreline(kValencia, o);
        EXPECT_TRUE(got.coastline.empty()) << c.name;
        EXPECT_NE(got.warning.find(c.warning), std::string::npos) << c.name << ": " << got.warning;
        // Nothing that failed is kept for the next opening.
        EXPECT_FALSE(std::filesystem::exists(o.cacheDir) && !std::filesystem::is_empty(o.cacheDir))
            << c.name;
    }
}

TEST_F(FakeGmt, TheShorelineIsReadOnceAndThenComesFromTheCache) {
    const ShorelineOptions o = options(std::string("printf '") + kGoodOutput + "'");
    const ShorelineLookup first = lookUpShoreline(kValencia, o);
    EXPECT_EQ(first.warning, "");
    EXPECT_FALSE(first.fromCache);
    ASSERT_EQ(first.coastline.polylines.size(), 2u);
    EXPECT_EQ(first.coastline.polylines[0].size(), 3u);
    EXPECT_DOUBLE_EQ(first.coastline.polylines[0][1].latMinutes, 39.35 * 60);
    EXPECT_DOUBLE_EQ(first.coastline.polylines[0][1].lonMinutes, -0.31 * 60);
    EXPECT_NEAR(first.coastline.polylines[1][0].lonMinutes, -0.1 * 60, 1e-9);

    ASSERT_EQ(runs().size(), 1u);
    const std::string run = runs()[0];
    // GMT's home is a scratch folder, not the user's; the area goes as degrees.
    EXPECT_EQ(run.find(std::getenv("HOME") ? std::getenv("HOME") : "\x01"), std::string::npos);
    EXPECT_NE(run.find("coast -R-0.500000/-0.166667/39.333333/39.666667 -Df+ -W -M"),
              std::string::npos)
        << run;

    const ShorelineLookup again = lookUpShoreline(kValencia, o);
    EXPECT_TRUE(again.fromCache);
    EXPECT_EQ(again.coastline.pointCount(), first.coastline.pointCount());
    EXPECT_EQ(runs().size(), 1u);

    // A damaged cache file is asked of GMT again.
    for (const auto& f : std::filesystem::directory_iterator(o.cacheDir))
        std::ofstream(f.path()) << "not a shoreline\n";
    EXPECT_FALSE(lookUpShoreline(kValencia, o).fromCache);
    EXPECT_EQ(runs().size(), 2u);
}

TEST(ShorelineResolution, GrowsCoarserWithTheArea) {
    const std::pair<double, char> cases[] = {{0.5, 'f'}, {2, 'f'}, {5, 'i'}, {20, 'l'}, {90, 'c'}};
    for (const auto& [degrees, letter] : cases) {
        const LatLonBox box{degrees * 60, 0, degrees * 30, -degrees * 30};
        EXPECT_EQ(shorelineResolutionFor(shorelineBoxFor(box)), letter) << degrees;
    }
}

}  // namespace
}  // namespace korvane
