// The window program's command line, read before any window exists.
#include "app/window_options.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct OptionsCase {
    std::vector<std::string> args;
    const char* dataRoot;  // nullptr: none given
    bool help;
    bool error;
};

class WindowCommandLine : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(WindowCommandLine, ReadsTheFolderAndTheQuestions) {
    const OptionsCase& c = GetParam();
    const WindowOptions o = parseWindowOptions(c.args);
    EXPECT_EQ(o.dataRoot.has_value(), c.dataRoot != nullptr);
    if (c.dataRoot && o.dataRoot) {
        EXPECT_EQ(*o.dataRoot, std::filesystem::path(c.dataRoot));
    }
    EXPECT_EQ(o.help, c.help);
    EXPECT_EQ(!o.error.empty(), c.error) << o.error;
}

INSTANTIATE_TEST_SUITE_P(Words, WindowCommandLine,
                         ::testing::Values(OptionsCase{{}, nullptr, false, false},
                                           OptionsCase{{"races"}, "races", false, false},
                                           OptionsCase{{"--data", "races"}, "races", false, false},
                                           OptionsCase{{"--data=races"}, "races", false, false},
                                           OptionsCase{{"--data"}, nullptr, false, true},
                                           OptionsCase{{"a", "--data", "b"}, "a", false, true},
                                           OptionsCase{{"--bogus"}, nullptr, false, true},
                                           // A word only Qt knows still lets --help answer.
                                           OptionsCase{
                                               {"-platform", "--help"}, nullptr, true, true},
                                           OptionsCase{{"-h"}, nullptr, true, false}));

}  // namespace
}  // namespace korvane
