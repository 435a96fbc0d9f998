// Every reader on logs of 16 MB made of one hostile unit repeated (see
// long_logs.h). Read in one pass, each takes a fraction of a second; a
// reader that searches the rest of the buffer again for each unit needs
// minutes (the VCC reader once took 53 s at 8 MB, four times that at 16),
// which the executable's timeout in CMakeLists.txt turns into a failure.
// No time is measured here: the fixes around the bulk must come out as
// they do without it, and the run must end.
#include <gtest/gtest.h>

#include "long_logs.h"
#include "test_window.h"

namespace korvane {
namespace {

using namespace testlogs;

constexpr std::size_t kLongLogBytes = std::size_t{16} << 20;

class LongLogs : public testing::TestWithParam<LongLog> {};

TEST_P(LongLogs, AreReadInOnePassToTheFixesAroundTheirBulk) {
    const LongLog& log = GetParam();
    const ReaderEntry* entry = readerForFile(log.extension);
    ASSERT_NE(entry, nullptr);
    const ReadWindow w = windowFor(log.extension);
    const LogContents alone = entry->read(log.head + log.tail, w);
    ASSERT_GE(alone.fixes.size(), 20u);
    const LogContents c = entry->read(longLog(log, kLongLogBytes), w);
    ASSERT_EQ(times(c.fixes), times(alone.fixes));
    for (std::size_t k = 0; k < c.fixes.size(); ++k) {
        EXPECT_EQ(c.fixes[k].latMinutes, alone.fixes[k].latMinutes) << k;
        EXPECT_EQ(c.fixes[k].lonMinutes, alone.fixes[k].lonMinutes) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryReader, LongLogs, testing::ValuesIn(longLogs()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
