// Whole-file reads refuse what is not a plain file; the atomic write never
// leaves a half-written target, a stray temp file or a write through a link.
#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <future>

#include "support/temp_tree.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const fs::path& path) {
    return readFileBytes(path).value_or("<unread>");
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ReadRegularFile, RefusesPipesFoldersAndOversizedFilesWithoutReading) {
    testing::TempTree tree;
    const fs::path fifo = tree.root() / "log.gpx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = tree.write("big.csv", std::string(2000, 'x'));

    // Nobody writes to the pipe: a blocking open would never return.
    auto read = std::async(std::launch::async, [&] { return readRegularFile(fifo); });
    ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(read.get().failure, ReadFailure::NotRegularFile);
    EXPECT_EQ(readRegularFile(tree.root()).failure, ReadFailure::NotRegularFile);
    EXPECT_EQ(readRegularFile(tree.root() / "none").failure, ReadFailure::NotFound);
    EXPECT_EQ(readRegularFile(big, 1999).failure, ReadFailure::TooLarge);
    EXPECT_EQ(readRegularFile(big, 2000).bytes->size(), 2000u);
    EXPECT_FALSE(readFileBytes(fifo));
}

TEST(AtomicWrite, AFailedWriteKeepsTheOldFileAndLeavesNoTempFile) {
    testing::TempTree tree;
    const fs::path target = tree.write("out/report.csv", "old");
    // A file size limit makes the write fail half way, for root as well.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeFileAtomically(target, std::string(3000, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(namesIn(target.parent_path()), std::vector<std::string>{"report.csv"});
}

// A file made piece by piece is all there or not at all, however its
// making ends.
TEST(AtomicWrite, APieceByPieceWriteThatStopsKeepsTheOldFile) {
    testing::TempTree tree;
    const fs::path target = tree.write("report.kml", "old");
    const auto twoPiecesThen = [](bool (*end)()) {
        return [end](const ByteSink& put) { return put("new ") && put("pieces") && end(); };
    };
    EXPECT_FALSE(writeFileAtomically(target, twoPiecesThen([] { return false; })));
    EXPECT_THROW(
        writeFileAtomically(target, twoPiecesThen([]() -> bool { throw std::bad_alloc(); })),
        std::bad_alloc);
    EXPECT_EQ(contentOf(target), "old");
    EXPECT_EQ(namesIn(tree.root()), std::vector<std::string>{"report.kml"});

    ASSERT_TRUE(writeFileAtomically(target, twoPiecesThen([] { return true; })));
    EXPECT_EQ(contentOf(target), "new pieces");
}

TEST(AtomicWrite, APathThroughAFileFailsCleanly) {
    testing::TempTree tree;
    tree.write("folder", "a file where a folder should be");
    EXPECT_FALSE(writeFileAtomically(tree.root() / "folder" / "report.csv", "x"));
    EXPECT_FALSE(writeFileAtomically(tree.root(), "a folder is no target"));
    EXPECT_EQ(namesIn(tree.root()), std::vector<std::string>{"folder"});
}

TEST(AtomicWrite, APlantedLinkAtATempNameIsNotFollowed) {
    testing::TempTree tree;
    const fs::path victim = tree.write("victim.txt", "precious");
    const fs::path target = tree.root() / "report.csv";
    for (const char* suffix : {".korvane-tmp", ".tmp", "~"})
        fs::create_symlink(victim, target.string() + suffix);
    ASSERT_TRUE(writeFileAtomically(target, "report"));
    EXPECT_EQ(contentOf(victim), "precious");
    EXPECT_EQ(contentOf(target), "report");
    EXPECT_FALSE(fs::is_symlink(target));
}

// Either way of putting the new file in place: renamed over the old one, or
// swapped with it when the file is only handed over.
TEST(AtomicWrite, ALinkedTargetIsReplacedWhereItPointsAndStaysALink) {
    for (const WriteDurability durability :
         {WriteDurability::Flushed, WriteDurability::HandedOver}) {
        SCOPED_TRACE(durability == WriteDurability::Flushed ? "flushed" : "handed over");
        testing::TempTree tree;
        const fs::path real = tree.write("real/report.csv", "old");
        fs::permissions(real,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        const fs::path link = tree.root() / "docs" / "report.csv";
        fs::create_directories(link.parent_path());
        fs::create_symlink("../real/report.csv", link);

        ASSERT_TRUE(writeFileAtomically(link, "new", durability));
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(contentOf(real), "new");
        EXPECT_EQ(fs::status(real).permissions(),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        EXPECT_EQ(namesIn(real.parent_path()), std::vector<std::string>{"report.csv"});
        EXPECT_EQ(namesIn(link.parent_path()), std::vector<std::string>{"report.csv"});
    }
}

// A write killed before its rename leaves a full temp file; the next write
// into that folder removes such leftovers, and nothing else: not a fresh
// one another writer is still filling, not names of other patterns, not a
// link.
TEST(AtomicWrite, RemovesStaleTempFilesOfItsOwnPatternOnly) {
    testing::TempTree tree;
    const auto stale = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const char* gone[] = {".report.csv.0123456789abcdef.tmp", ".other.kml.fedcba9876543210.tmp"};
    const char* kept[] = {".report.csv.00000000000000ff.tmp",  // fresh
                          ".report.csv.0123456789ABCDEF.tmp", "report.csv.0123456789abcdef.tmp",
                          "..0123456789abcdef.tmp", ".report.csv.0123456789abcde.tmp"};
    for (const char* name : gone) fs::last_write_time(tree.write(name, "whole"), stale);
    for (std::size_t i = 0; i < std::size(kept); ++i) {
        const fs::path p = tree.write(kept[i], "other");
        if (i > 0) fs::last_write_time(p, stale);
    }
    const fs::path link = tree.root() / ".link.txt.0123456789abcdef.tmp";
    fs::create_symlink("report.csv", link);

    ASSERT_TRUE(writeFileAtomically(tree.root() / "report.csv", "new"));
    std::vector<std::string> want(std::begin(kept), std::end(kept));
    want.push_back(link.filename().string());
    want.push_back("report.csv");
    std::sort(want.begin(), want.end());
    EXPECT_EQ(namesIn(tree.root()), want);
}

TEST(AtomicWrite, PipesAndStreamsAreWrittenDirectly) {
    // A stream of this process, as /dev/stdout names one (never /dev/null
    // itself here: a faulty write as root would replace the device).
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const fs::path stream = "/proc/self/fd/" + std::to_string(ends[1]);
    EXPECT_TRUE(writeFileAtomically(stream, "to the stream"));
    ::close(ends[1]);
    char got[32] = {};
    EXPECT_EQ(::read(ends[0], got, sizeof got), 13);
    ::close(ends[0]);
    EXPECT_STREQ(got, "to the stream");

    testing::TempTree tree;
    const fs::path fifo = tree.root() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] {
        std::ifstream in(fifo, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    });
    ASSERT_TRUE(writeFileAtomically(fifo, "through the pipe"));
    EXPECT_EQ(reader.get(), "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(namesIn(tree.root()), std::vector<std::string>{"pipe"});
}

}  // namespace
}  // namespace korvane
