// Outside programs that end well or badly: each is stopped by its limit and
// reported as what it did, never waited for without end.
#include "base/bounded_process.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Outcome = ProcessResult::Outcome;

struct ProgramCase {
    const char* name;
    std::vector<std::string> argv;
    Outcome outcome;
    int exitStatus;
    const char* output;  // expected standard output, nullptr: not checked
};

class BoundedProcessTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(BoundedProcessTest, ReportsWhatTheProgramDid) {
    const ProgramCase& c = GetParam();
    const ProcessResult r =
        runBoundedProcess(c.argv, {std::chrono::milliseconds(800), std::size_t{1} << 20});
    EXPECT_EQ(r.outcome, c.outcome);
    if (c.outcome == Outcome::Finished) {
        EXPECT_EQ(r.exitStatus, c.exitStatus);
    }
    if (c.output) {
        EXPECT_EQ(r.output, c.output);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Programs, BoundedProcessTest,
    testing::Values(
        ProgramCase{"writes", {"printf", "a b\\n"}, Outcome::Finished, 0, "a b\n"},
        ProgramCase{"noShell", {"echo", "$HOME;", "|", "x"}, Outcome::Finished, 0, "$HOME; | x\n"},
        ProgramCase{"fails", {"sh", "-c", "echo no >&2; exit 3"}, Outcome::Finished, 3, ""},
        ProgramCase{"missing", {"korvane-no-such-program"}, Outcome::NotFound, 0, nullptr},
        ProgramCase{"hangs", {"sleep", "30"}, Outcome::TimedOut, 0, nullptr},
        // Its child keeps the output open after it ended: the group goes.
        ProgramCase{"leavesAChild", {"sh", "-c", "sleep 30 & echo started"}, Outcome::TimedOut, 0,
                    nullptr},
        ProgramCase{"writesWithoutEnd", {"yes"}, Outcome::OutputTooLarge, 0, ""},
        ProgramCase{"crashes", {"sh", "-c", "kill -SEGV $$"}, Outcome::Crashed, 0, nullptr}),
    [](const testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(BoundedProcess, KeepsOnlyTheStartOfALongErrorText) {
    const ProcessResult r = runBoundedProcess({"sh", "-c", "yes error | head -c 100000 >&2"}, {});
    EXPECT_EQ(r.outcome, Outcome::Finished);
    EXPECT_EQ(r.errors.size(), 4096u);
    EXPECT_EQ(r.errors.substr(0, 12), "error\nerror\n");
}

}  // namespace
}  // namespace korvane
