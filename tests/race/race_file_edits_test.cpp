// The boat and picture lines written into a race file: where they go, what
// they say, and that every other byte stays.
#include "race/race_file_edits.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// "T1,江の島" in CP932.
const std::string kCp932Title = "T1,\x8D\x5D\x82\xCC\x93\x87";

struct BoatCase {
    const char* name;
    std::string before;
    const char* log;
    const char* boat;
    double tcf;
    std::string after;  // "" = refused, the document unchanged
};

void PrintTo(const BoatCase& c, std::ostream* os) {
    *os << c.name;
}

class AddBoatLine : public ::testing::TestWithParam<BoatCase> {};

TEST_P(AddBoatLine, GoesAfterTheLastBoatAndKeepsEveryOtherByte) {
    const BoatCase& c = GetParam();
    RaceDocument doc = RaceDocument::fromBytes(c.before);
    const bool added = addBoatLine(doc, c.log, c.boat, c.tcf);
    EXPECT_EQ(added, !c.after.empty());
    EXPECT_EQ(doc.toBytes(), c.after.empty() ? c.before : c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddBoatLine,
    ::testing::Values(
        BoatCase{
            "AfterLastBoatCp932",
            kCp932Title + "\r\nbn,a.gpx,A,1.01\r\nMK,1,2 // mark\r\nBN,b.gpx,B,0.99\r\nCRS,MK1\r\n",
            "new.trb", "New", 1.02,
            kCp932Title + "\r\nbn,a.gpx,A,1.01\r\nMK,1,2 // "
                          "mark\r\nBN,b.gpx,B,0.99\r\nBN,new.trb,New,1.02\r\n"
                          "CRS,MK1\r\n"},
        BoatCase{"NoBoatsAtTheEndLf", "T1,x\nST,2024/05/12 11:00:00", "a.gpx", "A", 0,
                 "T1,x\nST,2024/05/12 11:00:00\nBN,a.gpx,A,0\n"},
        BoatCase{"CommaInNameBecomesBlank", "BN,a.gpx,A,1\r\n", "b.gpx", "Sea,Bird\r\n", 1,
                 "BN,a.gpx,A,1\r\nBN,b.gpx,Sea Bird  ,1\r\n"},
        BoatCase{"CommaInLogRefused", "BN,a.gpx,A,1\r\n", "my,log.gpx", "B", 1, ""},
        BoatCase{"CommentMentioningBnStaysPut", "// BN,old\r\nBN,a.gpx,A\r\n// end\r\n", "b.dtr",
                 "B", 0, "// BN,old\r\nBN,a.gpx,A\r\nBN,b.dtr,B,0\r\n// end\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetPictureLine, ReplacesInPlaceAppendsOrLeavesAlone) {
    struct Case {
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"T1,x\r\npic,old,5,300\r\nBN,a,A\r\n",
         "T1,x\r\nPIC,/home/me/photos,-30,500\r\nBN,a,A\r\n"},
        {"T1,x\r\nBN,a,A\r\n", "T1,x\r\nBN,a,A\r\nPIC,/home/me/photos,-30,500\r\n"},
        {"PIC,/home/me/photos,-30,500\n", "PIC,/home/me/photos,-30,500\n"},
    };
    for (const Case& c : cases) {
        RaceDocument doc = RaceDocument::fromBytes(c.before);
        setPictureLine(doc, "/home/me/photos", -30, 500);
        EXPECT_EQ(doc.toBytes(), c.after) << c.before;
    }
}

}  // namespace
}  // namespace korvane
