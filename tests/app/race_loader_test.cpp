// An opening that is no longer wanted ends at once, whether the user opened
// another race or asked for the stop, and takes its converter with it.
#include "app/race_loader.h"

#include <signal.h>

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <fstream>

#include "tracks/temp_race.h"
#include "window_fixture.h"

namespace korvane {
namespace {

using namespace testlogs;
namespace fs = std::filesystem;

// A race of one boat whose log goes through a converter that hangs; it
// writes its process number first, so the test can see it start and end.
struct HangingConversion {
    TempRoot root;
    fs::path pidFile = root.path() / "converter.pid";

    HangingConversion() {
        const std::string race = "ST,2024/05/12 11:00:00\r\nFT,2024/05/12 12:30:00\r\nTD,9\r\n";
        root.write("raceadmin/slow.txt", race + "BN,w.fit,Watch\r\n");
        root.write("raceadmin/quick.txt", race + "BN,a.gpx,Alpha\r\n");
        root.log("w.fit", "a watch's log");
        root.log("a.gpx", gpx(fixRun(30, 2, 0)));
        root.write("converter", "#!/bin/sh\necho $$ > '" + pidFile.string() + "'\nexec sleep 30\n");
        fs::permissions(root.path() / "converter", fs::perms::owner_all);
    }

    OpenRequest request(const std::string& race) const {
        OpenRequest r;
        r.dataRoot = root.path();
        r.raceFile = race;
        r.conversion.program = (root.path() / "converter").string();
        r.conversion.cacheDir.clear();
        return r;
    }

    // The converter's process, once it runs.
    pid_t started() const {
        for (int i = 0; i < 1000; ++i) {
            std::ifstream in(pidFile);
            pid_t pid = 0;
            if (in >> pid) return pid;
            QTest::qWait(10);
        }
        return 0;
    }
};

bool gone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// The converter would sleep for 30 s: an end within 10 s can only be the
// stop, and nothing here waits for the sleep.
constexpr int kWellBeforeMs = 10'000;

TEST(RaceLoader, ACancelledOpeningEndsAtOnceAndKillsItsConverter) {
    app();
    for (const bool byAnotherOpening : {false, true}) {
        SCOPED_TRACE(byAnotherOpening ? "another race opened" : "cancel()");
        HangingConversion tree;
        RaceLoader loader;
        QSignalSpy finished(&loader, &RaceLoader::finished);
        QSignalSpy cancelled(&loader, &RaceLoader::cancelled);
        ASSERT_TRUE(loader.start(tree.request("slow.txt"), nullptr));
        const pid_t converter = tree.started();
        ASSERT_GT(converter, 0);
        if (byAnotherOpening) {
            ASSERT_TRUE(loader.start(tree.request("quick.txt"), nullptr));
            ASSERT_TRUE(finished.wait(kWellBeforeMs));
            const auto outcome = finished.at(0).at(0).value<LoadOutcome>();
            ASSERT_TRUE(outcome.session) << outcome.error.toStdString();
            EXPECT_EQ(outcome.session->model.boats[0].name, "Alpha");
        } else {
            loader.cancel();
            ASSERT_TRUE(cancelled.wait(kWellBeforeMs));
            EXPECT_FALSE(loader.busy());
        }
        loader.wait();
        EXPECT_TRUE(gone(converter));
        // Only the newest opening reports, and only once.
        QTest::qWait(20);
        EXPECT_EQ(finished.size() + cancelled.size(), 1);
    }
}

}  // namespace
}  // namespace korvane
