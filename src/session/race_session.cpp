#include "session/race_session.h"

#include "analysis/corrected_passings.h"
#include "analysis/maneuvers.h"
#include "base/file_io.h"
#include "base/parallel.h"
#include "base/paths.h"
#include "race/race_area.h"
#include "race/race_file_error.h"
#include "race/wind_file.h"
#include "session/coast_step.h"
#include "tracks/course_speed.h"
#include "view/colours.h"

namespace korvane {

namespace fs = std::filesystem;

fs::path resolveRaceFile(const fs::path& dataRoot, const fs::path& race) {
    std::error_code ec;
    if (race.has_parent_path() && fs::exists(race, ec)) return race;
    if (const auto found = resolveCaseInsensitive(dataRoot / "raceadmin", race.string()))
        return *found;
    if (fs::exists(race, ec)) return race;
    return dataRoot / "raceadmin" / race;
}

namespace {

// Each way a race file can be unusable gets its own message, before the
// parser sees it: the parser would take any of them for a race without boats.
void checkRaceFile(const fs::path& dataRoot, const fs::path& raceFile) {
    std::error_code ec;
    if (!fs::is_directory(dataRoot, ec))
        throw RaceFileError("the data folder does not exist", dataRoot.string(), 0);
    const ReadableFile file(raceFile, kMaxRaceFileBytes);
    switch (file.failure()) {
        case ReadFailure::None:
            return;
        case ReadFailure::NotFound:
            throw RaceFileError("the race file does not exist", raceFile.string(), 0);
        case ReadFailure::NotRegularFile:
            throw RaceFileError(fs::is_directory(raceFile, ec)
                                    ? "the race file is a folder"
                                    : "the race file is not a regular file",
                                raceFile.string(), 0);
        case ReadFailure::TooLarge:
            throw RaceFileError(
                "not a race file (" + describeReadFailure(file.failure(), kMaxRaceFileBytes) + ")",
                raceFile.string(), 0);
        case ReadFailure::Unreadable:
        case ReadFailure::OutOfMemory:
            throw RaceFileError("the race file cannot be read", raceFile.string(), 0);
    }
}

// Once the tracks are in: the course points, every boat's passings, and the
// tracks cut after the finish, so that the race area and the sailed
// distances see the tracks as they end with the race.
void findPassings(RaceSession& session) {
    RaceModel& model = session.model;
    session.course = CourseGeometry{};
    session.course.points = resolveCourse(model, session.raceBaseName);
    session.legs = detectPassings(model, session.course.points);
    session.detectedLegs = session.legs;
    applyPassingCorrections(model, session.passingCorrections, session.legs);
}

// At the detected finish, corrected or not: a correction made while the
// race is open cannot give back what the opening cut.
void cutAfterFinish(RaceSession& session) {
    if (session.model.race.courseLength() > 1)
        cutTracksAfterFinish(session.model, session.detectedLegs);
}

// Once the race area is known: sailed distances, the course geometry (which
// needs the area's cosLat) and the upwind/downwind totals (which need the leg kinds).
void measureLegs(RaceSession& session) {
    computeSailedDistances(session.model, session.area.cosLat, session.legs);
    session.course = computeCourseGeometry(session.model, std::move(session.course.points),
                                           session.area.plane());
    computeLegTotals(session.course, session.legs);
}

}  // namespace

std::shared_ptr<const RaceSession> openRace(const OpenRequest& request, const RaceModel* previous,
                                            const ProgressCallback& progress,
                                            std::stop_token stop) {
    const auto checkStop = [&stop] {
        if (stop.stop_requested()) throw Cancelled();
    };
    checkStop();
    auto session = std::make_unique<RaceSession>();
    session->dataRoot = request.dataRoot;
    session->raceFilePath = resolveRaceFile(request.dataRoot, request.raceFile);
    session->raceBaseName =
        std::string(leadingWholeCharacters(session->raceFilePath.filename().string(), 50));
    session->editMode = request.editMode;
    checkRaceFile(request.dataRoot, session->raceFilePath);
    if (previous) session->model.race = previous->race;

    auto report = [&](int step, std::string text) {
        if (progress) progress(OpenProgress{step, 1, std::move(text)});
    };
    report(0, "READING  " + session->raceBaseName);

    RaceFileOptions options;
    options.fileExists = filesBelow(request.dataRoot);
    options.raceOpenedBefore = request.raceOpenedBefore;
    options.modePickedByUser = request.timeMode.has_value();
    session->raceFile = parseRaceFile(session->raceFilePath, session->model, options);
    // A chosen time mode applies only where there are factors to apply.
    if (request.timeMode && session->model.race.hasTcf)
        session->model.race.timeMode = *request.timeMode;
    session->warnings = session->raceFile.warnings;
    checkStop();

    const Race& race = session->model.race;
    session->pictures =
        buildPictureCatalogue(request.dataRoot, session->raceBaseName, race.pictureFolder,
                              {race.start, race.timelineBegin, race.timelineEnd});
    session->warnings.insert(session->warnings.end(), session->pictures.warnings.begin(),
                             session->pictures.warnings.end());

    checkStop();
    report(0, "READING  wind data");
    const std::string windFile = session->model.race.windFile;
    const WindReadResult wind = readWindFile(request.dataRoot, session->model);
    if (!wind.problem.empty())
        session->warnings.push_back("wind file " + windFile + ": " + wind.problem);
    if (wind.badLine > 0)
        session->warnings.push_back("wind file: reading stopped at line " +
                                    std::to_string(wind.badLine));

    if (session->model.boatCount() < 1)
        throw RaceFileError("GPS file not exists.", session->raceBaseName, 0);

    session->trackImport = loadAllTracks(
        session->model, request.dataRoot,
        [&](int n, int count, const std::string& logFile) {
            if (progress)
                progress(OpenProgress{n, count,
                                      "LOADING  " + logFile + "  (" + std::to_string(n) + "/" +
                                          std::to_string(count) + ")"});
        },
        0, request.conversion, stop);
    session->warnings.insert(session->warnings.end(), session->trackImport.warnings.begin(),
                             session->trackImport.warnings.end());
    // Logs that are all empty, unreadable or outside the race leave no boat
    // to show: the same dead end as a race file naming no existing log.
    if (session->model.boatCount() < 1)
        throw RaceFileError("GPS file not exists.", session->raceBaseName, 0);
    PassingCorrectionsRead corrections =
        readPassingCorrections(passingCorrectionsPath(session->raceFilePath), session->model);
    session->passingCorrections = std::move(corrections.corrections);
    session->warnings.insert(session->warnings.end(), corrections.warnings.begin(),
                             corrections.warnings.end());
    findPassings(*session);
    cutAfterFinish(*session);
    assignBoatColours(session->model);
    session->area = computeRaceArea(session->model, session->detectedLegs.lastPointTimes());
    checkStop();
    // Coastline once the tracks and the area are known.
    session->coast =
        loadRaceCoastline(request.dataRoot, session->model, session->area, request.shoreline, stop);
    session->warnings.insert(session->warnings.end(), session->coast.warnings.begin(),
                             session->coast.warnings.end());
    // Chosen files are kept with the race, as MAP names would have been.
    if (session->model.race.coastFiles.empty())
        for (const std::string& name : session->coast.files)
            session->model.race.coastFiles.append(name);
    checkStop();
    deriveCourseAndSpeed(session->model, session->area.cosLat);
    measureLegs(*session);
    checkStop();
    return std::shared_ptr<const RaceSession>(std::move(session));
}

void remeasureCourse(RaceSession& session) {
    findPassings(session);
    measureLegs(session);
    session.forgetManeuvers();
}

void correctPassings(RaceSession& session, PassingCorrections corrections) {
    session.passingCorrections = std::move(corrections);
    session.legs = session.detectedLegs;
    applyPassingCorrections(session.model, session.passingCorrections, session.legs);
    measureLegs(session);
    session.forgetManeuvers();
}

bool saveCorrections(const RaceSession& session) {
    const auto& document = session.raceFile.document;
    return savePassingCorrections(passingCorrectionsPath(session.raceFilePath),
                                  session.passingCorrections, session.model,
                                  document ? document->encoding() : TextEncoding::Utf8,
                                  document ? document->lineEnd() : std::string_view("\r\n"));
}

const std::vector<std::vector<Maneuver>>& RaceSession::maneuvers() const {
    ManeuverCache& cache = *maneuvers_;
    std::call_once(cache.found,
                   [&] { cache.table = findRaceManeuvers(model, legs, course, area.plane()); });
    return cache.table;
}

std::vector<std::optional<double>> finishTimesOf(const RaceSession& session) {
    std::vector<std::optional<double>> times;
    for (int b = 0; b < session.model.boatCount(); ++b) {
        const BoatLegResult& result = session.legs.boat(b);
        times.push_back(result.passTime(result.pointCount() - 1));
    }
    return times;
}

}  // namespace korvane
