#include "race/race_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/file_io.h"
#include "support/temp_tree.h"

namespace korvane {
namespace {

struct RoundTrip {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    const char* lineEnd;
    int lines;
};

void PrintTo(const RoundTrip& r, std::ostream* os) {
    *os << r.name;
}

class RaceDocumentRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RaceDocumentRoundTrip, UneditedGivesTheSameBytes) {
    const RoundTrip& r = GetParam();
    const RaceDocument doc = RaceDocument::fromBytes(r.bytes);
    EXPECT_EQ(doc.toBytes(), r.bytes);
    EXPECT_EQ(doc.encoding(), r.encoding);
    EXPECT_EQ(doc.lineEnd(), r.lineEnd);
    EXPECT_EQ(doc.lineCount(), r.lines);
}

// "T1,江の島" in CP932 is 54 5D 2C 8D 5D 82 CC 93 87.
const std::string kCp932Title = "T1,\x8D\x5D\x82\xCC\x93\x87";

INSTANTIATE_TEST_SUITE_P(
    Files, RaceDocumentRoundTrip,
    ::testing::Values(
        RoundTrip{"Cp932CrLf", kCp932Title + "\r\nBN,a.gpx,A\r\n", TextEncoding::Cp932, "\r\n", 2},
        RoundTrip{"Utf8BomLf", "\xEF\xBB\xBFT1,江の島\nBN,a.gpx,A\n", TextEncoding::Utf8, "\n", 2},
        RoundTrip{"NoFinalLineEnd", "T1,a\r\nT2,b", TextEncoding::Utf8, "\r\n", 2},
        RoundTrip{"CrOnly", "T1,a\rT2,b\r", TextEncoding::Utf8, "\r", 2},
        RoundTrip{"MixedEnds", "T1,a\r\nT2,b\nT3,c\r", TextEncoding::Utf8, "\r\n", 3},
        RoundTrip{"Empty", "", TextEncoding::Utf8, "\r\n", 0},
        RoundTrip{"BlankLines", "\n\n\r\n", TextEncoding::Utf8, "\n", 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RaceDocument, Cp932LinesAreReadAsUtf8AndWrittenBackInCp932) {
    RaceDocument doc = RaceDocument::fromBytes(kCp932Title + "\r\nT2,x\r\n");
    EXPECT_EQ(doc.line(0).text, "T1,江の島");
    doc.replaceLine(1, "T2,相模湾");
    // 相模湾 in CP932: 91 8A 96 CD 98 70.
    EXPECT_EQ(doc.toBytes(), kCp932Title + "\r\nT2,\x91\x8A\x96\xCD\x98\x70\r\n");
}

TEST(RaceDocument, AnEditLeavesEveryOtherByteInPlace) {
    const std::string before = "T1,a\r\nCRS,L1,MK1,L1\nT2,b\r\nNOTE,c";
    RaceDocument doc = RaceDocument::fromBytes(before);
    doc.replaceLine(1, "CRS,L1,MK2,L1");
    EXPECT_EQ(doc.toBytes(), "T1,a\r\nCRS,L1,MK2,L1\r\nT2,b\r\nNOTE,c");
    // A line added after a last line without an end gives that line one.
    doc.insertLine(doc.lineCount(), "MK,1,2");
    EXPECT_EQ(doc.toBytes(), "T1,a\r\nCRS,L1,MK2,L1\r\nT2,b\r\nNOTE,c\r\nMK,1,2\r\n");
    doc.removeLine(0);
    EXPECT_EQ(doc.toBytes(), "CRS,L1,MK2,L1\r\nT2,b\r\nNOTE,c\r\nMK,1,2\r\n");
    EXPECT_THROW(doc.replaceLine(9, "x"), std::out_of_range);
}

TEST(RaceDocument, AFailedSaveLeavesTheOldFileWhole) {
    testing::TempTree tree;
    const auto path = tree.write("raceadmin/race.txt", "T1,old\r\n");
    RaceDocument doc = RaceDocument::fromBytes("T1,old\r\n");
    doc.replaceLine(0, "T1,new");
    // The folder replaced by a file: the write beside the target must fail
    // (a read-only folder would not stop a test run as root).
    const auto blocked = tree.root() / "blocked";
    std::ofstream(blocked) << "x";
    EXPECT_FALSE(doc.save(blocked / "race.txt"));
    ASSERT_TRUE(doc.save(path));
    EXPECT_EQ(readFileBytes(path), "T1,new\r\n");
    for (const auto& e : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_EQ(e.path().filename(), "race.txt");  // no temporary left behind
}

}  // namespace
}  // namespace korvane
