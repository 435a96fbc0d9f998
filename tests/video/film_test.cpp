// Films of a sample race, read back as a player reads them, and the ways a
// film can fail to be made: each leaves no file behind.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QImage>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <stop_token>
#include <string>
#include <thread>

#include "base/parallel.h"
#include "session/race_session.h"
#include "session/standings_sources.h"
#include "support/temp_tree.h"
#include "video/film_export.h"
#include "video/film_frames.h"
#include "video/film_reader.h"
#include "video/film_standings.h"
#include "video/video_encoder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::TempTree;

std::shared_ptr<const RaceSession> sampleRace() {
    static const auto session = [] {
        OpenRequest request;
        request.dataRoot = KORVANE_SOURCE_DIR "/sample";
        request.raceFile = "enoshima-cup.txt";
        return openRace(request);
    }();
    return session;
}

FilmJob shortFilm(const fs::path& output) {
    FilmJob job;
    job.plan.fromSeconds = 600;
    job.plan.toSeconds = 620;
    job.plan.speed = 10;
    job.plan.fps = 10;
    job.plan.width = 320;
    job.plan.height = 240;
    job.output = output;
    return job;
}

QImage renderedByCli(double atSeconds, const fs::path& png) {
    const std::string command = std::string("\"") + KORVANE_CLI + "\" --data \"" +
                                KORVANE_SOURCE_DIR "/sample\" render enoshima-cup.txt --at " +
                                std::to_string(atSeconds) + " --size 320x240 -o \"" + png.string() +
                                "\" 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return QImage(QString::fromStdString(png.string()));
}

TEST(Film, ReadsBackAsPlannedAndShowsWhatRenderDraws) {
    TempTree tree;
    const fs::path film = tree.root() / "race.mp4";
    const FilmTimings timings = makeFilm(*sampleRace(), shortFilm(film), {});
    EXPECT_EQ(timings.frames, 20);

    const testing::FilmFacts facts = testing::readFilm(film);
    EXPECT_EQ(facts.codec, "h264");
    EXPECT_EQ(facts.pixelFormat, "yuv420p");
    EXPECT_EQ(facts.width, 320);
    EXPECT_EQ(facts.height, 240);
    EXPECT_EQ(facts.frameRate.num, 10);
    EXPECT_EQ(facts.frameRate.den, 1);
    EXPECT_NEAR(facts.durationSeconds, 2.0, 0.05);
    ASSERT_EQ(facts.frames.size(), 20u);

    // The index stands before the frames, so playing begins at once.
    std::ifstream in(film, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_NE(bytes.find("moov"), std::string::npos);
    EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));

    // The first frame is the picture of 600 s, and not of a moment later.
    const QImage same = renderedByCli(600, tree.root() / "600.png");
    const QImage later = renderedByCli(615, tree.root() / "615.png");
    ASSERT_FALSE(same.isNull());
    ASSERT_FALSE(later.isNull());
    // The encoder loses fine detail (one-pixel lines keep half their colour
    // at most), so the pictures are compared a quarter the size.
    const auto coarse = [](const QImage& image) {
        return image.scaled(image.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const double toSame = testing::meanDifference(coarse(facts.frames[0]), coarse(same));
    const double toLater = testing::meanDifference(coarse(facts.frames[0]), coarse(later));
    EXPECT_LT(toSame, 4.0);
    EXPECT_LT(2 * toSame, toLater);
    // The last frame shows 619 s, not the same picture again.
    EXPECT_GT(testing::meanDifference(facts.frames[0], facts.frames[19]), 0.5);
}

// The replay stops where the last log ends and keeps its last picture; a
// film running on past it holds that picture instead of an empty sea.
TEST(Film, HoldsTheLastPictureAfterTheLastLogEnds) {
    const auto session = sampleRace();
    double last = 0;
    for (const Boat& b : session->model.boats)
        if (!b.track.empty()) last = std::max(last, b.track.back().timeSeconds);
    TempTree tree;
    FilmJob job = shortFilm(tree.root() / "end.mp4");
    job.plan.fromSeconds = last - 2;
    job.plan.toSeconds = last + 6;
    job.plan.speed = 1;
    job.plan.fps = 1;
    makeFilm(*session, job, {});
    const testing::FilmFacts facts = testing::readFilm(job.output);
    ASSERT_EQ(facts.frames.size(), 8u);
    QImage sea(320, 240, QImage::Format_RGB32);
    sea.fill(facts.frames[7].pixel(160, 120));
    EXPECT_GT(testing::meanDifference(facts.frames[7], sea), 2.0);
    EXPECT_LT(testing::meanDifference(facts.frames[7], facts.frames[2]), 1.0);
}

// The standings go into the frame at its moment, in their box and nowhere
// else: the boat leading then shows its colour there.
TEST(Film, FramesCarryTheStandingsOfTheirMomentInTheirBoxOnly) {
    const auto session = sampleRace();
    FilmPlan plan = shortFilm({}).plan;
    plan.fromSeconds = 1800;
    plan.toSeconds = 1810;
    plan.width = 1280;
    plan.height = 720;
    const auto frameWith = [&](bool standings) {
        FilmLook look;
        look.standings = standings;
        return FilmFrames(*session, plan, look, 1).draw(0, 0);
    };
    const QImage with = frameWith(true), without = frameWith(false);
    const Standings standings =
        standingsAt(standingsSources(*session), 1800, session->model.race.timeMode);
    const QRect box = filmStandingsBox(with.size(), static_cast<int>(standings.boats.size()));
    ASSERT_FALSE(box.isEmpty());
    int outsideChanged = 0, insideChanged = 0;
    bool leaderShown = false;
    const std::uint32_t bgr = session->model.boats.at(standings.boats.at(0).slot).colour;
    const QColor leader(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
            const bool changed = with.pixel(x, y) != without.pixel(x, y);
            (box.contains(x, y) ? insideChanged : outsideChanged) += changed;
            leaderShown |= box.contains(x, y) && with.pixelColor(x, y) == leader;
        }
    EXPECT_EQ(outsideChanged, 0);
    EXPECT_GT(insideChanged, box.width() * box.height() / 2);
    EXPECT_TRUE(leaderShown);
}

TEST(Film, CancelledLeavesNoFile) {
    TempTree tree;
    const fs::path film = tree.root() / "race.mp4";
    std::stop_source stop;
    const auto progress = [&](const FilmProgress& p) {
        if (p.framesDone == 5) stop.request_stop();
    };
    EXPECT_THROW(makeFilm(*sampleRace(), shortFilm(film), progress, stop.get_token()), Cancelled);
    EXPECT_TRUE(fs::is_empty(tree.root()));
}

// A write that fails ends with words for the user and nothing on the disk,
// whether the folder was never there, went while the film was made, or the
// disk filled up (a file size limit stands in for a full disk).
TEST(Film, FailedWritesSayWhyAndLeaveNothing) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& folder)> before;
        std::function<void(const fs::path& folder)> midway;
        rlim_t fileSizeLimit;
        const char* says;
    };
    const Case cases[] = {
        {"no folder",
         [](const fs::path& f) { fs::remove_all(f); },
         {},
         RLIM_INFINITY,
         "the folder does not exist"},
        {"folder removed",
         {},
         [](const fs::path& f) { fs::remove_all(f); },
         RLIM_INFINITY,
         "cannot write"},
        {"disk full", {}, {}, 4096, "cannot write"},
    };
    const auto session = sampleRace();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempTree tree;
        const fs::path folder = tree.root() / "films";
        fs::create_directories(folder);
        if (c.before) c.before(folder);
        const auto progress = [&](const FilmProgress& p) {
            if (p.framesDone == 3 && c.midway) c.midway(folder);
        };
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = c.fileSizeLimit;
        setrlimit(RLIMIT_FSIZE, &limited);
        std::string message;
        try {
            makeFilm(*session, shortFilm(folder / "race.mp4"), progress);
        } catch (const VideoError& e) {
            message = e.what();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, previous);
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
        EXPECT_TRUE(!fs::exists(folder) || fs::is_empty(folder));
    }
}

// However slowly the frames are taken, only a few are made ahead of them.
TEST(Film, FramesAheadOfTheEncoderStayBounded) {
    std::atomic<int> inMemory{0};
    std::atomic<int> most{0};
    InOrderOptions options;
    options.threads = 3;
    options.maxAhead = 4;
    forEachInOrder(
        60,
        [&](int item) {
            const int now = ++inMemory;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            return item;
        },
        [&](int, int) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            --inMemory;
        },
        {}, options);
    EXPECT_LE(most.load(), 4);
    EXPECT_EQ(inMemory.load(), 0);
}

}  // namespace
}  // namespace korvane
