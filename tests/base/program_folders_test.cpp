#include "base/program_folders.h"

#include <gtest/gtest.h>

#include "support/temp_tree.h"

namespace korvane {
namespace {

struct RootCase {
    const char* name;
    const char* raceadminAt;  // below the tree, or nullptr
    const char* expected;     // the data root below the tree; nullptr for the built-in sample
};

class DefaultDataRoot : public ::testing::TestWithParam<RootCase> {};

// The program in tree/usr/bin: a race tree beside it wins, then the
// installed sample, then the source tree's sample of a build.
TEST_P(DefaultDataRoot, FollowsWhereTheProgramStands) {
    const RootCase& c = GetParam();
    testing::TempTree tree;
    tree.write("usr/bin/korvane", "");
    if (c.raceadminAt) tree.write(std::string(c.raceadminAt) + "/racefile.st", "");
    const std::filesystem::path builtIn = tree.root() / "source/sample";
    const std::filesystem::path expected = c.expected ? tree.root() / c.expected : builtIn;
    EXPECT_EQ(defaultDataRoot(tree.root() / "usr/bin", builtIn), expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Installs, DefaultDataRoot,
    ::testing::Values(RootCase{"race tree beside", "usr/bin/raceadmin", "usr/bin"},
                      RootCase{"installed sample", "usr/share/korvane/sample/raceadmin",
                               "usr/share/korvane/sample"},
                      RootCase{"a build", nullptr, nullptr},
                      RootCase{"share without raceadmin", "usr/share/korvane/raceadmin", nullptr}));

TEST(ProgramFolders, UnknownProgramFolderFallsBackToTheBuiltInSample) {
    EXPECT_EQ(defaultDataRoot({}, "/src/sample"), std::filesystem::path("/src/sample"));
    EXPECT_EQ(installedShareFolder("/opt/k/bin"), std::filesystem::path("/opt/k/share/korvane"));
}

}  // namespace
}  // namespace korvane
